#pragma once

#include "data/log_index.h"

#include <QVector>

// The replay of a sonar log: where it is, how fast and which way it goes, and the records each
// tick shows. It plays in a loop, as the replay always has: past the end it starts again (going
// back, past the start it goes on from the end).
class LogPlayer {
public:
    static constexpr int kSpeedCount = 6;
    static constexpr int kNormalSpeed = 2;  // x1: one record a tick

    // The speed of an index 0..kSpeedCount-1: x0.25, x0.5, x1, x2, x4, x8.
    static double speedOf(int index);

    EnumLogOpen open(const QString& fileName);
    void close();
    bool isOpen() const { return m_index.isOpen(); }
    const LogIndex& index() const { return m_index; }

    // The records one tick brings, in the order they are shown; none while paused.
    QVector<kvl_w> tick();

    // The record last shown; -1 before the first.
    int position() const { return m_position; }
    // The next tick shows the record after i (before it, going back).
    void seek(int i);
    void skipSeconds(float seconds);
    void jumpToPercent(int percent);

    bool paused() const { return m_paused; }
    void setPaused(bool paused) { m_paused = paused; }
    bool reverse() const { return m_reverse; }
    void setReverse(bool reverse) { m_reverse = reverse; }
    int speedIndex() const { return m_speed; }
    void nextSpeed();

private:
    int step(int i) const;

    LogIndex m_index;
    int m_position = -1;
    double m_due = 0;  // records owed to the screen; a slow speed gathers them over ticks
    int m_speed = kNormalSpeed;
    bool m_paused = false;
    bool m_reverse = false;
};
