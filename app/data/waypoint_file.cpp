#include "data/waypoint_file.h"

#include "base/ini_file.h"
#include "data/waypoint_texts.h"

#include <QSettings>
#include <cmath>

namespace {

// A serialised value cut short (a power cut during a write) comes back as its raw text.
bool isDamagedVariant(const QVariant& v) {
    return v.userType() == QMetaType::QString &&
           v.toString().startsWith(QLatin1String("@Variant("));
}

// A text key in its sound form, or the replacement; clears ok when it was not.
QString readText(const IniFile& ini, const QString& key, bool (*sound)(const QString&),
                 const QString& replacement, bool* ok) {
    const QVariant v = ini.value(key);
    const QString text = v.toString();
    if (!isDamagedVariant(v) && sound(text)) return text;
    *ok = false;
    return replacement;
}

// The slot's record; ok is cleared when any of its values had to be replaced.
StructWaypoint readSlot(const IniFile& ini, int slot, bool* ok) {
    StructWaypoint w = StructWaypoint::emptyAt(slot);
    const QString p = w.sn + QLatin1Char('/');
    if (!ini.contains(p + QLatin1String("name"))) return w;
    const QVariant name = ini.value(p + QLatin1String("name"));
    if (name.toString() == StructWaypoint::emptyName()) return w;
    // No longer than the editor makes one: a name of megabytes would stall every paint of
    // the list.
    w.name = name.toString().left(StructWaypoint::kNameChars);
    if (name.toString().size() > StructWaypoint::kNameChars) *ok = false;
    if (isDamagedVariant(name) || w.name.isEmpty()) {
        w.name = w.sn;
        *ok = false;
    }
    bool iconOk = false;
    w.iconIndex = ini.value(p + QLatin1String("iconIndex")).toInt(&iconOk);
    if (!iconOk || w.iconIndex < 0 || w.iconIndex > 2) {
        w.iconIndex = 0;
        *ok = false;
    }
    w.latitude = readText(ini, p + QLatin1String("latitude"), WaypointTexts::isLatitudeText,
                          StructWaypoint::emptyLatitude(), ok);
    w.longitude = readText(ini, p + QLatin1String("longitude"), WaypointTexts::isLongitudeText,
                           StructWaypoint::emptyLongitude(), ok);
    const QVariant depth = ini.value(p + QLatin1String("depth"));
    bool depthOk = false;
    w.depth = isDamagedVariant(depth) ? 0.0f : depth.toFloat(&depthOk);
    if (!depthOk || !std::isfinite(w.depth)) {
        w.depth = 0;
        *ok = false;
    }
    w.date = readText(ini, p + QLatin1String("date"), WaypointTexts::isDateText,
                      StructWaypoint::emptyDate(), ok);
    w.time = readText(ini, p + QLatin1String("time"), WaypointTexts::isTimeText,
                      StructWaypoint::emptyTime(), ok);
    return w;
}

}  // namespace

namespace WaypointFile {

StructRead read(const QString& path, int first, int last) {
    StructRead out;
    const IniFile ini(path);
    // A FIFO in the file's place would block the read for ever; a file too large to be the
    // handset's is not taken either.
    out.notAFile = ini.state() == IniFile::EnumState::NotAFile;
    out.formatError = ini.formatError() || ini.state() == IniFile::EnumState::TooLarge;
    if (ini.state() != IniFile::EnumState::Read) {
        for (int slot = first; slot <= last; ++slot)
            out.records << StructWaypoint::emptyAt(slot);
        return out;
    }
    for (int slot = first; slot <= last; ++slot) {
        bool ok = true;
        out.records << readSlot(ini, slot, &ok);
        if (!ok) out.damaged << slot;
    }
    return out;
}

bool write(const QString& path, const QVector<StructWaypoint>& records) {
    if (!IniFile::mayWrite(path)) return false;
    QSettings ini(path, QSettings::IniFormat);
    for (const StructWaypoint& w : records) {
        const QString p = w.sn + QLatin1Char('/');
        ini.setValue(p + QLatin1String("iconIndex"), w.iconIndex);
        ini.setValue(p + QLatin1String("name"), w.name);
        ini.setValue(p + QLatin1String("latitude"), w.latitude);
        ini.setValue(p + QLatin1String("longitude"), w.longitude);
        ini.setValue(p + QLatin1String("depth"), QVariant::fromValue<float>(w.depth));
        ini.setValue(p + QLatin1String("date"), w.date);
        ini.setValue(p + QLatin1String("time"), w.time);
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace WaypointFile
