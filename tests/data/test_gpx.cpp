// GPX: the writer and the reader round-trip every field; what the handset writes is valid GPX
// 1.1 by its schema and the tools people use read it (xmllint, ogrinfo, gpsbabel); the handset
// reads what they write; bad files give a clear result; the handset's local times and courses
// as GPX and back. A missing tool skips its test.
#include "data/gpx_file.h"
#include "data/gpx_handset.h"
#include "data/kvlw_time.h"
#include "data/waypoint_texts.h"
#include "korvel_test.h"
#include "peer_tools.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

StructGpxDocument parse(const QByteArray& gpx) {
    QBuffer b;
    b.setData(gpx);
    b.open(QIODevice::ReadOnly);
    return GpxFile::read(&b);
}

StructGpxPoint point(int lat, int lon, const QString& name = QString(), float depth = NAN,
                     const QDateTime& time = QDateTime()) {
    StructGpxPoint p;
    p.lat = lat;
    p.lon = lon;
    p.name = name;
    p.depthMetres = depth;
    p.time = time;
    return p;
}

// 500 waypoints with names XML and ASCII do not like, a course and a track with depths and
// times, the positions at the seventh decimal and at the ends of the world.
StructGpxDocument sample() {
    const QStringList names{"a<b&\"c'>", "Ölsee-Süd", "湖の岬", "idx-007_abc", "", "]]>"};
    const QVector<QPair<int, int>> corners{{900000000, 1800000000},
                                           {-900000000, -1800000000},
                                           {1, -1},
                                           {-338765433, -1512345683},
                                           {481234567, 115345678}};
    StructGpxDocument doc;
    const QDateTime t0(QDate(2015, 3, 5), QTime(9, 7, 30), Qt::UTC);
    for (int i = 0; i < 500; ++i) {
        const auto [lat, lon] = corners.at(i % corners.size());
        const int inward = lat > 0 ? -1 : 1;  // toward the equator and the meridian
        doc.waypoints << point(lat + inward * (i % 7), lon + (lon > 0 ? -1 : 1) * (i % 3),
                               names.at(i % names.size()) + QString::number(i),
                               i % 4 ? i * 0.37f : NAN, i % 2 ? t0.addSecs(i) : QDateTime());
    }
    StructGpxLine route{"Bank <5m>", {}}, track{"Morning", {}};
    for (int i = 0; i < 100; ++i) {
        route.points << point(481000000 + i * 37, 115000000 - i * 41, QString(), 1.5f + i * 0.01f);
        track.points << point(481000000 - i * 13, 115000000 + i * 29, QString(), 0.3f * i,
                              t0.addSecs(i * 2));
    }
    doc.routes << route;
    doc.tracks << track;
    return doc;
}

QString describe(const StructGpxPoint& p) {
    return QString("%1 %2 %3 %4 %5")
        .arg(p.lat)
        .arg(p.lon)
        .arg(p.name, p.hasDepth() ? QString::number(double(p.depthMetres), 'g', 9) : "-",
             p.time.toString(Qt::ISODate));
}

QStringList describe(const StructGpxDocument& doc) {
    QStringList out;
    for (const StructGpxPoint& p : doc.waypoints)
        out << "wpt " + describe(p);
    for (const auto* lines : {&doc.routes, &doc.tracks}) {
        for (const StructGpxLine& l : *lines) {
            out << "line " + l.name;
            for (const StructGpxPoint& p : l.points)
                out << describe(p);
        }
    }
    return out;
}

}  // namespace

class TestGpx : public QObject {
    Q_OBJECT
private slots:
    void roundTrip() {
        StructGpxDocument doc = sample();
        const StructGpxDocument back = parse(GpxFile::build(doc));
        for (StructGpxPoint& p : doc.waypoints)  // the 180th meridian comes back as -180
            p.lon = p.lon == 1800000000 ? -p.lon : p.lon;
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.refused, 0);
        QCOMPARE(describe(back), describe(doc));
    }

    // Every file the handset writes, by the GPX 1.1 schema (fetched by scripts/test).
    void schemaValid() {
        REQUIRE_TOOL("xmllint");
        if (!QFile::exists(KORVEL_GPX_SCHEMA)) QSKIP("no GPX schema: scripts/test fetches it");
        StructWaypoint w = StructWaypoint::emptyAt(3);
        w.name = "bank";
        w.depth = 2.5f;
        w.date = "15-03-05";
        w.time = "09:07:30";
        StructRoute course;
        course.name = "0305-0907";
        course.points = {{222500000, 1135000000, 150, KvlwTime::pack({2015, 3, 5, 9, 7, 30})},
                         {222510000, 1135010000, 0, 0}};
        QTemporaryDir dir;
        const QList<QPair<QString, QByteArray>> files{
            {"sample", GpxFile::build(sample())},
            {"waypoints", GpxHandset::waypointsFile({w, StructWaypoint::emptyAt(4)}, 8)},
            {"course", GpxHandset::courseFile(course)},
            {"track", GpxHandset::trackFile(course, 8)}};
        for (const auto& [name, bytes] : files) {
            QFile f(dir.filePath(name + ".gpx"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            f.close();
            QProcess x;
            x.setProcessChannelMode(QProcess::MergedChannels);
            x.start("xmllint", {"--noout", "--schema", KORVEL_GPX_SCHEMA, f.fileName()});
            QVERIFY(x.waitForFinished(60000));
            QVERIFY2(x.exitCode() == 0, qPrintable(name + ": " + x.readAll()));
        }
    }

    // The handset's local words as UTC and back, across a day and a year, in whole-hour zones
    // (the handset's clock moves by the zone's whole hours only).
    void handsetTimes_data() {
        QTest::addColumn<uint>("local");
        QTest::addColumn<float>("zone");
        QTest::addColumn<QString>("utc");
        const auto word = [](int y, int mo, int d, int h, int mi) {
            return uint(KvlwTime::pack({y, mo, d, h, mi, 5}));
        };
        QTest::newRow("east") << word(2016, 1, 1, 3, 0) << 8.0f << "2015-12-31T19:00:05Z";
        QTest::newRow("west, half") << word(2016, 2, 28, 21, 30) << -5.5f << "2016-02-29T02:30:05Z";
        QTest::newRow("no date") << 0u << 0.0f << "";
        QTest::newRow("month 14") << word(2016, 14, 1, 3, 0) << 0.0f << "";
    }
    void handsetTimes() {
        QFETCH(uint, local);
        QFETCH(float, zone);
        QFETCH(QString, utc);
        const QDateTime t = GpxHandset::utcOf(local, zone);
        QCOMPARE(t.toString(Qt::ISODate), utc);
        if (t.isValid()) QCOMPARE(uint(GpxHandset::localWordOf(t, zone)), local);
    }

    // A route as a course: its name as an import makes it, its length, the depths in whole
    // centimetres (none above the water), its start and end; the live course as a track keeps
    // every sample's time and depth.
    void handsetCourse() {
        const QDateTime t0(QDate(2015, 3, 5), QTime(9, 7, 30), Qt::UTC);
        StructGpxLine line{"Bank <5m> south", {}};
        line.points << point(480000000, 114000000, {}, 1.234f) << point(480090000, 114000000)
                    << point(480090000, 114134000, {}, -2, t0)
                    << point(480090000, 114134000, {}, 3.5f, t0.addSecs(90));
        const StructRoute c = GpxHandset::course(line, "course3", 1);
        QStringList points;
        for (const StructRouteDetail& d : c.points)
            points << QString("%1 %2 %3 %4")
                          .arg(d.latitude)
                          .arg(d.longitude)
                          .arg(d.depth)
                          .arg(WaypointTexts::timeText(d.time));
        QCOMPARE(
            QString("%1 %2 %3-%4 | ")
                    .arg(c.name)
                    .arg(c.distance)
                    .arg(WaypointTexts::timeText(c.startTime), WaypointTexts::timeText(c.endTime)) +
                points.join(" | "),
            QString("Bank--5m- 1994 10:07:30-10:09:00 | 480000000 114000000 123 00:00:00 | "
                    "480090000 114000000 0 00:00:00 | 480090000 114134000 0 10:07:30 | "
                    "480090000 114134000 350 10:09:00"));
        // Across the 180th meridian a leg goes the short way: 0.02 degree on the equator.
        const StructGpxLine dateline{"", {point(0, 1799900000), point(0, -1799900000)}};
        QCOMPARE(GpxHandset::course(dateline, "course3", 0).distance, 2220);
        const StructGpxDocument track = parse(GpxHandset::trackFile(c, 1));
        QCOMPARE(track.tracks.size(), 1);
        QStringList back;
        for (const StructGpxPoint& p : track.tracks.first().points)
            back << describe(p);
        QCOMPARE(back, QStringList({"480000000 114000000  1.23000002 ", "480090000 114000000  - ",
                                    "480090000 114134000  - 2015-03-05T09:07:30Z",
                                    "480090000 114134000  3.5 2015-03-05T09:09:00Z"}));
    }

    // A malformed file, a foreign root, impossible positions, too many points.
    void badInput_data() {
        QTest::addColumn<QByteArray>("gpx");
        QTest::addColumn<QString>("result");
        const QByteArray head = "<gpx version=\"1.1\" creator=\"t\">";
        QTest::newRow("malformed") << head + "<wpt lat=\"1\" lon=\"2\"><name>a</wpt>"
                                   << "error line 1: Opening and ending tag mismatch.";
        QTest::newRow("not gpx") << QByteArray("<kml></kml>") << "error not a GPX file";
        QTest::newRow("out of range")
            << head +
                   "<wpt lat=\"91\" lon=\"2\"/><wpt lat=\"1\" lon=\"-180.5\"/>"
                   "<wpt lat=\"1\"/><wpt lat=\"1.5\" lon=\"2.5\"/></gpx>"
            << "ok 1 waypoints, 3 refused";
        QByteArray many = head + "<trk><trkseg>";
        for (int i = 0; i <= GpxFile::kMaxPoints; ++i)
            many += "<trkpt lat=\"1\" lon=\"2\"/>";
        QTest::newRow("too many points") << many + "</trkseg></trk></gpx>"
                                         << "error more than 50000 points";
    }
    void badInput() {
        QFETCH(QByteArray, gpx);
        QFETCH(QString, result);
        const StructGpxDocument doc = parse(gpx);
        QCOMPARE(
            doc.ok
                ? QString("ok %1 waypoints, %2 refused").arg(doc.waypoints.size()).arg(doc.refused)
                : "error " + doc.error,
            result);
    }

    // What the handset writes, as the tools read it: the waypoint's depth (Garmin's
    // WaypointExtension) by both.
    void peersReadExport() {
        REQUIRE_TOOL("xmllint");
        REQUIRE_TOOL("ogrinfo");
        REQUIRE_TOOL("gpsbabel");
        QTemporaryDir dir;
        const QString file = dir.filePath("out.gpx");
        StructGpxDocument doc;
        const QDateTime t0(QDate(2015, 3, 5), QTime(9, 7, 30), Qt::UTC);
        doc.waypoints << point(222500000, 1135000000, "a<b&\"c", 3.25f, t0);
        doc.tracks << StructGpxLine{"trip",
                                    {point(222500000, 1135000000, {}, 1.5f, t0),
                                     point(222510000, 1135010000, {}, 2.5f, t0.addSecs(2))}};
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(GpxFile::build(doc));
        f.close();
        QCOMPARE(runTool("xmllint", {"--noout", file}), QString());
        const QString ogr = runTool("ogrinfo", {"-al", "-q", file});
        QVERIFY2(ogr.contains("name (String) = a<b&\"c") && ogr.contains("POINT (113.5 22.25)") &&
                     ogr.contains("MULTILINESTRING ((113.5 22.25,113.501 22.251))"),
                 qPrintable(ogr));
        QCOMPARE(runTool("gpsbabel", {"-i", "gpx", "-f", file, "-o", "unicsv", "-F", "-"})
                     .split("\r\n")
                     .mid(0, 2),
                 QStringList({"No,Latitude,Longitude,Name,Depth,Date,Time",
                              "1,22.250000,113.500000,\"a<b&\"\"c\",3.250,2015/03/05,09:07:30"}));
        // gpsbabel shows no track depths, but it carries them through a file of its own.
        const QString again = dir.filePath("again.gpx");
        QCOMPARE(QProcess::execute("gpsbabel",
                                   {"-w", "-t", "-i", "gpx", "-f", file, "-o", "gpx", "-F", again}),
                 0);
        QCOMPARE(describe(GpxFile::read(again)), describe(doc));
    }

    // What gpsbabel and ogr2ogr write, as the handset reads it.
    void peersWrite_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("read");
        QTest::newRow("gpsbabel")
            << QStringList{"gpsbabel", "-i",  "gpx", "-f",  KORVEL_KML_DIR "/lake.gpx",
                           "-o",       "gpx", "-F",  "%out"}
            << "wpt 222500000 1135000000 idx-007_abc - |"
               "wpt -338765433 -1512345683 far_south_west - |line shore|"
               "222500000 1135000000  - |222510000 1135010000  - |222500000 1135020000  - ";
        QTest::newRow("ogr2ogr")
            << QStringList{"ogr2ogr", "-f", "GPX", "%out", KORVEL_KML_DIR "/lake.gpx", "waypoints"}
            << "wpt 222500000 1135000000 idx-007_abc - |"
               "wpt -338765433 -1512345683 far_south_west - ";
    }
    void peersWrite() {
        QFETCH(QStringList, command);
        QFETCH(QString, read);
        REQUIRE_TOOL(command.first());
        QTemporaryDir dir;
        const QString out = dir.filePath("out.gpx");
        command.replaceInStrings("%out", out);
        QVERIFY(QProcess::execute(command.takeFirst(), command) == 0);
        const StructGpxDocument doc = GpxFile::read(out);
        QVERIFY2(doc.ok, qPrintable(doc.error));
        QCOMPARE(describe(doc).join('|'), read);
    }
};

KORVEL_TEST_MAIN(TestGpx)
#include "test_gpx.moc"
