#include "navi/sounding_gate.h"

#include "navi/convert.h"
#include "navi/depth_grid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kDeepestMetres = 99.0f;
}  // namespace

EnumSoundingVerdict SoundingGate::take(const StructSonarFrameFields& f, float depthOffset,
                                       float gpsFilter, qint64 timeMs, StructSounding* out) {
    GeoPoint where;
    switch (m_fix.take(f, gpsFilter, timeMs, &where)) {
        case EnumFixVerdict::Good:
            break;
        case EnumFixVerdict::FewSatellites:
            return EnumSoundingVerdict::FewSatellites;
        case EnumFixVerdict::PoorFix:
            return EnumSoundingVerdict::PoorFix;
        case EnumFixVerdict::NoPosition:
            return EnumSoundingVerdict::NoPosition;
        case EnumFixVerdict::Jump:
            return EnumSoundingVerdict::Jump;
    }
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
