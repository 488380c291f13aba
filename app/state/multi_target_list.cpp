#include "state/multi_target_list.h"

#include "base/log.h"
#include "platform/platform.h"

namespace {
QString filePath() {
    return Platform::path(QLatin1String(MultiTargetFile::kPath));
}
}  // namespace

MultiTargetList::MultiTargetList(QObject* parent) : QObject(parent) {
    for (int r = 0; r < kRows; ++r)
        m_rows << StructMultiTarget(StructWaypoint::emptyAt(r), 0);
}

void MultiTargetList::load() {
    m_rows = MultiTargetFile::read(filePath());
    emit changed(-1);
}

bool MultiTargetList::save() {
    const bool ok = MultiTargetFile::write(filePath(), m_rows);
    if (!ok) {
        qCWarning(lcCore) << "the multi-target list could not be saved";
        emit saveFailed();
    }
    return ok;
}

void MultiTargetList::setWaypoint(int row, const StructWaypoint& waypoint) {
    if (!valid(row)) return;
    m_rows[row] = StructMultiTarget(waypoint, m_rows.at(row).delay);
    emit changed(row);
}

void MultiTargetList::setDelay(int row, int seconds) {
    if (!valid(row)) return;
    m_rows[row].delay = seconds;
    emit changed(row);
}

void MultiTargetList::clear(int row) {
    if (!valid(row)) return;
    m_rows[row] = StructMultiTarget(StructWaypoint::emptyAt(row), 0);
    emit changed(row);
}

QList<StructMultiTarget> MultiTargetList::targets() const {
    QList<StructMultiTarget> out;
    for (const StructMultiTarget& t : m_rows)
        if (!t.isEmpty()) out << t;
    return out;
}
