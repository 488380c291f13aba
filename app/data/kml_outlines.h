#pragma once

#include "data/kml_types.h"
#include "navi/struct_kml_info.h"

#include <QList>

// KML placemarks as the map's outlines: each with its style resolved, its points turned into
// relative map coordinates.
namespace KmlOutlines {

// The width of a line whose style gives none.
constexpr const char* kDefaultWidth = "2";

// The style a placemark is drawn with: the one written inside it, else the one its reference
// leads to (through style maps; only the part from the '#' on is compared); colour "#000000"
// and kDefaultWidth where nothing is found.
StructKmlStyle styleOf(const StructKmlDocument& doc, const StructKmlPlacemark& placemark);

// One outline per point list of each placemark, in file order; a placemark without points
// gives none. The first point sets the map origin while it is unset.
QList<StructKmlInfo> toInfo(const StructKmlDocument& doc);

// How many of them the map draws as lines: those of two points or more.
int lineCount(const QList<StructKmlInfo>& outlines);

}  // namespace KmlOutlines
