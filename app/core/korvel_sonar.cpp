#include "core/korvel.h"

#include "sonar/sonar_picture.h"
#include "ui/kit/dialog_host.h"

UxSonar* Korvel::sonar() const {
    return m_picture->item();
}

SonarColumn Korvel::sonar_getSonarInfo(int index, bool beep) {
    return m_picture->getSonarInfo(index, beep);
}

void Korvel::sonar_drawFish(int column, float depth, uint8_t strength, int row, bool beep) {
    m_picture->drawFish(column, depth, strength, row, beep);
}

void Korvel::sonar_checkState() {
    m_picture->checkState(values().sonar_range);
}

void Korvel::sonar_infoTextRefresh() {
    const StructBoatValues& v = values();
    m_picture->infoTextRefresh(v.current_depth, v.water_temp, v.boat_voltage, v.measured);
}

void Korvel::data_setSonarWidth(int width) {
    m_picture->setWidth(width);
}

void Korvel::sonar_imageRefresh() {
    m_picture->imageRefresh();
}

// Only a tick that brought a column scrolls: a slow replay or a paused one stands still, and
// so does the echogram while the history is browsed.
void Korvel::sonar_imageScroll() {
    if (m_columnDue) m_picture->imageScroll();
}

void Korvel::sonar_getFile_kct(const QString& path) {
    if (m_picture->loadColorTable(path)) {
        m_dialogs->showReadOk();
    } else {
        m_dialogs->showReadFailed();
    }
}
