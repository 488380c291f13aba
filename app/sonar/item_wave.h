#pragma once

#include "sonar/dimmable_area.h"
#include "sonar/sonar_paint.h"

#include <QGraphicsItem>
#include <QImage>
#include <array>
#include <vector>

// The narrow strip beside the echogram that shows the newest column as a bar graph. It is
// kept as one bar per row and drawn straight into a copy in the screen's format at the
// displayed height: a new column repaints only the rows whose bar changed.
class ItemWave : public QGraphicsItem, public DimmableArea {
public:
    static constexpr int kWidth = SonarPaint::kWaveWidth;
    static constexpr int kRows = SonarPaint::kRows;

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

private:
    QRect dimBox() const override { return boundingRect().toAlignedRect(); }
    // Repaints the shown rows of buffer row r (and dimmed, while a menu is open).
    void paintRow(int r);
    void paintShownRow(int r);
    void paintDimmedRow(int r);
    // A line of the background, copied under each bar.
    struct StructGround {
        uint32_t value = ~0u;
        std::array<uint16_t, kWidth> rgb16;
        std::array<uint32_t, kWidth> rgb32;
    };
    // background and colour as pixels of the image's format.
    void paintRow(QImage& image, StructGround& ground, int r, uint32_t background, uint32_t colour);

    SonarPaint::WaveRows m_rows{};
    uint16_t m_background = 0;
    int m_hight = kRows;
    QImage m_image;   // in the screen's format, m_hight rows
    QImage m_dimmed;  // the same dimmed by m_dimmedAlpha, while a menu is open
    int m_dimmedAlpha = 0;
    bool m_imageStale = false;  // m_image behind m_rows
    StructGround m_ground, m_dimmedGround;
    std::vector<int> m_firstRow;  // the first shown row of each buffer row (kRows + 1 entries)
};
