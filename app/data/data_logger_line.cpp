#include "data/data_logger_line.h"

#include "data/kvlw_time.h"

#include <QString>

namespace DataLoggerLine {

QByteArray build(int lat_ddS32, int lon_ddS32, float depthMetres, uint32_t boatTime) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(boatTime);
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    const QString line = QString::number(lat_ddS32 / 10000000.0, 'f', 6) + QLatin1Char(',') +
                         QString::number(lon_ddS32 / 10000000.0, 'f', 6) + QLatin1Char(',') +
                         QString::number(double(depthMetres), 'f', 1) + QLatin1Char(',') +
                         two(t.year - 2000) + QLatin1Char('-') + two(t.month) + QLatin1Char('-') +
                         two(t.day) + QLatin1Char(',') + two(t.hour) + QLatin1Char(':') +
                         two(t.minute) + QLatin1Char(':') + two(t.second) + QStringLiteral(",\r\n");
    return line.toLatin1();
}

}  // namespace DataLoggerLine
