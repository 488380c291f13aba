#pragma once

#include "sonar/sonar_column.h"
#include "sonar/sonar_state_check.h"

#include <QString>

class SonarHistory;
class UxSonar;

// The sonar picture: turns the history's records into echogram columns with their fish, scrolls
// and redraws the echogram, follows the sonar's range, prepares the read-out digits and takes a
// user colour table. It owns the echogram item, which the controller puts into the scene.
class SonarPicture {
public:
    explicit SonarPicture(const SonarHistory& history);

    UxSonar* item() const { return m_sonar; }
    float displayRange() const { return m_displayRange; }
    int columns() const { return m_width; }
    // Draws from another history (a window into older frames) until given nullptr, which
    // brings back the one it was made with. Nothing is drawn here: imageRefresh() does.
    void showHistory(const SonarHistory* other) { m_shown = other ? other : &m_history; }
    bool showsOwnHistory() const { return m_shown == &m_history; }

    // One echogram column from history entry index; a fish found there goes to the echogram
    // (with a click when beep is set).
    SonarColumn getSonarInfo(int index, bool beep);
    void drawFish(int column, float depth, uint8_t strength, int row, bool beep);
    // Every column again (range, palette or width changed).
    void imageRefresh();
    // The newest one or two columns (one tick).
    void imageScroll();
    // Adopts the sonar's range after the frames it takes; redraws when the range or a look
    // setting changed.
    void checkState(float sonarRange);
    // measured: false while nothing has been measured; the read-outs then show "-.-".
    void infoTextRefresh(float depth, float waterTemp, float boatVoltage, bool measured = true);
    // The width the layout gives the echogram, the wave strip and its gap included.
    void setWidth(int width);
    // Copies the user colour table at path over the handset's own, takes its palettes and
    // background and switches to the user scheme. False when the table could not be copied.
    bool loadColorTable(const QString& path);

private:
    const SonarHistory& m_history;
    const SonarHistory* m_shown = &m_history;
    UxSonar* m_sonar = nullptr;
    SonarColumnState m_columnState;
    SonarStateCheck m_stateCheck;
    float m_displayRange = 10.0f;
    int m_width = 246;
};
