#pragma once

#include <QList>
#include <QPoint>

// A point of a course shown on the map. The caller gives the position and the depth; the
// relative point is filled in when it is kept, and the map colours it by depth.
struct StructRouteInfo {
    int lon_ddS32 = 0;
    int lat_ddS32 = 0;
    float depth = 0.0f;  // metres
    QPoint point;        // relative half-metres
};

namespace CoursePoints {

// Kept points lie more than this apart.
constexpr float kMinSpacingMetres = 5.0f;

// The points turned into relative coordinates (the first sets the map's start point when it
// is still unset), the first always kept and every further one only when it lies more than
// kMinSpacingMetres from the last kept one.
QList<StructRouteInfo> convertAndKeep(const QList<StructRouteInfo>& points);
// The deepest point's depth, at least 2 m.
float maxDepth(const QList<StructRouteInfo>& points);

}  // namespace CoursePoints
