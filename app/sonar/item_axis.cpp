#include "sonar/item_axis.h"

#include "sonar/rect_clip.h"
#include "sonar/shown_buffer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLine>
#include <algorithm>

namespace {
constexpr int kTicks = 10;
constexpr int kAlign = Qt::AlignRight | Qt::AlignVCenter;
// The legend reaches this far left over the picture.
constexpr int kLegendLeft = -40;
constexpr int kLegendWidth = 38;
constexpr int kLegendHeight = 14;
constexpr int kTicksRight = 8;  // where the picture ends
const QColor kShadow(0, 0, 0, 200);
const QColor kLegend(235, 240, 245);
const QPoint kShadowOffset(1, 1);
}  // namespace

ItemAxis::ItemAxis(QGraphicsItem* parent) : QGraphicsItem(parent) {
    setImageHight(m_hight);
}

QRectF ItemAxis::boundingRect() const {
    return QRectF(kLegendLeft, 0, kTicksRight - kLegendLeft, m_hight);
}

void ItemAxis::setLoRange(int lowerRange, bool automatic) {
    if (lowerRange == m_loRange && automatic == m_automatic) return;
    m_loRange = lowerRange;
    m_automatic = automatic;
    m_laidOut = false;
    update();
}

void ItemAxis::setImageHight(int h) {
    prepareGeometryChange();
    m_hight = std::max(1, h);
    m_laidOut = false;
}

void ItemAxis::layOutLabel(Label& label, const QString& text, const QFont& font, int y) {
    label.box = QRect(kLegendLeft, y, kLegendWidth, kLegendHeight);
    label.layout.setText(text);
    label.layout.setFont(font);
    label.layout.setCacheEnabled(true);
    label.layout.beginLayout();
    QTextLine line = label.layout.createLine();
    line.setLineWidth(0x01000000);  // one line, never wrapped
    line.setPosition(QPointF(0, 0));
    label.layout.endLayout();
    // Where drawText would put it: its vertical offset and whether it clips.
    const QRectF box(label.box);
    const QRectF bounds = QFontMetricsF(font).boundingRect(box, kAlign, text);
    label.at = QPointF(box.x() + box.width() - line.horizontalAdvance(), bounds.y());
    label.clip = !box.contains(bounds);
}

void ItemAxis::layOut(const QFont& base) {
    QFont f = base;
    f.setPixelSize(12);
    f.setBold(true);
    const QString half = QString::number(m_loRange / 2.0, 'g', 3);
    const QString full = QString::number(m_loRange) + (m_automatic ? QStringLiteral("A") : "");
    layOutLabel(m_half, half, f, m_hight / 2 - 7);
    layOutLabel(m_full, full, f, m_hight - 1 - 14);
    renderLabel(m_half);
    renderLabel(m_full);
    m_base = base;
    m_laidOut = true;
}

void ItemAxis::renderLabel(Label& label) const {
    const QRect area = label.box.adjusted(0, 0, kShadowOffset.x(), kShadowOffset.y());
    QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.translate(-area.topLeft());
    drawLabel(&p, label);
    p.end();
    label.picture = QPixmap::fromImage(picture);
}

void ItemAxis::drawLabel(QPainter* painter, const Label& label) const {
    // A text taller than its box is clipped to it, as drawText does.
    for (int pass = 0; pass < 2; ++pass) {
        const QPoint offset = pass == 0 ? kShadowOffset : QPoint();
        if (label.clip) {
            painter->save();
            painter->setClipRect(label.box.translated(offset), Qt::IntersectClip);
        }
        painter->setPen(pass == 0 ? kShadow : kLegend);
        label.layout.draw(painter, label.at + offset);
        if (label.clip) painter->restore();
    }
}

QRect ItemAxis::tickRect(int t) const {
    // Alternately long and short.
    const int from = t % 2 ? 4 : 0;
    return QRect(from, t * m_hight / kTicks, kTicksRight - from, 1);
}

void ItemAxis::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const RectClip clip(painter, boundingRect());
    const int alpha = dimAlpha();
    // Tick marks: one-pixel lines as filled rectangles, opaque, dimmed as the view would.
    const QColor tick =
        alpha > 0 ? QColor::fromRgb(ShownBuffer::dimmedRgb32(QColor(Qt::lightGray).rgb(), alpha))
                  : QColor(Qt::lightGray);
    for (int t = 1; t < kTicks; ++t)
        painter->fillRect(tickRect(t), tick);

    if (!m_laidOut || painter->font() != m_base) layOut(painter->font());
    for (const Label* label : {&m_half, &m_full})
        painter->drawPixmap(label->box.topLeft(),
                            alpha > 0 ? dimmedOnce(label->picture) : label->picture);
}
