#pragma once

#include "base/geo_point.h"
#include "link/sonar_frame_values.h"

#include <QtGlobal>

// Why a frame's position was not taken.
enum class EnumFixVerdict {
    Good,
    FewSatellites,  // under four
    PoorFix,        // HDOP worse than the GPS filter or than 30
    NoPosition,     // the GPS's (0, 0)
    Jump,           // farther from the last position than the boat can go
};

// Which positions may be used at all: a fix of at least four satellites within the GPS filter,
// not the GPS's (0, 0), and no jump faster than a bait boat can go (10 m/s, with 5 m for the
// GPS's own wander). A position that jumped is taken as the new one once it has been steady for
// kSteadyFrames frames, so one wrong fix cannot lock the boat out for good.
class FixGate {
public:
    static constexpr int kMinSatellites = 4;
    static constexpr double kMaxSpeedMps = 10.0;
    static constexpr double kSlackMetres = 5.0;
    static constexpr int kSteadyFrames = 5;

    EnumFixVerdict take(const StructSonarFrameFields& f, float gpsFilter, qint64 timeMs,
                        GeoPoint* out);
    void reset();

private:
    bool plausibleStep(GeoPoint from, qint64 fromMs, GeoPoint to, qint64 toMs) const;

    GeoPoint m_last;
    qint64 m_lastMs = 0;
    GeoPoint m_candidate;
    qint64 m_candidateMs = 0;
    int m_candidateFrames = 0;
};

// Metres between two positions on a flat earth; good over the few kilometres compared.
double flatDistanceMetres(GeoPoint a, GeoPoint b);
