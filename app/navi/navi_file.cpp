#include "navi/navi_file.h"

#include "base/ini_file.h"
#include "platform/platform.h"

#include <QSettings>

namespace {
const QString kLon = QStringLiteral("home_lon_d");
const QString kLat = QStringLiteral("home_lat_d");
}  // namespace

namespace NaviFile {

StructHomePosition readHome() {
    const QString path = Platform::path(QLatin1String(kPath));
    // Something other than a file in its place (a FIFO) is not waited on.
    const IniFile file(path);
    bool lonOk = false;
    bool latOk = false;
    StructHomePosition home{file.value(kLon).toInt(&lonOk), file.value(kLat).toInt(&latOk)};
    if (!lonOk) home.lon = 0;
    if (!latOk) home.lat = 0;
    return home;
}

bool writeHome(const StructHomePosition& home) {
    const QString path = Platform::path(QLatin1String(kPath));
    if (!IniFile::mayWrite(path)) return false;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(kLon, home.lon);
    file.setValue(kLat, home.lat);
    file.sync();
    return file.status() == QSettings::NoError;
}

}  // namespace NaviFile
