#include "sonar/item_wave.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

ItemWave::ItemWave(QGraphicsItem* parent)
    : QGraphicsItem(parent), m_buffer(static_cast<size_t>(kWidth) * kRows, 0) {}

QRectF ItemWave::boundingRect() const {
    return QRectF(0, 0, kWidth, m_hight);
}

void ItemWave::setImageHight(int h) {
    prepareGeometryChange();
    m_hight = std::max(1, h);
}

void ItemWave::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QImage img(reinterpret_cast<const uchar*>(m_buffer.data()), kWidth, kRows,
                     kWidth * static_cast<int>(sizeof(uint16_t)), QImage::Format_RGB16);
    painter->drawImage(QRectF(0, 0, kWidth, m_hight), img);
}
