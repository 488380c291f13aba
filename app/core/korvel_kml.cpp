// The KML exchange: waypoints exported to the SD card and imported from it, and outlines
// read for the map. The reading and writing live in data/kml_*; here they are only called.
#include "core/korvel.h"

#include "base/log.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "data/kml_export.h"
#include "data/kml_outlines.h"
#include "data/kml_reader.h"
#include "data/kml_waypoints.h"
#include "platform/platform.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/ux_sub_menu_export_kml.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QCoreApplication>

namespace {

const char kKmlFolder[] = "/mnt/sd/Korvel/Kml/";
const char kKmlPattern[] = "*.kml";

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

}  // namespace

void Korvel::menu_initKml() {
    m_exportKml = new UxSubMenuExportKml(m_view);
    m_exportKml->setGeometry(10, 160, 200, 160);
    m_exportKml->hide();
    m_modals.add(m_exportKml);
    m_modals.add(m_exportKml->lineEditor());
    connect(m_waypoint, &UxSubMenuWaypoint::signal_exportKml, this,
            &Korvel::slot_waypoint_exportKml);
    connect(m_waypoint, &UxSubMenuWaypoint::signal_importKml, this,
            &Korvel::slot_waypoint_importKml);
    connect(m_exportKml, &UxSubMenuExportKml::signal_startExportKml, this,
            &Korvel::slot_exportKml_confirm);
    m_dialogs->receiveFiles(QStringLiteral("waypoint"),
                            [this](const QString& file) { data_readKmlWaypoint(file); });
    m_dialogs->receiveFiles(QStringLiteral("kml"),
                            [this](const QString& file) { navi_getFile_kml(file); });
}

void Korvel::slot_waypoint_exportKml() {
    m_exportKml->showExportKml();
}

QVector<StructWaypoint> Korvel::data_waypointBlock(int idx_from, int idx_to, int& from, int& to) {
    from = qBound(0, qMin(idx_from, idx_to), WaypointStore::kSlots - 1);
    to = qBound(0, qMax(idx_from, idx_to), WaypointStore::kSlots - 1);
    QVector<StructWaypoint> waypoints;
    for (int slot = from; slot <= to; ++slot)
        waypoints << m_waypoint->getWaypoint(slot);
    return waypoints;
}

void Korvel::slot_exportKml_confirm(int idx_from, int idx_to) {
    int from = 0;
    int to = 0;
    const QVector<StructWaypoint> waypoints = data_waypointBlock(idx_from, idx_to, from, to);
    data_exportToCard(KmlExport::fileName(values().boat_time, from, to),
                      KmlExport::build(waypoints), TR_ExportKml);
}

void Korvel::slot_waypoint_importKml() {
    m_dialogs->file()->showFile(QLatin1String(kKmlFolder), QLatin1String(kKmlPattern),
                                QStringLiteral("waypoint"));
}

// The placemarks are held until the question is answered: "OK" stores them from the current
// slot on.
void Korvel::data_readKmlWaypoint(const QString& file) {
    m_kmlWaypoints.clear();
    const StructKmlDocument doc = KmlReader::read(Platform::path(file));
    if (!doc.ok) {
        qCWarning(lcCore).noquote() << "KML file" << file << doc.error;
        m_dialogs->showReadFailed(QStringLiteral("102"));
        return;
    }
    data_askWaypointImport(KmlWaypoints::fromDocument(doc), TR_WaypointsFoundInKml);
}

void Korvel::data_askWaypointImport(const QVector<StructKmlWaypoint>& read,
                                    EnumTrString foundText) {
    m_kmlWaypoints.clear();
    const QString found = QString::number(read.size()) + QLatin1Char(' ') + trText(foundText);
    if (read.size() > KmlWaypoints::kMaxCount || read.isEmpty()) {
        const QString text = read.isEmpty()
                                 ? found
                                 : trText(TR_NotMoreThan) + QLatin1Char(' ') +
                                       QString::number(KmlWaypoints::kMaxCount) + QLatin1Char('.');
        m_dialogs->hint()->showHint(QString(), trText(TR_Import), text, false, true);
        return;
    }
    m_kmlWaypoints = read;
    const bool empty = m_waypoint->allSelectedIdxIsEmpty(read.size());
    int first = 0;
    int last = 0;
    m_waypoint->getImportIdx(first, last);
    prompter().ask({EnumDialogKind::KmlWaypointImport, trText(TR_Import),
                    found + QStringLiteral("\r\n") +
                        trText(empty ? TR_WillWriteToSlot : TR_WillOverwriteToSlot) +
                        QLatin1Char(' ') + KmlWaypoints::rangeText(first, last),
                    trText(TR_Ok), QStringLiteral("Cancel")},
                   [this](EnumAnswer a) {
                       if (a == EnumAnswer::Left) data_importKmlWaypoint();
                   });
}

void Korvel::data_importKmlWaypoint() {
    int first = 0;
    int last = 0;
    m_waypoint->getImportIdx(first, last);
    int slot = first;
    for (const StructKmlWaypoint& w : qAsConst(m_kmlWaypoints)) {
        m_waypoint->importWaypoint(slot, w.time != 0 ? w.time : values().boat_time, w.name,
                                   w.longitude, w.latitude, w.depth);
        slot = (slot + 1) % WaypointStore::kSlots;
    }
    if (!m_kmlWaypoints.isEmpty()) m_waypoint->saveWaypointArray(first, last);
    qCInfo(lcCore) << m_kmlWaypoints.size() << "waypoints imported";
    m_kmlWaypoints.clear();
}

void Korvel::navi_getFile_kml(const QString& file) {
    m_dialogs->hint()->showHint(QString(), trText(TR_ImportOutline), trText(TR_LoadingFile), false,
                                false);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const StructKmlDocument doc = KmlReader::read(Platform::path(file));
    if (!doc.ok) {
        qCWarning(lcCore).noquote() << "KML file" << file << doc.error;
        m_dialogs->showReadFailed(QStringLiteral("102"));
        return;
    }
    // A file with no line or shape leaves the outlines drawn so far as they are.
    const QList<StructKmlInfo> outlines = KmlOutlines::toInfo(doc);
    if (KmlOutlines::lineCount(outlines) == 0) {
        m_dialogs->showNoUsablePoints();
        return;
    }
    m_naviState->map().setOutlines(outlines);
    m_navi->boat_resetToCenter();
    m_dialogs->hint()->hide();
}
