#pragma once

#include <QGraphicsItem>
#include <QImage>

// The map's drawing layer: a transparent square picture, centred on the item, into which the
// track, the course, the outlines and the multi-target line are drawn. The item stands in the
// middle of the view and turns with the compass; the boat, home and target are its children.
class ItemTrack : public QGraphicsItem {
public:
    static constexpr int kSize = 360;

    explicit ItemTrack(QGraphicsItem* parent = nullptr);

    // The picture to draw into; its pixel (180, 180) is the item's origin.
    QImage& layer() { return m_layer; }
    const QImage& layer() const { return m_layer; }

    // The part of the picture that may hold anything (in its pixels); the rest is known to be
    // clear and is not blended. The whole picture unless told.
    void setDrawnPart(const QRect& pixels) { m_drawn = pixels & QRect(0, 0, kSize, kSize); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QImage m_layer;
    QRect m_drawn{0, 0, kSize, kSize};
};
