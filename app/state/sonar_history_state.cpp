#include "state/sonar_history_state.h"

#include <algorithm>

SonarHistoryState::SonarHistoryState() : m_live(kLiveFrames) {}

void SonarHistoryState::open(EnumHistorySource source, int framesShown) {
    m_source = source;
    m_framesShown = std::max(1, framesShown);
    if (source == EnumHistorySource::Replay) {
        m_player.setPaused(true);
        m_cursor = std::max(0, m_player.position());
    } else {
        m_cursor = m_live.newest();
    }
    m_windowEnd = m_cursor;
}

bool SonarHistoryState::frozen() const {
    if (m_source == EnumHistorySource::Live) return true;
    return m_source == EnumHistorySource::Replay && m_player.paused();
}

void SonarHistoryState::setReplayPaused(bool paused) {
    if (m_source != EnumHistorySource::Replay || paused == m_player.paused()) return;
    if (paused) {
        m_cursor = m_windowEnd = std::max(0, m_player.position());
    } else {
        m_player.seek(int(m_windowEnd));
    }
    m_player.setPaused(paused);
}

qint64 SonarHistoryState::firstKept() const {
    return m_source == EnumHistorySource::Replay ? 0 : m_live.first();
}

qint64 SonarHistoryState::lastKept() const {
    return m_source == EnumHistorySource::Replay ? m_player.index().count() - 1 : m_live.newest();
}

kvl_w SonarHistoryState::frameAt(qint64 at) const {
    if (m_source == EnumHistorySource::Replay) return m_player.index().frame(int(at));
    return m_live.at(at);
}

bool SonarHistoryState::moveCursor(int steps) {
    if (!browsing() || lastKept() < firstKept()) return false;
    m_cursor = std::clamp(m_cursor + steps, firstKept(), lastKept());
    const qint64 before = m_windowEnd;
    if (m_cursor > m_windowEnd) m_windowEnd = m_cursor;
    if (m_cursor < m_windowEnd - (m_framesShown - 1)) m_windowEnd = m_cursor + m_framesShown - 1;
    return m_windowEnd != before;
}

QVector<kvl_w> SonarHistoryState::windowFrames() const {
    const qint64 from = m_windowEnd - m_framesShown + 1;
    if (m_source == EnumHistorySource::Replay)
        return m_player.index().frames(int(from), m_framesShown);
    QVector<kvl_w> out;
    out.reserve(m_framesShown);
    for (qint64 s = from; s <= m_windowEnd; ++s)
        out.append(m_live.at(s));
    return out;
}

StructBoatValues SonarHistoryState::cursorValues(const StructConfiguration& cfg) const {
    BoatValues values;
    values.update(cursorFrame(), cfg, true);
    return values.values();
}
