#include "navi/sounding_gate.h"

#include "navi/convert.h"
#include "navi/depth_grid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDegreeUnits = 10000000.0;
constexpr double kPi = 3.14159265358979323846;
constexpr float kDeepestMetres = 99.0f;
constexpr int kMinSatellites = 4;
}  // namespace

double flatDistanceMetres(GeoPoint a, GeoPoint b) {
    const double north = (b.lat() - a.lat()) / kDegreeUnits * DepthGrid::kMetresPerDegree;
    const double k = std::cos((a.lat() + b.lat()) / 2.0 / kDegreeUnits * kPi / 180.0);
    const double east = (b.lon() - a.lon()) / kDegreeUnits * DepthGrid::kMetresPerDegree * k;
    return std::hypot(north, east);
}

bool SoundingGate::plausibleStep(GeoPoint from, qint64 fromMs, GeoPoint to, qint64 toMs) const {
    const double seconds = std::max(std::abs(toMs - fromMs) / 1000.0, 1.0);
    return flatDistanceMetres(from, to) <= kMaxSpeedMps * seconds + kSlackMetres;
}

void SoundingGate::reset() {
    m_last = GeoPoint();
    m_candidate = GeoPoint();
    m_candidateFrames = 0;
}

EnumSoundingVerdict SoundingGate::take(const StructSonarFrameFields& f, float depthOffset,
                                       float gpsFilter, qint64 timeMs, StructSounding* out) {
    if (f.satellites < kMinSatellites) return EnumSoundingVerdict::FewSatellites;
    if (!SonarFrameValues::positionUsable(f.fixQuality, gpsFilter))
        return EnumSoundingVerdict::PoorFix;
    const GeoPoint where(Latitude(Convert::dmS32_to_ddS32(f.latitudeDm)),
                         Longitude(Convert::dmS32_to_ddS32(f.longitudeDm)));
    if (!where.isSet()) return EnumSoundingVerdict::NoPosition;
    if (m_last.isSet() && !plausibleStep(m_last, m_lastMs, where, timeMs)) {
        const bool steady =
            m_candidate.isSet() && plausibleStep(m_candidate, m_candidateMs, where, timeMs);
        m_candidateFrames = steady ? m_candidateFrames + 1 : 1;
        m_candidate = where;
        m_candidateMs = timeMs;
        if (m_candidateFrames < kSteadyFrames) return EnumSoundingVerdict::Jump;
    }
    m_candidate = GeoPoint();
    m_candidateFrames = 0;
    m_last = where;
    m_lastMs = timeMs;
    const float depth = f.depthCm / 100.0f + depthOffset;
    if (f.depthCm == 0 || f.depthCm > f.rangeCm || depth <= 0.0f || depth > kDeepestMetres)
        return EnumSoundingVerdict::NoBottom;
    *out = StructSounding{where, depth, timeMs};
    return EnumSoundingVerdict::Taken;
}

bool SoundingMedian::push(const StructSounding& s, StructSounding* out) {
    if (m_count > 0 && std::abs(s.timeMs - m_window[(m_count - 1) % kWindow].timeMs) > kGapMs)
        m_count = 0;
    m_window[m_count % kWindow] = s;
    ++m_count;
    if (m_count < kWindow) return false;
    if (m_count >= 2 * kWindow) m_count -= kWindow;  // keeps the ring's order, never overflows
    float depths[kWindow];
    for (int i = 0; i < kWindow; ++i)
        depths[i] = m_window[i].depthMetres;
    std::nth_element(depths, depths + kWindow / 2, depths + kWindow);
    *out = m_window[(m_count - 1 - kWindow / 2) % kWindow];
    out->depthMetres = depths[kWindow / 2];
    return true;
}
