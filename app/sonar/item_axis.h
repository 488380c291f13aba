#pragma once

#include <QGraphicsItem>

// The depth scale at the echogram's right edge: a shaded edge, tick marks and the range.
class ItemAxis : public QGraphicsItem {
public:
    explicit ItemAxis(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    void setLoRange(int lowerRange, bool automatic);
    int loRange() const { return m_loRange; }
    bool automatic() const { return m_automatic; }
    void setImageHight(int h);

private:
    int m_loRange = 10;
    bool m_automatic = true;
    int m_hight = 240;
};
