#include "navi/boat_compass_watch.h"

BoatCompassWatch::StructResult BoatCompassWatch::pass(bool needsCalibration) {
    StructResult r;
    const int pass = m_pass;
    m_pass = (m_pass + 1) % kPassesPerLook;
    if (pass != 0) return r;
    r.evaluated = true;
    if (m_reports == m_lastReports) {
        if (m_sameLooks < kQuietLooks) {
            ++m_sameLooks;
        } else {
            m_reports = m_lastReports = m_sameLooks = 0;
        }
    } else {
        m_sameLooks = 0;
        m_lastReports = m_reports;
    }
    if (needsCalibration) {
        r.needCali = true;
        ++m_reports;
    }
    if (m_reports > kReportsBeforeWarning && !m_warned) {
        r.warn = true;
        m_warned = true;
        m_reports = m_lastReports = m_sameLooks = 0;
    }
    return r;
}
