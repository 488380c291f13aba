#include "sonar/color_table_file.h"

#include "sonar/sonar_palette.h"

#include "base/ini_file.h"
#include "base/log.h"

#include <algorithm>

namespace {

const char* const kGroups[3] = {"surface", "fish", "bottom"};

// Reads one palette; false when an entry is missing or not a number, so that a table cut
// short never paints the echogram black.
bool readGroup(const IniFile& ini, const char* group, uint32_t* palette) {
    for (int i = 0; i < ColorTableFile::kEntries; ++i) {
        bool ok = false;
        const QString key = QLatin1String(group) + QLatin1Char('/') + QString::number(i);
        const uint32_t v = ini.value(key).toString().trimmed().toUInt(&ok);
        if (!ok) return false;
        palette[i] = v & 0xFFFF;
    }
    return true;
}

bool wantsReload(const IniFile& ini) {
    // Read back from a file the value is text: "true" or "1" both mean yes.
    const QString text = ini.value(QStringLiteral("needReload")).toString().trimmed().toLower();
    return text == QLatin1String("true") || text == QLatin1String("1");
}

}  // namespace

namespace ColorTableFile {

bool isUsable(const QString& fileName) {
    const IniFile ini(fileName);
    if (ini.state() != IniFile::EnumState::Read || ini.formatError()) return false;
    if (!wantsReload(ini)) return true;
    uint32_t scratch[kEntries];
    for (const char* group : kGroups) {
        if (!readGroup(ini, group, scratch)) return false;
    }
    return true;
}

bool loadUserPalettes(const QString& fileName) {
    const IniFile ini(fileName);
    if (!wantsReload(ini)) return false;
    uint32_t read[3][kEntries];
    for (int g = 0; g < 3; ++g) {
        if (!readGroup(ini, kGroups[g], read[g])) {
            qCWarning(lcCore).noquote() << fileName << "has a missing or unreadable" << kGroups[g]
                                        << "entry: the palettes in use are kept";
            return false;
        }
    }
    std::copy(read[0], read[0] + kEntries, colorArray_rgb565_surface_user);
    std::copy(read[1], read[1] + kEntries, colorArray_rgb565_fish_user);
    std::copy(read[2], read[2] + kEntries, colorArray_rgb565_bottom_user);
    return true;
}

int background(const QString& fileName) {
    const IniFile ini(fileName);
    if (!ini.contains(QStringLiteral("background"))) return -1;
    bool ok = false;
    const int v = ini.value(QStringLiteral("background")).toString().trimmed().toInt(&ok);
    return ok ? v : -1;
}

}  // namespace ColorTableFile
