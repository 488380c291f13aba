#pragma once

#include "data/struct_waypoint.h"

#include <QMetaType>

// One target of the multi-target list or of a running list mode: a waypoint and the seconds
// the boat waits there before the next leg.
struct StructMultiTarget : StructWaypoint {
    int delay = 0;

    StructMultiTarget() = default;
    StructMultiTarget(const StructWaypoint& w, int seconds) : StructWaypoint(w), delay(seconds) {}
};

Q_DECLARE_METATYPE(StructMultiTarget)
