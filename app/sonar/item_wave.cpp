#include "sonar/item_wave.h"

#include "sonar/rect_clip.h"
#include "sonar/shown_buffer.h"
#include "sonar/update_inside.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {
// The bars' middle, in the copy's columns.
constexpr int kMiddle = ItemWave::kWidth / 2 + ItemWave::kEdgeReach;

// The edge's colours in 16 bits as the painter converts 32-bit pixels onto a 16-bit screen.
const std::array<uint16_t, ItemWave::kEdgeColumns>& edge16() {
    static const std::array<uint16_t, ItemWave::kEdgeColumns> colours = [] {
        QImage edge(ItemWave::kEdgeColumns, 1, QImage::Format_RGB32);
        for (int i = 0; i < ItemWave::kEdgeColumns; ++i)
            edge.setPixel(i, 0, ItemWave::edgeColours()[static_cast<size_t>(i)]);
        const QImage converted = edge.convertToFormat(QImage::Format_RGB16);
        std::array<uint16_t, ItemWave::kEdgeColumns> out{};
        std::memcpy(out.data(), converted.constScanLine(0), sizeof(out));
        return out;
    }();
    return colours;
}
}  // namespace

ItemWave::ItemWave(QGraphicsItem* parent) : QGraphicsItem(parent) {
    setImageHight(kRows);
}

std::array<QRgb, ItemWave::kEdgeColumns> ItemWave::edgeColours() {
    return {QColor(Qt::lightGray).rgb(), QColor(Qt::gray).rgb(), QColor(Qt::darkGray).rgb(),
            QColor(Qt::black).rgb()};
}

QRectF ItemWave::boundingRect() const {
    return QRectF(-kEdgeReach, 0, kImageWidth, m_hight);
}

void ItemWave::setImageHight(int h) {
    h = std::max(1, h);
    if (h == m_hight && !m_shown.image.isNull()) return;
    prepareGeometryChange();
    m_hight = h;
    const QImage::Format format = ShownBuffer::screenFormat();
    m_firstRow = ShownBuffer::firstRows(ShownBuffer::scaledRows(m_hight, format));
    m_shown = StructCopy();
    m_shown.image = QImage(kImageWidth, m_hight, format);
    m_dimmed = StructCopy();
    m_shownStale = false;
    paintAll(m_shown);
    update();
}

inline uint32_t ItemWave::pixel(const StructCopy& copy, uint16_t c) {
    if (copy.image.format() == QImage::Format_RGB16)
        return copy.alpha > 0 ? ShownBuffer::dimmedRgb16(c, copy.alpha) : c;
    const uint32_t rgb = ShownBuffer::rgb32(c);
    return copy.alpha > 0 ? ShownBuffer::dimmedRgb32(rgb, copy.alpha) : rgb;
}

uint32_t ItemWave::edgePixel(const StructCopy& copy, int column) {
    const auto i = static_cast<size_t>(column);
    if (copy.image.format() == QImage::Format_RGB16)
        return copy.alpha > 0 ? ShownBuffer::dimmedRgb16(edge16()[i], copy.alpha) : edge16()[i];
    const uint32_t rgb = edgeColours()[i];
    return copy.alpha > 0 ? ShownBuffer::dimmedRgb32(rgb, copy.alpha) : rgb;
}

bool ItemWave::setRows(const SonarPaint::WaveRows& rows, uint16_t background) {
    // While dimmed only the dimmed copy is kept up; the other is drawn again once needed.
    StructCopy& copy = m_dimmed.alpha > 0 ? m_dimmed : m_shown;
    if (background != m_background) {
        m_background = background;
        m_rows = rows;
        paintAll(copy);
    } else {
        const bool changed = copy.image.format() == QImage::Format_RGB16
                                 ? updateRows<uint16_t>(copy, rows)
                                 : updateRows<uint32_t>(copy, rows);
        if (!changed) return false;
    }
    if (&copy == &m_dimmed) m_shownStale = true;
    updateInside(this);
    return true;
}

void ItemWave::paintAll(StructCopy& copy) {
    copy.background = pixel(copy, m_background);
    if (copy.image.format() == QImage::Format_RGB16) {
        paintAll<uint16_t>(copy);
    } else {
        paintAll<uint32_t>(copy);
    }
}

template <typename Pixel>
void ItemWave::paintAll(StructCopy& copy) {
    uchar* bits = copy.image.bits();
    const qsizetype stride = copy.image.bytesPerLine();
    std::array<Pixel, kEdgeColumns> edge;
    for (int x = 0; x < kEdgeColumns; ++x)
        edge[static_cast<size_t>(x)] = static_cast<Pixel>(edgePixel(copy, x));
    for (int y = 0; y < m_hight; ++y)
        std::copy(edge.begin(), edge.end(), reinterpret_cast<Pixel*>(bits + y * stride));
    for (int r = 0; r < kRows; ++r)
        paintRow<Pixel>(copy, bits, r, kEdgeColumns, kImageWidth);
}

template <typename Pixel>
bool ItemWave::updateRows(StructCopy& copy, const SonarPaint::WaveRows& rows) {
    uchar* bits = nullptr;  // asked once: each ask checks that the image is not shared
    const qsizetype stride = copy.image.bytesPerLine();
    const auto ground = static_cast<Pixel>(copy.background);
    uint16_t lastColour = 0;
    Pixel colour = static_cast<Pixel>(pixel(copy, lastColour));
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<size_t>(r);
        const SonarPaint::StructWaveRow& now = rows[i];
        if (now == m_rows[i]) continue;
        if (!bits) bits = copy.image.bits();
        // Only the pixels either bar covers; the edge never changes.
        const int half = std::max(m_rows[i].half, now.half);
        m_rows[i] = now;
        const int from = std::max(kMiddle - half, kEdgeColumns);
        const int to = std::min(kMiddle + half, kImageWidth);
        const int barFrom = std::clamp(kMiddle - now.half, from, to);
        const int barTo = std::clamp(kMiddle + now.half, barFrom, to);
        if (now.colour != lastColour) {
            lastColour = now.colour;
            colour = static_cast<Pixel>(pixel(copy, lastColour));
        }
        const int end = m_firstRow[i + 1];
        for (int y = m_firstRow[i]; y < end; ++y) {
            auto* line = reinterpret_cast<Pixel*>(bits + y * stride);
            for (int x = from; x < barFrom; ++x)
                line[x] = ground;
            for (int x = barFrom; x < barTo; ++x)
                line[x] = colour;
            for (int x = barTo; x < to; ++x)
                line[x] = ground;
        }
    }
    return bits != nullptr;
}

template <typename Pixel>
void ItemWave::paintRow(const StructCopy& copy, uchar* bits, int r, int from, int to) {
    const int first = m_firstRow[static_cast<size_t>(r)];
    const int end = m_firstRow[static_cast<size_t>(r + 1)];
    to = std::min(to, kImageWidth);
    if (first >= end || to <= from) return;
    const SonarPaint::StructWaveRow& row = m_rows[static_cast<size_t>(r)];
    // The bar's first columns lie under the edge.
    const int barFrom = std::clamp(kMiddle - row.half, from, to);
    const int barTo = std::clamp(kMiddle + row.half, barFrom, to);
    const auto ground = static_cast<Pixel>(copy.background);
    const auto colour = static_cast<Pixel>(pixel(copy, row.colour));
    const qsizetype stride = copy.image.bytesPerLine();
    // Ground, bar, ground, in each shown row of the buffer row.
    for (int y = first; y < end; ++y) {
        auto* line = reinterpret_cast<Pixel*>(bits + y * stride);
        std::fill(line + from, line + barFrom, ground);
        std::fill(line + barFrom, line + barTo, colour);
        std::fill(line + barTo, line + to, ground);
    }
}

QRegion ItemWave::dimmedArea() const {
    // All of it or none: the strip lies under nothing.
    return undimmed().isEmpty() ? DimmableArea::dimmedArea() : QRegion();
}

std::vector<uint16_t> ItemWave::buffer() const {
    std::vector<uint16_t> strip(static_cast<size_t>(kWidth) * kRows);
    SonarPaint::fillWave(strip.data(), m_rows, m_background);
    return strip;
}

void ItemWave::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const int alpha = dimAlpha();
    if (alpha != m_dimmed.alpha) {
        m_dimmed = StructCopy();
        m_dimmed.alpha = alpha;
        if (alpha > 0) {
            m_dimmed.image = QImage(m_shown.image.size(), m_shown.image.format());
            paintAll(m_dimmed);
        }
    }
    const bool dimmed = !dimmedArea().isEmpty();
    if (!dimmed && m_shownStale) {
        paintAll(m_shown);
        m_shownStale = false;
    }
    const RectClip clip(painter, boundingRect());
    painter->drawImage(QPointF(-kEdgeReach, 0), dimmed ? m_dimmed.image : m_shown.image);
}
