#include "sonar/shown_buffer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace {
inline uint32_t toRgb32(uint16_t c) {
    return ShownBuffer::rgb32(c);
}

// One row of w pixels. Runs of one colour are common (fills, bars): each run is converted once.
void convertLine(const uint16_t* src, uint32_t* out, int w) {
    uint16_t last = src[0];
    uint32_t value = toRgb32(last);
    for (int x = 0; x < w; ++x) {
        if (src[x] != last) {
            last = src[x];
            value = toRgb32(last);
        }
        out[x] = value;
    }
}

// The painter's x * a / 255 on the four bytes of an RGB32 pixel at once.
inline uint32_t byteMul(uint32_t x, uint32_t a) {
    uint32_t t = (x & 0xFF00FFu) * a;
    t = ((t + ((t >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
    x = ((x >> 8) & 0xFF00FFu) * a;
    x = (x + ((x >> 8) & 0xFF00FFu) + 0x800080u) & 0xFF00FF00u;
    return x | t;
}

// Black of alpha a over an RGB32 pixel, as the painter blends it.
inline uint32_t dimRgb32(uint32_t pixel, uint32_t a) {
    return (a << 24) + byteMul(pixel, 255 - a);
}

// Every 16-bit value under black of alpha. The painter blends a 16-bit screen with its own
// rounding, which depends on the alpha: it makes the table itself.
const uint16_t* dimTable16(int alpha) {
    static std::vector<uint16_t> table;
    static int tableAlpha = -1;
    if (alpha != tableAlpha) {
        QImage all(256, 256, QImage::Format_RGB16);
        for (int v = 0; v < 65536; ++v)
            reinterpret_cast<uint16_t*>(all.scanLine(v >> 8))[v & 0xFF] = static_cast<uint16_t>(v);
        {
            QPainter p(&all);
            p.fillRect(all.rect(), QColor(0, 0, 0, alpha));
        }
        table.resize(65536);
        for (int y = 0; y < 256; ++y)
            std::memcpy(table.data() + y * 256, all.constScanLine(y), 256 * sizeof(uint16_t));
        tableAlpha = alpha;
    }
    return table.data();
}

// Writes one column of a copy from the buffer's column (one pixel a buffer row, w apart): the
// value of each buffer row, made once per run of equal pixels (water, bars), into every shown
// row that shows it, at the column and at its twin. The shown rows follow each other: they are
// walked with one pointer.
template <typename Pixel, typename Convert>
void convertColumnTo(uchar* bits, qsizetype stride, int physical, int twin, const uint16_t* src,
                     int w, const std::vector<int>& first, Convert convert) {
    const qsizetype step = stride / qsizetype(sizeof(Pixel));
    const qsizetype toTwin = twin - physical;
    Pixel* at = reinterpret_cast<Pixel*>(bits) + physical;
    uint16_t last = src[0];
    Pixel value = convert(last);
    for (int r = 0; r < ShownBuffer::kRows; ++r, src += w) {
        int n = first[static_cast<size_t>(r + 1)] - first[static_cast<size_t>(r)];
        if (n <= 0) continue;
        if (*src != last) {
            last = *src;
            value = convert(last);
        }
        for (; n > 0; --n, at += step) {
            at[0] = value;
            at[toTwin] = value;
        }
    }
}

// The same from a column of the copy itself into another image of its size, pixel by pixel
// (the shown rows of one buffer row are alike).
template <typename Pixel, typename Convert>
void mapColumnTo(uchar* bits, const uchar* from, qsizetype stride, int physical, int twin,
                 int height, Convert convert) {
    const qsizetype step = stride / qsizetype(sizeof(Pixel));
    const qsizetype toTwin = twin - physical;
    Pixel* at = reinterpret_cast<Pixel*>(bits) + physical;
    const Pixel* in = reinterpret_cast<const Pixel*>(from) + physical;
    Pixel last = *in;
    Pixel value = convert(last);
    for (int y = 0; y < height; ++y, at += step, in += step) {
        if (*in != last) {
            last = *in;
            value = convert(last);
        }
        at[0] = value;
        at[toTwin] = value;
    }
}

QImage::Format supported(QImage::Format f) {
    return f == QImage::Format_RGB16 ? f : QImage::Format_RGB32;
}
}  // namespace

ShownBuffer::ShownBuffer(Kind kind, QImage::Format format)
    : m_mirrored(kind == Scrolling), m_image(1, 1, supported(format)) {}

QImage::Format ShownBuffer::screenFormat() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32;
}

std::vector<int> ShownBuffer::scaledRows(int h, QImage::Format format) {
    std::vector<int> rows(static_cast<size_t>(std::max(1, h)));
    if (h == kRows) {
        for (int y = 0; y < h; ++y)
            rows[static_cast<size_t>(y)] = y;
        return rows;
    }
    // Ask the painter: a one-pixel-wide image whose row r holds the value r, drawn h rows high
    // as the picture itself was, tells which row each shown row comes from.
    QImage probe(1, kRows, QImage::Format_RGB16);
    for (int r = 0; r < kRows; ++r)
        reinterpret_cast<uint16_t*>(probe.scanLine(r))[0] = static_cast<uint16_t>(r);
    QImage scaled(1, static_cast<int>(rows.size()), supported(format));
    scaled.fill(0);
    {
        QPainter p(&scaled);
        p.drawImage(QRectF(0, 0, 1, scaled.height()), probe);
    }
    const QImage back = scaled.convertToFormat(QImage::Format_RGB16);
    for (int y = 0; y < back.height(); ++y) {
        const int r = reinterpret_cast<const uint16_t*>(back.constScanLine(y))[0];
        rows[static_cast<size_t>(y)] = std::clamp(r, 0, kRows - 1);
    }
    return rows;
}

std::vector<int> ShownBuffer::firstRows(const std::vector<int>& rows) {
    const int h = static_cast<int>(rows.size());
    // The painter's rows never go back up: each buffer row shows in one run of rows.
    std::vector<int> first(kRows + 1, h);
    for (int y = h - 1; y >= 0; --y)
        first[static_cast<size_t>(rows[static_cast<size_t>(y)])] = y;
    for (int r = kRows - 1; r >= 0; --r)
        first[static_cast<size_t>(r)] =
            std::min(first[static_cast<size_t>(r)], first[static_cast<size_t>(r + 1)]);
    return first;
}

void ShownBuffer::reset(const uint16_t* buffer, int width, int h) {
    m_buffer = buffer;
    m_width = std::max(1, width);
    m_start = 0;
    m_height = -1;
    m_converted.clear();
    setHeight(h);
}

void ShownBuffer::setHeight(int h) {
    h = std::max(1, h);
    const int imageWidth = m_mirrored ? 2 * m_width : m_width;
    if (h == m_height && m_image.width() == imageWidth) return;
    m_height = h;
    m_rows = scaledRows(h, m_image.format());
    m_firstRow = firstRows(m_rows);
    m_image = QImage(imageWidth, h, m_image.format());
    m_isPending.assign(static_cast<size_t>(m_width), 0);
    m_pending.clear();
    updateAll();
}

void ShownBuffer::updateAll() {
    m_allPending = true;
}

void ShownBuffer::updateColumns(int x, int n) {
    if (m_allPending) return;
    const int from = std::max(0, x);
    const int to = std::min(m_width, x + n);
    for (int c = from; c < to; ++c) {
        const int p = (m_start + c) % m_width;
        if (m_isPending[static_cast<size_t>(p)]) continue;
        m_isPending[static_cast<size_t>(p)] = 1;
        m_pending.push_back(p);
    }
    // Past half of the picture a conversion row by row is the cheaper one.
    if (2 * static_cast<int>(m_pending.size()) > m_width) updateAll();
}

bool ShownBuffer::updateChangedRows() {
    if (!m_buffer) return false;
    const size_t size = static_cast<size_t>(m_width) * kRows;
    if (m_mirrored || m_converted.size() != size || m_allPending) {
        m_converted.assign(m_buffer, m_buffer + size);
        updateAll();
        return true;
    }
    sync();
    bool changed = false;
    const size_t bytes = static_cast<size_t>(m_width) * sizeof(uint16_t);
    for (int r = 0; r < kRows; ++r) {
        const uint16_t* now = m_buffer + r * m_width;
        uint16_t* before = m_converted.data() + r * m_width;
        if (std::memcmp(now, before, bytes) == 0) continue;
        std::memcpy(before, now, bytes);
        convertRow(r);
        changed = true;
    }
    if (changed) m_dimAll = true;
    return changed;
}

void ShownBuffer::scroll(int n) {
    if (n <= 0 || n >= m_width || !m_mirrored) return;
    // The copy's columns are the ring's: both start n columns later and still agree.
    m_start = (m_start + n) % m_width;
}

uint32_t ShownBuffer::dimmedRgb32(uint32_t pixel, int alpha) {
    return dimRgb32(pixel, static_cast<uint32_t>(std::clamp(alpha, 0, 255)));
}

uint16_t ShownBuffer::dimmedRgb16(uint16_t pixel, int alpha) {
    return dimTable16(std::clamp(alpha, 0, 255))[pixel];
}

void ShownBuffer::setDimAlpha(int alpha) const {
    alpha = std::clamp(alpha, 0, 255);
    if (alpha == m_dimAlpha) return;
    m_dimAlpha = alpha;
    m_dimAll = true;
    if (alpha == 0) m_dimmed = QImage();
}

void ShownBuffer::dimColumn(int physical) const {
    const qsizetype stride = m_image.bytesPerLine();
    const int twin = m_mirrored ? physical + m_width : physical;  // the same pixel again
    if (m_image.format() == QImage::Format_RGB16) {
        const uint16_t* table = dimTable16(m_dimAlpha);
        mapColumnTo<uint16_t>(m_dimmed.bits(), m_image.constBits(), stride, physical, twin,
                              m_height, [table](uint16_t v) { return table[v]; });
    } else {
        const auto a = static_cast<uint32_t>(m_dimAlpha);
        mapColumnTo<uint32_t>(m_dimmed.bits(), m_image.constBits(), stride, physical, twin,
                              m_height, [a](uint32_t v) { return dimRgb32(v, a); });
    }
}

void ShownBuffer::sync() const {
    if (!m_buffer) return;
    const bool all = m_allPending;
    if (m_allPending) {
        convertAll();
    } else {
        for (int p : m_pending)
            convertColumn(p);
    }
    if (m_dimAlpha > 0) {
        if (all || m_dimAll || m_dimmed.size() != m_image.size()) {
            if (m_dimmed.size() != m_image.size())
                m_dimmed = QImage(m_image.size(), m_image.format());
            for (int p = 0; p < m_width; ++p)
                dimColumn(p);
        } else {
            for (int p : m_pending)
                dimColumn(p);
        }
        m_dimAll = false;
    }
    for (int p : m_pending)
        m_isPending[static_cast<size_t>(p)] = 0;
    m_pending.clear();
    m_allPending = false;
}

void ShownBuffer::convertAll() const {
    // Both halves get the same rows, in the ring's own order.
    const int w = m_width;
    const bool rgb16 = m_image.format() == QImage::Format_RGB16;
    const size_t bytes = static_cast<size_t>(w) * (rgb16 ? 2 : 4);
    const qsizetype stride = m_image.bytesPerLine();
    uchar* bits = m_image.bits();
    for (int y = 0; y < m_height; ++y) {
        uchar* line = bits + y * stride;
        const int r = m_rows[static_cast<size_t>(y)];
        if (y > 0 && r == m_rows[static_cast<size_t>(y - 1)]) {
            std::memcpy(line, line - stride, m_mirrored ? 2 * bytes : bytes);
            continue;
        }
        const uint16_t* src = m_buffer + r * w;
        if (rgb16) {
            std::memcpy(line, src, bytes);
        } else {
            convertLine(src, reinterpret_cast<uint32_t*>(line), w);
        }
        if (m_mirrored) std::memcpy(line + bytes, line, bytes);
    }
}

void ShownBuffer::convertRow(int row) const {
    const int first = m_firstRow[static_cast<size_t>(row)];
    const int end = m_firstRow[static_cast<size_t>(row + 1)];
    if (first >= end) return;
    const int w = m_width;
    const qsizetype stride = m_image.bytesPerLine();
    uchar* line = m_image.bits() + first * stride;
    const uint16_t* src = m_buffer + row * w;
    if (m_image.format() == QImage::Format_RGB16) {
        std::memcpy(line, src, static_cast<size_t>(w) * 2);
    } else {
        convertLine(src, reinterpret_cast<uint32_t*>(line), w);
    }
    for (int y = first + 1; y < end; ++y)
        std::memcpy(line + (y - first) * stride, line, static_cast<size_t>(stride));
}

void ShownBuffer::convertColumn(int physical) const {
    const int w = m_width;
    const int twin = m_mirrored ? physical + w : physical;  // the same pixel again
    const qsizetype stride = m_image.bytesPerLine();
    if (m_image.format() == QImage::Format_RGB16) {
        convertColumnTo<uint16_t>(m_image.bits(), stride, physical, twin, m_buffer + physical, w,
                                  m_firstRow, [](uint16_t c) { return c; });
    } else {
        convertColumnTo<uint32_t>(m_image.bits(), stride, physical, twin, m_buffer + physical, w,
                                  m_firstRow, [](uint16_t c) { return toRgb32(c); });
    }
}

void ShownBuffer::draw(QPainter* painter, const QPointF& at) const {
    drawDimmed(painter, at, 0, QRegion());
}

void ShownBuffer::drawDimmed(QPainter* painter, const QPointF& at, int alpha,
                             const QRegion& dimmed) const {
    setDimAlpha(dimmed.isEmpty() ? 0 : alpha);
    sync();
    const QRect whole(0, 0, m_width, m_height);
    if (m_dimAlpha == 0) {
        painter->drawImage(at, m_image, QRectF(m_start, 0, m_width, m_height));
        return;
    }
    // Each part one blit from its copy.
    const QRegion shown = dimmed & whole;
    const auto put = [&](const QImage& from, const QRegion& part) {
        for (const QRect& r : part)
            painter->drawImage(at + QPointF(r.topLeft()), from, QRectF(r.translated(m_start, 0)));
    };
    put(m_image, QRegion(whole) - shown);
    put(m_dimmed, shown);
}

QImage ShownBuffer::picture() const {
    sync();
    return m_image.copy(m_start, 0, m_width, m_height);
}
