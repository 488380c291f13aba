#pragma once

#include "data/struct_waypoint.h"

#include <QString>
#include <QVector>

// The waypoint file, an INI settings file with seven keys per slot under the slot's three
// digits ("012/name", "012/iconIndex", "012/latitude", "012/longitude", "012/depth" as a float
// variant, "012/date", "012/time"). Slots are read and written one by one; a slot without a
// name key is empty, and so is one named "---------" (nothing more of it is read).
namespace WaypointFile {

constexpr const char* kPath = "/opt/waypointarray.kwp";

struct StructRead {
    QVector<StructWaypoint> records;  // first..last, in order
    // Slots holding a value that could not be read or has no sound form: the value was
    // replaced by its empty form (a name by the slot number), the rest of the slot was kept.
    QVector<int> damaged;
    bool formatError = false;  // lines the settings reader could not take
    bool notAFile = false;     // something other than a regular file stands at the path
};

// Slots first..last of the file at path (a real path); a missing file gives empty slots.
StructRead read(const QString& path, int first, int last);

// Writes the records' keys (each under its sn). False when the file could not be written, or
// when something other than a regular file stands at the path (it is not touched).
bool write(const QString& path, const QVector<StructWaypoint>& records);

}  // namespace WaypointFile
