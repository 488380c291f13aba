#include "sonar/sonar_picture.h"

#include "base/global.h"
#include "data/sonar_history.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "sonar/color_table_file.h"
#include "sonar/sonar_readout.h"
#include "sonar/ux_sonar.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace {
constexpr float kTolerance = 0.001f;
// The wave strip and its gap take this much of the width given to the echogram.
constexpr int kWaveAndGap = 26;
constexpr int kUserScheme = 2;
constexpr qint64 kMaxTableBytes = 1 << 20;  // a whole table is about 15 kB
}  // namespace

SonarPicture::SonarPicture(const SonarHistory& history) : m_history(history) {
    m_sonar = new UxSonar();
    m_sonar->setPos(0, 0);
}

SonarColumn SonarPicture::getSonarInfo(int index, bool beep) {
    const QList<kvl_w>& records = m_shown->records();
    if (index < 1 || index >= records.size()) return SonarColumn();
    const StructConfiguration& cfg = Global::configuration;
    SonarColumnSettings settings;
    settings.sonarSensitivity = cfg.sonarSensitivity;
    settings.fishSensitivity = cfg.fishSensitivity;
    settings.surfaceClarify = cfg.surfaceClarify;
    settings.sonarFreq = cfg.sonarFreq;
    settings.displayRange = m_displayRange;

    SonarFishHit fish;
    const SonarColumn column =
        sonar_extractColumn(records.at(index), settings, m_columnState, &fish);
    if (fish.found)
        drawFish(m_width - records.size() + index, fish.depth, fish.strength, fish.row, beep);
    return column;
}

void SonarPicture::drawFish(int column, float depth, uint8_t strength, int row, bool beep) {
    if (beep) Global::beeperOn(QStringLiteral("fish"));
    StructFishInfo fish;
    fish.x = column;
    fish.y = row;
    fish.strength = strength;
    fish.depth = depth;
    m_sonar->appendFish(fish);
}

void SonarPicture::imageRefresh() {
    m_sonar->clearFish();
    const int size = m_shown->size();
    for (int x = 0; x < m_width; ++x) {
        const SonarColumn c = getSonarInfo(size - m_width + x, false);
        m_sonar->drawPixsel_sonar(x, c.surfaceRow, c.bottomRow, c.samples, c.colorOffset);
    }
    m_sonar->updateItem();
}

void SonarPicture::imageScroll() {
    const int size = m_shown->size();
    SonarColumn newest;
    if (Global::configuration.chartSpeed < kTolerance) {
        m_sonar->imageBufferScroll(1);
        newest = getSonarInfo(size - 1, true);
    } else {
        // Each frame takes two columns: the interpolated copy, then the frame itself.
        m_sonar->imageBufferScroll(2);
        const SonarColumn before = getSonarInfo(size - 2, true);
        m_sonar->drawPixsel_sonar(m_width - 2, before.surfaceRow, before.bottomRow, before.samples,
                                  before.colorOffset);
        newest = getSonarInfo(size - 1, true);
    }
    m_sonar->drawPixsel_sonar(m_width - 1, newest.surfaceRow, newest.bottomRow, newest.samples,
                              newest.colorOffset);
    m_sonar->drawPixsel_wave(newest.surfaceRow, newest.bottomRow, newest.samples,
                             newest.colorOffset);

    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    const float range = feet ? m_displayRange * 3.3f : m_displayRange;
    const bool automatic = std::fabs(Global::configuration.depthRange) < kTolerance;
    m_sonar->drawPixsel_axis(std::isfinite(range) ? static_cast<int>(range) : 0, automatic);
    m_sonar->updateItem();
}

void SonarPicture::checkState(float sonarRange) {
    if (m_stateCheck.check(Global::configuration, sonarRange, m_displayRange)) imageRefresh();
}

void SonarPicture::infoTextRefresh(float depth, float waterTemp, float boatVoltage, bool measured) {
    const bool feet = Global::getString_depthUnit() == QLatin1String("ft");
    const bool fahrenheit = Global::getString_tempUnit() != QString::fromUtf8("℃");
    StructSonarReadout r = SonarReadout::digits(depth, waterTemp, boatVoltage, feet, fahrenheit);
    r.valid = measured;
    m_sonar->refreshText(r);
}

void SonarPicture::setWidth(int width) {
    // A width that leaves no column for the picture is not taken.
    if (width - kWaveAndGap < 1) return;
    m_width = width - kWaveAndGap;
    m_sonar->setImageWidth(m_width);
    imageRefresh();
}

bool SonarPicture::loadColorTable(const QString& path) {
    const QString copy = QString::fromLatin1(UxSonar::kUserColorFile);
    // A table with a missing entry would paint the echogram black: it is refused before it
    // replaces the handset's own. The copy goes to a temporary file that replaces the old one
    // only when whole, so a power cut leaves the old table or the new, never half of one.
    const QString source = Platform::path(path);
    if (!ColorTableFile::isUsable(source)) return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QSaveFile out(Platform::path(copy));
    if (!out.open(QIODevice::WriteOnly) || out.write(in.read(kMaxTableBytes)) < 0 || !out.commit())
        return false;
    // 3 keeps the current background; so does a value that names no background at all.
    const int background = ColorTableFile::background(Platform::path(copy));
    if (background >= 0 && background <= 2) Global::configuration.backgroundColor = background;
    m_sonar->loadUserColor();
    Global::configuration.colorScheme = kUserScheme;
    imageRefresh();
    return true;
}
