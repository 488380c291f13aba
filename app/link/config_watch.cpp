#include "link/config_watch.h"

#include <cmath>

namespace {
bool differs(float a, float b) {
    return std::fabs(a - b) > 0.001f;
}
}  // namespace

ConfigWatch::StructChanges ConfigWatch::check(const StructConfiguration& cfg) {
    StructChanges c;
    const bool first = !m_seen;
    m_seen = true;
    if (first || cfg.sonarGain != m_gain) {
        c.gain = !first;
        m_gain = cfg.sonarGain;
    }
    if (first || cfg.sonarFreq != m_freq) {
        c.freq = !first;
        m_freq = cfg.sonarFreq;
    }
    const bool apChanged = differs(cfg.arriveAlarmLevel, m_arrive) || cfg.apMode != m_apMode ||
                           cfg.apCh1Reverse != m_ch1Reverse || cfg.apCh2Reverse != m_ch2Reverse ||
                           differs(cfg.apCh1Speed, m_ch1Speed) ||
                           differs(cfg.apCh2Speed, m_ch2Speed) ||
                           differs(cfg.apSenitivity, m_sensitivity);
    if (first || apChanged) {
        c.autopilot = !first;
        m_arrive = cfg.arriveAlarmLevel;
        m_apMode = cfg.apMode;
        m_ch1Reverse = cfg.apCh1Reverse;
        m_ch2Reverse = cfg.apCh2Reverse;
        m_ch1Speed = cfg.apCh1Speed;
        m_ch2Speed = cfg.apCh2Speed;
        m_sensitivity = cfg.apSenitivity;
    }
    return c;
}
