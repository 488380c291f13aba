#pragma once

#include "sonar/dimmable_area.h"
#include "sonar/sonar_paint.h"

#include <QGraphicsItem>
#include <QImage>
#include <array>
#include <vector>

// The narrow strip beside the echogram that shows the newest column as a bar graph, and the
// echogram's shaded right edge: four columns, light grey inside to black, over the gap before
// the strip and its first two columns. The strip is kept as one bar per row and drawn straight
// into a copy in the screen's format at the displayed height: a new column rewrites only the
// pixels of the bars that changed. The edge in the same copy makes the two one blit of whole
// rows instead of two blits of a few pixels a row each.
class ItemWave : public QGraphicsItem, public DimmableArea {
public:
    static constexpr int kWidth = SonarPaint::kWaveWidth;
    static constexpr int kRows = SonarPaint::kRows;
    // The edge: its columns, and how far it reaches left of the strip.
    static constexpr int kEdgeColumns = 4;
    static constexpr int kEdgeReach = 2;

    explicit ItemWave(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // Shows rows on background and schedules a paint when any shown row changed.
    bool setRows(const SonarPaint::WaveRows& rows, uint16_t background);
    // The strip as a 24 x 240 RGB565 buffer, row-major.
    std::vector<uint16_t> buffer() const;
    void setImageHight(int h);
    bool coversBox() const override { return true; }
    QRegion dimmedArea() const override;
    // The edge's colours, inside out.
    static std::array<QRgb, kEdgeColumns> edgeColours();

private:
    static constexpr int kImageWidth = kWidth + kEdgeReach;
    QRect dimBox() const override { return boundingRect().toAlignedRect(); }
    // One copy of the strip.
    struct StructCopy {
        QImage image;
        int alpha = 0;            // dimmed by black of this alpha
        uint32_t background = 0;  // in the image's format
    };
    // A pixel of the screen's format for a 16-bit colour, dimmed by the copy's alpha.
    static uint32_t pixel(const StructCopy& copy, uint16_t c);
    static uint32_t edgePixel(const StructCopy& copy, int column);
    // Draws every row of the copy anew.
    void paintAll(StructCopy& copy);
    template <typename Pixel>
    void paintAll(StructCopy& copy);
    // Takes the rows that differ from those shown and redraws them in the copy; false when
    // none did.
    template <typename Pixel>
    bool updateRows(StructCopy& copy, const SonarPaint::WaveRows& rows);
    // Redraws columns from .. to - 1 of buffer row r, all right of the edge.
    template <typename Pixel>
    void paintRow(const StructCopy& copy, uchar* bits, int r, int from, int to);

    SonarPaint::WaveRows m_rows{};
    uint16_t m_background = 0;
    int m_hight = kRows;
    StructCopy m_shown;
    StructCopy m_dimmed;          // while a menu is open
    bool m_shownStale = false;    // m_shown behind m_rows: only the dimmed copy is kept up
    std::vector<int> m_firstRow;  // the first shown row of each buffer row (kRows + 1 entries)
};
