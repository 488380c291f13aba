#include "core/base/global.h"
#include "core/korvel.h"
#include "sonar/sonar_readout.h"
#include "sonar/ux_sonar.h"

namespace {
// The wave strip and its gap take this much of the width given to the echogram.
constexpr int kWaveAndGap = 26;
}  // namespace

void Korvel::sonar_checkState() {
    if (m_sonarStateCheck.check(Global::configuration, sonar_range, m_sonarRange))
        sonar_imageRefresh();
}

void Korvel::sonar_infoTextRefresh() {
    if (!m_sonar) return;
    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    const bool fahrenheit = Global::getString_tempUnit() != QString::fromUtf8("℃");
    const StructSonarReadout r =
        SonarReadout::digits(current_depth, water_temp, boat_voltage, feet, fahrenheit);
    m_sonar->refreshText(r.depth, r.temperature, r.battery);
}

void Korvel::data_setSonarWidth(int width) {
    // A width that leaves no column for the picture is not taken.
    if (width - kWaveAndGap < 1) return;
    m_sonarWidth = width - kWaveAndGap;
    if (m_sonar) m_sonar->setImageWidth(m_sonarWidth);
    sonar_imageRefresh();
}
