#include "sonar/item_text.h"

#include "base/global.h"
#include "sonar/rect_clip.h"
#include "sonar/text_pixmap.h"

#include <QPainter>
#include <algorithm>
#include <functional>

ItemText::ItemText(const TextPixmap* digits, QGraphicsItem* parent)
    : QGraphicsItem(parent), m_digits(digits) {
    m_readout.valid = false;  // nothing measured before the first frame
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
    m_rendered = false;
    update();
}

ItemText::StructLook ItemText::currentLook() const {
    const StructConfiguration& cfg = Global::configuration;
    StructLook look;
    look.depth = cfg.showOverlapData_Depth == 1;
    look.temperature = cfg.showOverlapData_Temperature == 1;
    look.battery = cfg.showOverlapData_BoatBat == 1;
    look.feet = Global::getString_depthUnit() == QLatin1String("ft");
    look.fahrenheit = Global::getString_tempUnit() != QString::fromUtf8("℃");
    look.dimAlpha = dimAlpha();
    return look;
}

void ItemText::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_digits) return;
    // A flag or a unit may change in a menu without a new value: asked on every paint.
    const StructLook look = currentLook();
    if (!m_rendered || !(look == m_look)) render(look);
    const RectClip clip(painter, boundingRect());
    for (const StructPart& part : m_parts)
        painter->drawPixmap(part.rect.topLeft(), part.picture);
}

void ItemText::render(const StructLook& look) {
    m_look = look;  // put() draws in its dimming
    QImage all(boundingRect().size().toSize(), QImage::Format_ARGB32_Premultiplied);
    all.fill(Qt::transparent);
    QPainter p(&all);
    // One picture per row, cut to the digits drawn in it: the blits then cover only those.
    m_parts.clear();
    const auto row = [&](bool shown, const std::function<void()>& draw) {
        if (!shown) return;
        m_ink = QRect();
        draw();
        const QRect ink = m_ink & all.rect();
        if (!ink.isEmpty()) m_parts.append({ink, QPixmap()});
    };
    row(look.depth, [&] { paintDepth(&p); });
    row(look.temperature, [&] {
        paintRow(&p, kTempRowY, m_readout.temperature[0] == 0, m_readout.temperature + 1, 3,
                 m_readout.temperature[4], look.fahrenheit ? m_digits->unit_f : m_digits->unit_c);
    });
    row(look.battery, [&] {
        paintRow(&p, kBatteryRowY, false, m_readout.battery, 2, m_readout.battery[2],
                 m_digits->unit_v);
    });
    p.end();
    for (StructPart& part : m_parts)
        part.picture = QPixmap::fromImage(all.copy(part.rect));
    m_rendered = true;
}

void ItemText::put(QPainter* painter, int x, int y, const QPixmap& pixmap) {
    // Dimmed digits give the row dimmed: their colour is only put over transparency.
    painter->drawPixmap(x, y, m_look.dimAlpha > 0 ? dimmedOnce(pixmap) : pixmap);
    m_ink |= QRect(QPoint(x, y), pixmap.size());
}

void ItemText::paintDepth(QPainter* painter) {
    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    if (!m_readout.valid) {
        // "-.-" where one whole digit would stand.
        const int shift = 2 * kDepthPitch;
        put(painter, 2 * kDepthPitch - shift, 0, m_digits->big.heng);
        put(painter, 120 - shift, 30, m_digits->big.dian);
        put(painter, 133 - shift, 40, m_digits->unit_heng);
        put(painter, 128 - shift, 0, feet ? m_digits->unit_ft : m_digits->unit_m);
        return;
    }
    const int* d = m_readout.depth;
    // Leading zeros are not drawn; the number then starts further left.
    int skip = 0;
    while (skip < 2 && d[skip] == 0)
        ++skip;
    const int shift = skip * kDepthPitch;
    for (int i = skip; i < 3; ++i)
        put(painter, i * kDepthPitch - shift, 0, m_digits->big.digit(d[i]));
    put(painter, 120 - shift, 30, m_digits->big.dian);
    put(painter, 133 - shift, 40, m_digits->medium.digit(d[3]));
    put(painter, 128 - shift, 0, feet ? m_digits->unit_ft : m_digits->unit_m);
}

void ItemText::paintRow(QPainter* painter, int y, bool negative, const int* whole, int wholeCount,
                        int tenths, const QPixmap& unit) {
    int x = 0;
    if (!m_readout.valid) {
        // "-.-" before the unit.
        put(painter, x, y, m_digits->unit_heng);
        x += kSmallPitch;
        put(painter, x, y, m_digits->medium.dian);
        x += m_digits->medium.dian.width();
        put(painter, x, y, m_digits->unit_heng);
        put(painter, x + kSmallPitch + 2, y, unit);
        return;
    }
    if (negative) {
        put(painter, x, y, m_digits->unit_heng);
        x += m_digits->unit_heng.width() + 1;
    }
    int skip = 0;
    while (skip < wholeCount - 1 && whole[skip] == 0)
        ++skip;
    for (int i = skip; i < wholeCount; ++i, x += kSmallPitch)
        put(painter, x, y, m_digits->medium.digit(whole[i]));
    put(painter, x, y, m_digits->medium.dian);
    x += m_digits->medium.dian.width();
    put(painter, x, y, m_digits->medium.digit(tenths));
    x += kSmallPitch + 2;
    put(painter, x, y, unit);
}
