// The chained autopilot modes: the screens' requests handed to the navigation state, which
// runs go-back, the multi-target list and the course cruise one leg at a time.
#include "core/korvel.h"

#include "base/log.h"
#include "base/tr_resource.h"
#include "state/multi_target_list.h"
#include "state/navigation_state.h"
#include "state/prompter.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_route_ap.h"

static_assert(UxSubMenuGoBack::kHome == StructGoBackRequest::kHome, "home is one slot number");

void Korvel::slot_goBack_start() {
    navi_goBackStart();
}

void Korvel::navi_goBackStart() {
    StructGoBackRequest r;
    r.firstSlot = m_goBack->getLEditIdx(1);
    r.secondSlot = m_goBack->getLEditIdx(2);
    r.fieldsEmpty = m_goBack->lEditIsEmpty();
    r.firstEmpty = m_goBack->targetIsEmpty(1);
    r.secondEmpty = m_goBack->targetIsEmpty(2);
    r.waitSeconds = m_goBack->getOverTime();
    m_naviState->startGoBack(r);
}

void Korvel::slot_multiTarget_start() {
    navi_multiTargetStart(EnumListKind::MultiTarget);
}

void Korvel::slot_routeAp_start() {
    navi_multiTargetStart(EnumListKind::Course);
}

void Korvel::navi_multiTargetStart(EnumListKind kind) {
    QList<StructMultiTarget> targets;
    if (kind == EnumListKind::Course) {
        for (const StructWaypoint& w : m_routeAp->getWaypointList())
            targets << StructMultiTarget(w, m_routeAp->getDelayTimeS());
    } else {
        targets = m_multiTargetList->targets();
    }
    // Without "Message when arrive" a course runs on from point to point without stopping.
    const bool noStop = kind == EnumListKind::Course && !m_routeAp->chbox_isChecked();
    m_naviState->startList(targets, noStop, kind);
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

// --- Refusals from the screens ------------------------------------------------------------------

void Korvel::slot_multiTarget_targetTooFar(int row) {
    const QString text = TrResource::getTrString(TR_TargetNumbered) + QLatin1Char(' ') +
                         QString::number(row + 1) + QLatin1Char(' ') +
                         TrResource::getTrString(TR_TooFarFromBoat);
    qCInfo(lcNavi).noquote() << text;
    prompter().notice(TrResource::getTrString(TR_Error), {text}, false);
}

void Korvel::slot_routeAp_tooMany() {
    const QString text = TrResource::getTrString(TR_NotMoreThan) + QStringLiteral(" 100.");
    qCInfo(lcNavi).noquote() << text;
    prompter().notice(TrResource::getTrString(TR_Error), {text}, false);
}
