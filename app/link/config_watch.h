#pragma once

#include "base/configuration.h"

// Notices the settings the boat keeps a copy of changing, so that they are sent again: the
// sonar's gain and frequency, and the autopilot's seven settings. The copies are taken at the
// first look, so nothing is sent at start (the hello exchange gives the boat everything).
class ConfigWatch {
public:
    struct StructChanges {
        bool gain = false;
        bool freq = false;
        bool autopilot = false;
    };

    // Compares cfg with the remembered copies, remembers what changed and says what to send.
    StructChanges check(const StructConfiguration& cfg);

private:
    bool m_seen = false;
    int m_gain = 0;
    int m_freq = 0;
    float m_arrive = 0;
    int m_apMode = 0;
    int m_ch1Reverse = 0;
    int m_ch2Reverse = 0;
    float m_ch1Speed = 0;
    float m_ch2Speed = 0;
    float m_sensitivity = 0;
};
