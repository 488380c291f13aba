#include "state/waypoint_book.h"

WaypointBook::WaypointBook(QObject* parent) : QObject(parent) {}

bool WaypointBook::loadPage(int page) {
    if (!m_store.load(page)) return false;
    emit changed(-1);
    return true;
}

void WaypointBook::setCurrent(int slot) {
    const int before = m_store.current();
    m_store.setCurrent(slot);
    currentMoved(before);
}

void WaypointBook::currentMoved(int before) {
    if (m_store.current() != before) emit currentChanged(m_store.current());
}

bool WaypointBook::written(bool ok) {
    if (!ok) emit saveFailed();
    return ok;
}

bool WaypointBook::save() {
    return written(m_store.save());
}

bool WaypointBook::save(int first, int last) {
    return written(m_store.save(first, last));
}

StructWaypoint WaypointBook::beginNew(int slot, uint32_t time, int lon, int lat, float depth) {
    const int before = m_store.current();
    const StructWaypoint proposed = m_store.beginNew(slot, time, lon, lat, depth);
    currentMoved(before);
    return proposed;
}

StructWaypoint WaypointBook::beginEdit() {
    return m_store.beginEdit();
}

bool WaypointBook::confirm(int slot, const StructWaypoint& edited) {
    const int before = m_store.current();
    const bool ok = written(m_store.confirm(slot, edited));
    if (m_store.current() == slot) emit changed(slot);  // an invalid slot changes nothing
    currentMoved(before);
    return ok;
}

bool WaypointBook::deleteCurrent() {
    const bool ok = written(m_store.deleteCurrent());
    emit changed(m_store.current());
    return ok;
}

void WaypointBook::importWaypoint(int slot, uint32_t time, const QString& name, int lon, int lat,
                                  float depth) {
    const int before = m_store.current();
    m_store.importWaypoint(slot, time, name, lon, lat, depth);
    if (m_store.current() == slot) emit changed(slot);
    currentMoved(before);
}
