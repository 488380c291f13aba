// Importing KML, side by side with gpsbabel on the same files: a course of 10 000 points (one
// line placemark, a point a line as GPS tools write them) read as map outlines, and 500
// waypoints in the handset's own export format read for the waypoint import. Korvel's figure
// is the read in this process; gpsbabel's is "gpsbabel -i kml -f FILE -o unicsv -F /dev/null"
// as a program, so its start-up is printed too (the same run on an empty KML). Each figure is
// the median of the rounds; the ratio is gpsbabel's time over Korvel's (target: at least 1).
//   bench_kml_import [rounds, default 15]
#include "bench_median.h"
#include "data/kml_export.h"
#include "data/kml_outlines.h"
#include "data/kml_reader.h"
#include "data/kml_waypoints.h"
#include "navi/convert.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(QLatin1String(name)));
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(bytes);
    return f.fileName();
}

QByteArray course(int points) {
    QByteArray kml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml "
        "xmlns=\"http://www.opengis.net/kml/2.2\"><Document><Style id=\"c\">"
        "<LineStyle><color>ff0000ff</color><width>3</width></LineStyle></Style>"
        "<Placemark><name>course</name><styleUrl>#c</styleUrl><LineString>"
        "<coordinates>\n";
    for (int i = 0; i < points; ++i)
        kml += QByteArray::number(113.5 + i * 1e-5, 'f', 8) + ',' +
               QByteArray::number(22.25 + (i % 100) * 1e-5, 'f', 8) + ",0\n";
    return kml + "</coordinates></LineString></Placemark></Document></kml>\n";
}

QByteArray waypoints(int count) {
    QVector<StructWaypoint> list;
    for (int slot = 0; slot < count; ++slot) {
        StructWaypoint w = StructWaypoint::emptyAt(slot);
        w.name = QStringLiteral("wp%1").arg(slot);
        w.latitude = Convert::ddS32_to_dmString_lat(222500000 + slot * 1000);
        w.longitude = Convert::ddS32_to_dmString_lon(1135000000 + slot * 1000);
        list << w;
    }
    return KmlExport::build(list);
}

double gpsbabelMs(int rounds, const QString& file) {
    return medianMs(rounds, [&] {
        QProcess::execute(QStringLiteral("gpsbabel"),
                          {"-i", "kml", "-f", file, "-o", "unicsv", "-F", "/dev/null"});
    });
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir dir;
    const QString courseFile = writeFile(dir, "course.kml", course(10000));
    const QString waypointFile = writeFile(dir, "waypoints.kml", waypoints(500));
    const QString emptyFile = writeFile(dir, "empty.kml", "<kml><Document/></kml>\n");
    int got = 0;
    const double courseMs = medianMs(rounds, [&] {
        Convert::navi_startPoint = QPoint();
        got = KmlOutlines::toInfo(KmlReader::read(courseFile)).value(0).points.size();
    });
    std::printf("course: %d points read\n", got);
    const double waypointMs = medianMs(
        rounds, [&] { got = KmlWaypoints::fromDocument(KmlReader::read(waypointFile)).size(); });
    std::printf("waypoints: %d read\n", got);
    if (QStandardPaths::findExecutable(QStringLiteral("gpsbabel")).isEmpty()) {
        std::printf("Korvel: course %.2f ms, waypoints %.2f ms; gpsbabel is not installed\n",
                    courseMs, waypointMs);
        return 0;
    }
    const double startMs = gpsbabelMs(rounds, emptyFile);
    const double babelCourse = gpsbabelMs(rounds, courseFile);
    const double babelWaypoints = gpsbabelMs(rounds, waypointFile);
    std::printf("%-26s %12s %12s %8s %22s\n", "file", "Korvel ms", "gpsbabel ms", "ratio",
                "ratio without start-up");
    const auto row = [&](const char* name, double k, double g) {
        std::printf("%-26s %12.2f %12.2f %8.1f %22.1f\n", name, k, g, g / k, (g - startMs) / k);
    };
    row("course, 10000 points", courseMs, babelCourse);
    row("waypoints, 500", waypointMs, babelWaypoints);
    std::printf("gpsbabel start-up (empty KML): %.2f ms; median of %d rounds\n", startMs, rounds);
    return 0;
}
