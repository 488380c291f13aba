#include "data/nmea_plotter.h"

#include "data/kvlw_time.h"
#include "data/nmea_gga.h"

namespace {

constexpr double kKnotsPerMs = 3600.0 / 1852.0;
constexpr double kFeetPerMetre = 1.0 / 0.3048;
constexpr double kFathomsPerMetre = 1.0 / 1.8288;

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// A value with its decimals, or nothing when there is none.
QString field(float value, int decimals, double scale = 1.0) {
    return std::isfinite(value) ? QString::number(double(value) * scale, 'f', decimals) : QString();
}

QString finished(const QString& body) {
    const QString s = QLatin1Char('$') + body + QLatin1Char('*');
    return s + NmeaGga::checksum(s) + QStringLiteral("\r\n");
}

}  // namespace

namespace NmeaPlotter {

QStringList sentences(const StructValues& v) {
    QStringList out;
    const KvlwTime::StructDateTime t = KvlwTime::unpack(v.utc);
    const bool timed = v.utc != 0 && KvlwTime::pack(t) == v.utc && t.month >= 1 && t.day >= 1;
    const QString time =
        timed ? two(t.hour) + two(t.minute) + two(t.second) + QStringLiteral(".00") : QString();
    const QString date = timed ? two(t.day) + two(t.month) + two(t.year % 100) : QString();
    const float speed = v.fix ? v.speedMs : NAN;
    const float course = v.fix ? v.courseDegrees : NAN;
    const QString position =
        v.fix ? NmeaGga::coordinate(v.latitudeDm, 2) +
                    (v.latitudeDm < 0 ? QStringLiteral(",S,") : QStringLiteral(",N,")) +
                    NmeaGga::coordinate(v.longitudeDm, 3) +
                    (v.longitudeDm < 0 ? QStringLiteral(",W") : QStringLiteral(",E"))
              : QStringLiteral(",,,");
    const QString mode = v.fix ? QStringLiteral("A") : QStringLiteral("N");
    if (timed || v.fix) {
        out << finished(QStringLiteral("GPRMC,%1,%2,%3,%4,%5,%6,,,%7")
                            .arg(time, v.fix ? QStringLiteral("A") : QStringLiteral("V"), position,
                                 field(speed, 1, kKnotsPerMs), field(course, 1), date, mode));
    }
    if (v.fix && std::isfinite(speed)) {
        out << finished(
            QStringLiteral("GPVTG,%1,T,,M,%2,N,%3,K,%4")
                .arg(field(course, 1), field(speed, 1, kKnotsPerMs), field(speed, 1, 3.6), mode));
    }
    if (std::isfinite(v.depthMetres)) {
        out << finished(
            QStringLiteral("SDDPT,%1,%2,").arg(field(v.depthMetres, 2), field(v.offsetMetres, 2)));
        out << finished(QStringLiteral("SDDBT,%1,f,%2,M,%3,F")
                            .arg(field(v.depthMetres, 1, kFeetPerMetre), field(v.depthMetres, 2),
                                 field(v.depthMetres, 1, kFathomsPerMetre)));
    }
    if (std::isfinite(v.waterCelsius))
        out << finished(QStringLiteral("YXMTW,%1,C").arg(field(v.waterCelsius, 1)));
    if (std::isfinite(v.headingDegrees))
        out << finished(QStringLiteral("HCHDG,%1,,,,").arg(field(v.headingDegrees, 1)));
    return out;
}

}  // namespace NmeaPlotter
