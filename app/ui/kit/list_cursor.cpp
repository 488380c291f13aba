#include "ui/kit/list_cursor.h"

#include <QtGlobal>

void ListCursor::reset(int count, int visibleRows) {
    m_enabled = QVector<bool>(qMax(0, count), true);
    m_visible = qMax(1, visibleRows);
    m_top = 0;
    m_current = count > 0 ? 0 : -1;
}

void ListCursor::setEnabled(int row, bool enabled) {
    if (row < 0 || row >= m_enabled.size()) return;
    m_enabled[row] = enabled;
    // A cursor left on a row that became disabled moves on to the next usable one.
    if (!enabled && row == m_current && !move(1, 1)) m_current = -1;
    if (enabled && m_current < 0) select(row);
}

bool ListCursor::isEnabled(int row) const {
    return row >= 0 && row < m_enabled.size() && m_enabled[row];
}

bool ListCursor::select(int row) {
    if (!isEnabled(row)) return false;
    m_current = row;
    follow();
    return true;
}

bool ListCursor::up(int steps) {
    return move(-1, steps);
}

bool ListCursor::down(int steps) {
    return move(1, steps);
}

bool ListCursor::move(int direction, int steps) {
    const int n = m_enabled.size();
    if (n == 0) return false;
    const int start = m_current;
    int row = m_current < 0 ? (direction > 0 ? n - 1 : 0) : m_current;
    for (int s = 0; s < steps; ++s) {
        // At most n tries per step: with every row disabled the cursor does not move.
        int next = row;
        for (int tries = 0; tries < n; ++tries) {
            next = (next + direction + n) % n;
            if (m_enabled[next]) break;
        }
        if (!m_enabled[next]) return false;
        row = next;
    }
    m_current = row;
    follow();
    return m_current != start;
}

void ListCursor::follow() {
    if (m_current < 0) return;
    if (m_current < m_top) m_top = m_current;
    if (m_current >= m_top + m_visible) m_top = m_current - m_visible + 1;
    const int maxTop = qMax(0, m_enabled.size() - m_visible);
    m_top = qBound(0, m_top, maxTop);
}
