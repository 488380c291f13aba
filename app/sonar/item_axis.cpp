#include "sonar/item_axis.h"

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
constexpr int kEdgeLeft = 8;
const QColor kShadow(0, 0, 0, 200);
const QColor kLegend(235, 240, 245);
const QPoint kShadowOffset(1, 1);

// True when every pixel that the layout's glyphs touch, drawn at `at`, lies inside box. The
// glyphs are drawn opaque onto an empty and onto a black image (the painter keeps separate
// glyph images for devices with and without alpha); any touched pixel then differs from the
// fill. The probe's offset is whole pixels, so the glyphs' sub-pixel placement is the same.
bool inkInside(const QTextLayout& layout, const QPointF& at, const QRect& box) {
    const int margin = 16;
    const QRect area = box.adjusted(-margin, -margin, margin, margin);
    for (QImage::Format f : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        const QRgb fill = f == QImage::Format_RGB32 ? 0xFF000000u : 0u;
        QImage probe(area.size(), f);
        probe.fill(fill);
        {
            QPainter p(&probe);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.translate(-area.topLeft());
            p.setPen(Qt::white);
            layout.draw(&p, at);
        }
        for (int y = 0; y < probe.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
            for (int x = 0; x < probe.width(); ++x) {
                if (line[x] != fill && !box.contains(area.left() + x, area.top() + y)) return false;
            }
        }
    }
    return true;
}
}  // namespace

ItemAxis::ItemAxis(QGraphicsItem* parent) : QGraphicsItem(parent) {
    // The picture under the scale moves on every column; the scale and its texts change only
    // with the range, so they are painted once into a pixmap that each repaint blits.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
    setImageHight(m_hight);
}

QRectF ItemAxis::boundingRect() const {
    return QRectF(kLegendLeft, 0, 52, m_hight);
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
    // Four one-pixel lines, black outside to light grey inside, as one opaque image: a blit
    // instead of four tall fills. In 32 bits its colours are exact on any screen.
    m_edge = QImage(4, m_hight, QImage::Format_RGB32);
    QPainter p(&m_edge);
    const QColor shades[4] = {Qt::lightGray, Qt::gray, Qt::darkGray, Qt::black};
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRect(i, 0, 1, m_hight), shades[i]);
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
    label.inkInside[0] =
        inkInside(label.layout, label.at + kShadowOffset, label.box.translated(kShadowOffset));
    label.inkInside[1] = inkInside(label.layout, label.at, label.box);
}

void ItemAxis::layOut(const QFont& base) {
    QFont f = base;
    f.setPixelSize(12);
    f.setBold(true);
    const QString half = QString::number(m_loRange / 2.0, 'g', 3);
    const QString full = QString::number(m_loRange) + (m_automatic ? QStringLiteral("A") : "");
    layOutLabel(m_half, half, f, m_hight / 2 - 7);
    layOutLabel(m_full, full, f, m_hight - 1 - 14);
    m_base = base;
    m_laidOut = true;
}

void ItemAxis::drawLabel(QPainter* painter, const Label& label) const {
    // The ink was probed with antialiased text; other glyphs clip as drawText does.
    const bool antialiased = painter->testRenderHint(QPainter::TextAntialiasing);
    for (int pass = 0; pass < 2; ++pass) {
        const QPoint offset = pass == 0 ? kShadowOffset : QPoint();
        const bool clip = label.clip && !(antialiased && label.inkInside[pass]);
        if (clip) {
            painter->save();
            painter->setClipRect(label.box.translated(offset), Qt::IntersectClip);
        }
        painter->setPen(pass == 0 ? kShadow : kLegend);
        label.layout.draw(painter, label.at + offset);
        if (clip) painter->restore();
    }
}

void ItemAxis::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->drawImage(QPointF(kEdgeLeft, 0), m_edge);
    // Tick marks, alternately long and short: one-pixel lines as filled rectangles.
    const QColor tick(Qt::lightGray);
    for (int t = 1; t < kTicks; ++t) {
        const int y = t * m_hight / kTicks;
        const int from = t % 2 ? 4 : 0;
        painter->fillRect(QRect(from, y, kEdgeLeft - from, 1), tick);
    }

    if (!m_laidOut || painter->font() != m_base) layOut(painter->font());
    drawLabel(painter, m_half);
    drawLabel(painter, m_full);
}
