#pragma once

#include "navi/fix_gate.h"

// The boat's fix as the handset may use it: the newest frame's position through the fix gate,
// how old the last good one is, and whether the fix has settled after a cold start. Home, the
// track, the course, the depth map and the NMEA output take only a usable fix; home waits
// until it has settled, as the first fixes of a GPS that has just found its satellites wander
// by tens of metres.
class FixWatch {
public:
    // A fix older than this is stale: the link or the GPS has stopped giving new ones.
    static constexpr qint64 kStaleMs = 3000;
    // Settled: kSettleFrames good fixes in a row, each of at least kSettleSatellites with an
    // HDOP of at most kSettleHdop100 / 100: a GPS that has just found its fourth satellite has
    // not yet.
    static constexpr int kSettleFrames = 5;
    static constexpr int kSettleSatellites = 5;
    static constexpr int kSettleHdop100 = 250;

    // One frame. fresh: it came from the boat (or the log) since the last call; a frame handed
    // again for want of a new one is not a new fix.
    void take(const StructSonarFrameFields& f, bool fresh, float gpsFilter, qint64 nowMs);
    void reset();

    bool usable(qint64 nowMs) const;
    bool settled() const { return m_settled; }
    // Milliseconds since the last good fix; -1 before the first.
    qint64 ageMs(qint64 nowMs) const;
    bool stale(qint64 nowMs) const;
    GeoPoint fix() const { return m_fix; }
    EnumFixVerdict lastVerdict() const { return m_verdict; }

private:
    FixGate m_gate;
    EnumFixVerdict m_verdict = EnumFixVerdict::NoPosition;
    GeoPoint m_fix;
    qint64 m_fixMs = 0;
    int m_runFrames = 0;
    bool m_settled = false;
};
