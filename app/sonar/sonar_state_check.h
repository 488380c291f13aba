#pragma once

#include "base/configuration.h"

// Keeps the screen's depth range in step with the sonar and notices the settings that
// change the echogram's look. One check per main tick.
class SonarStateCheck {
public:
    // A deeper sonar range is adopted after this many frames, a shallower one after the other.
    static constexpr int kDeeperAfter = 6;
    static constexpr int kShallowerAfter = 21;

    // Updates displayRange; true when the whole echogram must be redrawn.
    bool check(const StructConfiguration& cfg, float sonarRange, float& displayRange);

    int count_loRngBig = 0;
    int count_loRngSmall = 0;

private:
    bool m_seen = false;
    int current_background = 0;
    int current_color = 0;
    float current_sens = 0;
    float current_fishSens = 0;
    float current_sfClarify = 0;
    float current_colorLine = 0;
    int current_bottomLine = 0;
};
