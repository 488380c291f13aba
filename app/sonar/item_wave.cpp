#include "sonar/item_wave.h"

#include "sonar/shown_buffer.h"
#include "sonar/update_inside.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

ItemWave::ItemWave(QGraphicsItem* parent) : QGraphicsItem(parent) {
    setFlag(ItemClipsToShape);  // a rectangle clip lets the strip be a copy of rows
    setImageHight(kRows);
}

QRectF ItemWave::boundingRect() const {
    return QRectF(0, 0, kWidth, m_hight);
}

void ItemWave::setImageHight(int h) {
    h = std::max(1, h);
    if (h == m_hight && !m_image.isNull()) return;
    prepareGeometryChange();
    m_hight = h;
    const QImage::Format format = ShownBuffer::screenFormat();
    m_image = QImage(kWidth, m_hight, format);
    m_dimmedAlpha = 0;
    m_dimmed = QImage();
    m_imageStale = false;
    m_firstRow = ShownBuffer::firstRows(ShownBuffer::scaledRows(m_hight, format));
    for (int r = 0; r < kRows; ++r)
        paintRow(r);
    update();
}

bool ItemWave::setRows(const SonarPaint::WaveRows& rows, uint16_t background) {
    const bool all = background != m_background;
    m_background = background;
    bool changed = all;
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<size_t>(r);
        if (!all && rows[i] == m_rows[i]) continue;
        m_rows[i] = rows[i];
        paintRow(r);
        changed = true;
    }
    if (all) {
        for (int r = 0; r < kRows; ++r)
            paintRow(r);
    }
    if (changed) updateInside(this);
    return changed;
}

void ItemWave::paintRow(int r) {
    // While dimmed only the dimmed copy is kept up; the other is drawn again once needed.
    if (m_dimmedAlpha == 0) {
        paintShownRow(r);
    } else {
        paintDimmedRow(r);
        m_imageStale = true;
    }
}

void ItemWave::paintShownRow(int r) {
    const uint16_t colour = m_rows[static_cast<size_t>(r)].colour;
    if (m_image.format() == QImage::Format_RGB16) {
        paintRow(m_image, m_ground, r, m_background, colour);
    } else {
        paintRow(m_image, m_ground, r, ShownBuffer::rgb32(m_background),
                 ShownBuffer::rgb32(colour));
    }
}

void ItemWave::paintDimmedRow(int r) {
    const auto dimmed = [&](uint16_t c) -> uint32_t {
        return m_image.format() == QImage::Format_RGB16
                   ? ShownBuffer::dimmedRgb16(c, m_dimmedAlpha)
                   : ShownBuffer::dimmedRgb32(ShownBuffer::rgb32(c), m_dimmedAlpha);
    };
    paintRow(m_dimmed, m_dimmedGround, r, dimmed(m_background),
             dimmed(m_rows[static_cast<size_t>(r)].colour));
}

void ItemWave::paintRow(QImage& image, StructGround& ground, int r, uint32_t background,
                        uint32_t colour) {
    const int first = m_firstRow[static_cast<size_t>(r)];
    const int end = m_firstRow[static_cast<size_t>(r + 1)];
    if (first >= end) return;
    const int half = m_rows[static_cast<size_t>(r)].half;
    const int from = kWidth / 2 - half;
    const int to = kWidth / 2 + half;
    // The first shown row is drawn, the others are copies of it; the background comes from a
    // line of it in one copy.
    if (ground.value != background) {
        ground.value = background;
        ground.rgb16.fill(uint16_t(background));
        ground.rgb32.fill(background);
    }
    const auto draw = [&](auto* line, const auto& groundLine, auto c) {
        std::memcpy(line, groundLine.data(), sizeof(groundLine));
        for (int x = from; x < to; ++x)
            line[x] = c;
    };
    if (image.format() == QImage::Format_RGB16) {
        draw(reinterpret_cast<uint16_t*>(image.scanLine(first)), ground.rgb16, uint16_t(colour));
    } else {
        draw(reinterpret_cast<uint32_t*>(image.scanLine(first)), ground.rgb32, colour);
    }
    const size_t bytes = static_cast<size_t>(kWidth) * (image.depth() / 8);
    for (int y = first + 1; y < end; ++y)
        std::memcpy(image.scanLine(y), image.constScanLine(first), bytes);
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
    if (alpha != m_dimmedAlpha) {
        m_dimmedAlpha = alpha;
        m_dimmed = alpha > 0 ? QImage(m_image.size(), m_image.format()) : QImage();
        if (alpha > 0)
            for (int r = 0; r < kRows; ++r)
                paintDimmedRow(r);
    }
    const bool dimmed = !dimmedArea().isEmpty();
    if (!dimmed && m_imageStale) {
        for (int r = 0; r < kRows; ++r)
            paintShownRow(r);
        m_imageStale = false;
    }
    painter->drawImage(QPointF(0, 0), dimmed ? m_dimmed : m_image);
}
