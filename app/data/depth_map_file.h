#pragma once

#include "navi/depth_grid.h"

#include <QByteArray>
#include <QString>

// The depth map kept on the handset: "KVDM", a version, the cell size in centimetres, the
// grid origin, then the cells (column, row, depth in cm, count, spread) compressed, and the
// SHA-1 of those cells, little-endian. Written whole or not at all, so a power cut keeps the
// previous day's map.
namespace DepthMapFile {

constexpr const char* kPath = "/opt/depthmap.kdm";
constexpr int kVersion = 1;

enum class EnumLoad { Loaded, Missing, Damaged };

QByteArray encode(const DepthGrid& grid);
// An empty grid on anything but a whole file of this version and cell size.
bool decode(const QByteArray& bytes, DepthGrid* grid);

// Reads path into grid. A damaged file is moved aside under a name of its own (so that it
// is neither lost nor read again) and the grid starts empty.
EnumLoad load(const QString& path, DepthGrid* grid);
bool save(const QString& path, const DepthGrid& grid);

}  // namespace DepthMapFile
