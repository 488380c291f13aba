// The GPX exchange: waypoints, a stored course as a route and the live course as a track
// exported to the SD card; waypoints and a route imported from it. The files are made and read
// in data/gpx_*; here they are only called.
#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "data/course_file.h"
#include "data/gpx_file.h"
#include "data/gpx_handset.h"
#include "platform/platform.h"
#include "state/course_book.h"
#include "state/prompter.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/screens/ux_sub_menu_export_kml.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

namespace {

// GPX files are read where the card's KML files are, the folder for files from other programs.
const char kGpxFolder[] = "/mnt/sd/Korvel/Kml/";
const char kGpxPattern[] = "*.gpx";

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

float timeZone() {
    return Global::configuration.timeZone;
}

}  // namespace

void Korvel::menu_initGpx() {
    connect(m_waypoint, &UxSubMenuWaypoint::signal_exportGpx, this,
            [this] { m_exportKml->showExportGpx(); });
    connect(m_exportKml, &UxSubMenuExportKml::signal_startExportGpx, this,
            &Korvel::data_exportWaypointGpx);
    connect(m_waypoint, &UxSubMenuWaypoint::signal_importGpx, this, [this] {
        m_dialogs->file()->showFile(QLatin1String(kGpxFolder), QLatin1String(kGpxPattern),
                                    QStringLiteral("gpxWaypoint"));
    });
    connect(m_route, &UxSubMenuRoute::signal_exportGpx, this, &Korvel::data_exportCourseGpx);
    connect(m_route, &UxSubMenuRoute::signal_exportTrackGpx, this, &Korvel::data_exportTrackGpx);
    connect(m_route, &UxSubMenuRoute::signal_importGpx, this, [this] {
        m_dialogs->file()->showFile(QLatin1String(kGpxFolder), QLatin1String(kGpxPattern),
                                    QStringLiteral("gpxCourse"));
    });
    m_dialogs->receiveFiles(QStringLiteral("gpxWaypoint"),
                            [this](const QString& file) { data_readGpxWaypoint(file); });
    m_dialogs->receiveFiles(QStringLiteral("gpxCourse"),
                            [this](const QString& file) { data_readGpxCourse(file); });
}

void Korvel::data_exportWaypointGpx(int idx_from, int idx_to) {
    int from = 0;
    int to = 0;
    const QVector<StructWaypoint> waypoints = data_waypointBlock(idx_from, idx_to, from, to);
    data_exportToCard(GpxHandset::waypointFileName(values().boat_time, from, to),
                      GpxHandset::waypointsFile(waypoints, timeZone()), TR_ExportGpx);
}

void Korvel::data_exportCourseGpx(int slot) {
    StructRoute course = m_courseBook->slot(slot);
    course.points = m_courseBook->points(slot);
    if (course.isEmpty() || course.points.isEmpty()) {
        prompter().hint(EnumHintCode::GpxNothingToExport, trText(TR_RouteEmpty));
        return;
    }
    data_exportToCard(GpxHandset::courseFileName(values().boat_time, slot),
                      GpxHandset::courseFile(course), TR_ExportGpx);
}

void Korvel::data_exportTrackGpx() {
    const StructRoute& live = m_courseBook->live();
    if (live.points.isEmpty()) {
        prompter().hint(EnumHintCode::GpxNothingToExport, trText(TR_RouteEmpty));
        return;
    }
    data_exportToCard(GpxHandset::trackFileName(values().boat_time),
                      GpxHandset::trackFile(live, timeZone()), TR_TrackAsGpx);
}

// A file past the bound is refused as too large, any other unread file as unreadable.
bool Korvel::data_gpxReadable(const StructGpxDocument& doc, const QString& file) {
    if (doc.ok) return true;
    qCWarning(lcCore).noquote() << "GPX file" << file << doc.error;
    if (doc.tooManyPoints) {
        prompter().hint(EnumHintCode::GpxReadFailed, trText(TR_NotMoreThan) + QLatin1Char(' ') +
                                                         QString::number(GpxFile::kMaxPoints) +
                                                         QLatin1Char('.'));
    } else {
        m_dialogs->showReadFailed(HintCode::text(EnumHintCode::GpxReadFailed));
    }
    return false;
}

void Korvel::data_readGpxWaypoint(const QString& file) {
    m_kmlWaypoints.clear();
    const StructGpxDocument doc = GpxFile::read(Platform::path(file));
    if (!data_gpxReadable(doc, file)) return;
    if (doc.refused > 0) qCInfo(lcCore) << doc.refused << "GPX points without a usable position";
    data_askWaypointImport(GpxHandset::waypoints(doc, timeZone()), TR_WaypointsFoundInGpx);
}

// The question names the count and the slot; a route longer than a course holds is refused
// whole, the slot left as it is.
void Korvel::data_readGpxCourse(const QString& file) {
    m_gpxCourse = StructRoute();
    const StructGpxDocument doc = GpxFile::read(Platform::path(file));
    if (!data_gpxReadable(doc, file)) return;
    const StructGpxLine* line = GpxHandset::courseLine(doc);
    if (!line || line->points.isEmpty()) {
        m_dialogs->showNoUsablePoints();
        return;
    }
    const int slot = m_route->currentSlot();
    const QString found =
        QString::number(line->points.size()) + QLatin1Char(' ') + trText(TR_PointsInRoute);
    if (line->points.size() > CourseFile::kMaxPoints) {
        prompter().hint(EnumHintCode::GpxRouteTooLong,
                        found + QStringLiteral("\r\n") + trText(TR_NotMoreThan) + QLatin1Char(' ') +
                            QString::number(CourseFile::kMaxPoints) + QLatin1Char('.'));
        return;
    }
    m_gpxCourse = GpxHandset::course(*line, QStringLiteral("course%1").arg(slot), timeZone());
    const bool empty = m_courseBook->slot(slot).isEmpty();
    prompter().ask({EnumDialogKind::GpxCourseImport, trText(TR_Import),
                    found + QStringLiteral("\r\n") +
                        trText(empty ? TR_WillWriteToSlot : TR_WillOverwriteToSlot) +
                        QLatin1Char(' ') + QString::number(slot),
                    trText(TR_Ok), QStringLiteral("Cancel")},
                   [this, slot](EnumAnswer a) {
                       if (a == EnumAnswer::Left && m_courseBook->importCourse(slot, m_gpxCourse))
                           qCInfo(lcCore) << m_gpxCourse.points.size()
                                          << "GPX points imported into course slot" << slot;
                       m_gpxCourse = StructRoute();
                   });
}
