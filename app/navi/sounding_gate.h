#pragma once

#include "base/geo_point.h"
#include "link/sonar_frame_values.h"

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

// Which frames may put their depth on the map: a usable fix of at least four satellites, no
// jump faster than a bait boat can go (10 m/s, with 5 m for the GPS's own wander), and a
// bottom the sonar really found. A position that jumped is taken as the new one once it has
// been steady for kSteadyFrames frames, so one wrong fix cannot lock the map out.
class SoundingGate {
public:
    static constexpr double kMaxSpeedMps = 10.0;
    static constexpr double kSlackMetres = 5.0;
    static constexpr int kSteadyFrames = 5;

    EnumSoundingVerdict take(const StructSonarFrameFields& f, float depthOffset, float gpsFilter,
                             qint64 timeMs, StructSounding* out);
    void reset();

private:
    bool plausibleStep(GeoPoint from, qint64 fromMs, GeoPoint to, qint64 toMs) const;

    GeoPoint m_last;
    qint64 m_lastMs = 0;
    GeoPoint m_candidate;
    qint64 m_candidateMs = 0;
    int m_candidateFrames = 0;
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

// Metres between two positions on a flat earth; good over the few hundred metres compared.
double flatDistanceMetres(GeoPoint a, GeoPoint b);
