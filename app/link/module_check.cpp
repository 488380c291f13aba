#include "link/module_check.h"

bool ModuleCheck::StructAnswered::row(int i) const {
    const bool r[5] = {compass, radio, sonar, gps, ap};
    return i >= 0 && i < 5 && r[i];
}

ModuleCheck::StructStep ModuleCheck::step(const StructAnswered& answered) {
    StructStep s;
    if (m_count >= 60) return s;
    ++m_count;
    if (m_count < 30) {
        s.showDialog = m_count == 1 || m_count == 2;
        if (m_count % 3 == 0) {
            s.markAnswered = true;
            if (answered.all()) m_count = 30;
            s.askReport = true;
        }
    }
    if (m_count == 30) s.verdict = true;
    if (m_count == 60) s.hideDialog = true;
    return s;
}
