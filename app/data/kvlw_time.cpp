#include "data/kvlw_time.h"

#include <QDateTime>

namespace KvlwTime {

StructDateTime unpack(uint32_t word) {
    StructDateTime t;
    t.year = 2000 + int(word >> 26);
    t.month = int((word >> 22) & 0x0f);
    t.day = int((word >> 17) & 0x1f);
    t.hour = int((word >> 12) & 0x1f);
    t.minute = int((word >> 6) & 0x3f);
    t.second = int(word & 0x3f);
    return t;
}

uint32_t pack(const StructDateTime& t) {
    if (t.year < 2000 || t.year > 2063) return 0;
    return uint32_t(t.year - 2000) << 26 | uint32_t(t.month & 0x0f) << 22 |
           uint32_t(t.day & 0x1f) << 17 | uint32_t(t.hour & 0x1f) << 12 |
           uint32_t(t.minute & 0x3f) << 6 | uint32_t(t.second & 0x3f);
}

uint32_t utc2Local(uint32_t utcWord, float timeZone) {
    const StructDateTime u = unpack(utcWord);
    const QDate date(u.year, u.month, u.day);
    const QTime time(u.hour, u.minute, u.second);
    if (!date.isValid() || !time.isValid()) return 0;
    const QDateTime local = QDateTime(date, time, Qt::UTC).addSecs(qint64(int(timeZone)) * 3600);
    StructDateTime l;
    l.year = local.date().year();
    l.month = local.date().month();
    l.day = local.date().day();
    l.hour = local.time().hour();
    l.minute = local.time().minute();
    l.second = local.time().second();
    return pack(l);
}

}  // namespace KvlwTime
