// KML: the coordinates and styles the reader takes, the waypoint export byte for byte and read
// back, and the tools people use: xmllint, ogrinfo and gpsbabel read the export; what gpsbabel
// and ogr2ogr write is read as waypoints and as outlines. A missing tool skips its test.
#include "data/course_reader.h"
#include "data/kml_coordinates.h"
#include "data/kml_export.h"
#include "data/kml_outlines.h"
#include "data/kml_reader.h"
#include "data/kml_waypoints.h"
#include "data/kvlw_time.h"
#include "golden.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "peer_tools.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

StructKmlDocument parse(const QByteArray& kml) {
    QBuffer b;
    b.setData(kml);
    b.open(QIODevice::ReadOnly);
    return KmlReader::read(&b);
}

// Slots 5 to 20: "abc" at 22°15′ N 113°30′ E in 7, a name only a hand-edited file holds at
// 33°52.5926′ S 151°14.0741′ W in 9, the rest empty.
QVector<StructWaypoint> block() {
    QVector<StructWaypoint> out;
    for (int slot = 5; slot <= 20; ++slot)
        out << StructWaypoint::emptyAt(slot);
    out[2].name = "abc";
    out[2].latitude = "N  22°15.0000′";
    out[2].longitude = "E 113°30.0000′";
    out[4].name = "a<b&\"c";
    out[4].latitude = "S  33°52.5926′";
    out[4].longitude = "W 151°14.0741′";
    return out;
}

// Each outline as "name colour width points".
QStringList outlines(const StructKmlDocument& doc) {
    QStringList out;
    for (const StructKmlInfo& i : KmlOutlines::toInfo(doc))
        out << QStringList{i.name, i.color, i.width, QString::number(i.points.size())}.join(' ');
    return out;
}

// The waypoint import's reading: "name lon lat" each.
QString waypoints(const StructKmlDocument& doc) {
    QStringList out;
    for (const StructKmlWaypoint& w : KmlWaypoints::fromDocument(doc))
        out << w.name + QString(" %1 %2").arg(w.longitude).arg(w.latitude);
    return out.join('|');
}

}  // namespace

class TestKml : public QObject {
    Q_OBJECT
private slots:
    void init() { Convert::navi_startPoint = QPoint(); }

    void coordinates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("cut at 7 decimals") << "113.1234567891234,22.12345678912"
                                           << "1131234567,221234567";
        QTest::newRow("the export's own, west and south") << "\r\n-151.23456780,-33.87654320,"
                                                          << "-1512345678,-338765432";
        QTest::newRow("tabs and line breaks") << "\t113.5,22.25,0\n\t\t113.6,22.3,0\r\n "
                                              << "1135000000,222500000 1136000000,223000000";
        QTest::newRow("an exponent") << "1.135e2,2.225e1"
                                     << "1135000000,222500000";
        QTest::newRow("not numbers, beyond 180 and 90, one part") << "a,b 181,0 0,91 5"
                                                                  << "";
    }
    void coordinates() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QStringList got;
        for (const StructKmlPosition& p : KmlCoordinates::parse(text))
            got << QString::number(p.lon) + ',' + QString::number(p.lat);
        QCOMPARE(got.join(' '), read);
    }

    // Styles by reference, through a style map, inline, or none (tests/data/kml/styles.kml).
    void styles() {
        const StructKmlDocument doc = KmlReader::read(KORVEL_KML_DIR "/styles.kml");
        QVERIFY2(doc.ok, qPrintable(doc.error));
        QCOMPARE(outlines(doc),
                 QStringList({"style #ff0000 3 2", "map #ff0000 3 2", "inline #00ff00 2 2",
                              "unknown #000000 2 1", "loop #000000 2 1", "bad #000000 2 1",
                              "rings #ff0000 3 4", "rings #ff0000 3 3"}));
        QCOMPARE(parse("<kml><Placemark>").error, QString("line 1: Premature end of document."));
    }

    // Each fixture as the three imports take it: placemarks read, waypoints importable,
    // outlines the map draws as lines, points of a course. A placemark without a usable
    // point is no waypoint; tracks are lines; a file that is not KML gives nothing.
    void fixtures_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QVector<int>>("counts");  // placemarks, waypoints, lines, course
        const auto row = [](const char* f, QVector<int> counts) {
            QTest::newRow(f) << QString(f) << counts;
        };
        row("empty-placemarks.kml", {4, 1, 0, 1});
        row("gx-track.kml", {1, 1, 1, 4});
        row("gx-multitrack.kml", {1, 1, 2, 5});
        row("nested-folders.kml", {2, 2, 1, 4});
        row("far-away.kml", {1, 1, 1, 3});
        row("bad-coordinates.kml", {7, 1, 1, 2});
        row("styles.kml", {7, 7, 5, 16});
        row("track of 1800, made here", {1, 1, 1, 1800});
        row("lake.gpx", {0, 0, 0, 0});
    }
    void fixtures() {
        QFETCH(QString, fixture);
        QTemporaryDir dir;
        QString path = KORVEL_KML_DIR "/" + fixture;
        if (fixture.contains(' ')) {
            QByteArray kml = "<kml><Placemark><gx:Track xmlns:gx='x'>";
            for (int i = 0; i < 1800; ++i)
                kml += "<gx:coord>113.9 " + QByteArray::number(22.5 + i * 1e-5, 'f', 5) +
                       " 0</gx:coord>";
            QFile f(path = dir.filePath("t.kml"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kml + "</gx:Track></Placemark></kml>"));
        }
        const StructKmlDocument doc = KmlReader::read(path);
        QCOMPARE(doc.ok, !fixture.endsWith(".gpx"));
        const QVector<int> got{doc.placemarks.size(), KmlWaypoints::fromDocument(doc).size(),
                               KmlOutlines::lineCount(KmlOutlines::toInfo(doc)),
                               StructKmlCourse::fromDocument(doc).points.size()};
        qInfo().noquote() << "fixture |" << fixture << "|" << got[0] << "|" << got[1] << "|"
                          << got[2] << "|" << got[3];
        QTEST(got, "counts");
    }

    // Slots 20 to 5 as 5 to 20; the export read back gives every position to the last unit.
    void exportFile() {
        QCOMPARE(KmlExport::fileName(KvlwTime::pack({2015, 1, 21, 17, 59, 0}), 5, 20),
                 QString("/mnt/sd/Korvel/Export/Sablo_Waypoint_01211759_5-20.kml"));
        const QByteArray kml = KmlExport::build(block());
        GOLDEN_COMPARE("data/waypoints.kml", kml);
        QCOMPARE(
            waypoints(parse(kml)),
            QString("idx-007_abc 1135000000 222500000|idx-009_a<b&\"c -1512345683 -338765433"));
        QCOMPARE(KmlWaypoints::rangeText(498, 0), QString("498~499,0~0"));
    }

    // The export as exportFile() holds it in the golden file.
    void peersReadExport() {
        REQUIRE_TOOL("xmllint");
        REQUIRE_TOOL("ogrinfo");
        REQUIRE_TOOL("gpsbabel");
        const QString file = Golden::path("data/waypoints.kml");
        QCOMPARE(runTool("xmllint", {"--noout", file}), QString());
        const QString ogr = runTool("ogrinfo", {"-al", "-q", file});
        QVERIFY2(ogr.contains("Name (String) = idx-007_abc") &&
                     ogr.contains("POINT Z (113.5 22.25 0)") &&
                     ogr.contains("Name (String) = idx-009_a<b&\"c") &&
                     ogr.contains("POINT Z (-151.2345683 -33.8765433 0)"),
                 qPrintable(ogr));
        QCOMPARE(
            runTool("gpsbabel", {"-i", "kml", "-f", file, "-o", "unicsv", "-F", "-"}).split("\r\n"),
            QStringList({"No,Latitude,Longitude,Name", "1,22.250000,113.500000,\"idx-007_abc\"",
                         "2,-33.876543,-151.234568,\"idx-009_a<b&\"\"c\"", ""}));
    }

    // Waypoints and a track by gpsbabel, a shore line with its colour by ogr2ogr (styles
    // inline with KML, by reference with LIBKML).
    void peersWrite_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("waypoints");
        QTest::addColumn<QString>("outline");
        QTest::newRow("gpsbabel")
            << QStringList{"gpsbabel", "-i", "gpx", "-f", "%in", "-o", "kml,points=0", "-F", "%out"}
            << "lake.gpx"
            << "idx-007_abc 1135000000 222500000|far_south_west -1512345680 -338765430|"
               "Path 1135000000 222500000"
            << "idx-007_abc #000000 2 1|far_south_west #000000 2 1|Path #59acff 6 3";
        QTest::newRow("ogr2ogr KML")
            << QStringList{"ogr2ogr", "-f", "KML", "%out", "%in"} << "shore.kml"
            << "shore 1135000000 222500000"
            << "shore #ff0000 2 3";
        QTest::newRow("ogr2ogr LIBKML")
            << QStringList{"ogr2ogr", "-f", "LIBKML", "%out", "%in"} << "shore.kml"
            << "shore 1135000000 222500000"
            << "shore #ff0000 3 3";
    }
    void peersWrite() {
        QFETCH(QStringList, command);
        QFETCH(QString, input);
        QFETCH(QString, waypoints);
        QFETCH(QString, outline);
        REQUIRE_TOOL(command.first());
        QTemporaryDir dir;
        const QString out = dir.filePath("out.kml");
        command.replaceInStrings("%in", KORVEL_KML_DIR "/" + input).replaceInStrings("%out", out);
        QVERIFY(QProcess::execute(command.takeFirst(), command) == 0);
        const StructKmlDocument doc = KmlReader::read(out);
        QCOMPARE(::waypoints(doc), waypoints);
        QCOMPARE(outlines(doc).join('|'), outline);
    }
};

KORVEL_TEST_MAIN(TestKml)
#include "test_kml.moc"
