// GPX on the handset: a phone's track of 1 million points offered for import (the reading stops
// at the bound and says so: the time to that answer and the memory it took), a file at the bound
// (50 000 points) read whole, a 5 000-point route made a course and written to its slot file,
// and the handset's own exports (500 waypoints, a 5 000-sample track). Each time is the median
// of the rounds; memory is the growth of the peak resident size over the first read.
//   bench_gpx [rounds, default 5]
#include "bench_median.h"
#include "data/course_file.h"
#include "data/gpx_file.h"
#include "data/gpx_handset.h"
#include "data/kvlw_time.h"
#include "navi/convert.h"

#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A track as phones write it (elevation and time on every point), written as it is made so
// that the file's size does not count in the reader's memory.
QString writeTrack(const QTemporaryDir& dir, const char* name, int points) {
    QFile f(dir.filePath(QLatin1String(name)));
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"phone\" "
        "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><name>day</name><trkseg>\n");
    const QDateTime t0(QDate(2026, 6, 1), QTime(5, 0), Qt::UTC);
    QByteArray chunk;
    for (int i = 0; i < points; ++i) {
        chunk += "<trkpt lat=\"" + QByteArray::number(48.1 + (i % 5000) * 1e-6, 'f', 7) +
                 "\" lon=\"" + QByteArray::number(11.4 + i * 1e-7, 'f', 7) + "\"><ele>" +
                 QByteArray::number(500 + i % 7) + "</ele><time>" +
                 t0.addSecs(i).toString(Qt::ISODate).toLatin1() + "</time></trkpt>\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk + "</trkseg></trk></gpx>\n");
    return f.fileName();
}

double peakMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString million = writeTrack(dir, "million.gpx", 1000000);
    const QString bound = writeTrack(dir, "bound.gpx", GpxFile::kMaxPoints);
    std::printf("files: 1 000 000 points %.1f MiB, %d points %.1f MiB\n",
                double(QFile(million).size()) / 1048576.0, GpxFile::kMaxPoints,
                double(QFile(bound).size()) / 1048576.0);

    StructGpxDocument doc;
    double before = peakMiB();
    const double millionMs = medianMs(rounds, [&] { doc = GpxFile::read(million); });
    std::printf("1 000 000 points: %s (ok %d) after %.1f ms, peak memory +%.1f MiB\n",
                qPrintable(doc.error), int(doc.ok), millionMs, peakMiB() - before);
    const double boundMs = medianMs(rounds, [&] { doc = GpxFile::read(bound); });
    std::printf("%d points: read whole (ok %d, %d points) in %.1f ms\n", GpxFile::kMaxPoints,
                int(doc.ok), doc.tracks.value(0).points.size(), boundMs);

    StructGpxLine route = doc.tracks.value(0);
    route.points.resize(CourseFile::kMaxPoints);
    StructRoute course;
    const QString slotFile = dir.filePath(QStringLiteral("waycourse0.kwc"));
    const double courseMs = medianMs(rounds, [&] {
        course = GpxHandset::course(route, QStringLiteral("course0"), 2);
        QFile::remove(slotFile);
        CourseFile::write(slotFile, course);
    });
    std::printf("route of %d points made a course (%d m) and written: %.1f ms\n",
                int(course.points.size()), course.distance, courseMs);

    QVector<StructWaypoint> waypoints;
    for (int slot = 0; slot < 500; ++slot) {
        StructWaypoint w = StructWaypoint::emptyAt(slot);
        w.name = QStringLiteral("wp%1").arg(slot);
        w.latitude = Convert::ddS32_to_dmString_lat(481000000 + slot * 1000);
        w.longitude = Convert::ddS32_to_dmString_lon(114000000 + slot * 1000);
        w.depth = 3.5f;
        w.date = QStringLiteral("26-06-01");
        w.time = QStringLiteral("05:00:00");
        waypoints << w;
    }
    QByteArray bytes;
    const double waypointMs =
        medianMs(rounds, [&] { bytes = GpxHandset::waypointsFile(waypoints, 2); });
    std::printf("export of 500 waypoints: %.1f ms, %d bytes\n", waypointMs, int(bytes.size()));
    for (StructRouteDetail& d : course.points) {
        d.depth = 350;
        d.time = KvlwTime::pack({2026, 6, 1, 7, 0, 0});
    }
    const double trackMs = medianMs(rounds, [&] { bytes = GpxHandset::trackFile(course, 2); });
    std::printf("export of a %d-sample track: %.1f ms, %d bytes\n", int(course.points.size()),
                trackMs, int(bytes.size()));
    std::printf("median of %d rounds\n", rounds);
    return 0;
}
