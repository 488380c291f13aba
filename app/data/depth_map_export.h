#pragma once

#include "navi/depth_contours.h"
#include "navi/depth_grid.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

// The depth map for other programs: the sounded cells as CSV (a header line, then latitude,
// longitude in decimal degrees with seven decimals, depth in metres with two, the count of
// soundings; south-west first, CR LF), and the isobaths as KML line strings named by their
// depth, with the depth also as extended data.
namespace DepthMapExport {

constexpr const char* kFolder = "/mnt/sd/Korvel/Export/";

// kFolder + "Korvel_DepthMap_" + month, day, hour, minute of the time + extension (".csv",
// ".kml").
QString fileName(uint32_t boatTime, const QString& extension);

QByteArray csv(const DepthGrid& grid);
QByteArray kml(const DepthGrid& grid, const QVector<StructContour>& contours);

// The isobaths of the whole grid at the interval, cell by cell.
QVector<StructContour> allContours(const DepthGrid& grid, float intervalMetres);

}  // namespace DepthMapExport
