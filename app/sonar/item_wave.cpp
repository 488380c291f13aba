#include "sonar/item_wave.h"

#include <QPainter>
#include <algorithm>

ItemWave::ItemWave(QGraphicsItem* parent)
    : QGraphicsItem(parent), m_buffer(static_cast<size_t>(kWidth) * kRows, 0) {
    setFlag(ItemClipsToShape);  // a rectangle clip lets the strip be a copy of rows
    m_shown.reset(m_buffer.data(), kWidth, m_hight);
}

QRectF ItemWave::boundingRect() const {
    return QRectF(0, 0, kWidth, m_hight);
}

void ItemWave::setImageHight(int h) {
    prepareGeometryChange();
    m_hight = std::max(1, h);
    m_shown.setHeight(m_hight);
}

bool ItemWave::bufferChanged() {
    // Frames come slower than ticks: the same column is often painted again, and from one
    // column to the next many rows stay as they were.
    if (!m_shown.updateChangedRows()) return false;
    update();
    return true;
}

void ItemWave::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    m_shown.draw(painter, QPointF(0, 0));
}
