#pragma once

#include "data/struct_waypoint.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

// The waypoint export as KML: the yellow-pushpin styles, then one point placemark per
// waypoint named "idx-" + slot + "_" + name, longitude and latitude with eight decimals (exact
// from the position texts), each
// followed by a comma; CR LF line ends, UTF-8. Names are escaped for XML.
namespace KmlExport {

constexpr const char* kFolder = "/mnt/sd/Korvel/Export/";

// kFolder + "Sablo_Waypoint_" + month, day, hour, minute of the time + "_" + from + "-" + to
// + ".kml": 21 January 17:59, slots 0 to 20 give "Sablo_Waypoint_01211759_0-20.kml".
QString fileName(uint32_t boatTime, int from, int to);

// The file for the waypoints given, in their order (empty slots are left out).
QByteArray build(const QVector<StructWaypoint>& waypoints);

// A position text's value exactly: degrees + minutes / 60, truncated to ddS32 (a text not of
// the stored form as the navigation reads it).
int exactDdS32(const QString& text, bool longitude);

// A ddS32 value as decimal degrees with eight decimals, exactly ("-151.23456780").
QString degrees(int ddS32);

}  // namespace KmlExport
