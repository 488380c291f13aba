#pragma once

#include "data/struct_waypoint.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

// The waypoint export for a spreadsheet: two header lines, then one line per waypoint in slot
// order (slot number, name, latitude and longitude in decimal degrees, depth in metres, date
// as "20yy-MM-dd", time), every field followed by a comma, CR LF line ends, Latin-1.
namespace WaypointCsv {

constexpr const char* kFolder = "/mnt/sd/Korvel/Export/";

// kFolder + "Sablo_Waypoint_" + month, day, '-', hour, minute of the time + ".csv".
QString fileName(uint32_t boatTime);

// A field as a CSV reader takes it back: quoted, with its quotes doubled, when it holds a
// comma, a quote or a line break.
QString field(const QString& text);

// One waypoint's line (with its CR LF).
QString line(const StructWaypoint& w);

// The whole file for the waypoints given (empty slots are left out).
QByteArray build(const QVector<StructWaypoint>& waypoints);

}  // namespace WaypointCsv
