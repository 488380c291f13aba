#include "ui/map/item_track.h"

#include <QPainter>

ItemTrack::ItemTrack(QGraphicsItem* parent)
    : QGraphicsItem(parent), m_layer(kSize, kSize, QImage::Format_ARGB32_Premultiplied) {
    m_layer.fill(Qt::transparent);
}

QRectF ItemTrack::boundingRect() const {
    return QRectF(-kSize / 2, -kSize / 2, kSize, kSize);
}

void ItemTrack::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (m_drawn.isEmpty()) return;
    painter->drawImage(QPointF(m_drawn.topLeft() - QPoint(kSize / 2, kSize / 2)), m_layer, m_drawn);
}
