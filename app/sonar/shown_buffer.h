#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>
#include <vector>

class QPainter;
class QPointF;

// An RGB565 buffer of width x 240 pixels as the screen shows it: a copy in the screen's pixel
// format at the displayed height, so that a paint is a plain blit instead of a scaled format
// conversion. The owner reports what changed in the buffer (columns repainted, a scroll); those
// columns are converted at the next paint, each once however often it changed.
//
// A scrolling buffer is a ring: its oldest column is physicalColumn(0), and a scroll moves only
// where the ring starts, so no pixel of it is moved or copied. The copy is twice as wide and
// holds every column twice, at c and c + width; the picture is the window of width columns from
// the ring's start, one contiguous rectangle drawn in one blit.
class ShownBuffer {
public:
    static constexpr int kRows = 240;

    enum Kind { Scrolling, Still };
    // format: the copy's pixel format, RGB16 or RGB32; by default the screen's.
    explicit ShownBuffer(Kind kind = Scrolling, QImage::Format format = screenFormat());

    // Shows buffer (width x 240, row-major) at height h.
    void reset(const uint16_t* buffer, int width, int h);
    void setHeight(int h);
    int height() const { return m_height; }

    // The picture moves n columns left: the ring starts n columns later, its newest n columns
    // holding the oldest ones until they are repainted. A scroll by the whole width or more
    // moves nothing.
    void scroll(int n);
    // Where column x of the picture (0 the oldest) stands in the buffer's rows; x itself for a
    // still buffer.
    int physicalColumn(int x) const { return m_mirrored ? (m_start + x) % m_width : x; }
    // Columns x .. x + n - 1 of the picture were repainted.
    void updateColumns(int x, int n = 1);
    void updateAll();
    // The buffer was repainted as a whole: converts at once the rows of a still buffer that
    // differ from what is shown (a scrolling one is converted in full). False when none did.
    bool updateChangedRows();

    void draw(QPainter* painter, const QPointF& at) const;
    // Draws the picture with dimmed (picture coordinates) as black of alpha over it would
    // leave it. The dimmed pixels are kept beside the copy while it is drawn so, each column
    // dimmed once as it is converted; alpha 0 drops them.
    void drawDimmed(QPainter* painter, const QPointF& at, int alpha, const QRegion& dimmed) const;
    // A 16-bit pixel in 32 bits, as the painter converts it: each channel's top bits
    // repeated below it.
    static uint32_t rgb32(uint16_t c) {
        const uint32_t r = (c >> 11) & 0x1F;
        const uint32_t g = (c >> 5) & 0x3F;
        const uint32_t b = c & 0x1F;
        return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) |
               (b << 3 | b >> 2);
    }
    // A pixel of the copy's format under black of alpha, exactly as the painter blends it.
    static uint32_t dimmedRgb32(uint32_t pixel, int alpha);
    static uint16_t dimmedRgb16(uint16_t pixel, int alpha);
    // The picture as shown (a copy), for checks.
    QImage picture() const;

    // RGB16 for a 16-bit screen, RGB32 otherwise.
    static QImage::Format screenFormat();
    // The buffer row that the painter's own scaling shows in each of h rows, when a 240-row
    // image is drawn h rows high onto a device of the given format.
    static std::vector<int> scaledRows(int h, QImage::Format format);
    // For rows as scaledRows() gives them: the first shown row of each buffer row, and past the
    // last the height (kRows + 1 entries); buffer row r shows in rows first[r] .. first[r+1]-1.
    static std::vector<int> firstRows(const std::vector<int>& rows);

private:
    // Converts what changed since the last paint.
    void sync() const;
    void convertAll() const;
    void convertColumn(int physical) const;
    void convertRow(int row) const;
    void setDimAlpha(int alpha) const;
    void dimColumn(int physical) const;

    const uint16_t* m_buffer = nullptr;
    bool m_mirrored;
    int m_width = 0;
    int m_height = kRows;
    std::vector<int> m_rows;      // the buffer row of each shown row
    std::vector<int> m_firstRow;  // the first shown row of each buffer row (kRows + 1 entries)
    std::vector<uint16_t> m_converted;  // a still buffer as last converted
    // The copy, the ring's start and the columns of it (0 .. width - 1) still to convert.
    mutable QImage m_image;
    int m_start = 0;
    mutable std::vector<int> m_pending;
    mutable std::vector<uint8_t> m_isPending;
    mutable bool m_allPending = true;
    // The copy dimmed, while it is drawn so.
    mutable QImage m_dimmed;
    mutable int m_dimAlpha = 0;
    mutable bool m_dimAll = true;
};
