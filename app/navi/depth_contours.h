#pragma once

#include "navi/depth_grid.h"

#include <QPointF>
#include <QRect>
#include <QVector>
#include <vector>

// The depths of a region of the grid on a lattice of nodes, each node the mean of a block of
// step x step cells (a coarser lattice when the map is zoomed out, so that the work follows
// the pixels, not the cells). A node without soundings is filled from the nodes around it
// when they lie on both of its sides (between two survey lines), never beyond the soundings'
// edge. NaN marks an empty node.
class DepthField {
public:
    // The lattice over the cells of region (columns x rows); step cells per node. Soundings
    // up to 2 x gapCells cells apart along a column or a row are bridged.
    DepthField(const DepthGrid& grid, const QRect& region, int step, int gapCells = 4);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int step() const { return m_step; }
    // A node's depth in metres, NaN when empty.
    float at(int x, int y) const { return m_values[size_t(y * m_width + x)]; }
    // A node's middle in cell units (column, row, continuous).
    QPointF cellPoint(qreal x, qreal y) const;
    float minDepth() const { return m_min; }
    float maxDepth() const { return m_max; }
    // The first and the last node of a row that may hold a depth: every node outside them is
    // empty (first > last for an empty row). A young map is a strip across its lattice.
    int rowFirst(int y) const { return m_rowFirst[size_t(y)]; }
    int rowLast(int y) const { return m_rowLast[size_t(y)]; }

private:
    void noteMeasured(int x, int y);
    void fillGaps(int radius);

    QRect m_region;
    int m_step = 1;
    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_values;
    std::vector<int> m_rowFirst, m_rowLast, m_columnFirst, m_columnLast;
    float m_min = 0.0f;
    float m_max = 0.0f;
};

// One isobath: its depth and its points in cell units.
struct StructContour {
    float depthMetres = 0.0f;
    QVector<QPointF> points;
    bool closed = false;
};

// The isobaths at every multiple of interval metres (marching squares over the lattice,
// saddles decided by the square's mean), each joined into the longest lines it makes.
namespace DepthContours {
QVector<StructContour> trace(const DepthField& field, float intervalMetres);
}
