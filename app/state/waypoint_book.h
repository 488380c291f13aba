#pragma once

#include "data/waypoint_store.h"

#include <QObject>

// The program's waypoints: the 500 slots of the store, loaded page by page from the waypoint
// file and written at every change the user makes. The screens that list or pick waypoints
// read it and repaint on its signals.
//
// Every call that writes reports a write that failed with saveFailed(), once per call; the
// store keeps the slots and writes them again with the next change.
class WaypointBook : public QObject {
    Q_OBJECT
public:
    explicit WaypointBook(QObject* parent = nullptr);

    const WaypointStore& store() const { return m_store; }
    const StructWaypoint& at(int slot) const { return m_store.at(slot); }
    int current() const { return m_store.current(); }

    // Page 1..5 of the file; another page does nothing and returns false.
    bool loadPage(int page);
    // Out-of-range slots are ignored.
    void setCurrent(int slot);

    // The current slot; first..last (wrapping past 499). False when the file was not written.
    bool save();
    bool save(int first, int last);

    // The editor's steps (see WaypointStore): the proposed record of a new waypoint (slot -1:
    // the first empty one), the current record, the edited record written under slot.
    StructWaypoint beginNew(int slot, uint32_t time, int lon, int lat, float depth);
    StructWaypoint beginEdit();
    bool confirm(int slot, const StructWaypoint& edited);
    // Empties the current slot and writes it.
    bool deleteCurrent();

    // One imported slot, not written: the caller writes the block with save(first, last).
    void importWaypoint(int slot, uint32_t time, const QString& name, int lon, int lat,
                        float depth = 0);
    bool allSelectedIdxIsEmpty(int count) { return m_store.allSelectedIdxIsEmpty(count); }
    void getImportIdx(int& first, int& last) const { m_store.getImportIdx(first, last); }

signals:
    // A slot's record changed; -1: a page of slots was loaded.
    void changed(int slot);
    // Another slot became the current one.
    void currentChanged(int slot);
    // The waypoint file could not be written; what was not written goes with the next change.
    void saveFailed();

private:
    bool written(bool ok);
    // Emits currentChanged when the store's current slot is no longer before.
    void currentMoved(int before);

    WaypointStore m_store;
};
