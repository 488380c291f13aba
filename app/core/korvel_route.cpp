// Courses: the course screen, the live course recorded while the boat moves, the copies to
// and from the SD card and a stored course drawn on the map.
#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "navi/geodesy.h"
#include "platform/shell.h"
#include "state/course_book.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/item_logo.h"
#include "ui/screens/ux_sub_menu_route.h"

namespace {
QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}
}  // namespace

void Korvel::menu_initRoute() {
    m_route = new UxSubMenuRoute(*m_courseBook, m_view);
    m_route->setGeometry(5, 120, 225, 300);
    m_route->hide();
    m_modals.add(m_route);
    for (QWidget* popup : m_route->popups())
        m_modals.add(popup);
    m_courseBook->loadHeaders();
    m_logo->stepGo();
    UxSubMenuRoute* r = m_route;
    connect(r, &UxSubMenuRoute::signal_copyToSD, this, &Korvel::slot_route_copyToSD);
    connect(r, qOverload<>(&UxSubMenuRoute::signal_readRouteFromSD), this,
            qOverload<>(&Korvel::slot_route_readFromSD));
    connect(r, qOverload<bool>(&UxSubMenuRoute::signal_readRouteFromSD), this,
            qOverload<bool>(&Korvel::slot_route_readFromSD));
    connect(r, &UxSubMenuRoute::signal_showRoute, this, &Korvel::slot_route_show);
    // A slot's file not written (saved, deleted, renamed, imported) is said, not passed over.
    connect(m_courseBook.get(), &CourseBook::saveFailed, this,
            [this] { m_dialogs->showSaveFailed(); });
    connect(r, &UxSubMenuRoute::signal_invalidItem, this,
            [this](const QString& code) { m_dialogs->showInvalidItem(code); });
    m_dialogs->receiveFiles(QStringLiteral("kwc"),
                            [this](const QString& file) { m_route->readWayCourseFromSD(file); });
    menu_initGpx();
}

void Korvel::navi_recordCourse(const QPoint& boat) {
    const StructBoatValues& v = values();
    const bool first = m_courseBook->liveIsEmpty();
    if (!first && Global::calc_pixDst(QPointF(boat), QPointF(m_navi_lastRoutePoint)) <=
                      Global::configuration.sampleDst + 1.0f)
        return;
    m_courseBook->appendPoint(v.boat_lon, v.boat_lat, v.boat_time,
                              unsigned(qMax(0.0f, v.current_depth * 100.0f)),
                              Global::configuration.sampleDst);
    m_navi_lastRoutePoint = boat;
}

void Korvel::slot_route_copyToSD(bool ok) {
    if (ok) {
        Global::my_system("sync");
        m_dialogs->hint()->showHint(QString(), trText(TR_CopyToSd), trText(TR_SaveFileOk), false,
                                    true);
    } else {
        m_dialogs->hint()->showHint(QStringLiteral("105"), trText(TR_Error),
                                    trText(TR_SaveFileFailed), false, true);
    }
}

void Korvel::slot_route_readFromSD() {
    m_dialogs->file()->showFile(QLatin1String(CourseStore::kSdFolder), QStringLiteral("*.kwc"),
                                QStringLiteral("kwc"));
}

void Korvel::slot_route_readFromSD(bool ok) {
    if (ok) {
        m_dialogs->hint()->showHint(QString(), trText(TR_Message), trText(TR_ReadFileOk), false,
                                    true);
    } else {
        m_dialogs->hint()->showHint(QStringLiteral("106"), trText(TR_Error),
                                    trText(TR_ReadFileFailed), false, true);
    }
}

// The course's samples as the map's course points: depth from centimetres, colour from the map.
void Korvel::slot_route_show(QList<StructRouteDetail> details) {
    QList<StructRouteInfo> points;
    for (const StructRouteDetail& d : details) {
        StructRouteInfo p;
        p.lon_ddS32 = d.longitude;
        p.lat_ddS32 = d.latitude;
        p.depth = float(d.depth) / 100.0f;
        points << p;
    }
    qCInfo(lcNavi) << "showing a course of" << points.size() << "points";
    m_naviState->map().setRoute(points);
}
