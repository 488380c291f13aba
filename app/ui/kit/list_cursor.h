#pragma once

#include <QVector>

// The selected row of a keypad list and the window of rows that is on screen. Up and Down
// wrap around (row 0 to the last row and back) and skip disabled rows; the window scrolls so
// that the selected row stays visible.
class ListCursor {
public:
    // count rows, all enabled; the cursor goes to row 0 and the window to the top.
    void reset(int count, int visibleRows);
    void setEnabled(int row, bool enabled);
    bool isEnabled(int row) const;

    // Selects row when it exists and is enabled; returns whether it did.
    bool select(int row);
    // steps rows up or down with wrap-around; returns whether the row changed.
    bool up(int steps = 1);
    bool down(int steps = 1);

    int current() const { return m_current; }
    int count() const { return m_enabled.size(); }
    int top() const { return m_top; }
    int visibleRows() const { return m_visible; }

private:
    bool move(int direction, int steps);
    void follow();

    QVector<bool> m_enabled;
    int m_current = -1;
    int m_top = 0;
    int m_visible = 1;
};
