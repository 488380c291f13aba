#pragma once

#include "data/gpx_types.h"
#include "data/kml_types.h"
#include "data/struct_route.h"
#include "data/struct_waypoint.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

// What the handset keeps as GPX and back: waypoints, a stored course as a route, the live
// course as a track with the time and depth of every sample. The handset counts time in packed
// local words (UTC plus the whole hours of the time zone); a GPX file in UTC.
namespace GpxHandset {

constexpr const char* kFolder = "/mnt/sd/Korvel/Export/";

// kFolder + "Korvel_Waypoint_" + month, day, hour, minute + "_" + from + "-" + to + ".gpx";
// "Korvel_Course_MMDDhhmm_" + slot + ".gpx"; "Korvel_Track_MMDDhhmm.gpx".
QString waypointFileName(uint32_t boatTime, int from, int to);
QString courseFileName(uint32_t boatTime, int slot);
QString trackFileName(uint32_t boatTime);

// A local word as UTC, invalid when the word holds no date; and back, 0 when the time is
// invalid or outside the word's years.
QDateTime utcOf(uint32_t localWord, float timeZone);
uint32_t localWordOf(const QDateTime& utc, float timeZone);

// Empty slots are left out; a depth of 0 is none recorded and not written.
QByteArray waypointsFile(const QVector<StructWaypoint>& waypoints, float timeZone);
// The course's samples as a route, each with its depth where one was measured.
QByteArray courseFile(const StructRoute& course);
// The samples as a track, each with its depth and its time where they were known.
QByteArray trackFile(const StructRoute& course, float timeZone);

// The file's waypoints for the import, with their own time and depth where the file has them.
QVector<StructKmlWaypoint> waypoints(const StructGpxDocument& doc, float timeZone);
// The line a course is read from: the first route, or without one the first track; null when
// the file has neither.
const StructGpxLine* courseLine(const StructGpxDocument& doc);
// The line as a course: named as an import names a waypoint (fallback when nothing is left),
// its length along the points, its start and end from the first and last time in the file.
StructRoute course(const StructGpxLine& line, const QString& fallbackName, float timeZone);

}  // namespace GpxHandset
