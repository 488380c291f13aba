#pragma once

#include "data/struct_waypoint.h"

#include <QPoint>
#include <QString>

// The waypoint screen's information area: the selected slot's date and time, its distance and
// compass course from the boat, and the home position. "-.-" stands for what is not known.
struct StructWaypointInfo {
    QString date;
    QString time;
    QString distance;  // in the distance unit, no decimals, with the unit
    QString course;    // degrees, one decimal: 0 north, 90 east
    QString home;      // "N48°07.1233′ E011°34.5677′"
};

namespace WaypointInfo {

// boat: the map's boat point, when known (relative coordinates); the home texts are empty
// while home is not set.
StructWaypointInfo make(const StructWaypoint& w, const QPoint* boat, const QString& homeLat,
                        const QString& homeLon);

}  // namespace WaypointInfo
