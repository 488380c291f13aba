// The map with a full track of 5000 points: the time to append one track point and draw it
// (target: under 0.2 ms), and the full repaint that a zoom change makes, over every zoom step
// (target: under 5 ms). Each figure is printed as mean and worst.
//   bench_map [rounds, default 2000]
#include "base/configuration.h"
#include "base/global.h"
#include "navi/map_zoom.h"
#include "ui/map/ux_navi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct StructTimes {
    double totalUs = 0;
    double worstUs = 0;
    int count = 0;
    void add(qint64 ns) {
        totalUs += ns / 1000.0;
        worstUs = std::max(worstUs, ns / 1000.0);
        ++count;
    }
    void print(const char* what, double targetMs) const {
        std::printf("%-44s mean %.3f ms, worst %.3f ms over %d (target under %.1f ms)\n", what,
                    count ? totalUs / 1000.0 / count : 0.0, worstUs / 1000.0, count, targetMs);
    }
};

// A morning of fishing: back and forth across a 240 x 240 half-metre spot, 3 half-metres a
// point, the depth between 1 and 6 m.
QPoint sweep(int i) {
    const int row = i / 80;
    const int along = (i % 80) * 3;
    return QPoint(row % 2 ? 120 - along : along - 120, row * 4 - 120);
}

float depthAt(int i) {
    return 3.5f + 2.5f * float(qSin(i * 0.05));
}

// Circling the boat's spot, so each new point is a new segment and the map never has to
// recentre: only the incremental drawing is timed.
QPoint circling(int i) {
    return QPoint(qRound(40 * qCos(i * 0.15)), qRound(40 * qSin(i * 0.15)));
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Configuration::applyDefaults(Global::configuration);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    UxNavi navi;
    navi.setBoundSize(272, 240);
    for (int i = 0; i < 5000; ++i)
        navi.track_appendPoint(sweep(i), depthAt(i));
    navi.track_appendPoint(circling(0), depthAt(0));
    navi.boat_resetToCenter();

    StructTimes append;
    QElapsedTimer t;
    for (int i = 1; i <= rounds; ++i) {
        t.start();
        navi.track_appendPoint(circling(i), depthAt(i));
        navi.track_paint();
        append.add(t.nsecsElapsed());
    }
    StructTimes zoom;
    StructTimes perStep[MapZoom::kRows];
    for (int i = 0; i < rounds / 10; ++i) {
        t.start();
        navi.zoom_next();
        const qint64 ns = t.nsecsElapsed();
        zoom.add(ns);
        perStep[navi.zoomIndex()].add(ns);
    }
    std::printf("track points: %d, segments drawn at the last zoom: %d\n", navi.track().size(),
                navi.track_segmentCount());
    append.print("append one point and draw it", 0.2);
    zoom.print("zoom change: recentre and full repaint", 5.0);
    for (int z = 0; z < MapZoom::kRows; ++z) {
        const QByteArray what = QByteArray("  to ") + QByteArray::number(MapZoom::row(z).ratio) +
                                " half-metres a pixel";
        perStep[z].print(what.constData(), 5.0);
    }
    return 0;
}
