#include "sonar/item_text.h"

#include "base/global.h"
#include "sonar/text_pixmap.h"

#include <QPainter>
#include <algorithm>

ItemText::ItemText(const TextPixmap* digits, QGraphicsItem* parent)
    : QGraphicsItem(parent), m_digits(digits) {
    m_readout.valid = false;  // nothing measured before the first frame
    // Over the scrolling picture: the digits are put together only when a value changes, and
    // each repaint of the picture blits them as one pixmap.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
}

QRectF ItemText::boundingRect() const {
    return QRectF(0, 0, 180, 110);
}

void ItemText::setReadout(const StructSonarReadout& readout) {
    if (std::equal(readout.depth, readout.depth + 4, m_readout.depth) &&
        std::equal(readout.temperature, readout.temperature + 5, m_readout.temperature) &&
        std::equal(readout.battery, readout.battery + 3, m_readout.battery) &&
        readout.valid == m_readout.valid)
        return;
    m_readout = readout;
    update();
}

void ItemText::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_digits) return;
    const StructConfiguration& cfg = Global::configuration;
    if (cfg.showOverlapData_Depth == 1) paintDepth(painter);
    if (cfg.showOverlapData_Temperature == 1) {
        const bool f = Global::getString_tempUnit() != QString::fromUtf8("℃");
        paintRow(painter, kTempRowY, m_readout.temperature[0] == 0, m_readout.temperature + 1, 3,
                 m_readout.temperature[4], f ? m_digits->unit_f : m_digits->unit_c);
    }
    if (cfg.showOverlapData_BoatBat == 1) {
        paintRow(painter, kBatteryRowY, false, m_readout.battery, 2, m_readout.battery[2],
                 m_digits->unit_v);
    }
}

void ItemText::paintDepth(QPainter* painter) {
    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    if (!m_readout.valid) {
        // "-.-" where one whole digit would stand.
        const int shift = 2 * kDepthPitch;
        painter->drawPixmap(2 * kDepthPitch - shift, 0, m_digits->big.heng);
        painter->drawPixmap(120 - shift, 30, m_digits->big.dian);
        painter->drawPixmap(133 - shift, 40, m_digits->unit_heng);
        painter->drawPixmap(128 - shift, 0, feet ? m_digits->unit_ft : m_digits->unit_m);
        return;
    }
    const int* d = m_readout.depth;
    // Leading zeros are not drawn; the number then starts further left.
    int skip = 0;
    while (skip < 2 && d[skip] == 0)
        ++skip;
    const int shift = skip * kDepthPitch;
    for (int i = skip; i < 3; ++i)
        painter->drawPixmap(i * kDepthPitch - shift, 0, m_digits->big.digit(d[i]));
    painter->drawPixmap(120 - shift, 30, m_digits->big.dian);
    painter->drawPixmap(133 - shift, 40, m_digits->medium.digit(d[3]));
    painter->drawPixmap(128 - shift, 0, feet ? m_digits->unit_ft : m_digits->unit_m);
}

void ItemText::paintRow(QPainter* painter, int y, bool negative, const int* whole, int wholeCount,
                        int tenths, const QPixmap& unit) {
    int x = 0;
    if (!m_readout.valid) {
        // "-.-" before the unit.
        painter->drawPixmap(x, y, m_digits->unit_heng);
        x += kSmallPitch;
        painter->drawPixmap(x, y, m_digits->medium.dian);
        x += m_digits->medium.dian.width();
        painter->drawPixmap(x, y, m_digits->unit_heng);
        painter->drawPixmap(x + kSmallPitch + 2, y, unit);
        return;
    }
    if (negative) {
        painter->drawPixmap(x, y, m_digits->unit_heng);
        x += m_digits->unit_heng.width() + 1;
    }
    int skip = 0;
    while (skip < wholeCount - 1 && whole[skip] == 0)
        ++skip;
    for (int i = skip; i < wholeCount; ++i, x += kSmallPitch)
        painter->drawPixmap(x, y, m_digits->medium.digit(whole[i]));
    painter->drawPixmap(x, y, m_digits->medium.dian);
    x += m_digits->medium.dian.width();
    painter->drawPixmap(x, y, m_digits->medium.digit(tenths));
    x += kSmallPitch + 2;
    painter->drawPixmap(x, y, unit);
}
