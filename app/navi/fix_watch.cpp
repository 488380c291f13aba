#include "navi/fix_watch.h"

void FixWatch::take(const StructSonarFrameFields& f, bool fresh, float gpsFilter, qint64 nowMs) {
    if (!fresh) return;
    GeoPoint where;
    m_verdict = m_gate.take(f, gpsFilter, nowMs, &where);
    if (m_verdict != EnumFixVerdict::Good) {
        m_runFrames = 0;
        return;
    }
    m_fix = where;
    m_fixMs = nowMs;
    const bool strong = f.satellites >= kSettleSatellites && f.fixQuality <= kSettleHdop100;
    m_runFrames = strong ? m_runFrames + 1 : 0;
    if (m_runFrames >= kSettleFrames) m_settled = true;
}

void FixWatch::reset() {
    *this = FixWatch();
}

bool FixWatch::usable(qint64 nowMs) const {
    return m_verdict == EnumFixVerdict::Good && !stale(nowMs);
}

qint64 FixWatch::ageMs(qint64 nowMs) const {
    return m_fix.isSet() ? nowMs - m_fixMs : -1;
}

bool FixWatch::stale(qint64 nowMs) const {
    return !m_fix.isSet() || nowMs - m_fixMs > kStaleMs;
}
