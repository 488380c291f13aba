// The chained autopilot modes: go-back (a first target, a wait, a second target), the
// multi-target list and the course cruise (each point with its wait), one go-to leg at a time;
// the count-down at a reached point starts the next leg.
#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "navi/convert.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/map/item_marks.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route_ap.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QGraphicsPixmapItem>

namespace {

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

int lonOf(const StructWaypoint& w) {
    return Convert::dmString_to_ddS32_Lon(w.longitude);
}

int latOf(const StructWaypoint& w) {
    return Convert::dmString_to_ddS32_Lat(w.latitude);
}

}  // namespace

// --- Go-back ------------------------------------------------------------------------------------

void Korvel::slot_goBack_start() {
    navi_goBackStart();
}

bool Korvel::navi_goBackTarget(int slot, StructNaviTarget* target) const {
    if (slot == UxSubMenuGoBack::kHome) {
        if (!m_navi_home.isSet()) return false;
        *target = {m_navi_home.lon, m_navi_home.lat, 0, EnumTargetType::TargetGoBack1};
        return true;
    }
    const StructWaypoint w = m_waypoint->getWaypoint(qBound(0, slot, WaypointStore::kSlots - 1));
    *target = {lonOf(w), latOf(w), w.iconIndex, EnumTargetType::TargetGoBack1};
    return !w.isEmpty();
}

// Both targets must be set: an empty second field would send the boat to whatever its stored
// slot number names. A target whose waypoint has gone since is empty too; home must be known.
void Korvel::navi_goBackStart() {
    StructNaviTarget t;
    const int slot = m_goBack->getLEditIdx(1);
    if (m_goBack->lEditIsEmpty() || !navi_goBackTarget(slot, &t)) {
        const char* code = m_goBack->targetIsEmpty(1)       ? "410"
                           : m_goBack->targetIsEmpty(2)     ? "419"
                           : slot != UxSubMenuGoBack::kHome ? "410"
                                                            : "404";
        navi_showHint(QLatin1String(code));
        return;
    }
    m_listRun.startGoBack(m_goBack->getOverTime());
    navi_showListItems();
    m_navi->multiTarget_clearLine();
    m_goBack->hide();
    qCInfo(lcNavi) << "go-back started, waiting" << m_listRun.goBackWait() << "s between";
    navi_goToPoint(EnumTargetType::TargetGoBack1, t.lon, t.lat, t.icon);
}

void Korvel::navi_goBackNext() {
    m_dialogs->countDown()->hide();
    StructNaviTarget t;
    const int slot = m_goBack->getLEditIdx(2);
    if (!navi_goBackTarget(slot, &t)) {
        navi_endListModes();
        navi_showHint(slot == UxSubMenuGoBack::kHome ? QStringLiteral("404")
                                                     : QStringLiteral("419"));
        return;
    }
    navi_goToPoint(EnumTargetType::TargetGoBack2, t.lon, t.lat, t.icon);
}

// --- Lists --------------------------------------------------------------------------------------

void Korvel::slot_multiTarget_start() {
    navi_multiTargetStart(QStringLiteral("waypoint"));
}

void Korvel::slot_routeAp_start() {
    navi_multiTargetStart(QStringLiteral("route"));
}

void Korvel::navi_multiTargetStart(const QString& kind) {
    if (m_listRun.mode() == EnumListMode::List) {
        navi_showHint(QStringLiteral("408"));
        return;
    }
    QList<StructMultiTarget> targets;
    if (kind == QLatin1String("route")) {
        const int delay = m_routeAp->getDelayTimeS();
        for (const StructWaypoint& w : m_routeAp->getWaypointList())
            targets << StructMultiTarget(w, delay);
    } else {
        for (int row = 0; row < UxSubMenuMultiTarget::kRows; ++row) {
            StructWaypoint w;
            int delay = 0;
            m_multiTarget->getTargetInfo(row, w, delay);
            if (!w.isEmpty()) targets << StructMultiTarget(w, delay);
        }
    }
    m_navi->multiTarget_clearLine();
    for (const StructMultiTarget& t : targets)
        m_navi->multiTarget_setLine(unsigned(lonOf(t)), unsigned(latOf(t)));
    m_navi->track_repaint();
    // Without "Message when arrive" a course runs on from point to point without stopping.
    const bool noStop = kind == QLatin1String("route") && !m_routeAp->chbox_isChecked();
    if (!m_listRun.startList(targets, noStop)) {
        navi_showHint(QStringLiteral("418"));
        return;
    }
    qCInfo(lcNavi).noquote() << "list started:" << kind << targets.size() << "points"
                             << (noStop ? "without stops" : "");
    navi_showListItems();
    navi_goToListTarget(m_listRun.targets().first());
}

void Korvel::navi_multiTargetNext() {
    m_dialogs->countDown()->hide();
    if (!m_listRun.targets().isEmpty()) navi_goToListTarget(m_listRun.targets().first());
}

void Korvel::navi_goToListTarget(const StructMultiTarget& target) {
    navi_goToPoint(EnumTargetType::TargetMultiTarget, lonOf(target), latOf(target),
                   target.iconIndex);
}

// The end of a wait: the next leg of the mode that runs; nothing once it has ended.
void Korvel::slot_countDown_timeOver() {
    switch (m_listRun.mode()) {
        case EnumListMode::GoBack:
            navi_goBackNext();
            break;
        case EnumListMode::List:
            navi_multiTargetNext();
            break;
        case EnumListMode::Idle:
            m_dialogs->countDown()->hide();
            break;
    }
}

void Korvel::navi_endListModes() {
    m_dialogs->countDown()->stopCountDown();
    m_listRun.end();
    navi_hideListItems();
    m_navi->multiTarget_clearLine();
}

void Korvel::navi_showListItems() {
    const bool goBack = m_listRun.mode() == EnumListMode::GoBack;
    m_statusIcons->icon(ScreenLayout::IconGoBack)->setVisible(goBack);
    m_overlays->goBackText()->setVisible(goBack);
    m_statusIcons->icon(ScreenLayout::IconMultiTarget)->setVisible(!goBack);
    m_overlays->multiTargetText()->setVisible(!goBack);
}

// --- Refusals from the screens ------------------------------------------------------------------

void Korvel::slot_multiTarget_targetTooFar(int row) {
    const QString text = trText(TR_TargetNumbered) + QLatin1Char(' ') + QString::number(row + 1) +
                         QLatin1Char(' ') + trText(TR_TooFarFromBoat);
    qCInfo(lcNavi).noquote() << text;
    m_dialogs->hint()->showHint(QString(), trText(TR_Error), text, false, true);
}

void Korvel::slot_routeAp_tooMany() {
    const QString text = trText(TR_NotMoreThan) + QStringLiteral(" 100.");
    qCInfo(lcNavi).noquote() << text;
    m_dialogs->hint()->showHint(QString(), trText(TR_Error), text, false, true);
}
