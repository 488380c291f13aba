#include "data/struct_waypoint.h"

QString StructWaypoint::snOf(int slot) {
    return QStringLiteral("%1").arg(slot, 3, 10, QLatin1Char('0'));
}

StructWaypoint StructWaypoint::emptyAt(int slot) {
    StructWaypoint w;
    w.sn = snOf(slot);
    return w;
}

int StructWaypoint::slot() const {
    bool ok = false;
    const int n = sn.toInt(&ok);
    return ok ? n : -1;
}
