#include "navi/course_points.h"

#include "navi/convert.h"
#include "navi/geodesy.h"

#include <QtGlobal>

QList<StructRouteInfo> CoursePoints::convertAndKeep(const QList<StructRouteInfo>& points) {
    QList<StructRouteInfo> kept;
    for (StructRouteInfo p : points) {
        if (!Convert::haveSetStartPoint()) Convert::setStartPoint(p.lon_ddS32, p.lat_ddS32);
        p.point = Convert::navi_ddS32_to_relativeCoor(p.lon_ddS32, p.lat_ddS32);
        if (kept.isEmpty() || Global::calc_pixDst(p.point, kept.last().point) > kMinSpacingMetres)
            kept.append(p);
    }
    return kept;
}

float CoursePoints::maxDepth(const QList<StructRouteInfo>& points) {
    float m = 2.0f;
    for (const StructRouteInfo& p : points)
        m = qMax(m, p.depth);
    return m;
}
