#include "link/link_state.h"

ApInfo_t LinkState::currentInfoAp() const {
    std::lock_guard<std::mutex> lock(m_apMutex);
    return m_ap;
}

void LinkState::setCurrentInfoAp(const ApInfo_t& info) {
    std::lock_guard<std::mutex> lock(m_apMutex);
    m_ap = info;
}

StructLinkSnapshot LinkState::snapshot() const {
    StructLinkSnapshot s;
    s.radioMd = currentInfo_radio.md;
    s.radioPwIdx = currentInfo_radio.pwIdx;
    s.myRssi = currentInfo_radio.myRssi;
    s.hisRssi = currentInfo_radio.hisRssi;
    s.radioVersion = currentInfo_radio.ver;
    s.sysApp = currentInfo_sys.app;
    s.sysRadio = currentInfo_sys.radio;
    s.sysGps = currentInfo_sys.GPS;
    s.sysHelmo = currentInfo_sys.helmo;
    s.compassCali = current_compassCali;
    s.noDataAp = count_noData_ap;
    s.noDataSonar = count_noData_sonar;
    s.framesPerWindow = avePkgCnt;
    s.ap = currentInfoAp();
    return s;
}
