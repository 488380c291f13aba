// The navigation: the state decides, the navigation view shows it; the named steps forward.
#include "core/korvel.h"

#include "link/ux_data.h"
#include "state/navigation_state.h"
#include "state/waypoint_book.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/navigation_view.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

namespace {
GeoPoint geo(int lon, int lat) {
    return GeoPoint(Latitude(lat), Longitude(lon));
}
}  // namespace

void Korvel::navi_initState() {
    StructNaviPorts ports;
    ports.sendStart = [this](const GeoPoint& p) {
        link_ap_setTarget(p.lat(), p.lon());
        link_ap_send_start();
    };
    ports.sendStop = [this] { link_ap_send_stop(); };
    ports.waypoint = [this](int slot) {
        return m_waypointBook->at(qBound(0, slot, WaypointStore::kSlots - 1));
    };
    ports.linkBusy = [this] { return m_update.inProgress || m_dialogs->progress()->isVisible(); };
    m_naviState = std::make_unique<NavigationState>(m_data->linkState(), m_boatValues.values(),
                                                    prompter(), std::move(ports));
    NavigationState* n = m_naviState.get();
    m_navi->setContent(&n->map());
    StructNavigationWidgets w{m_navi,
                              m_waypoint,
                              m_multiTarget,
                              m_goBack,
                              m_statusIcons.get(),
                              m_overlays.get(),
                              m_compassViews.get(),
                              [this] { return m_compass && m_compass->outOfRange(); }};
    new NavigationView(*n, w, this);
    connect(n, &NavigationState::boatMoved, this, &Korvel::navi_recordCourse);
    connect(n, &NavigationState::cursorSaveChosen, this, [this](GeoPoint p) {
        // Into the first free slot, never over a kept waypoint; the depth there is not known.
        m_waypoint->newWaypointDetail(-1, values().boat_time, p.lon(), p.lat(), 0.0f);
    });
}

NavigationState& Korvel::navigation() const {
    return *m_naviState;
}

// --- The named steps ----------------------------------------------------------------------------

void Korvel::navi_getCurrent() {
    m_navi->boat_setHeading(int(values().boat_heading));
    m_naviState->takeFix();
}

void Korvel::navi_setHomePoint(int lon, int lat) {
    m_naviState->setHome(geo(lon, lat));
}

void Korvel::navi_setTargetPoint(int lon, int lat, int icon) {
    m_naviState->markTarget(geo(lon, lat), icon);
}

void Korvel::navi_goToPoint(EnumTargetType type, int lon, int lat, int icon) {
    m_naviState->goTo(type, geo(lon, lat), icon);
}

void Korvel::navi_goHome() {
    m_naviState->goHome();
}

void Korvel::navi_beforeAp() {
    m_naviState->beforeAp();
}

void Korvel::navi_afterAp() {
    m_naviState->afterAp();
}

void Korvel::navi_stopAp() {
    m_naviState->stopAp();
}

void Korvel::navi_apKeyLongPress() {
    m_naviState->apKeyLongPress();
}

void Korvel::navi_askGoToWaypoint(int lon, int lat, int icon) {
    m_naviState->askGoToWaypoint(geo(lon, lat), icon);
}

void Korvel::dialog_selectPoint_use(const QPoint& point) {
    m_naviState->askCursorUse(point);
}

void Korvel::slot_selectPoint_use(QPoint point) {
    dialog_selectPoint_use(point);
}

void Korvel::navi_zoomTrack() {
    m_navi->zoom_next();
    sonar_imageRefresh();
}

// --- Supervision --------------------------------------------------------------------------------

// The state's pass; the navigation view shows the indicators it leaves.
void Korvel::navi_checkState() {
    m_naviState->check();
}
