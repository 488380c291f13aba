#include "data/waypoint_store.h"

#include "base/file_aside.h"
#include "base/log.h"
#include "data/waypoint_file.h"
#include "data/waypoint_texts.h"
#include "navi/convert.h"
#include "platform/platform.h"

#include <QFile>
#include <QFileInfo>

namespace {

// first..last, wrapping past the last slot to 0 when first > last.
QVector<int> slotRange(int first, int last) {
    QVector<int> range;
    if (first <= last) {
        for (int s = first; s <= last; ++s)
            range << s;
    } else {
        for (int s = first; s < WaypointStore::kSlots; ++s)
            range << s;
        for (int s = 0; s <= last; ++s)
            range << s;
    }
    return range;
}

bool validSlot(int slot) {
    return slot >= 0 && slot < WaypointStore::kSlots;
}

QString slotList(const QVector<int>& range) {
    QStringList numbers;
    for (int s : range)
        numbers << StructWaypoint::snOf(s);
    return numbers.join(QStringLiteral(", "));
}

}  // namespace

WaypointStore::WaypointStore(const QString& handsetPath) : m_path(handsetPath) {
    for (int s = 0; s < kSlots; ++s)
        m_slots << StructWaypoint::emptyAt(s);
}

bool WaypointStore::load(int page) {
    if (page < 1 || page > kPages) return false;
    const int first = (page - 1) * kPageSize;
    const WaypointFile::StructRead r =
        WaypointFile::read(Platform::path(m_path), first, first + kPageSize - 1);
    for (int i = 0; i < r.records.size(); ++i)
        m_slots[first + i] = r.records.at(i);
    QString problem;
    if (r.notAFile && !m_fileProblemSaid) {
        problem = QStringLiteral(" is not a file: no waypoints read, none written");
        m_fileProblemSaid = true;
    }
    if (r.formatError && !m_fileProblemSaid) {
        problem = QStringLiteral(" is damaged: lines that could not be read are left out");
        m_fileProblemSaid = true;
    }
    if (!r.damaged.isEmpty()) {
        problem += (problem.isEmpty() ? QStringLiteral(" is damaged: slots ")
                                      : QStringLiteral("; slots ")) +
                   slotList(r.damaged) +
                   QStringLiteral(" hold values that could not be read (left empty)");
    }
    m_fileDamaged = m_fileDamaged || r.formatError || !r.damaged.isEmpty();
    if (!problem.isEmpty()) qCWarning(lcCore).noquote() << "waypoint file" << m_path + problem;
    return true;
}

const StructWaypoint& WaypointStore::at(int slot) const {
    return m_slots.at(qBound(0, slot, kSlots - 1));
}

int WaypointStore::firstEmpty() const {
    for (int s = 0; s < kSlots; ++s) {
        if (m_slots.at(s).isEmpty()) return s;
    }
    return 0;
}

void WaypointStore::setCurrent(int slot) {
    if (validSlot(slot)) m_current = slot;
}

bool WaypointStore::save() {
    return write({m_current});
}

bool WaypointStore::save(int first, int last) {
    if (!validSlot(first) || !validSlot(last)) return false;
    return write(slotRange(first, last));
}

// A damaged file is kept under a name of its own; the settings writer would drop what it
// could not read.
bool WaypointStore::moveDamagedFileAside(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const QString aside = FileAside::keep(path);
    if (aside.isEmpty()) return false;
    qCWarning(lcCore).noquote() << "waypoint file: the damaged file is kept as"
                                << QFileInfo(aside).fileName()
                                << "and the waypoints are written afresh";
    return true;
}

bool WaypointStore::write(QVector<int> range) {
    const QString path = Platform::path(m_path);
    if (m_fileDamaged) {
        if (!moveDamagedFileAside(path)) {
            qCWarning(lcCore).noquote()
                << "waypoint file: cannot keep the damaged" << m_path << "aside; nothing written";
            for (int s : range)
                m_unsaved.insert(s);
            return false;
        }
        m_fileDamaged = false;
        for (int s = 0; s < kSlots; ++s) {
            if (!m_slots.at(s).isEmpty()) m_unsaved.insert(s);
        }
    }
    for (int s : qAsConst(m_unsaved)) {
        if (!range.contains(s)) range << s;
    }
    QVector<StructWaypoint> records;
    for (int s : range)
        records << m_slots.at(s);
    if (WaypointFile::write(path, records)) {
        m_unsaved.clear();
        return true;
    }
    qCWarning(lcCore).noquote() << "waypoint file: cannot write" << m_path;
    for (int s : range)
        m_unsaved.insert(s);
    return false;
}

StructWaypoint WaypointStore::beginNew(int slot, uint32_t time, int lon, int lat, float depth) {
    setCurrent(slot == -1 ? firstEmpty() : slot);
    m_creating = true;
    m_pendingTime = time;
    m_opened = m_slots.at(m_current);
    StructWaypoint w = StructWaypoint::emptyAt(m_current);
    w.name = WaypointTexts::proposedName(time);
    w.latitude = Convert::ddS32_to_dmString_lat(lat);
    w.longitude = Convert::ddS32_to_dmString_lon(lon);
    w.depth = depth;
    return w;
}

StructWaypoint WaypointStore::beginEdit() {
    m_creating = false;
    m_pendingTime = 0;
    m_opened = m_slots.at(m_current);
    return m_opened;
}

bool WaypointStore::confirm(int slot, const StructWaypoint& edited) {
    if (!validSlot(slot)) return false;
    StructWaypoint w = edited;
    w.sn = StructWaypoint::snOf(slot);
    if (m_creating) {
        w.date =
            m_pendingTime ? WaypointTexts::dateText(m_pendingTime) : StructWaypoint::emptyDate();
        w.time =
            m_pendingTime ? WaypointTexts::timeText(m_pendingTime) : StructWaypoint::emptyTime();
    } else {
        w.date = m_opened.date;
        w.time = m_opened.time;
    }
    m_creating = false;
    m_pendingTime = 0;
    m_current = slot;
    m_slots[slot] = w;
    return save();
}

bool WaypointStore::deleteCurrent() {
    m_slots[m_current] = StructWaypoint::emptyAt(m_current);
    return save();
}

void WaypointStore::importWaypoint(int slot, uint32_t time, const QString& name, int lon, int lat,
                                   float depth) {
    if (!validSlot(slot)) return;
    m_current = slot;
    StructWaypoint w = StructWaypoint::emptyAt(slot);
    w.name = WaypointTexts::importName(name, w.sn);
    w.latitude = Convert::ddS32_to_dmString_lat(lat);
    w.longitude = Convert::ddS32_to_dmString_lon(lon);
    w.depth = depth;
    if (time != 0) {
        w.date = WaypointTexts::dateText(time);
        w.time = WaypointTexts::timeText(time);
    }
    m_slots[slot] = w;
}

bool WaypointStore::allSelectedIdxIsEmpty(int count) {
    const int first = m_current;
    const int n = qBound(1, count, kSlots);
    const int last = first + n <= kSlots ? first + n - 1 : first + n - 1 - kSlots;
    m_importFirst = first;
    m_importLast = last;
    for (int s : slotRange(first, last)) {
        if (!m_slots.at(s).isEmpty()) return false;
    }
    return true;
}

void WaypointStore::getImportIdx(int& first, int& last) const {
    first = m_importFirst;
    last = m_importLast;
}
