#include "navi/geodesy.h"

#include "navi/truncate.h"

#include <QPointF>
#include <cmath>

// Distances and directions on the flat map. The map hands its points over as single-precision
// reals; the arithmetic keeps that precision so that arrival and turn decisions do not move.

namespace {

// 180 / pi as the single-precision constant, widened.
constexpr double kDegreesPerRadian = 57.2957763671875;

}  // namespace

float Global::calc_pixDst(const QPointF& p1, const QPointF& p2) {
    const float dx = float(p1.x()) - float(p2.x());
    const float dy = float(p1.y()) - float(p2.y());
    const double sum = double(dx) * dx + double(dy) * dy;
    return std::sqrt(float(sum)) * 0.5f;  // a unit is half a metre
}

int Global::calc_pixDir(const QPointF& p1, const QPointF& p2) {
    const float a = float(p2.x()) - float(p1.x());
    const float b = float(p2.y()) - float(p1.y());
    // The product stays in single precision: in double, due east would come out as
    // -89.9999976 and truncate to -89 instead of -90.
    const float degrees = -std::atan2(a, b) * float(kDegreesPerRadian);
    return Navi::truncToInt(degrees);
}
