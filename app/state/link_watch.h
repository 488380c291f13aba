#pragma once

#include "link/config_watch.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>

class LinkState;
class Prompter;

// What the link's supervision sends: the sonar box's hello and settings (by the key of the
// settings message: "all", "gain", "freq", "repeat"), the autopilot's settings, and whether a
// module update holds the link.
struct StructLinkWatchPorts {
    std::function<void()> sendSonarHello;
    std::function<void(const QString& key)> sendSonarCfg;
    std::function<void()> sendApCfg;
    std::function<bool()> updateInProgress;
};

// The supervision of the radio link without a widget: the seconds without data from each
// box, the boxes' power-up hellos answered once each, the settings the boat keeps a copy of
// sent again when they change, and the waits for the boxes' word on settings sent.
class LinkWatch {
public:
    static constexpr int kLostSeconds = 10;
    // The boat answers our hello with one of its own: a hello this soon after ours is that
    // answer, not the boat powering up, and must not start another round.
    static constexpr qint64 kHelloAnswerMs = 2000;
    static constexpr int kTicksPerSecond = 8;

    LinkWatch(LinkState& link, Prompter& prompter, StructLinkWatchPorts ports);

    // One main tick: the counters each second, the hellos every fifth tick, the settings
    // each second. True on the ticks that begin a second.
    bool tick(int tickCount, const StructConfiguration& cfg);
    // The sonar box has announced itself (or the program starts): greet it and give it the
    // whole configuration, then wait for its word. Not while its firmware is replaced.
    void sonarHello();
    // The autopilot has powered up: its settings, and a silent wait for its word.
    void apHello();
    void awaitSonarConfig();
    void awaitApConfig();

private:
    LinkState& m_link;
    Prompter& m_prompter;
    StructLinkWatchPorts m_ports;
    ConfigWatch m_config;
    QElapsedTimer m_helloSent;
};
