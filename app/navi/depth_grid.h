#pragma once

#include "base/geo_point.h"

#include <QByteArray>
#include <QPointF>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

// One square of the lake bottom: a robust depth estimate of the soundings that fell into it.
// A cell with count 0 was never sounded.
struct StructDepthCell {
    uint16_t depthCm = 0;
    uint8_t count = 0;     // soundings taken, saturating at 255
    uint8_t spreadCm = 0;  // mean absolute residual, the cell's own noise
};

// A cell's place: columns run east, rows north, from the grid's own origin.
struct StructCellIndex {
    int column = 0;
    int row = 0;
};

// The depth map of a lake: square cells of kCellMetres on a flat projection around the grid's
// own origin (the first position it was given, kept with the grid), so that a map kept for
// days does not depend on where a run of the handset started. Cells live in tiles of
// kTileSide x kTileSide allocated where the boat went; kMaxTiles bounds the memory at
// kMaxTiles x 4 KiB (16 MiB), about 4 x 4 km of surveyed water. A full 2 km x 2 km lake
// takes 1 000 000 cells, 977 tiles, 3.8 MiB.
class DepthGrid {
public:
    static constexpr double kCellMetres = 2.0;
    static constexpr int kTileSide = 32;
    static constexpr int kMaxTiles = 4096;
    static constexpr double kMetresPerDegree = 111000.0;  // as the map's own coordinates

    // Where a depth goes in, or why it did not.
    enum class EnumAdd { Added, NoOrigin, TooFar, GridFull };

    bool hasOrigin() const { return m_origin.isSet(); }
    GeoPoint origin() const { return m_origin; }
    // Only an empty grid takes a new origin.
    void setOrigin(GeoPoint origin);

    // A sounding: the depth at the position into its cell. An empty grid takes its origin
    // from the first one.
    EnumAdd add(GeoPoint where, float depthMetres);
    // A cell read back from a file, as it was.
    bool restore(StructCellIndex index, StructDepthCell cell);

    // nullptr for a cell never sounded.
    const StructDepthCell* cell(StructCellIndex index) const;
    // The cell a position falls into, and a cell's middle as a position.
    StructCellIndex indexOf(GeoPoint where) const;
    GeoPoint centreOf(StructCellIndex index) const;
    // A point in cell units (a cell's middle is its index + 0.5) as a position.
    GeoPoint positionOf(QPointF cellUnits) const;
    // Metres east and north of the grid origin.
    QPointF metresOf(GeoPoint where) const;

    void clear();
    bool isEmpty() const { return m_filled == 0; }
    int filledCells() const { return m_filled; }
    // The deepest cell's depth (0 when empty).
    float deepestMetres() const { return m_deepestCm / 100.0f; }
    int tileCount() const { return int(m_tiles.size()); }
    size_t memoryBytes() const;
    // The cells sounded, as columns x rows (empty when none).
    QRect bounds() const { return m_bounds; }
    // The cells changed since the last call, then forgotten.
    QRect takeChanged();
    // Changed since it was last saved.
    bool unsaved() const { return m_unsaved; }
    void markSaved() { m_unsaved = false; }

    // Every sounded cell, row by row within each tile.
    template <typename F>
    void forEachCell(F visit) const {
        for (const auto& entry : m_tiles) {
            const StructCellIndex base = tileBase(entry.first);
            for (int i = 0; i < kTileSide * kTileSide; ++i) {
                const StructDepthCell& c = entry.second->cells[size_t(i)];
                if (c.count == 0) continue;
                visit(StructCellIndex{base.column + i % kTileSide, base.row + i / kTileSide}, c);
            }
        }
    }

    // Every sounded cell inside region (columns x rows), tile by tile: only tiles that exist
    // are visited, so a wide region of open water costs nothing.
    template <typename F>
    void forEachCellIn(const QRect& region, F visit) const {
        if (region.isEmpty()) return;
        for (int tr = region.top() >> 5; tr <= region.bottom() >> 5; ++tr) {
            for (int tc = region.left() >> 5; tc <= region.right() >> 5; ++tc) {
                const auto found =
                    m_tiles.find(tileKey(StructCellIndex{tc * kTileSide, tr * kTileSide}));
                if (found == m_tiles.end()) continue;
                const int r0 = std::max(region.top(), tr * kTileSide);
                const int r1 = std::min(region.bottom(), tr * kTileSide + kTileSide - 1);
                const int c0 = std::max(region.left(), tc * kTileSide);
                const int c1 = std::min(region.right(), tc * kTileSide + kTileSide - 1);
                for (int r = r0; r <= r1; ++r) {
                    const StructDepthCell* row =
                        &found->second->cells[size_t((r - tr * kTileSide) * kTileSide)];
                    for (int c = c0; c <= c1; ++c) {
                        const StructDepthCell& cell = row[c - tc * kTileSide];
                        if (cell.count != 0) visit(StructCellIndex{c, r}, cell);
                    }
                }
            }
        }
    }

private:
    struct Tile {
        std::array<StructDepthCell, kTileSide * kTileSide> cells{};
    };
    static uint64_t tileKey(StructCellIndex index);
    static StructCellIndex tileBase(uint64_t key);
    StructDepthCell* writableCell(StructCellIndex index, EnumAdd* why);
    void noteChanged(StructCellIndex index, const StructDepthCell& written);

    GeoPoint m_origin;
    double m_cosLat = 1.0;
    std::unordered_map<uint64_t, std::unique_ptr<Tile>> m_tiles;
    // The last tile written, so that the soundings of one cell run find it at once.
    uint64_t m_lastKey = 0;
    Tile* m_lastTile = nullptr;
    int m_filled = 0;
    int m_deepestCm = 0;
    QRect m_bounds;
    QRect m_changed;
    bool m_unsaved = false;
};

// A robust running estimate for one cell: a new sounding moves the estimate by at most a few
// times the cell's spread (at least 10 cm), and less the more soundings the cell has (down to
// 1/16), so one spike barely shifts it while a real change of depth is followed.
namespace DepthCellEstimate {
StructDepthCell update(StructDepthCell cell, int depthCm);
}
