#include "sonar/sonar_state_check.h"

#include <cmath>

namespace {
constexpr float kTolerance = 0.001f;

bool follow(float value, float& remembered) {
    if (std::fabs(value - remembered) <= kTolerance) return false;
    remembered = value;
    return true;
}
bool follow(int value, int& remembered) {
    if (value == remembered) return false;
    remembered = value;
    return true;
}
}  // namespace

bool SonarStateCheck::check(const StructConfiguration& cfg, float sonarRange, float& displayRange) {
    if (!m_seen) {
        m_seen = true;
        current_background = cfg.backgroundColor;
        current_color = cfg.colorScheme;
        current_sens = cfg.sonarSensitivity;
        current_fishSens = cfg.fishSensitivity;
        current_sfClarify = cfg.surfaceClarify;
        current_colorLine = cfg.colorLine;
        current_bottomLine = cfg.bottomLine;
    }

    bool changed = false;
    if (std::fabs(cfg.depthRange) < kTolerance) {
        if (sonarRange > displayRange) {
            ++count_loRngBig;
        } else if (sonarRange < displayRange) {
            ++count_loRngSmall;
        } else {
            count_loRngBig = count_loRngSmall = 0;
        }
        if (count_loRngBig > kDeeperAfter - 1 || count_loRngSmall > kShallowerAfter - 1) {
            count_loRngBig = count_loRngSmall = 0;
            displayRange = sonarRange;
            changed = true;
        }
    } else if (std::fabs(displayRange - cfg.depthRange) > kTolerance) {
        displayRange = cfg.depthRange;
        changed = true;
    }

    // Every remembered value is brought up to date, whichever changed first.
    changed |= follow(cfg.backgroundColor, current_background);
    changed |= follow(cfg.colorScheme, current_color);
    changed |= follow(cfg.sonarSensitivity, current_sens);
    changed |= follow(cfg.fishSensitivity, current_fishSens);
    changed |= follow(cfg.surfaceClarify, current_sfClarify);
    changed |= follow(cfg.colorLine, current_colorLine);
    const bool lineChanged = follow(cfg.bottomLine, current_bottomLine);
    return changed || lineChanged;
}
