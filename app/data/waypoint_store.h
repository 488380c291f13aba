#pragma once

#include "data/struct_waypoint.h"

#include <QSet>
#include <QString>
#include <QVector>
#include <cstdint>

// The 500 waypoint slots and the current one, with the rules of creating, editing, deleting
// and importing, each change written to the waypoint file at once, slot by slot.
//
// A slot whose write failed is written again with the next change, so a full or read-only
// flash loses nothing that a later write can still save. A file found damaged at loading is
// moved aside (kept as "<file>.damaged", or "-2", "-3" ... after it) before the first write,
// which then writes every waypoint afresh: the settings writer would otherwise drop the lines
// it could not read.
class WaypointStore {
public:
    static constexpr int kSlots = 500;
    static constexpr int kPageSize = 100;
    static constexpr int kPages = 5;

    // handsetPath: an absolute handset path (Platform::path maps it).
    explicit WaypointStore(const QString& handsetPath = QLatin1String("/opt/waypointarray.kwp"));

    // Page 1..5 loads slots (page - 1) x 100 .. page x 100 - 1; other pages do nothing and
    // return false. What is wrong with the file is said on the console: lines the reader
    // could not take and something other than a file once, damaged slots with their page.
    bool load(int page);

    const StructWaypoint& at(int slot) const;
    bool isEmpty(int slot) const { return at(slot).isEmpty(); }
    // The first empty slot from 0 up; 0 when every slot is used.
    int firstEmpty() const;

    int current() const { return m_current; }
    // Out-of-range slots are ignored.
    void setCurrent(int slot);

    // Writes the current slot; the range first..last (wrapping past 499 to 0 when first >
    // last). False when the file could not be written (the slots stay in memory and are
    // written again with the next change).
    bool save();
    bool save(int first, int last);

    // --- Editing -----------------------------------------------------------------------------
    // A new waypoint: slot -1 is the first empty one; the slot becomes current. Returns the
    // proposed record (name from the time, the position texts, depth in metres).
    StructWaypoint beginNew(int slot, uint32_t time, int lon, int lat, float depth);
    // The current slot's record, for editing.
    StructWaypoint beginEdit();
    // Whether a new waypoint is being made (beginNew), and its creation time (0 without one).
    bool creating() const { return m_creating; }
    uint32_t pendingTime() const { return m_pendingTime; }
    // The editor's record, confirmed under slot: icon, name, position and depth as edited; the
    // date and time of the creation (the empty ones without a GPS time), or else those of
    // the record that was opened, so a waypoint moved to another slot keeps them. The slot
    // becomes current and is written.
    bool confirm(int slot, const StructWaypoint& edited);
    // Empties the current slot (its number stays) and writes it.
    bool deleteCurrent();

    // --- Import ------------------------------------------------------------------------------
    // Fills one slot (becoming current) from imported data; not written (the caller writes
    // the block with save(first, last)).
    void importWaypoint(int slot, uint32_t time, const QString& name, int lon, int lat,
                        float depth = 0);
    // The block of count slots from the current one (wrapping past 499 to 0); true when all
    // of them are empty. The range is kept for getImportIdx.
    bool allSelectedIdxIsEmpty(int count);
    void getImportIdx(int& first, int& last) const;

private:
    bool write(QVector<int> range);
    bool moveDamagedFileAside(const QString& path);

    QString m_path;
    QVector<StructWaypoint> m_slots;
    int m_current = 0;
    bool m_creating = false;
    uint32_t m_pendingTime = 0;
    StructWaypoint m_opened;  // the record the editor was opened on
    int m_importFirst = 0;
    int m_importLast = 0;
    QSet<int> m_unsaved;
    bool m_fileDamaged = false;
    bool m_fileProblemSaid = false;
};
