#include "data/multi_target_file.h"

#include "data/waypoint_file.h"

#include "base/ini_file.h"

#include <QSettings>

namespace {
QString delayKey(int row) {
    return StructWaypoint::snOf(row) + QStringLiteral("/delay");
}
}  // namespace

namespace MultiTargetFile {

// The rows have the waypoint file's keys: its reader and writer do them, each row under its
// own number in place of the waypoint's slot.
QVector<StructMultiTarget> read(const QString& path) {
    const WaypointFile::StructRead waypoints = WaypointFile::read(path, 0, kRows - 1);
    QVector<StructMultiTarget> rows;
    for (int r = 0; r < kRows; ++r)
        rows << StructMultiTarget(StructWaypoint::emptyAt(r), 0);
    const IniFile ini(path);
    if (ini.state() != IniFile::EnumState::Read) return rows;
    for (int r = 0; r < kRows; ++r) {
        rows[r] = StructMultiTarget(waypoints.records.at(r), 0);
        if (!rows[r].isEmpty()) rows[r].delay = qBound(0, ini.value(delayKey(r)).toInt(), 999);
    }
    return rows;
}

bool write(const QString& path, const QVector<StructMultiTarget>& rows) {
    QVector<StructWaypoint> records;
    for (int r = 0; r < rows.size() && r < kRows; ++r) {
        StructWaypoint w = rows.at(r);
        w.sn = StructWaypoint::snOf(r);
        records << w;
    }
    if (!WaypointFile::write(path, records)) return false;
    QSettings ini(path, QSettings::IniFormat);
    for (int r = 0; r < records.size(); ++r)
        ini.setValue(delayKey(r), QString::number(rows.at(r).delay));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace MultiTargetFile
