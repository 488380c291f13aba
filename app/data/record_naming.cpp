#include "data/record_naming.h"

#include "data/kvlw_time.h"

namespace {
QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}
}  // namespace

namespace RecordNaming {

QString stamp(uint32_t boatTime) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(boatTime);
    return two(t.month) + two(t.day) + QLatin1Char('-') + two(t.hour) + two(t.minute);
}

QString fileName(const QString& folder, const QString& prefix, const QString& extension,
                 uint32_t boatTime, const std::function<bool(const QString&)>& exists) {
    const QString base = folder + prefix;
    if (boatTime != 0) {
        const QString stamped = base + stamp(boatTime);
        if (!exists(stamped + extension)) return stamped + extension;
        for (int n = 1; n <= kMaxNumber; ++n) {
            const QString name = stamped + QLatin1Char('-') + QString::number(n) + extension;
            if (!exists(name)) return name;
        }
        return QString();
    }
    for (int n = 0; n <= kMaxNumber; ++n) {
        const QString name = base + QString::number(n) + extension;
        if (!exists(name)) return name;
    }
    return QString();
}

}  // namespace RecordNaming
