#include "state/list_run.h"

void ListRun::startGoBack(int waitSeconds) {
    m_mode = EnumListMode::GoBack;
    m_goBackWait = qMax(0, waitSeconds);
    m_noStop = false;
}

void ListRun::endGoBack() {
    if (m_mode == EnumListMode::GoBack) m_mode = EnumListMode::Idle;
}

bool ListRun::startList(const QList<StructMultiTarget>& targets, bool noStop) {
    if (targets.isEmpty()) return false;
    m_targets = targets;
    m_mode = EnumListMode::List;
    m_noStop = noStop;
    m_firstLeg = true;
    return true;
}

bool ListRun::showLegFeedback() {
    if (!m_noStop) return true;
    const bool first = m_firstLeg;
    m_firstLeg = false;
    return first;
}

ListRun::StructArrival ListRun::arrive() {
    StructArrival a;
    if (m_targets.size() <= 1) {
        m_targets.clear();
        end();
        a.completed = true;
        return a;
    }
    a.waitSeconds = m_noStop ? 0 : qMax(0, m_targets.first().delay);
    m_targets.removeFirst();
    return a;
}

void ListRun::end() {
    m_mode = EnumListMode::Idle;
    m_noStop = false;
}
