#include "navi/depth_grid.h"

#include <algorithm>
#include <cmath>

static_assert(DepthGrid::kTileSide == 32, "tile keys shift by 5");

namespace {

constexpr double kDegreeUnits = 10000000.0;
constexpr double kPi = 3.14159265358979323846;
// A cell this many columns or rows from the origin lies outside the flat projection's reach
// (100 km), so such a position is refused rather than drawn in the wrong place.
constexpr int kMaxCellOffset = 50000;
constexpr int kMaxDepthCm = 65535;

int floorDiv(double metres) {
    return int(std::floor(metres / DepthGrid::kCellMetres));
}

}  // namespace

StructDepthCell DepthCellEstimate::update(StructDepthCell cell, int depthCm) {
    depthCm = std::clamp(depthCm, 0, kMaxDepthCm);
    if (cell.count == 0) return StructDepthCell{uint16_t(depthCm), 1, 20};
    const int residual = depthCm - cell.depthCm;
    const int limit = std::max(3 * int(cell.spreadCm), 10);
    const int step = std::clamp(residual, -limit, limit);
    const int weight = std::min(int(cell.count) + 1, 16);
    // At least a centimetre, so that the estimate reaches a new depth instead of stopping short.
    int delta = int(std::lround(double(step) / weight));
    if (delta == 0 && step != 0) delta = step > 0 ? 1 : -1;
    const int moved = int(cell.depthCm) + delta;
    cell.depthCm = uint16_t(std::clamp(moved, 0, kMaxDepthCm));
    const int size = std::min(std::abs(residual), 255);
    cell.spreadCm =
        uint8_t(std::clamp(int(cell.spreadCm) + (size - int(cell.spreadCm)) / 8, 0, 255));
    if (cell.count < 255) ++cell.count;
    return cell;
}

void DepthGrid::setOrigin(GeoPoint origin) {
    if (!isEmpty() || !origin.isSet()) return;
    m_origin = origin;
    m_cosLat = std::cos(origin.lat() / kDegreeUnits * kPi / 180.0);
}

QPointF DepthGrid::metresOf(GeoPoint where) const {
    const double east = (where.lon() - m_origin.lon()) / kDegreeUnits * kMetresPerDegree * m_cosLat;
    const double north = (where.lat() - m_origin.lat()) / kDegreeUnits * kMetresPerDegree;
    return QPointF(east, north);
}

StructCellIndex DepthGrid::indexOf(GeoPoint where) const {
    const QPointF m = metresOf(where);
    return StructCellIndex{floorDiv(m.x()), floorDiv(m.y())};
}

GeoPoint DepthGrid::centreOf(StructCellIndex index) const {
    return positionOf(QPointF(index.column + 0.5, index.row + 0.5));
}

GeoPoint DepthGrid::positionOf(QPointF cellUnits) const {
    const double east = cellUnits.x() * kCellMetres;
    const double north = cellUnits.y() * kCellMetres;
    const double lat = m_origin.lat() + north / kMetresPerDegree * kDegreeUnits;
    const double lon = m_origin.lon() + east / (kMetresPerDegree * m_cosLat) * kDegreeUnits;
    return GeoPoint(Latitude(qint32(std::lround(lat))), Longitude(qint32(std::lround(lon))));
}

uint64_t DepthGrid::tileKey(StructCellIndex index) {
    const uint32_t column = uint32_t(index.column >> 5);
    const uint32_t row = uint32_t(index.row >> 5);
    return (uint64_t(column) << 32) | row;
}

StructCellIndex DepthGrid::tileBase(uint64_t key) {
    return StructCellIndex{int32_t(uint32_t(key >> 32)) * kTileSide,
                           int32_t(uint32_t(key & 0xffffffffu)) * kTileSide};
}

StructDepthCell* DepthGrid::writableCell(StructCellIndex index, EnumAdd* why) {
    if (std::abs(index.column) > kMaxCellOffset || std::abs(index.row) > kMaxCellOffset) {
        *why = EnumAdd::TooFar;
        return nullptr;
    }
    const uint64_t key = tileKey(index);
    if (m_lastTile == nullptr || key != m_lastKey) {
        auto found = m_tiles.find(key);
        if (found == m_tiles.end()) {
            if (int(m_tiles.size()) >= kMaxTiles) {
                *why = EnumAdd::GridFull;
                return nullptr;
            }
            found = m_tiles.emplace(key, std::make_unique<Tile>()).first;
        }
        m_lastKey = key;
        m_lastTile = found->second.get();
    }
    const int column = index.column & (kTileSide - 1);
    const int row = index.row & (kTileSide - 1);
    return &m_lastTile->cells[size_t(row * kTileSide + column)];
}

void DepthGrid::noteChanged(StructCellIndex index, const StructDepthCell& written) {
    m_deepestCm = std::max(m_deepestCm, int(written.depthCm));
    const QRect one(index.column, index.row, 1, 1);
    m_changed = m_changed.isNull() ? one : m_changed.united(one);
    m_bounds = m_bounds.isNull() ? one : m_bounds.united(one);
    m_unsaved = true;
}

DepthGrid::EnumAdd DepthGrid::add(GeoPoint where, float depthMetres) {
    if (!where.isSet()) return EnumAdd::NoOrigin;
    if (!hasOrigin()) setOrigin(where);
    EnumAdd why = EnumAdd::Added;
    const StructCellIndex index = indexOf(where);
    StructDepthCell* c = writableCell(index, &why);
    if (c == nullptr) return why;
    if (c->count == 0) ++m_filled;
    *c = DepthCellEstimate::update(*c, int(std::lround(depthMetres * 100.0f)));
    noteChanged(index, *c);
    return EnumAdd::Added;
}

bool DepthGrid::restore(StructCellIndex index, StructDepthCell cell) {
    if (cell.count == 0 || !hasOrigin()) return false;
    EnumAdd why = EnumAdd::Added;
    StructDepthCell* c = writableCell(index, &why);
    if (c == nullptr) return false;
    if (c->count == 0) ++m_filled;
    *c = cell;
    noteChanged(index, *c);
    return true;
}

const StructDepthCell* DepthGrid::cell(StructCellIndex index) const {
    const auto found = m_tiles.find(tileKey(index));
    if (found == m_tiles.end()) return nullptr;
    const int column = index.column & (kTileSide - 1);
    const int row = index.row & (kTileSide - 1);
    const StructDepthCell& c = found->second->cells[size_t(row * kTileSide + column)];
    return c.count == 0 ? nullptr : &c;
}

void DepthGrid::clear() {
    m_tiles.clear();
    m_lastTile = nullptr;
    m_filled = 0;
    m_deepestCm = 0;
    m_origin = GeoPoint();
    m_changed = m_bounds;
    m_bounds = QRect();
    m_unsaved = true;
}

size_t DepthGrid::memoryBytes() const {
    // The tile, its owner pointer and the hash node around it.
    return m_tiles.size() * (sizeof(Tile) + sizeof(std::unique_ptr<Tile>) + 4 * sizeof(void*));
}

QRect DepthGrid::takeChanged() {
    const QRect changed = m_changed;
    m_changed = QRect();
    return changed;
}
