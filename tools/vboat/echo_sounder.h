#pragma once

#include "sonar_frame.h"
#include "sonar_settings.h"

#include <random>
#include <vector>

// The sonar box's picture of the water below the boat: surface clutter, a little noise and
// plankton in the water column, fish passing through the beam as short arches, and a bottom
// echo whose thickness follows the bottom's hardness and the beam width.
namespace vboat {

class EchoSounder {
public:
    // Fills range, status (gain in use), top row, fish row and strength, depth and the 240
    // samples of one ping over a bottom depthM deep. dt is the time since the last ping.
    void ping(double depthM, double hardness, double dt, const SonarSettings& settings,
              std::mt19937& rng, FrameFields& out);

    int rangeM() const { return rangeM_; }

private:
    struct Fish {
        double depthM = 0;
        double age = 0;       // seconds in the beam so far
        double duration = 0;  // seconds it takes to cross the beam
        double peak = 0;      // strength in the middle of the crossing
    };

    int chooseRange(double depthM, const SonarSettings& settings);
    void moveFish(double depthM, double dt, const SonarSettings& settings, std::mt19937& rng);

    int rangeM_ = 0;
    std::vector<Fish> fish_;
};

}  // namespace vboat
