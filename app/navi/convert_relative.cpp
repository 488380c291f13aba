#include "navi/convert.h"
#include "navi/truncate.h"

#include <QDebug>
#include <QLoggingCategory>
#include <cmath>

// Flat map coordinates: an equirectangular projection in half-metres around the map origin.
// Good enough over the few hundred metres a bait boat travels, and cheap enough for every
// track point.

// Its per-call debug line is off unless QT_LOGGING_RULES="korvel.navi.convert.debug=true".
Q_LOGGING_CATEGORY(lcNaviConvert, "korvel.navi.convert", QtInfoMsg)

QPoint Convert::navi_startPoint(0, 0);
float Convert::current_lat_cos = 0.0f;

namespace {

constexpr double kScale = 10000000.0;
// Half-metres per 1/1000 degree: 111 000 m per degree at 0.5 m a unit, scaled by 1/10^4.
constexpr double kUnitsPerMilliDegree = 22.2;
// Pi as the single-precision constant, widened.
constexpr double kPi = double(3.14159265358979323846f);

double scaled(int ddS32) {
    return ddS32 / 1000.0 * kUnitsPerMilliDegree;
}

}  // namespace

bool Convert::haveSetStartPoint() {
    return navi_startPoint.x() != 0 || navi_startPoint.y() != 0;
}

void Convert::setStartPoint(int lon_ddS32, int lat_ddS32) {
    navi_startPoint =
        QPoint(Navi::truncToInt(scaled(lon_ddS32)), Navi::truncToInt(scaled(lat_ddS32)));
}

QPoint Convert::getStartPoint() {
    return navi_startPoint;
}

QPoint Convert::navi_ddS32_to_relativeCoor(int lon_ddS32, int lat_ddS32) {
    return navi_ddS32_to_relativeCoor(lon_ddS32, lat_ddS32, navi_startPoint);
}

QPoint Convert::navi_ddS32_to_relativeCoor(int lon_ddS32, int lat_ddS32, QPoint origin) {
    current_lat_cos = float(lat_ddS32 / kScale / 180.0 * kPi);
    const double k = std::cos(double(current_lat_cos));
    const QPoint p(Navi::truncToInt((scaled(lon_ddS32) - origin.x()) * k),
                   Navi::truncToInt(-(scaled(lat_ddS32) - origin.y())));
    qCDebug(lcNaviConvert) << "lat" << lat_ddS32 << "angle" << current_lat_cos << "cos" << k << "->"
                           << p;
    return p;
}

int Convert::navi_relativeCoor_to_ddS32_lat(QPointF p) {
    const float dy = float(navi_startPoint.y()) - float(p.y());
    return Navi::truncToInt(dy * 1000.0 / kUnitsPerMilliDegree);
}

int Convert::navi_relativeCoor_to_ddS32_lon(QPointF p) {
    const double x = float(p.x()) / std::cos(double(current_lat_cos));
    return Navi::truncToInt((x + navi_startPoint.x()) * 1000.0 / kUnitsPerMilliDegree);
}
