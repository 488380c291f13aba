#pragma once

// Smooths the handset compass for display: jitter of 10 degrees or less is ignored, and the
// shown heading moves towards a new target by at most 20 degrees per update, taking the short
// way across the 0/360 seam.
class HeadingFilter {
public:
    static constexpr int kDeadBand = 10;
    static constexpr int kMaxStep = 20;
    // The compass's value for "no new reading".
    static constexpr int kNoReading = 720;

    // Feeds one target heading (degrees); returns the heading to show.
    int update(int target);
    int shown() const { return m_last; }
    bool hasValue() const { return m_started; }

    // The target for a raw compass heading: the sensor is mounted turned by half a turn.
    static int targetFromRaw(int raw) { return 180 - raw; }

private:
    int m_last = 0;
    bool m_started = false;
};
