#pragma once

#include "data/multi_target_file.h"

#include <QObject>
#include <QVector>

// The multi-target list: five rows, each a waypoint and the seconds the boat waits there, kept
// in the multi-target file. The list is read once at start and written when asked (the screen
// asks on every leave and before every start). A write that fails is reported with
// saveFailed(); the rows stay as they are.
class MultiTargetList : public QObject {
    Q_OBJECT
public:
    static constexpr int kRows = MultiTargetFile::kRows;

    explicit MultiTargetList(QObject* parent = nullptr);

    // The row; an empty target without a wait for a row that does not exist.
    StructMultiTarget at(int row) const { return m_rows.value(row); }
    const QVector<StructMultiTarget>& rows() const { return m_rows; }
    // The filled rows with their waits, in the order they are run.
    QList<StructMultiTarget> targets() const;

    // The rows from the file (empty ones for a missing or unreadable file).
    void load();
    // False when the file could not be written.
    bool save();

    // The row's waypoint; its wait stays. Rows out of range are ignored.
    void setWaypoint(int row, const StructWaypoint& waypoint);
    void setDelay(int row, int seconds);
    // The row empty, without a wait.
    void clear(int row);

signals:
    // A row changed; -1: every row was read.
    void changed(int row);
    void saveFailed();

private:
    bool valid(int row) const { return row >= 0 && row < kRows; }

    QVector<StructMultiTarget> m_rows;
};
