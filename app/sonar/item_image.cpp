#include "sonar/item_image.h"

#include "base/global.h"
#include "sonar/rect_clip.h"
#include "sonar/text_pixmap.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kFishLowestRow = 230;  // below this no fish is shown
constexpr int kLeftEdge = 10;        // a fish this close to the left edge goes
constexpr int kTextAbove = 30;       // the depth text stands this far above the fish
}  // namespace

ItemImage::ItemImage(int width, const TextPixmap* digits, QGraphicsItem* parent)
    : QGraphicsItem(parent),
      m_width(std::max(1, width)),
      m_buffer(static_cast<size_t>(m_width) * kRows, 0),
      m_fishIcon(QStringLiteral(":/ico/armFish")),
      m_digits(digits) {
    m_shown.reset(m_buffer.data(), m_width, m_hight);
}

QRectF ItemImage::boundingRect() const {
    return QRectF(0, 0, m_width, m_hight);
}

void ItemImage::resetImageWidth(int w) {
    prepareGeometryChange();
    m_width = std::max(1, w);
    m_buffer.assign(static_cast<size_t>(m_width) * kRows, 0);
    m_shown.reset(m_buffer.data(), m_width, m_hight);
}

void ItemImage::setImageHight(int h) {
    prepareGeometryChange();
    m_hight = std::max(1, h);
    m_shown.setHeight(m_hight);
}

void ItemImage::columnsChanged(int x, int n) {
    m_shown.updateColumns(x, n);
}

void ItemImage::scrollColumns(int n) {
    m_shown.scroll(n);
}

QImage ItemImage::image() const {
    QImage out(m_width, kRows, QImage::Format_RGB16);
    const int start = physicalColumn(0);
    const size_t older = static_cast<size_t>(m_width - start);
    for (int r = 0; r < kRows; ++r) {
        const uint16_t* row = m_buffer.data() + r * m_width;
        auto* line = reinterpret_cast<uint16_t*>(out.scanLine(r));
        std::copy(row + start, row + m_width, line);
        std::copy(row, row + start, line + older);
    }
    return out;
}

void ItemImage::scrollFish(int n) {
    for (StructFishInfo& f : m_fish)
        f.x -= n;
    if (!m_fish.isEmpty() && m_fish.first().x < kLeftEdge) m_fish.removeFirst();
}

void ItemImage::shiftFish(float dx) {
    for (StructFishInfo& f : m_fish)
        f.x += dx;
}

QRect ItemImage::fishArea(const StructFishInfo& f) const {
    const double y = f.y * (m_hight / double(kRows));
    const QSizeF icon = m_fishIcon.size();
    const QSize digit = m_digits ? m_digits->small.digit(0).size() : QSize();
    // The label runs from 40 left of the fish to a digit right of x - 5; the icon is centred.
    const QRectF label(f.x - 40, y - kTextAbove, 40 + std::max(digit.width(), 0),
                       std::max(digit.height(), 0));
    const QRectF symbol(f.x - icon.width() / 2, y - icon.height() / 2, icon.width(), icon.height());
    return label.united(symbol).toAlignedRect().adjusted(-1, -1, 1, 1);
}

bool ItemImage::fishDimmed(const StructFishInfo& f) const {
    return dimAlpha() > 0 && !undimmed().intersects(fishArea(f));
}

QRegion ItemImage::dimmedArea() const {
    QRegion area = DimmableArea::dimmedArea();
    if (area.isEmpty()) return area;
    for (const StructFishInfo& f : m_fish)
        if (f.y <= kFishLowestRow && !fishDimmed(f)) area -= fishArea(f);
    return area;
}

void ItemImage::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    {
        const RectClip clip(painter, boundingRect());
        m_shown.drawDimmed(painter, QPointF(0, 0), dimAlpha(), dimmedArea());
    }
    if (m_fish.isEmpty() || !m_digits) return;
    // A fish near an edge has its label partly outside the picture.
    const QRect box = boundingRect().toAlignedRect();
    const bool beyond = std::any_of(m_fish.begin(), m_fish.end(), [&](const StructFishInfo& f) {
        return f.y <= kFishLowestRow && !box.contains(fishArea(f));
    });
    const RectClip clip(painter, boundingRect(), beyond);

    const double yScale = m_hight / double(kRows);
    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    const StructTextPixmap& set = m_digits->small;
    for (const StructFishInfo& f : m_fish) {
        if (f.y > kFishLowestRow) continue;
        const double y = f.y * yScale;
        const QPointF c(f.x, y);
        const bool dimmed = fishDimmed(f);
        const auto shown = [&](const QPixmap& p) -> const QPixmap& {
            return dimmed ? dimmedOnce(p) : p;
        };
        if (!m_fishIcon.isNull())
            painter->drawPixmap(
                QPointF(c.x() - m_fishIcon.width() / 2.0, c.y() - m_fishIcon.height() / 2.0),
                shown(m_fishIcon));

        int d = static_cast<int>(f.depth * 10);
        if (feet) d = static_cast<int>(d * 3.3);
        d = std::clamp(d, 0, 9999);
        // The label ends at the fish. From 100.0 up: whole digits at x-40, x-30 and x-20, the
        // point at x-10, the tenths at x-5. Below: whole digits at x-35 and x-25, the point at
        // x-15, the tenths at x-5. Leading zeros are not drawn.
        const double top = y - kTextAbove;
        const int whole = d / 10;
        const bool big = d > 999;
        const int first = big ? 40 : 35;
        const int digits = big ? 3 : 2;
        for (int i = 0; i < digits; ++i) {
            int place = 1;
            for (int k = i + 1; k < digits; ++k)
                place *= 10;
            const bool leadingZero = whole < place && i < digits - 1;
            if (!leadingZero)
                painter->drawPixmap(QPointF(f.x - first + 10 * i, top),
                                    shown(set.digit(whole / place % 10)));
        }
        painter->drawPixmap(QPointF(f.x - (big ? 10 : 15), top), shown(set.dian));
        painter->drawPixmap(QPointF(f.x - 5, top), shown(set.digit(d % 10)));
    }
}
