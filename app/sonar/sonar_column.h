#pragma once

#include "link/kvl_frame.h"

#include <cstdint>

// One echogram column made from one stored sonar frame: the surface and bottom rows and the
// cleaned echo samples, already resampled to the depth range that the screen shows.
struct SonarColumn {
    static constexpr int kRows = 240;
    int surfaceRow = 0;        // row where usable water starts
    int bottomRow = 0;         // row of the bottom line
    uint8_t samples[kRows]{};  // row 0 at the surface
    int colorOffset = 0;       // automatic palette offset
};

// The settings that shape a column (copied from the configuration and the controller).
struct SonarColumnSettings {
    float sonarSensitivity = 0;  // 0 = AUTO, 1..9
    float fishSensitivity = 6;   // 0 = OFF, 1..9
    float surfaceClarify = 0;    // 0 = OFF, 1, 2
    int sonarFreq = 0;           // 0 wide beam, 1 narrow beam
    float displayRange = 10;     // metres that the 240 screen rows span
};

// What a column remembers of the columns before it.
struct SonarColumnState {
    float last_depth = 0;       // rate-limited depth of the previous column, cm
    int count_fishPixWait = 0;  // columns since the last fish, stops at 60
};

// A fish found in a column: its screen row, its depth and the echo strength.
struct SonarFishHit {
    bool found = false;
    int row = 0;
    float depth = 0;  // metres
    uint8_t strength = 0;
};

// Frame fields the column uses (little-endian, offsets of the 276-byte frame).
namespace SonarFrame {
uint32_t range(const kvl_w& f);  // cm
uint16_t depth(const kvl_w& f);  // cm
inline uint8_t fishRow(const kvl_w& f) {
    return f.bytes[28];
}
inline uint8_t fishStrength(const kvl_w& f) {
    return f.bytes[29];
}
inline uint8_t topRow(const kvl_w& f) {
    return f.bytes[30];
}
inline const uint8_t* samples(const kvl_w& f) {
    return f.bytes + 35;
}
}  // namespace SonarFrame

namespace SonarColumnRules {
constexpr int kFishSpacing = 60;     // columns between two fish symbols
constexpr float kRateStep = 25.0f;   // cm the depth may move per column
constexpr float kRateJump = 250.0f;  // a change this large is taken at once (new spot)

// The noise threshold: fixed from the sensitivity, or in AUTO the smallest of 5, 15 .. 75
// that leaves at most a fifth of the water rows (top .. bottom-1) at or above it.
int noiseThreshold(const uint8_t* samples, int top, int bottom, float sonarSensitivity);

// The depth after the rate limit, in cm.
float limitDepth(float depthCm, float lastDepthCm);

// Sonar metres per displayed metre. A range that is zero, negative or not a number cannot
// scale anything: the column is then shown at the sonar's own scale (1).
float scale(uint32_t frameRangeCm, float displayRange);
}  // namespace SonarColumnRules

// Turns a frame into a column; updates state and reports a fish in *fish (may be null).
SonarColumn sonar_extractColumn(const kvl_w& frame, const SonarColumnSettings& settings,
                                SonarColumnState& state, SonarFishHit* fish);
