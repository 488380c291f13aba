#include "ui/map/item_navi.h"

#include <QPainter>

ItemNavi::ItemNavi(QGraphicsItem* parent) : QGraphicsObject(parent) {
    setFlag(ItemClipsChildrenToShape);
}

void ItemNavi::setBoundSize(int width, int height) {
    prepareGeometryChange();
    m_ground = QPixmap(qMax(1, width), qMax(1, height));
    m_ground.fill(Qt::white);
    QPainter p(&m_ground);
    p.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
    if (width > kGridStepX)
        for (int x = kGridStepX; x < width; x += kGridStepX)
            p.drawLine(x, 0, x, height - 1);
    if (height > kGridFirstY)
        for (int y = kGridFirstY; y < height; y += kGridStepY)
            p.drawLine(0, y, width - 1, y);
}

QPainterPath ItemNavi::opaqueArea() const {
    QPainterPath area;
    area.addRect(boundingRect());
    return area;
}

QRectF ItemNavi::boundingRect() const {
    return QRectF(m_ground.rect());
}

void ItemNavi::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->drawPixmap(0, 0, m_ground);
}
