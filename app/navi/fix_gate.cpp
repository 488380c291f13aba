#include "navi/fix_gate.h"

#include "navi/convert.h"
#include "navi/depth_grid.h"

#include <cmath>

namespace {
constexpr double kDegreeUnits = 10000000.0;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

double flatDistanceMetres(GeoPoint a, GeoPoint b) {
    const double north = (b.lat() - a.lat()) / kDegreeUnits * DepthGrid::kMetresPerDegree;
    const double k = std::cos((a.lat() + b.lat()) / 2.0 / kDegreeUnits * kPi / 180.0);
    const double east = (b.lon() - a.lon()) / kDegreeUnits * DepthGrid::kMetresPerDegree * k;
    return std::hypot(north, east);
}

bool FixGate::plausibleStep(GeoPoint from, qint64 fromMs, GeoPoint to, qint64 toMs) const {
    const double seconds = std::max(std::abs(toMs - fromMs) / 1000.0, 1.0);
    return flatDistanceMetres(from, to) <= kMaxSpeedMps * seconds + kSlackMetres;
}

void FixGate::reset() {
    m_last = GeoPoint();
    m_candidate = GeoPoint();
    m_candidateFrames = 0;
}

EnumFixVerdict FixGate::take(const StructSonarFrameFields& f, float gpsFilter, qint64 timeMs,
                             GeoPoint* out) {
    if (f.satellites < kMinSatellites) return EnumFixVerdict::FewSatellites;
    if (!SonarFrameValues::positionUsable(f.fixQuality, gpsFilter)) return EnumFixVerdict::PoorFix;
    const GeoPoint where(Latitude(Convert::dmS32_to_ddS32(f.latitudeDm)),
                         Longitude(Convert::dmS32_to_ddS32(f.longitudeDm)));
    if (!where.isSet()) return EnumFixVerdict::NoPosition;
    if (m_last.isSet() && !plausibleStep(m_last, m_lastMs, where, timeMs)) {
        const bool steady =
            m_candidate.isSet() && plausibleStep(m_candidate, m_candidateMs, where, timeMs);
        m_candidateFrames = steady ? m_candidateFrames + 1 : 1;
        m_candidate = where;
        m_candidateMs = timeMs;
        if (m_candidateFrames < kSteadyFrames) return EnumFixVerdict::Jump;
    }
    m_candidate = GeoPoint();
    m_candidateFrames = 0;
    m_last = where;
    m_lastMs = timeMs;
    *out = where;
    return EnumFixVerdict::Good;
}
