#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "data/waypoint_csv.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "platform/shell.h"
#include "state/waypoint_book.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/item_logo.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

int lonOf(const StructWaypoint& w) {
    return Convert::dmString_to_ddS32_Lon(w.longitude);
}

int latOf(const StructWaypoint& w) {
    return Convert::dmString_to_ddS32_Lat(w.latitude);
}

}  // namespace

void Korvel::menu_initWaypoint() {
    m_waypoint = new UxSubMenuWaypoint(*m_waypointBook, m_view);
    m_waypoint->setGeometry(5, 120, 225, 300);
    m_waypoint->hide();
    m_modals.add(m_waypoint);
    for (QWidget* popup : m_waypoint->popups())
        m_modals.add(popup);
    for (int page = 1; page <= WaypointStore::kPages; ++page) {
        m_waypointBook->loadPage(page);
        m_logo->stepGo();
    }
    UxSubMenuWaypoint* w = m_waypoint;
    connect(w, &UxSubMenuWaypoint::signal_needNewWaypoint, this, &Korvel::slot_waypoint_needNew);
    connect(w, &UxSubMenuWaypoint::signal_setAsTarget, this, &Korvel::slot_waypoint_setAsTarget);
    connect(w, &UxSubMenuWaypoint::signal_goToTarget, this, &Korvel::slot_waypoint_gotoTarget);
    connect(w, &UxSubMenuWaypoint::signal_quickGoToTarget, this,
            &Korvel::slot_waypoint_quickGotoTarget);
    connect(w, &UxSubMenuWaypoint::signal_itemClick_waypoint, this,
            &Korvel::slot_waypoint_itemClick);
    connect(w, &UxSubMenuWaypoint::signal_exportCsv, this, &Korvel::slot_waypoint_exportCsv);
    connect(m_waypointBook.get(), &WaypointBook::saveFailed, this,
            [this] { m_dialogs->showSaveFailed(); });
    menu_initKml();
}

void Korvel::menu_setWaypointReceiver(const QString& title, const WaypointReceiver& receiver) {
    m_waypointReceivers.insert(title, receiver);
}

// "New" in the waypoint list: a waypoint where the boat is, in the current slot.
void Korvel::slot_waypoint_needNew() {
    const StructBoatValues& v = values();
    m_waypoint->newWaypointDetail(v.boat_time, v.boat_lon, v.boat_lat, v.current_depth);
}

void Korvel::slot_waypoint_setAsTarget(StructWaypoint waypoint) {
    navi_setTargetPoint(lonOf(waypoint), latOf(waypoint), waypoint.iconIndex);
}

void Korvel::slot_waypoint_gotoTarget(StructWaypoint waypoint) {
    navi_goToPoint(EnumTargetType::TargetPoint, lonOf(waypoint), latOf(waypoint),
                   waypoint.iconIndex);
}

void Korvel::slot_waypoint_quickGotoTarget(StructWaypoint waypoint) {
    navi_askGoToWaypoint(lonOf(waypoint), latOf(waypoint), waypoint.iconIndex);
}

void Korvel::slot_waypoint_selected(QString type) {
    m_waypoint->showWaypoint(type);
}

// A waypoint picked for another screen, which may refuse it and keep the list open.
void Korvel::slot_waypoint_itemClick(QString type, StructWaypoint waypoint) {
    const WaypointReceiver receiver = m_waypointReceivers.value(type);
    if (!receiver) {
        qCWarning(lcCore) << "no screen takes waypoints picked for" << type;
    } else if (!receiver(waypoint)) {
        return;
    }
    m_waypoint->clearFlag_waypointSelect();
    m_waypoint->hide();
}

// Every waypoint to the SD card as CSV.
void Korvel::slot_waypoint_exportCsv() {
    QVector<StructWaypoint> waypoints;
    for (int slot = 0; slot < WaypointStore::kSlots; ++slot)
        waypoints << m_waypointBook->at(slot);
    data_exportToCard(WaypointCsv::fileName(values().boat_time), WaypointCsv::build(waypoints),
                      TR_CopyToSd);
}

// An export to the SD card. The file is replaced whole or not at all, so a full card never
// leaves half a file in place of an earlier export.
bool Korvel::data_exportToCard(const QString& name, const QByteArray& bytes, EnumTrString title) {
    return data_exportFilesToCard({{name, bytes}}, title, TrResource::getTrString(TR_SaveFileOk));
}

bool Korvel::data_exportFilesToCard(const QVector<QPair<QString, QByteArray>>& files,
                                    EnumTrString title, const QString& okText) {
    if (!system_haveMountSD() || m_sdThread->readOnly()) {
        qCWarning(lcCore) << "export: no SD card to write to"
                          << (system_haveMountSD() ? "(it is write-protected)" : "");
        m_dialogs->showSaveFailed();
        return false;
    }
    for (const auto& f : files) {
        const QString path = Platform::path(f.first);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(f.second) != f.second.size() ||
            !file.commit()) {
            qCWarning(lcCore).noquote() << "export: cannot write" << f.first;
            m_dialogs->showSaveFailed();
            return false;
        }
        qCInfo(lcCore).noquote() << "exported to" << f.first;
    }
    Global::my_system("sync");
    m_dialogs->hint()->showHint(QString(), TrResource::getTrString(title), okText, false, true);
    return true;
}
