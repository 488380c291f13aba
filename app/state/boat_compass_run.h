#pragma once

#include "navi/boat_compass_cali.h"

#include <QObject>
#include <QTimer>
#include <functional>

class LinkState;
class Prompter;

// The boat compass calibration the user started, followed to its end: the sonar box relays the
// compass, is told to calibrate and confirms the command; the result is polled on a timer. It
// says a failure by its numbered hint; its dialog shows what the signals carry.
class BoatCompassRun : public QObject {
    Q_OBJECT
public:
    // The link is down when the box has been silent for longer than this.
    static constexpr int kLostSeconds = 9;

    // sendCali: the calibration command to the sonar box.
    BoatCompassRun(LinkState& link, Prompter& prompter, std::function<void()> sendCali,
                   QObject* parent = nullptr);

    // False (and the hint said) while the box is not heard.
    bool start();
    // Stops following it (the boat finishes it on its own).
    void stopFollowing();
    bool running() const { return m_cali.running(); }

signals:
    void started();
    void progress(int value);
    // Running never comes; Fail, FlashError and Timeout have had their hint.
    void ended(BoatCompassCali::EnumEnd end);

private:
    void step();

    LinkState& m_link;
    Prompter& m_prompter;
    std::function<void()> m_sendCali;
    BoatCompassCali m_cali;
    QTimer m_timer;
};

Q_DECLARE_METATYPE(BoatCompassCali::EnumEnd)
