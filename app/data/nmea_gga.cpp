#include "data/nmea_gga.h"

#include "data/kvlw_time.h"

#include <cstdlib>

namespace {

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

}  // namespace

namespace NmeaGga {

QString coordinate(int32_t dm, int degreeDigits) {
    const int64_t v = std::llabs(int64_t(dm));
    return QStringLiteral("%1%2.%3")
        .arg(int(v / 10000000), degreeDigits, 10, QLatin1Char('0'))
        .arg(twoDigits(int(v % 10000000 / 100000)))
        .arg(int(v % 100000 / 10), 4, 10, QLatin1Char('0'));
}

QString checksum(const QString& body) {
    const int from = body.indexOf(QLatin1Char('$')) + 1;
    int to = body.indexOf(QLatin1Char('*'), from);
    if (to < 0) to = body.size();
    int x = 0;
    for (int i = from; i < to; ++i)
        x ^= body[i].unicode() < 256 ? body[i].unicode() : 0;
    return QStringLiteral("%1").arg(x, 2, 16, QLatin1Char('0')).toUpper();
}

QString sentence(const StructFix& fix) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(fix.utc);
    const QString body = QStringLiteral("$GPGGA,%1%2%3,%4,%5,%6,%7,%8,%9,")
                             .arg(twoDigits(t.hour), twoDigits(t.minute), twoDigits(t.second))
                             .arg(coordinate(fix.latitudeDm, 2),
                                  fix.latitudeDm < 0 ? QStringLiteral("S") : QStringLiteral("N"))
                             .arg(coordinate(fix.longitudeDm, 3),
                                  fix.longitudeDm < 0 ? QStringLiteral("W") : QStringLiteral("E"))
                             .arg(fix.satellites >= 3 ? 1 : 0)
                             .arg(twoDigits(fix.satellites)) +
                         QString::number(fix.hdopHundredths / 100.0, 'f', 1) +
                         QStringLiteral(",,,,,*");
    return body + checksum(body) + QStringLiteral("\r\n");
}

}  // namespace NmeaGga
