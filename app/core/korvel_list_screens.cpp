// The screens of the list modes: go-back, the multi-target list and the course cruise, made
// once with the menus, and where their signals lead.
#include "core/korvel.h"

#include "base/log.h"
#include "core/ux_view.h"
#include "data/kml_reader.h"
#include "platform/platform.h"
#include "state/multi_target_list.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route_ap.h"

namespace {
// data: what the screen shows, if it shows something the controller keeps.
template <typename Screen, typename... Data>
Screen* makeScreen(QWidget* view, ModalWatch& modals, const QRect& place, Data&... data) {
    Screen* screen = new Screen(data..., view);
    screen->setGeometry(place);
    screen->hide();
    modals.add(screen);
    return screen;
}
}  // namespace

void Korvel::menu_initListModes() {
    m_goBack = makeScreen<UxSubMenuGoBack>(m_view, m_modals, QRect(20, 160, 200, 160));
    m_multiTarget = makeScreen<UxSubMenuMultiTarget>(m_view, m_modals, QRect(5, 20, 260, 450),
                                                     *m_multiTargetList);
    m_routeAp = makeScreen<UxSubMenuRouteAp>(m_view, m_modals, QRect(5, 20, 260, 450));
    for (QWidget* popup : m_goBack->popups() + m_multiTarget->popups())
        m_modals.add(popup);
    m_modals.add(m_routeAp->timeEditor());
    m_multiTargetList->load();

    connect(m_goBack, &UxSubMenuGoBack::signal_selectWaypoint, this,
            &Korvel::slot_waypoint_selected);
    connect(m_goBack, &UxSubMenuGoBack::signal_startGoBack, this, &Korvel::slot_goBack_start);
    connect(m_goBack, &UxSubMenuGoBack::signal_invalidItem, this,
            [this](const QString& code) { m_dialogs->showInvalidItem(code); });
    menu_setWaypointReceiver(QStringLiteral("goBack"), [this](const StructWaypoint& w) {
        if (!m_naviState->goBackTargetInReach(w)) return false;
        m_goBack->setWaypoint(w.slot(), w.name);
        return true;
    });

    UxSubMenuMultiTarget* mt = m_multiTarget;
    connect(mt, &UxSubMenuMultiTarget::signal_selectWaypoint, this,
            &Korvel::slot_waypoint_selected);
    connect(mt, &UxSubMenuMultiTarget::signal_startMultiTarget, this,
            &Korvel::slot_multiTarget_start);
    connect(mt, &UxSubMenuMultiTarget::signal_importKml, this, &Korvel::slot_multiTarget_import);
    connect(mt, &UxSubMenuMultiTarget::signal_targetTooFar, this,
            &Korvel::slot_multiTarget_targetTooFar);
    menu_setWaypointReceiver(QStringLiteral("multiTarget"), [this](const StructWaypoint& w) {
        m_multiTarget->setWaypoint(w);
        return true;
    });

    UxSubMenuRouteAp* ap = m_routeAp;
    connect(ap, &UxSubMenuRouteAp::signal_routeAp_start, this, &Korvel::slot_routeAp_start);
    connect(ap, &UxSubMenuRouteAp::signal_routeAp_exit, this, &Korvel::slot_routeAp_exit);
    connect(ap, &UxSubMenuRouteAp::signal_routeAp_tooMany, this, &Korvel::slot_routeAp_tooMany);
    connect(ap, &UxSubMenuRouteAp::signal_routeAp_import, this, &Korvel::slot_multiTarget_import);
    // The course is the KML file's placemarks, each a line of points.
    ap->setReader([](const QString& file) {
        const StructKmlDocument doc = KmlReader::read(Platform::path(file));
        if (!doc.ok) qCWarning(lcCore).noquote() << "KML file" << file << doc.error;
        return StructKmlCourse::fromDocument(doc);
    });
    // A file that gives no course says why over the screen, instead of showing only "-.-".
    m_dialogs->receiveFiles(QStringLiteral("routeAp"), [this](const QString& file) {
        m_multiTarget->hide();
        m_routeAp->showRouteAp(file, m_naviState->map().boatPoint(), m_naviState->map().outlines());
        if (!m_routeAp->fileReadable()) {
            m_dialogs->showReadFailed(QStringLiteral("102"));
        } else if (m_routeAp->getWaypointList().isEmpty()) {
            m_dialogs->showNoUsablePoints();
        }
    });
}

void Korvel::slot_multiTarget_import() {
    m_dialogs->file()->showFile(QStringLiteral("/mnt/sd/Korvel/Kml/"), QStringLiteral("*.kml"),
                                QStringLiteral("routeAp"));
}

void Korvel::slot_routeAp_exit() {
    m_multiTarget->showMultiTarget();
}
