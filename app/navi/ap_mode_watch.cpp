#include "navi/ap_mode_watch.h"

bool ApModeWatch::changed(const QString& mode, QString* previous) {
    if (!m_started) {
        m_started = true;
        m_mode = mode;
        return false;
    }
    if (mode == m_mode) return false;
    if (previous) *previous = m_mode;
    m_mode = mode;
    return true;
}
