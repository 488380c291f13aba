#include "ui/kit/item_info.h"

#include "base/global.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kStripHeight = 6;
const QColor kPanel(255, 255, 255, 150);
// The corners a change repaints: the colour bar with its limits (their texts run past the
// panel), and the scale with the rose turned any way and the calibration mark.
constexpr int kBarCornerWidth = 72;
constexpr int kBarCornerHeight = 76;
constexpr int kScaleCornerWidth = 44;
constexpr int kScaleCornerHeight = 86;
}  // namespace

ItemInfo::ItemInfo(QGraphicsItem* parent)
    : QGraphicsItem(parent),
      m_ledOn(QStringLiteral(":/ico/led_on")),
      m_ledOff(QStringLiteral(":/ico/led_off")),
      m_ledMiddle(QStringLiteral(":/ico/led_mid")),
      m_rose(QStringLiteral(":/ico/compass_rose")),
      m_scaleMark(QStringLiteral(":/ico/map_scale")),
      m_caliMark(QStringLiteral(":/ico/need_cali")) {
    // The boat and its track move under the overlay: its bar, rose and texts are drawn once
    // per change and the parts that a moved item uncovers are blitted from the pixmap.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
}

void ItemInfo::setBoundSize(int width, int height) {
    prepareGeometryChange();
    m_width = width;
    m_height = height;
}

void ItemInfo::setLed_rc(bool on) {
    if (m_rcOn == on) return;  // set on every pass; a repaint only for a change
    m_rcOn = on;
    update(stripPart());
}

void ItemInfo::setLed_ap(bool on) {
    if (m_apOn == on) return;  // set on every pass; a repaint only for a change
    m_apOn = on;
    update(stripPart());
}

void ItemInfo::setColorBar(const QImage& bar, const QString& upText, const QString& loText) {
    // Set again on every redraw of the map: the cached picture is drawn again only for a change.
    if (bar == m_bar && upText == m_upText && loText == m_loText) return;
    m_bar = bar;
    m_upText = upText;
    m_loText = loText;
    update(barPart());
}

void ItemInfo::setScaleText(const QString& text) {
    if (text == m_scaleText) return;
    m_scaleText = text;
    update(scalePart());
}

void ItemInfo::setCompassHeading(int heading) {
    if (m_heading == heading) return;
    m_heading = heading;
    update(scalePart());
}

void ItemInfo::setNeedCali(bool needCali) {
    if (m_needCali == needCali) return;
    m_needCali = needCali;
    update(scalePart());
}

void ItemInfo::setSegmentCount(int count) {
    if (m_segments == count) return;
    m_segments = count;
    // Shown in the developer display only, but its corner is small: a new track segment
    // repainted the whole map, both of its layers and all, under a count nobody saw.
    update(countPart());
}

// Each change repaints only its own part of the overlay (and of the map under it).
QRectF ItemInfo::stripPart() const {
    return QRectF(0, -1, m_width, kStripHeight + 1);
}

QRectF ItemInfo::barPart() const {
    return QRectF(0, m_height - kBarCornerHeight, std::min(m_width, kBarCornerWidth),
                  kBarCornerHeight);
}

QRectF ItemInfo::scalePart() const {
    return QRectF(m_width - kScaleCornerWidth, m_height - kScaleCornerHeight, kScaleCornerWidth,
                  kScaleCornerHeight);
}

QRectF ItemInfo::countPart() const {
    return QRectF(m_width - 42, 4, 42, 20);
}

QRectF ItemInfo::boundingRect() const {
    return QRectF(0, -1, m_width, m_height + 1);
}

void ItemInfo::paintStrip(QPainter* p) const {
    const int w = m_width;
    const int rcWidth = w * 4 / 10;
    const int middleWidth = w * 2 / 10;
    p->drawPixmap(QRect(0, -1, rcWidth, kStripHeight), m_rcOn ? m_ledOn : m_ledOff);
    p->drawPixmap(QRect(rcWidth, -1, middleWidth, kStripHeight), m_ledMiddle);
    p->drawPixmap(QRect(rcWidth + middleWidth, -1, w - rcWidth - middleWidth, kStripHeight),
                  m_apOn ? m_ledOn : m_ledOff);
}

void ItemInfo::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
    const int w = m_width;
    const int h = m_height;
    paintStrip(p);
    QFont f;
    f.setPixelSize(12);
    f.setWeight(QFont::Bold);
    p->setFont(f);
    p->setPen(Qt::NoPen);
    p->setBrush(kPanel);
    p->drawRect(QRect(QPoint(0, h - 70), QPoint(39, h - 6)));
    p->drawRect(QRect(QPoint(w - 40, h - 80), QPoint(w - 1, h - 11)));
    p->drawImage(5, h - 70, m_bar);
    p->setPen(Qt::black);
    p->drawText(QPoint(12, h - 60), m_upText);
    p->drawText(QPoint(12, h - 10), m_loText);
    p->drawText(QRect(QPoint(w - 40, h - 20), QPoint(w - 1, h - 1)), Qt::AlignCenter, m_scaleText);
    p->drawPixmap(w - 33, h - 45, m_scaleMark);
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform);
    p->translate(w - 22, h - 64);
    p->rotate(m_heading);
    p->drawPixmap(-m_rose.width() / 2, -m_rose.height() / 2, m_rose);
    p->restore();
    if (m_needCali) p->drawPixmap(w - 42, h - 84, m_caliMark);
    if (Global::configuration.devMode == 1)
        p->drawText(QPoint(w - 40, 20), QString::number(m_segments));
}
