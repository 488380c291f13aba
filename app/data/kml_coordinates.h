#pragma once

#include "data/kml_types.h"

#include <QStringView>
#include <QVector>

// The text of a KML coordinates element: groups "lon,lat[,alt]" separated by any white space
// (spaces, tabs, line breaks), empty parts skipped.
namespace KmlCoordinates {

// A decimal degree text as ddS32, truncated toward zero from the whole decimal string (no
// rounding through a binary fraction, so "22.1234567" gives exactly 221234567). False for a
// text that is not a number or lies beyond limit degrees.
bool toDdS32(QStringView text, int limitDegrees, int* out);

// The usable groups in order: a group needs a longitude within 180 and a latitude within 90
// degrees; any other group gives no position.
QVector<StructKmlPosition> parse(QStringView text);

// The text of a gx:coord element, "lon lat [alt]" separated by white space, under the same
// limits. False when it gives no position.
bool parseGxCoord(QStringView text, StructKmlPosition* out);

}  // namespace KmlCoordinates
