#include "data/gpx_handset.h"

#include "data/gpx_file.h"
#include "data/kml_export.h"
#include "data/kvlw_time.h"
#include "data/waypoint_texts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString stamp(uint32_t boatTime) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(boatTime);
    return two(t.month) + two(t.day) + two(t.hour) + two(t.minute);
}

// The stored "15-03-05" and "09:07:30" as a local word; 0 for the empty slot's texts.
uint32_t localWordOfTexts(const QString& date, const QString& time) {
    if (!WaypointTexts::isDateText(date) || !WaypointTexts::isTimeText(time)) return 0;
    const QDate d(2000 + date.mid(0, 2).toInt(), date.mid(3, 2).toInt(), date.mid(6, 2).toInt());
    if (!d.isValid()) return 0;
    return KvlwTime::pack({d.year(), d.month(), d.day(), time.mid(0, 2).toInt(),
                           time.mid(3, 2).toInt(), time.mid(6, 2).toInt()});
}

// Metres between two positions, on the flat earth the map uses: a leg of a course is short.
double legMetres(const StructRouteDetail& a, const StructRouteDetail& b) {
    constexpr double kMetresPerUnit = 111000.0 / 1e7;
    const double midLat = (double(a.latitude) + double(b.latitude)) / 2e7 * M_PI / 180.0;
    const double dy = (double(b.latitude) - double(a.latitude)) * kMetresPerUnit;
    // Across the 180th meridian the short way round.
    const double dLon = std::fabs(double(b.longitude) - double(a.longitude));
    const double dx = std::min(dLon, 3.6e9 - dLon) * kMetresPerUnit * std::cos(midLat);
    return std::hypot(dx, dy);
}

StructGpxLine courseAsLine(const StructRoute& course, float timeZone, bool timed) {
    StructGpxLine line;
    line.name = course.isEmpty() ? QString() : course.name;
    line.points.reserve(course.points.size());
    for (const StructRouteDetail& d : course.points) {
        StructGpxPoint p;
        p.lat = d.latitude;
        p.lon = d.longitude;
        if (d.depth > 0) p.depthMetres = float(d.depth) / 100.0f;  // 0: no sounding then
        if (timed) p.time = GpxHandset::utcOf(d.time, timeZone);
        line.points << p;
    }
    return line;
}

}  // namespace

namespace GpxHandset {

QString waypointFileName(uint32_t boatTime, int from, int to) {
    return QLatin1String(kFolder) + QStringLiteral("Korvel_Waypoint_") + stamp(boatTime) +
           QLatin1Char('_') + QString::number(from) + QLatin1Char('-') + QString::number(to) +
           QStringLiteral(".gpx");
}

QString courseFileName(uint32_t boatTime, int slot) {
    return QLatin1String(kFolder) + QStringLiteral("Korvel_Course_") + stamp(boatTime) +
           QLatin1Char('_') + QString::number(slot) + QStringLiteral(".gpx");
}

QString trackFileName(uint32_t boatTime) {
    return QLatin1String(kFolder) + QStringLiteral("Korvel_Track_") + stamp(boatTime) +
           QStringLiteral(".gpx");
}

QDateTime utcOf(uint32_t localWord, float timeZone) {
    // The local word is UTC moved by the zone's whole hours; moved back the same way.
    const uint32_t utc = localWord == 0 ? 0 : KvlwTime::utc2Local(localWord, -timeZone);
    if (utc == 0) return QDateTime();
    const KvlwTime::StructDateTime t = KvlwTime::unpack(utc);
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second), Qt::UTC);
}

uint32_t localWordOf(const QDateTime& utc, float timeZone) {
    if (!utc.isValid()) return 0;
    const QDateTime u = utc.toUTC();
    const uint32_t word = KvlwTime::pack({u.date().year(), u.date().month(), u.date().day(),
                                          u.time().hour(), u.time().minute(), u.time().second()});
    return word == 0 ? 0 : KvlwTime::utc2Local(word, timeZone);
}

QByteArray waypointsFile(const QVector<StructWaypoint>& waypoints, float timeZone) {
    StructGpxDocument doc;
    for (const StructWaypoint& w : waypoints) {
        if (w.isEmpty()) continue;
        StructGpxPoint p;
        p.lat = KmlExport::exactDdS32(w.latitude, false);
        p.lon = KmlExport::exactDdS32(w.longitude, true);
        p.name = w.name;
        if (w.depth > 0) p.depthMetres = w.depth;
        p.time = utcOf(localWordOfTexts(w.date, w.time), timeZone);
        doc.waypoints << p;
    }
    return GpxFile::build(doc);
}

QByteArray courseFile(const StructRoute& course) {
    StructGpxDocument doc;
    doc.routes << courseAsLine(course, 0, false);
    return GpxFile::build(doc);
}

QByteArray trackFile(const StructRoute& course, float timeZone) {
    StructGpxDocument doc;
    doc.tracks << courseAsLine(course, timeZone, true);
    return GpxFile::build(doc);
}

QVector<StructKmlWaypoint> waypoints(const StructGpxDocument& doc, float timeZone) {
    QVector<StructKmlWaypoint> out;
    out.reserve(doc.waypoints.size());
    for (const StructGpxPoint& p : doc.waypoints) {
        StructKmlWaypoint w{p.name, p.lon, p.lat};
        if (p.hasDepth() && p.depthMetres > 0) w.depth = p.depthMetres;
        w.time = localWordOf(p.time, timeZone);
        out << w;
    }
    return out;
}

const StructGpxLine* courseLine(const StructGpxDocument& doc) {
    if (!doc.routes.isEmpty()) return &doc.routes.first();
    if (!doc.tracks.isEmpty()) return &doc.tracks.first();
    return nullptr;
}

StructRoute course(const StructGpxLine& line, const QString& fallbackName, float timeZone) {
    StructRoute r;
    r.name = WaypointTexts::importName(line.name, fallbackName);
    double metres = 0;
    for (const StructGpxPoint& p : line.points) {
        StructRouteDetail d;
        d.latitude = p.lat;
        d.longitude = p.lon;
        // A course keeps whole centimetres from 0 on: a depth above the water is none.
        d.depth =
            p.hasDepth() && p.depthMetres > 0 ? unsigned(std::lround(p.depthMetres * 100)) : 0;
        d.time = localWordOf(p.time, timeZone);
        if (!r.points.isEmpty()) metres += legMetres(r.points.last(), d);
        if (d.time != 0) {
            if (r.startTime == 0) r.startTime = d.time;
            r.endTime = d.time;
        }
        r.points << d;
    }
    // A foreign file's line may zigzag round the earth: its length stays within the field.
    r.distance = int(std::lround(std::min(metres, double(std::numeric_limits<int>::max()))));
    return r;
}

}  // namespace GpxHandset
