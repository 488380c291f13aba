#include "navi/boat_compass_cali.h"

void BoatCompassCali::start(int firmware) {
    m_running = true;
    m_reporting = firmware >= kFirstReportingFirmware;
    m_step = 0;
}

BoatCompassCali::StructStep BoatCompassCali::step(int report) {
    StructStep s;
    if (!m_running) return s;
    const int i = m_step++;
    if (!m_reporting) {
        s.progress = i + 1;
        if (s.progress >= kMaximum) s.end = EnumEnd::Done;
    } else {
        if (i < kProgressPolls) s.progress = i + 1;
        if (report == 1) {
            s.progress = kMaximum;
            s.end = EnumEnd::Success;
        } else if (report == 2) {
            s.end = EnumEnd::Fail;
        } else if (report == 3) {
            s.end = EnumEnd::FlashError;
        } else if (i >= kPolls - 1) {
            s.end = EnumEnd::Timeout;
        }
    }
    if (s.end != EnumEnd::Running) m_running = false;
    return s;
}
