#pragma once

class QPointF;

// Map geometry on relative coordinates: points are half-metres from the map origin, x east,
// y south.
namespace Global {

// Distance between two points in metres.
float calc_pixDst(const QPointF& p1, const QPointF& p2);
// Direction from p1 to p2 in whole degrees: 0 south, 90 west, -90 east, +-180 north (add 180
// for a compass bearing).
int calc_pixDir(const QPointF& p1, const QPointF& p2);

}  // namespace Global
