#include "sonar/color_table_file.h"

#include "sonar/sonar_palette.h"

#include <QSettings>

namespace {
void readGroup(QSettings& ini, const QString& group, uint32_t* palette) {
    for (int i = 0; i < ColorTableFile::kEntries; ++i) {
        const uint32_t v = ini.value(group + QLatin1Char('/') + QString::number(i), 0).toUInt();
        palette[i] = v & 0xFFFF;
    }
}
}  // namespace

namespace ColorTableFile {

bool loadUserPalettes(const QString& fileName) {
    QSettings ini(fileName, QSettings::IniFormat);
    const QVariant reload = ini.value(QStringLiteral("needReload"));
    // Read back from a file the value is text: "true" or "1" both mean yes.
    const QString text = reload.toString().trimmed().toLower();
    if (!reload.isValid() || !(text == QLatin1String("true") || text == QLatin1String("1")))
        return false;
    readGroup(ini, QStringLiteral("surface"), colorArray_rgb565_surface_user);
    readGroup(ini, QStringLiteral("fish"), colorArray_rgb565_fish_user);
    readGroup(ini, QStringLiteral("bottom"), colorArray_rgb565_bottom_user);
    return true;
}

int background(const QString& fileName) {
    QSettings ini(fileName, QSettings::IniFormat);
    if (!ini.contains(QStringLiteral("background"))) return -1;
    bool ok = false;
    const int v = ini.value(QStringLiteral("background")).toString().trimmed().toInt(&ok);
    return ok ? v : -1;
}

}  // namespace ColorTableFile
