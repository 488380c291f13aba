#include "core/base/global.h"
#include "core/korvel.h"
#include "platform/handset_board.h"
#include "sonar/ux_sonar.h"

SonarColumn Korvel::sonar_getSonarInfo(int index, bool beep) {
    if (index < 1 || index >= m_history.size()) return SonarColumn();
    const StructConfiguration& cfg = Global::configuration;
    SonarColumnSettings settings;
    settings.sonarSensitivity = cfg.sonarSensitivity;
    settings.fishSensitivity = cfg.fishSensitivity;
    settings.surfaceClarify = cfg.surfaceClarify;
    settings.sonarFreq = cfg.sonarFreq;
    settings.displayRange = m_sonarRange;

    SonarFishHit fish;
    const SonarColumn column =
        sonar_extractColumn(m_history.at(index), settings, m_sonarColumnState, &fish);
    if (fish.found)
        sonar_drawFish(m_sonarWidth - m_history.size() + index, fish.depth, fish.strength, fish.row,
                       beep);
    return column;
}

void Korvel::sonar_drawFish(int column, float depth, uint8_t strength, int row, bool beep) {
    if (beep) Global::beeperOn(QStringLiteral("fish"));
    if (!m_sonar) return;
    StructFishInfo fish;
    fish.x = column;
    fish.y = row;
    fish.strength = strength;
    fish.depth = depth;
    m_sonar->appendFish(fish);
}

void Korvel::sonar_feedHistory(const kvl_w& frame) {
    if (!m_history.isEmpty()) m_history.removeFirst();
    m_history.append(frame);
}
