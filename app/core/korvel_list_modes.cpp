// The chained autopilot modes: the screens' requests handed to the navigation state, which
// runs go-back, the multi-target list and the course cruise one leg at a time.
#include "core/korvel.h"

#include "state/multi_target_list.h"
#include "state/navigation_state.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_route_ap.h"

void Korvel::slot_goBack_start() {
    navi_goBackStart();
}

void Korvel::navi_goBackStart() {
    m_naviState->startGoBack(m_goBack->request());
}

void Korvel::slot_multiTarget_start() {
    navi_multiTargetStart(EnumListKind::MultiTarget);
}

void Korvel::slot_routeAp_start() {
    navi_multiTargetStart(EnumListKind::Course);
}

// Without "Message when arrive" a course runs on from point to point without stopping.
void Korvel::navi_multiTargetStart(EnumListKind kind) {
    if (kind == EnumListKind::Course)
        m_naviState->startList(m_routeAp->listTargets(), !m_routeAp->chbox_isChecked(), kind);
    else
        m_naviState->startList(m_multiTargetList->targets(), false, kind);
}

void Korvel::navi_goBackNext() {
    m_naviState->goBackNext();
}

void Korvel::navi_multiTargetNext() {
    m_naviState->listNext();
}

void Korvel::navi_endListModes() {
    m_naviState->endListModes();
}

void Korvel::slot_multiTarget_targetTooFar(int row) {
    m_naviState->refuseTargetTooFar(row);
}

void Korvel::slot_routeAp_tooMany() {
    m_naviState->refuseTooManyPoints();
}
