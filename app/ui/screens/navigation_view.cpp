#include "ui/screens/navigation_view.h"

#include "navi/convert.h"
#include "state/navigation_state.h"
#include "ui/map/item_marks.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QGraphicsPixmapItem>

NavigationView::NavigationView(const NavigationState& state, const StructNavigationWidgets& widgets,
                               QObject* parent)
    : QObject(parent), m_state(state), m_w(widgets) {
    const NavigationState* n = &state;
    m_w.map->setNavigation(n);
    // The waypoint list and the multi-target list measure their distances from the map's boat.
    connect(n, &NavigationState::fixTaken, m_w.waypoints, &UxSubMenuWaypoint::setCurrentBoatPoint);
    connect(n, &NavigationState::fixTaken, m_w.multiTarget,
            &UxSubMenuMultiTarget::setCurrentBoatPoint);
    connect(n, &NavigationState::homeChanged, this, &NavigationView::showHome);
    connect(n, &NavigationState::targetChanged, this, &NavigationView::showTarget);
    connect(n, &NavigationState::listModeChanged, this, &NavigationView::showListMode);
    connect(n, &NavigationState::listLineChanged, this, &NavigationView::showListLine);
    connect(n, &NavigationState::waypointTaskTaken, m_w.waypoints, &QWidget::hide);
    connect(n, &NavigationState::goBackStarted, m_w.goBack, &QWidget::hide);
    connect(n, &NavigationState::indicatorsChanged, this, &NavigationView::showIndicators);
}

void NavigationView::showHome() {
    m_w.map->home_setPoint(m_state.homePoint());
    m_w.multiTarget->setCurrentHomePoint(m_state.homePoint());
    // The waypoint list shows home without the blanks after the hemisphere letter.
    m_w.waypoints->setCurrentHomePos(
        Convert::ddS32_to_dmString_lat(m_state.home().lat).remove(1, 2),
        Convert::ddS32_to_dmString_lon(m_state.home().lon).remove(1, 1));
}

void NavigationView::showTarget() {
    if (m_state.targetSet()) {
        m_w.map->target_setPoint(m_state.targetPoint(), m_state.targetIcon());
    } else {
        m_w.map->target_clearInfo();
    }
}

void NavigationView::showListMode() {
    const EnumListMode mode = m_state.listRun().mode();
    const bool goBack = mode == EnumListMode::GoBack;
    const bool list = mode == EnumListMode::List;
    m_w.icons->icon(ScreenLayout::IconGoBack)->setVisible(goBack);
    m_w.overlays->goBackText()->setVisible(goBack);
    m_w.icons->icon(ScreenLayout::IconMultiTarget)->setVisible(list);
    m_w.overlays->multiTargetText()->setVisible(list);
}

void NavigationView::showListLine() {
    m_w.map->multiTarget_clearLine();
    for (const GeoPoint& p : m_state.listLine())
        m_w.map->multiTarget_setLine(unsigned(p.lon()), unsigned(p.lat()));
}

void NavigationView::showIndicators() {
    const StructNaviIndicators& i = m_state.indicators();
    StructCompassShown shown = m_w.compasses->shown();
    const QString on = QStringLiteral("on");
    const QString off = QStringLiteral("off");
    if (i.heard) {
        shown.ledAp = i.apRunning ? on : off;
        if (i.rc == EnumRcState::Active) shown.ledRc = on;
        if (i.rc == EnumRcState::Void) shown.ledRc = off;
    } else if (i.allOff) {
        shown.ledAp = shown.ledRc = off;
    }
    m_w.map->setLed_ap(shown.ledAp);
    m_w.map->setLed_rc(shown.ledRc);
    // The compass views' target icon.
    shown.targetShown = m_w.map->target_haveSet();
    if (shown.targetShown) shown.targetDirection = m_w.map->target_getCurrentDir();
    if (i.boatCaliLooked) {
        m_w.map->boat_setNeedCali(i.boatNeedCali);
        shown.boatNeedCali = i.boatNeedCali;
    }
    shown.handsetNeedCali = m_w.handsetNeedsCali && m_w.handsetNeedsCali();
    m_w.map->info_needCali(shown.handsetNeedCali);
    m_w.compasses->show(shown);
    m_w.map->boat_setBlink(i.blink);
}
