#pragma once

#include "data/struct_route.h"

#include <QString>

// A course slot's file, an INI settings file: the header under "WayCourse/" (count,
// startTime, endTime, distance, name) and each point k under "k/" (latitude, longitude,
// depth). A count of 0, or no file, is an empty slot.
namespace CourseFile {

// Points a file is ever read for: what recording keeps. A foreign file claiming more is read
// no further.
constexpr int kMaxPoints = 5000;
// A course's name as the handset makes one (from the time, or the nine-place editor).
constexpr int kNameChars = 9;

// "/opt/waycourse3.kwc" for slot 3 (a handset path).
QString handsetPath(int slot);

// The header of the file at path (a real path); the empty course when its count is 0.
StructRoute readHeader(const QString& path);
// Its points, at most kMaxPoints.
QList<StructRouteDetail> readPoints(const QString& path);
// Header and points. False when the file could not be written.
bool write(const QString& path, const StructRoute& route);
// One header key ("count", "name"): the other keys stay as they are.
bool writeKey(const QString& path, const QString& key, const QVariant& value);

}  // namespace CourseFile
