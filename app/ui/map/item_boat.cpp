#include "ui/map/item_boat.h"

ItemBoat::ItemBoat(QGraphicsItem* parent)
    : QGraphicsPixmapItem(parent),
      m_normal(QStringLiteral(":/ico/boat")),
      m_blink(QStringLiteral(":/ico/boat_blink")),
      m_cali(QStringLiteral(":/ico/boat_cali")) {
    setOffset(-kWidth / 2, -kHeight / 2);
    choose();
}

void ItemBoat::setNeedCali(bool needCali) {
    m_needCali = needCali;
    choose();
}

void ItemBoat::setBlinkShown(bool shown) {
    m_blinkShown = shown;
    choose();
}

void ItemBoat::choose() {
    // Asked on every pass: a new pixmap (and its repaint) only when the picture changes.
    const QPixmap& wanted = m_blinkShown ? m_blink : m_needCali ? m_cali : m_normal;
    if (pixmap().cacheKey() != wanted.cacheKey()) setPixmap(wanted);
}
