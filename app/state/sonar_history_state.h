#pragma once

#include "base/configuration.h"
#include "data/boat_values.h"
#include "data/frame_ring.h"
#include "state/log_player.h"

#include <QVector>

// What the history bar looks at: the live frames, or the log being replayed.
enum class EnumHistorySource { None, Live, Replay };

// The sonar's longer history and a cursor through it. Every tick's live frame is kept for the
// last half hour, beside the short history the echogram scrolls; a replayed log is reached
// through its player. While the angler browses, the echogram shows a window of kept frames that
// stands still (frames go on arriving and being recorded), the cursor marks one of its frames
// and moving it past the window's edge moves the window.
class SonarHistoryState {
public:
    static constexpr int kLiveFrames = 30 * 60 * 8;  // half an hour of ticks: 3.97 MB

    SonarHistoryState();

    void takeLive(const kvl_w& frame) { m_live.push(frame); }
    const FrameRing& live() const { return m_live; }
    LogPlayer& player() { return m_player; }
    const LogPlayer& player() const { return m_player; }

    // Browsing begins on the newest live frame, or on the record the replay shows last (the
    // replay pauses). framesShown: how many frames the echogram's window holds.
    void open(EnumHistorySource source, int framesShown);
    void close() { m_source = EnumHistorySource::None; }
    EnumHistorySource source() const { return m_source; }
    bool browsing() const { return m_source != EnumHistorySource::None; }
    // The echogram stands still: browsing live, or the replay paused.
    bool frozen() const;
    // The replay paused or played on from the window's newest record.
    void setReplayPaused(bool paused);

    // Moves the cursor by steps frames (negative: back) within what is kept; true when the
    // window moved with it, so the echogram is drawn again.
    bool moveCursor(int steps);
    qint64 cursor() const { return m_cursor; }
    qint64 windowEnd() const { return m_windowEnd; }
    // Frames between the cursor and the window's newest frame.
    int cursorBack() const { return int(m_windowEnd - m_cursor); }
    kvl_w cursorFrame() const { return frameAt(m_cursor); }
    // The window's frames, oldest first; zero frames where nothing is kept.
    QVector<kvl_w> windowFrames() const;
    // The cursor frame's values as the read-outs would show them, depth offset included.
    StructBoatValues cursorValues(const StructConfiguration& cfg) const;

private:
    qint64 firstKept() const;
    qint64 lastKept() const;
    kvl_w frameAt(qint64 at) const;

    FrameRing m_live;
    LogPlayer m_player;
    EnumHistorySource m_source = EnumHistorySource::None;
    int m_framesShown = 1;
    qint64 m_cursor = 0;
    qint64 m_windowEnd = 0;
};
