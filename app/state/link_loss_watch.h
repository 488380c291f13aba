#pragma once

#include <QtGlobal>
#include <cstdint>

// What the link's watch found on a tick.
enum class EnumLinkEvent { None, Lost, Back };

// "Link lost" as soon as no sonar frame has come for kLostMs, and "link back" with the first
// frame after it. The link's own counters count whole seconds up to ten, too slow for a boat
// running hundreds of metres out. It only watches once a frame has been heard (a handset
// switched on before its boat is not a lost link) and while nothing holds the link on purpose
// (a module update, a binding).
class LinkLossWatch {
public:
    // Said at the first tick past this: within 3 s of the last frame at the tick's pace.
    static constexpr qint64 kLostMs = 2750;
    // While lost, the alarm sounds again this often.
    static constexpr qint64 kRepeatMs = 10000;
    // "Link back" stays on screen this long.
    static constexpr qint64 kBackShownMs = 3000;

    // framesHeard: the link's count of frames received, however it wraps.
    EnumLinkEvent tick(uint32_t framesHeard, bool held, qint64 nowMs);

    bool lost() const { return m_lost; }
    // "Link back" is still to be shown.
    bool backShown(qint64 nowMs) const;
    // Milliseconds since the last frame; 0 before the first.
    qint64 silentMs(qint64 nowMs) const;
    // True once at the loss and every kRepeatMs after it while the link stays lost.
    bool alarmDue(qint64 nowMs);

private:
    bool m_heard = false;
    uint32_t m_frames = 0;
    qint64 m_lastFrameMs = 0;
    bool m_lost = false;
    qint64 m_backMs = -1;
    qint64 m_alarmMs = -1;
};
