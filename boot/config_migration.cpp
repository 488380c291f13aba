#include "config_migration.h"

#include "settings_check.h"

#include <QFileInfo>
#include <QSettings>
#include <QtDebug>
#include <utility>

namespace {

void mapText(QSettings& s, const char* key, std::initializer_list<std::pair<QString, int>> map) {
    const QString old = s.value(QLatin1String(key)).toString();
    for (const auto& entry : map) {
        if (old == entry.first) s.setValue(QLatin1String(key), entry.second);
    }
}

// 0 or 1, else -1.
int flag(const QSettings& s, const char* key) {
    bool ok = false;
    const int v = s.value(QLatin1String(key)).toString().toInt(&ok);
    return ok && (v == 0 || v == 1) ? v : -1;
}

}  // namespace

namespace ConfigMigration {

bool isNeeded(const QString& currentVersion, const QString& newVersion) {
    return (currentVersion.startsWith('1') || currentVersion.startsWith('N')) &&
           newVersion.startsWith('2');
}

bool migrate(const QString& file) {
    if (!QFileInfo::exists(file)) return true;
    QString why;
    if (!SettingsCheck::isSafe(file, &why)) {
        qWarning("configuration %s is %s; left as it was", qPrintable(file), qPrintable(why));
        return false;
    }
    QSettings s(file, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) {
        qWarning("configuration %s cannot be read; left as it was", qPrintable(file));
        return false;
    }
    mapText(s, "Ap/apMode", {{"H", 0}, {"O", 1}, {"T", 2}});
    mapText(s, "Ap/apCh1Reverse", {{"R", 1}, {"N", 0}});
    mapText(s, "Ap/apCh2Reverse", {{"R", 1}, {"N", 0}});
    const int depthUnit = flag(s, "Sonar/depthUnit");
    const int temperatureUnit = flag(s, "Sonar/temperatureUnit");
    if (depthUnit >= 0 && temperatureUnit >= 0)
        s.setValue(QStringLiteral("Sonar/unit"), 2 * depthUnit + temperatureUnit);
    const std::pair<const char*, int> resets[] = {
        {"Basic/shallowAlarmLevel", 0}, {"Sonar/colorLine", 0},      {"Basic/sonarGain", 3},
        {"GPS/sampleDst", 5},           {"GPS/arriveAlarmLevel", 3}, {"Basic/depthRange", 0},
        {"Sonar/depthOffset", 0},       {"Sonar/tempOffset", 0},     {"Other/hourSystem", 1},
    };
    for (const auto& reset : resets)
        s.setValue(QLatin1String(reset.first), reset.second);
    s.sync();
    if (s.status() != QSettings::NoError) {
        qWarning("configuration %s cannot be written", qPrintable(file));
        return false;
    }
    return true;
}

}  // namespace ConfigMigration
