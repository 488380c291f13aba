#pragma once

#include <QGraphicsItem>
#include <QString>

// A depth label of the depth map: the figure on a pale box, centred on its place, kept
// upright by the map like home and the target.
class ItemDepthLabel : public QGraphicsItem {
public:
    static constexpr int kPixelSize = 11;

    explicit ItemDepthLabel(QGraphicsItem* parent = nullptr);
    void setText(const QString& text);
    const QString& text() const { return m_text; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString m_text;
    QRectF m_box;
};
