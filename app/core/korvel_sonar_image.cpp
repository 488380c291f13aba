#include "core/base/global.h"
#include "core/korvel.h"
#include "sonar/ux_sonar.h"

#include <cmath>

namespace {
constexpr float kTolerance = 0.001f;
}

void Korvel::sonar_imageRefresh() {
    if (!m_sonar) return;
    m_sonar->clearFish();
    const int size = m_history.size();
    for (int x = 0; x < m_sonarWidth; ++x) {
        const SonarColumn c = sonar_getSonarInfo(size - m_sonarWidth + x, false);
        m_sonar->drawPixsel_sonar(x, c.surfaceRow, c.bottomRow, c.samples, c.colorOffset);
    }
    m_sonar->updateItem();
}

void Korvel::sonar_imageScroll() {
    if (!m_sonar) return;
    const int size = m_history.size();
    SonarColumn newest;
    if (Global::configuration.chartSpeed < kTolerance) {
        m_sonar->imageBufferScroll(1);
        newest = sonar_getSonarInfo(size - 1, true);
    } else {
        // Each frame takes two columns: the interpolated copy, then the frame itself.
        m_sonar->imageBufferScroll(2);
        const SonarColumn before = sonar_getSonarInfo(size - 2, true);
        m_sonar->drawPixsel_sonar(m_sonarWidth - 2, before.surfaceRow, before.bottomRow,
                                  before.samples, before.colorOffset);
        newest = sonar_getSonarInfo(size - 1, true);
    }
    m_sonar->drawPixsel_sonar(m_sonarWidth - 1, newest.surfaceRow, newest.bottomRow, newest.samples,
                              newest.colorOffset);
    m_sonar->drawPixsel_wave(newest.surfaceRow, newest.bottomRow, newest.samples,
                             newest.colorOffset);

    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    const float range = feet ? m_sonarRange * 3.3f : m_sonarRange;
    const bool automatic = std::fabs(Global::configuration.depthRange) < kTolerance;
    m_sonar->drawPixsel_axis(std::isfinite(range) ? static_cast<int>(range) : 0, automatic);
    m_sonar->updateItem();
}
