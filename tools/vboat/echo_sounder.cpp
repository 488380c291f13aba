#include "echo_sounder.h"

#include <algorithm>
#include <cmath>

namespace vboat {

namespace {
constexpr int kAutoGain = 3;
constexpr double kGainFactor[3] = {0.6, 0.8, 1.0};

double uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

quint8 clampByte(double v) {
    return static_cast<quint8>(std::clamp(v, 0.0, 255.0));
}
}  // namespace

int EchoSounder::chooseRange(double depthM, const SonarSettings& settings) {
    if (settings.rangeM > 0) {
        rangeM_ = settings.rangeM;
        return rangeM_;
    }
    // Automatic: the smallest 5 m step that shows the bottom with some room below it; step
    // down only when the bottom is well clear of the smaller step, so the range does not flap.
    const int want = std::clamp(static_cast<int>(std::ceil(depthM * 1.25 / 5.0)) * 5, 5, 50);
    if (rangeM_ == 0 || want > rangeM_ || depthM * 1.25 < rangeM_ - 6.0) rangeM_ = want;
    return rangeM_;
}

void EchoSounder::moveFish(double depthM, double dt, const SonarSettings& settings,
                           std::mt19937& rng) {
    for (Fish& f : fish_)
        f.age += dt;
    fish_.erase(std::remove_if(fish_.begin(), fish_.end(),
                               [](const Fish& f) { return f.age >= f.duration; }),
                fish_.end());
    // The wide beam sees a fish about every twelve seconds, the narrow one half as often.
    const double perSecond = settings.frequency == 2 ? 0.08 : 0.04;
    if (depthM > 1.5 && fish_.size() < 3 && uniform(rng, 0, 1) < perSecond * dt) {
        Fish f;
        f.depthM = uniform(rng, 0.3 * depthM, depthM - 0.5);
        f.duration = uniform(rng, 1.5, 4.0);
        f.peak = uniform(rng, 110, 235);
        fish_.push_back(f);
    }
}

void EchoSounder::ping(double depthM, double hardness, double dt, const SonarSettings& settings,
                       std::mt19937& rng, FrameFields& out) {
    const int range = chooseRange(depthM, settings);
    const double rowM = range / double(kSampleCount);
    const int gain = settings.gain == kAutoGain ? (depthM < 4    ? 0
                                                   : depthM < 10 ? 1
                                                                 : 2)
                                                : std::clamp(settings.gain, 0, 2);
    const double amp = kGainFactor[gain] * std::max(0.45, 1.0 - 0.03 * depthM) *
                       (settings.gain == kAutoGain ? 1.25 : 1.0);
    const bool wide = settings.frequency == 2;

    out.rangeCm = static_cast<quint32>(range * 100);
    out.status = static_cast<quint8>(gain & 0x03);
    const double trackedDepth = depthM + uniform(rng, -0.02, 0.02);
    out.depthCm = static_cast<quint16>(std::lround(std::max(0.0, trackedDepth) * 100.0));

    // Surface clutter: the transducer ring-down and bubbles under the hull.
    const double surfaceM = uniform(rng, 0.25, 0.4);
    const int topRow =
        std::clamp(static_cast<int>(std::ceil(surfaceM / rowM)), 1, kSampleCount - 1);
    out.topRow = static_cast<quint8>(topRow);

    const double noiseTop =
        4.0 + 3.0 * gain + (settings.sensitivity > 0 ? settings.sensitivity : 3);
    const double thickness = 0.12 + 0.45 * hardness + (wide ? 0.08 + 0.02 * depthM : 0.0);
    const double bottomPeak = 255.0 * amp * (0.75 + 0.25 * hardness);

    for (int r = 0; r < kSampleCount; ++r) {
        const double z = (r + 0.5) * rowM;
        double v;
        if (r < topRow) {
            v = 250.0 * std::sqrt(std::max(0.0, 1.0 - z / surfaceM)) + uniform(rng, -15, 5);
            v = std::max(v, 90.0);
        } else if (z < depthM) {
            v = uniform(rng, 0, noiseTop);
            const double belowSurface = z - surfaceM;
            if (belowSurface < 0.6 && uniform(rng, 0, 1) < 0.35 * (1.0 - belowSurface / 0.6))
                v += uniform(rng, 30, 120);                             // bubbles
            if (uniform(rng, 0, 1) < 0.008) v += uniform(rng, 15, 45);  // plankton
            if (depthM - z < 2.0 * rowM)
                v += 0.35 * bottomPeak;  // the beam's edge meets the bottom first
        } else {
            const double below = z - depthM;
            v = bottomPeak * std::exp(-below / thickness) + uniform(rng, -12, 12);
            v = std::max(v, 12.0 + 20.0 * hardness * std::exp(-below / 2.0) + uniform(rng, 0, 8));
            if (z >= 2.0 * depthM)  // second echo, surface to bottom twice
                v += 70.0 * amp * hardness * std::exp(-(z - 2.0 * depthM) / thickness);
        }
        out.samples[r] = clampByte(v);
    }

    moveFish(depthM, dt, settings, rng);
    out.fishRow = 0;
    out.fishStrength = 0;
    const double fishFloor =
        settings.fishSensitivity > 0 ? 100.0 - 10.0 * settings.fishSensitivity : 256.0;
    for (const Fish& f : fish_) {
        const double phase = 2.0 * f.age / f.duration - 1.0;      // -1 entering, +1 leaving
        const double fishDepth = f.depthM + 0.3 * phase * phase;  // the arch
        const int row = static_cast<int>(fishDepth / rowM);
        if (row <= topRow || row >= kSampleCount - 2 || fishDepth >= depthM - 0.2) continue;
        const double strength = f.peak * (1.0 - 0.55 * phase * phase) * amp / 0.8;
        for (int k = -1; k <= 2; ++k) {
            const double s = strength * (k == 0 ? 1.0 : k == 1 ? 0.75 : 0.45);
            out.samples[row + k] = std::max(out.samples[row + k], clampByte(s));
        }
        const quint8 peak = out.samples[row];
        if (peak > out.fishStrength && peak > fishFloor) {
            out.fishStrength = peak;
            out.fishRow = static_cast<quint8>(row);
        }
    }
}

}  // namespace vboat
