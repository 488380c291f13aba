#pragma once

#include "data/kml_types.h"

#include <QString>
#include <QVector>

// The waypoint import's reading of a KML file: every placemark is a waypoint, its position
// the first of its coordinates.
namespace KmlWaypoints {

// More placemarks than the store has slots are refused.
constexpr int kMaxCount = 500;

QVector<StructKmlWaypoint> fromDocument(const StructKmlDocument& doc);

// The block of slots the import writes: "3~5", or "498~499,0~0" when it wraps past 499.
QString rangeText(int first, int last);

}  // namespace KmlWaypoints
