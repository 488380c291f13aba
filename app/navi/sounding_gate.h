#pragma once

#include "base/geo_point.h"
#include "link/sonar_frame_values.h"
#include "navi/fix_gate.h"

#include <QtGlobal>

// A depth at a position, fit for the depth map.
struct StructSounding {
    GeoPoint where;
    float depthMetres = 0.0f;
    qint64 timeMs = 0;
};

// Why a frame's sounding was not taken.
enum class EnumSoundingVerdict {
    Taken,
    FewSatellites,  // under four
    PoorFix,        // HDOP worse than the GPS filter or than 30
    NoPosition,     // the GPS's (0, 0)
    Jump,           // farther from the last position than the boat can go
    NoBottom,       // no depth, deeper than the range or than 99 m
};

// Which frames may put their depth on the map: a position the fix gate takes and a bottom the
// sonar really found.
class SoundingGate {
public:
    static constexpr int kSteadyFrames = FixGate::kSteadyFrames;

    EnumSoundingVerdict take(const StructSonarFrameFields& f, float depthOffset, float gpsFilter,
                             qint64 timeMs, StructSounding* out);
    void reset() { m_fix.reset(); }

private:
    FixGate m_fix;
};

// The median of five consecutive soundings, placed at the middle one's position: a single
// wrong bottom (a fish school, weed) does not reach the map. A pause of more than three
// seconds starts a new run.
class SoundingMedian {
public:
    static constexpr int kWindow = 5;
    static constexpr qint64 kGapMs = 3000;

    // True when out holds a filtered sounding.
    bool push(const StructSounding& s, StructSounding* out);
    void reset() { m_count = 0; }

private:
    StructSounding m_window[kWindow];
    int m_count = 0;
};
