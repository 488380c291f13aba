#include "ui/screens/waypoint_info.h"

#include "base/global.h"
#include "navi/convert.h"
#include "navi/geodesy.h"

namespace WaypointInfo {

StructWaypointInfo make(const StructWaypoint& w, const QPoint* boat, const QString& homeLat,
                        const QString& homeLon) {
    const QString unknown = QStringLiteral("-.-");
    StructWaypointInfo info{unknown, unknown, unknown, unknown, unknown};
    if (!homeLat.isEmpty() || !homeLon.isEmpty()) info.home = homeLat + QLatin1Char(' ') + homeLon;
    if (w.isEmpty()) return info;
    info.date = w.date;
    info.time = w.time;
    // Without a boat position there is nothing to measure from (and no map origin yet).
    if (boat == nullptr) return info;
    const QPoint p = Convert::navi_ddS32_to_relativeCoor(
        Convert::dmString_to_ddS32_Lon(w.longitude), Convert::dmString_to_ddS32_Lat(w.latitude));
    const float metres = Global::calc_pixDst(QPointF(*boat), QPointF(p));
    info.distance = Global::getString_dstValue(metres, 0, false);
    if (info.distance != unknown) info.distance += QLatin1Char(' ') + Global::getString_dstUnit();
    // The map's direction is 0 towards the south; a compass course is 0 towards the north.
    const int course = (Global::calc_pixDir(QPointF(*boat), QPointF(p)) + 180) % 360;
    info.course = QString::number(double(course), 'f', 1);
    return info;
}

}  // namespace WaypointInfo
