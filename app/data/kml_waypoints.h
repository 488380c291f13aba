#pragma once

#include "data/kml_types.h"

#include <QString>
#include <QVector>

// The waypoint import's reading of a KML file: every placemark with a usable position is a
// waypoint at the first one; one without (empty, a bad or out-of-range coordinate) is none,
// rather than a mark at 0°, 0°.
namespace KmlWaypoints {

// More waypoints than the store has slots are refused, the file whole.
constexpr int kMaxCount = 500;

QVector<StructKmlWaypoint> fromDocument(const StructKmlDocument& doc);

// The block of slots the import writes: "3~5", or "498~499,0~0" when it wraps past 499.
QString rangeText(int first, int last);

}  // namespace KmlWaypoints
