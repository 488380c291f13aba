#include "state/link_loss_watch.h"

EnumLinkEvent LinkLossWatch::tick(uint32_t framesHeard, bool held, qint64 nowMs) {
    const bool newFrames = framesHeard != m_frames;
    m_frames = framesHeard;
    if (newFrames) {
        m_heard = true;
        m_lastFrameMs = nowMs;
        if (!m_lost) return EnumLinkEvent::None;
        m_lost = false;
        m_backMs = nowMs;
        m_alarmMs = -1;
        return EnumLinkEvent::Back;
    }
    // A link held on purpose is silent by design; the silence counts from its end.
    if (held) {
        m_lastFrameMs = nowMs;
        return EnumLinkEvent::None;
    }
    if (!m_heard || m_lost || nowMs - m_lastFrameMs < kLostMs) return EnumLinkEvent::None;
    m_lost = true;
    m_backMs = -1;
    return EnumLinkEvent::Lost;
}

bool LinkLossWatch::backShown(qint64 nowMs) const {
    return !m_lost && m_backMs >= 0 && nowMs - m_backMs < kBackShownMs;
}

qint64 LinkLossWatch::silentMs(qint64 nowMs) const {
    return m_heard ? nowMs - m_lastFrameMs : 0;
}

bool LinkLossWatch::alarmDue(qint64 nowMs) {
    if (!m_lost) return false;
    if (m_alarmMs >= 0 && nowMs - m_alarmMs < kRepeatMs) return false;
    m_alarmMs = nowMs;
    return true;
}
