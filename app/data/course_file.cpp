#include "data/course_file.h"

#include "base/ini_file.h"

#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("WayCourse/");

}  // namespace

namespace CourseFile {

QString handsetPath(int slot) {
    return QStringLiteral("/opt/waycourse%1.kwc").arg(slot);
}

StructRoute readHeader(const QString& path) {
    StructRoute r;
    const IniFile ini(path);
    if (ini.value(kGroup + QLatin1String("count")).toInt() == 0) return r;
    r.startTime = ini.value(kGroup + QLatin1String("startTime")).toUInt();
    r.endTime = ini.value(kGroup + QLatin1String("endTime")).toUInt();
    r.distance = ini.value(kGroup + QLatin1String("distance")).toInt();
    // No longer than the handset names a course (a foreign file may say anything).
    r.name = ini.value(kGroup + QLatin1String("name")).toString().left(kNameChars);
    return r;
}

QList<StructRouteDetail> readPoints(const QString& path) {
    QList<StructRouteDetail> points;
    const IniFile ini(path);
    const int count = qBound(0, ini.value(kGroup + QLatin1String("count")).toInt(), kMaxPoints);
    for (int k = 0; k < count; ++k) {
        const QString p = QString::number(k) + QLatin1Char('/');
        StructRouteDetail d;
        d.latitude = ini.value(p + QLatin1String("latitude")).toInt();
        d.longitude = ini.value(p + QLatin1String("longitude")).toInt();
        d.depth = ini.value(p + QLatin1String("depth")).toUInt();
        points.append(d);
    }
    return points;
}

bool write(const QString& path, const StructRoute& route) {
    if (!IniFile::mayWrite(path)) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(kGroup + QLatin1String("name"), route.name);
    ini.setValue(kGroup + QLatin1String("count"), route.points.size());
    ini.setValue(kGroup + QLatin1String("distance"), route.distance);
    ini.setValue(kGroup + QLatin1String("startTime"), route.startTime);
    ini.setValue(kGroup + QLatin1String("endTime"), route.endTime);
    for (int k = 0; k < route.points.size(); ++k) {
        const QString p = QString::number(k) + QLatin1Char('/');
        const StructRouteDetail& d = route.points.at(k);
        ini.setValue(p + QLatin1String("depth"), d.depth);
        ini.setValue(p + QLatin1String("latitude"), d.latitude);
        ini.setValue(p + QLatin1String("longitude"), d.longitude);
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool writeKey(const QString& path, const QString& key, const QVariant& value) {
    if (!IniFile::mayWrite(path)) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(kGroup + key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace CourseFile
