#include "sonar/sonar_column.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {
constexpr int kRows = SonarColumn::kRows;
constexpr int kLastRow = kRows - 1;
constexpr float kTolerance = 0.001f;

bool same(float a, float b) {
    return std::fabs(a - b) < kTolerance;
}

// Truncates a non-negative row value and keeps it on the screen.
int toRow(float v) {
    if (!(v > 0)) return 0;
    return v > kLastRow ? kLastRow : static_cast<int>(v);
}

// Rows 3 .. end-1 of the surface clutter cleared.
void clearSurface(uint8_t* s, int end) {
    for (int r = 3; r < end && r < kRows; ++r)
        s[r] = 0;
}

// Surface clarify 2: the clutter ends at the first run of four quiet rows below the top.
int clutterEnd(const uint8_t* s, int top, int bottom) {
    const int end = bottom - 3;
    if (bottom <= top || top >= end) return top;
    int run = 0;
    for (int r = top; r < end; ++r) {
        if (s[r] > 9) {
            run = 0;
        } else if (++run == 4) {
            return r - 3;
        }
    }
    return end;
}

// Moves the bottom up to the lowest row of the first run of six quiet rows above it.
int refineBottom(const uint8_t* s, int top, int bottom, int threshold) {
    if (bottom <= 20 || bottom <= top) return bottom;
    if (bottom < top + 3) return bottom;
    int quiet = 0;
    for (int r = bottom; r > top + 3; --r) {
        if (s[r] >= threshold) {
            quiet = 0;
        } else if (quiet == 5) {
            return r + 5;
        } else {
            ++quiet;
        }
    }
    return top + 3;
}

int autoOffset(const uint8_t* s, int bottom) {
    if (bottom > kLastRow - 1) return 80;
    int m = 0;
    for (int r = bottom; r <= kLastRow - 1; ++r)
        m = std::max(m, static_cast<int>(s[r]));
    return m <= 59 ? 80 - m : 125 - m;
}
}  // namespace

namespace SonarFrame {
uint32_t range(const kvl_w& f) {
    return uint32_t(f.bytes[4]) | uint32_t(f.bytes[5]) << 8 | uint32_t(f.bytes[6]) << 16 |
           uint32_t(f.bytes[7]) << 24;
}
uint16_t depth(const kvl_w& f) {
    return uint16_t(f.bytes[33] | f.bytes[34] << 8);
}
}  // namespace SonarFrame

namespace SonarColumnRules {

int noiseThreshold(const uint8_t* samples, int top, int bottom, float sonarSensitivity) {
    if (!same(sonarSensitivity, 0)) return static_cast<int>(sonarSensitivity * -10 + 95);
    const int allowed = bottom > top ? static_cast<int>((bottom - top) * 0.2) : 0;
    // The thresholds 5, 15 .. 75 in turn, the first that no more than allowed samples reach.
    // One pass sorts the samples by how many thresholds each reaches.
    constexpr int kSteps = 8;
    std::array<int, kSteps + 1> reaching{};
    for (int r = std::max(top, 0); r < bottom && r < kRows; ++r) {
        const int v = samples[r];
        ++reaching[static_cast<size_t>(v < 5 ? 0 : std::min(kSteps, (v - 5) / 10 + 1))];
    }
    int count = 0;  // the samples that reach the threshold of step i
    for (int k = 1; k <= kSteps; ++k)
        count += reaching[static_cast<size_t>(k)];
    for (int i = 0; i < kSteps; ++i) {
        if (count <= allowed) return 5 + 10 * i;
        count -= reaching[static_cast<size_t>(i + 1)];
    }
    return 75;
}

float limitDepth(float d, float last) {
    if (d < last && last - d > kRateStep && last - d < kRateJump) return last - kRateStep;
    if (d > last && d - last > kRateStep && d - last < kRateJump) return last + kRateStep;
    return d;
}

float scale(uint32_t frameRangeCm, float displayRange) {
    if (frameRangeCm == 0 || !(displayRange > 0) || !std::isfinite(displayRange)) return 1.0f;
    return (frameRangeCm / 100.0f) / displayRange;
}

}  // namespace SonarColumnRules

SonarColumn sonar_extractColumn(const kvl_w& f, const SonarColumnSettings& cfg,
                                SonarColumnState& state, SonarFishHit* fish) {
    using namespace SonarColumnRules;
    SonarColumn col;
    if (fish) *fish = SonarFishHit();

    const int top = std::min<int>(SonarFrame::topRow(f), kLastRow);
    const uint32_t range = SonarFrame::range(f);

    const float d = limitDepth(SonarFrame::depth(f), state.last_depth);
    state.last_depth = d;
    int bottom = range > 0 ? toRow(d / range * kRows) : 0;

    uint8_t s[kRows];
    std::memcpy(s, SonarFrame::samples(f), kRows);

    const int t = noiseThreshold(s, top, bottom, cfg.sonarSensitivity);
    for (int r = 0; r < bottom; ++r)
        if (s[r] < t) s[r] = 0;
    const int below = cfg.sonarFreq == 1 ? t / 4 : t / 2;
    for (int r = bottom; r < kRows; ++r)
        if (s[r] < below) s[r] = 0;

    if (same(cfg.surfaceClarify, 1)) {
        if (top > 3) clearSurface(s, top);
    } else if (same(cfg.surfaceClarify, 2) && top > 0) {
        const int e = clutterEnd(s, top, bottom);
        if (e > 3) clearSurface(s, e);
    }

    bottom = refineBottom(s, top, bottom, t);
    col.colorOffset = autoOffset(s, bottom);

    const float k = scale(range, cfg.displayRange);

    if (state.count_fishPixWait < kFishSpacing) ++state.count_fishPixWait;
    const int fr = SonarFrame::fishRow(f);
    const int fs = SonarFrame::fishStrength(f);
    if (cfg.fishSensitivity > kTolerance && fs > cfg.fishSensitivity * -10 + 100 &&
        state.count_fishPixWait == kFishSpacing && top + 20 < fr && fr < bottom - 10) {
        if (fish) {
            fish->found = true;
            fish->row = toRow(fr * k);
            fish->depth = (range / 100.0f) * (fr / 240.0f);
            fish->strength = static_cast<uint8_t>(fs);
        }
        state.count_fishPixWait = 0;
    }

    col.surfaceRow = toRow(top * k);
    col.bottomRow = toRow(bottom * k);

    if (k >= 1) {
        for (int i = 0; i < kRows; ++i)
            col.samples[i] = s[std::min(kLastRow, static_cast<int>(i / k))];
    } else {
        for (int i = 0; i < kRows; ++i)
            col.samples[toRow(i * k)] = s[i];
    }
    return col;
}
