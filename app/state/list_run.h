#pragma once

#include "data/struct_multi_target.h"

#include <QList>

// Which chained autopilot mode runs: none, go-back (two targets with a wait between them) or a
// list (the multi-target list, or the points of a course, each with a wait).
enum class EnumListMode { Idle, GoBack, List };

// Where a list comes from: the multi-target screen's rows or the points of a course.
enum class EnumListKind { MultiTarget, Course };

// The state of the chained modes between their legs: the mode, the go-back's wait, the list
// still to run (its first point is the leg being run) and whether a course runs without stops.
// The controller starts a leg for each point; this decides what an arrival leads to.
class ListRun {
public:
    struct StructArrival {
        bool completed = false;  // that was the last point: the run has ended
        int waitSeconds = 0;     // otherwise the wait before the next leg
    };

    EnumListMode mode() const { return m_mode; }

    void startGoBack(int waitSeconds);
    int goBackWait() const { return m_goBackWait; }
    // The go-back has reached its second target.
    void endGoBack();

    // targets: in the order they are run. False, and nothing changes, when the list is empty.
    bool startList(const QList<StructMultiTarget>& targets, bool noStop);
    const QList<StructMultiTarget>& targets() const { return m_targets; }
    bool noStop() const { return m_noStop; }
    // Whether a leg's start shows its feedback text: always with stops; without them only the
    // first leg's (asking uses that up).
    bool showLegFeedback();
    // The first point is reached: it leaves the list.
    StructArrival arrive();

    // A stop, an error, the remote control or a single go-to ends whatever runs; the list is
    // kept as it is until the next start builds it anew.
    void end();

private:
    EnumListMode m_mode = EnumListMode::Idle;
    int m_goBackWait = 0;
    QList<StructMultiTarget> m_targets;
    bool m_noStop = false;
    bool m_firstLeg = false;
};
