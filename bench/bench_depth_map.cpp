// The lake depth map: what a sounding costs, what drawing it costs, what it weighs, and how
// well it matches the lake it was taken from.
//   insert       one sounding into the grid, median over 100 000 (target: at most 2 us)
//   contours     the isobaths of the map layer over a surveyed lake, every zoom (target: 10 ms)
//   shading      the shaded layer, every zoom (target: 5 ms)
//   memory       an hour of soundings, and a full 2 km x 2 km lake; the kept file of each
//   accuracy     the virtual boat surveys 200 x 200 m in lines 10 m apart; every cell and every
//                bridged node against the true bottom (target: RMS at most 0.3 m), the share
//                of the surveyed square the map covers, the largest error, and how far the
//                isobaths lie from the true ones (target: within one cell)
//   bench_depth_map [spacing m, default 10]
#include "base/configuration.h"
#include "base/global.h"
#include "data/depth_map_file.h"
#include "navi/depth_contours.h"
#include "navi/map_zoom.h"
#include "platform/platform.h"
#include "state/depth_map_state.h"
#include "state/prompter.h"
#include "ui/map/depth_map_picture.h"

#include "boat_sim.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class QuietPrompter : public Prompter {
public:
    void ask(const StructQuestion&, std::function<void(EnumAnswer)>) override {}
    bool isAsking(EnumDialogKind) const override { return false; }
    void hint(EnumHintCode, const QString&) override {}
    void notice(const QString&, const QStringList&, bool) override {}
    void message(const QString&, const QString&) override {}
    void awaitAck(const StructAckWait&) override {}
    void countDown(const QString&, int, std::function<void()>) override {}
    void stopCountDown() override {}
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    const size_t i = std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5));
    std::nth_element(v.begin(), v.begin() + long(i), v.end());
    return v[i];
}

GeoPoint geo(double lat, double lon) {
    return GeoPoint(Latitude(qint32(std::lround(lat * 1e7))),
                    Longitude(qint32(std::lround(lon * 1e7))));
}

void insertCost() {
    DepthGrid grid;
    std::vector<double> ns;
    ns.reserve(100000);
    // Lines 10 m apart, 0.2 m between soundings, as a boat at 1.2 m/s pings six times a second.
    for (int i = 0; i < 100000; ++i) {
        const double along = (i % 5000) * 0.2;
        const double line = (i / 5000) * 10.0;
        const GeoPoint p = geo(22.552 + line / 111000.0, 113.94 + along / 102500.0);
        const auto t0 = std::chrono::steady_clock::now();
        grid.add(p, 3.0f + float(i % 7) * 0.1f);
        const auto t1 = std::chrono::steady_clock::now();
        ns.push_back(double(std::chrono::duration_cast<std::chrono::nanoseconds>(t1 - t0).count()));
    }
    std::printf("insert: median %.3f us, 99th %.3f us over 100000 (target: median at most 2 us)\n",
                percentile(ns, 0.5) / 1000, percentile(ns, 0.99) / 1000);
}

// The virtual boat drives the survey; every frame goes in as the handset takes a live one.
void survey(vboat::BoatSim& sim, DepthMapState& map, double spacing, double* seconds, int* frames) {
    const StructConfiguration& cfg = Global::configuration;
    sim.survey(-100, 20, 200, 200, spacing, 1.3);
    vboat::SonarSettings settings;
    const double dt = 1.0 / 6;
    double t = 0;
    while (!sim.surveyProgress().done && t < 4 * 3600) {
        const QByteArray bytes = sim.nextFrame(dt, settings);
        t += dt;
        if (bytes.size() != kvl_w::kSize) continue;
        kvl_w frame;
        std::memcpy(frame.bytes, bytes.constData(), kvl_w::kSize);
        map.takeFrame(frame, cfg, qint64(t * 1000));
        ++*frames;
    }
    *seconds = t;
}

void accuracy(const vboat::BoatSim& sim, const DepthGrid& grid) {
    // Every measured cell, and the map as drawn (measured and bridged) over the square.
    std::vector<double> cellErrors, fieldErrors;
    double largest = 0;
    int squareCells = 0, covered = 0;
    double lat, lon;
    sim.localToGeo(-100, 20, lat, lon);
    const StructCellIndex sw = grid.indexOf(geo(lat, lon));
    sim.localToGeo(100, 220, lat, lon);
    const StructCellIndex ne = grid.indexOf(geo(lat, lon));
    const QRect square(QPoint(sw.column, sw.row), QPoint(ne.column, ne.row));
    const DepthField field(grid, square, 1);
    for (int r = 0; r < field.height(); ++r) {
        for (int c = 0; c < field.width(); ++c) {
            ++squareCells;
            const float v = field.at(c, r);
            if (std::isnan(v)) continue;
            ++covered;
            const StructCellIndex i{square.left() + c, square.top() + r};
            const GeoPoint centre = grid.centreOf(i);
            const double truth = sim.trueDepthAt(centre.lat() / 1e7, centre.lon() / 1e7);
            const double e = double(v) - truth;
            fieldErrors.push_back(e * e);
            largest = std::max(largest, std::abs(e));
            if (const StructDepthCell* cell = grid.cell(i))
                cellErrors.push_back(std::pow(cell->depthCm / 100.0 - truth, 2));
        }
    }
    double sumCells = 0, sumField = 0;
    for (double e : cellErrors)
        sumCells += e;
    for (double e : fieldErrors)
        sumField += e;
    std::printf(
        "accuracy: RMS %.3f m over %zu measured cells, %.3f m over %zu drawn nodes "
        "(target at most 0.3 m); largest error %.2f m\n",
        std::sqrt(sumCells / std::max<size_t>(1, cellErrors.size())), cellErrors.size(),
        std::sqrt(sumField / std::max<size_t>(1, fieldErrors.size())), fieldErrors.size(), largest);
    std::printf(
        "coverage: %.1f%% of the 200 x 200 m square measured, %.1f%% drawn (measured or "
        "bridged)\n",
        100.0 * cellErrors.size() / squareCells, 100.0 * covered / squareCells);

    // Each isobath point: how far the true isobath of its depth lies, searched on growing
    // circles around it (to 10 m), in cells.
    std::vector<double> offsets;
    int lost = 0;
    for (const StructContour& c : DepthContours::trace(field, 1.0f)) {
        for (const QPointF& p : c.points) {
            const GeoPoint g = grid.positionOf(p);
            double x, y, la, lo;
            sim.geoToLocal(g.lat() / 1e7, g.lon() / 1e7, x, y);
            const auto side = [&](double px, double py) {
                sim.localToGeo(px, py, la, lo);
                return sim.trueDepthAt(la, lo) > c.depthMetres;
            };
            const bool here = side(x, y);
            double found = -1;
            for (double r = 0.1; r <= 10.0 && found < 0; r += 0.1)
                for (int a = 0; a < 64 && found < 0; ++a)
                    if (side(x + r * std::cos(a * M_PI / 32), y + r * std::sin(a * M_PI / 32)) !=
                        here)
                        found = r;
            if (found < 0)
                ++lost;
            else
                offsets.push_back(found / DepthGrid::kCellMetres);
        }
    }
    const double within =
        100.0 *
        double(std::count_if(offsets.begin(), offsets.end(), [](double o) { return o <= 1.0; })) /
        std::max<size_t>(1, offsets.size());
    std::printf(
        "isobaths (1 m): %zu points, median %.2f cells, 90th %.2f cells, 99th %.2f cells from "
        "the true ones, %.1f%% within one cell (target: within one cell), %d with no true "
        "isobath within 10 m\n",
        offsets.size(), percentile(offsets, 0.5), percentile(offsets, 0.9),
        percentile(offsets, 0.99), within, lost);
}

void drawing(DepthGrid& grid, const vboat::BoatSim& sim) {
    DepthColorBar bar;
    bar.set(false, 0, 10);
    QImage picture(MapMapping::kLayerSize, MapMapping::kLayerSize,
                   QImage::Format_ARGB32_Premultiplied);
    // The map's own origin on the shore; the view centred over the middle of the survey.
    double lat, lon;
    sim.localToGeo(0, 0, lat, lon);
    const GeoPoint start = geo(lat, lon);
    const double k = std::cos(lat * M_PI / 180);
    const auto relative = [&](GeoPoint g) {
        return QPointF((g.lon() - start.lon()) / 1e7 * 222000 * k,
                       -(g.lat() - start.lat()) / 1e7 * 222000);
    };
    sim.localToGeo(0, 120, lat, lon);
    StructDepthMapScene scene;
    scene.grid = &grid;
    scene.originRelative = relative(grid.origin());
    scene.map.centre = relative(geo(lat, lon));
    scene.colours = &bar;
    DepthMapPicture::render(picture, scene);  // the label font is loaded once, not timed
    for (int zoom = 0; zoom < MapZoom::kRows; ++zoom) {
        scene.map.ratio = MapZoom::row(zoom).ratio;
        double worst[2] = {0, 0}, total[2] = {0, 0};
        int lines = 0;
        const int rounds = 20;
        for (int part = 0; part < 2; ++part) {
            scene.shading = part == 0;
            scene.contours = part == 1;
            for (int i = 0; i < rounds; ++i) {
                QElapsedTimer t;
                t.start();
                const int n = DepthMapPicture::render(picture, scene);
                const double ms = t.nsecsElapsed() / 1e6;
                if (part == 1) lines = n;
                worst[part] = std::max(worst[part], ms);
                total[part] += ms;
            }
        }
        // A second of new soundings (the boat 1.3 m further on), drawn where they changed it.
        scene.shading = scene.contours = true;
        DepthMapPicture::render(picture, scene);
        grid.takeChanged();
        double partWorst = 0, partTotal = 0;
        for (int i = 0; i < rounds; ++i) {
            for (int k = 0; k < 6; ++k) {
                double la, lo;
                sim.localToGeo(-20 + i * 1.3 + k * 0.22, 121, la, lo);
                grid.add(geo(la, lo), 5.0f);
            }
            QElapsedTimer t;
            t.start();
            DepthMapPicture::render(picture, scene,
                                    DepthMapPicture::pixelsFor(scene, grid.takeChanged()));
            const double ms = t.nsecsElapsed() / 1e6;
            partWorst = std::max(partWorst, ms);
            partTotal += ms;
        }
        std::printf(
            "zoom %.1f half-metres/pixel (step %d): shading mean %.2f ms, worst %.2f ms "
            "(target 5 ms); contours mean %.2f ms, worst %.2f ms, %d lines (target 10 ms); "
            "a second's soundings mean %.2f ms, worst %.2f ms\n",
            double(scene.map.ratio), DepthMapPicture::stepFor(scene.map.ratio), total[0] / rounds,
            worst[0], total[1] / rounds, worst[1], lines, partTotal / rounds, partWorst);
    }
}

void memory(const DepthGrid& surveyed, double seconds) {
    std::printf(
        "memory: %.0f min of survey soundings: %d cells in %d tiles, %.2f MiB, kept file "
        "%.1f KiB\n",
        seconds / 60, surveyed.filledCells(), surveyed.tileCount(),
        surveyed.memoryBytes() / 1048576.0, DepthMapFile::encode(surveyed).size() / 1024.0);
    // An hour in a straight line, the most tiles an hour can touch.
    DepthGrid straight;
    for (int i = 0; i < 6 * 3600; ++i)
        straight.add(geo(22.552, 113.94 + i * 0.22 / 102500.0), 3.0f);
    std::printf("memory: 1 h in a straight line (4.7 km): %d cells in %d tiles, %.2f MiB\n",
                straight.filledCells(), straight.tileCount(), straight.memoryBytes() / 1048576.0);
    DepthGrid lake;
    lake.setOrigin(geo(22.552, 113.94));
    for (int r = 0; r < 1000; ++r)
        for (int c = 0; c < 1000; ++c)
            lake.restore({c, r}, StructDepthCell{uint16_t(300 + (r * 7 + c * 3) % 900), 4, 10});
    QElapsedTimer t;
    t.start();
    const QByteArray file = DepthMapFile::encode(lake);
    const double writeMs = t.nsecsElapsed() / 1e6;
    DepthGrid back;
    t.restart();
    const bool ok = DepthMapFile::decode(file, &back);
    std::printf(
        "memory: a full 2 x 2 km lake: %d cells in %d tiles, %.2f MiB; kept file %.2f MiB, "
        "encoded in %.0f ms, read back in %.0f ms (%s)\n",
        lake.filledCells(), lake.tileCount(), lake.memoryBytes() / 1048576.0,
        file.size() / 1048576.0, writeMs, t.nsecsElapsed() / 1e6, ok ? "same" : "FAILED");
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir root;
    Platform::setRoot(root.path());
    Configuration::applyDefaults(Global::configuration);
    const double spacing = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;

    insertCost();

    vboat::SimOptions options;
    options.startUtc = QDateTime(QDate(2026, 6, 1), QTime(6, 0), Qt::UTC);
    vboat::BoatSim sim(options);
    QuietPrompter prompter;
    DepthMapState map(prompter);
    double seconds = 0;
    int frames = 0;
    survey(sim, map, spacing, &seconds, &frames);
    std::printf("survey: 200 x 200 m, lines %.0f m apart, %.0f min, %d frames\n", spacing,
                seconds / 60, frames);
    accuracy(sim, map.grid());
    memory(map.grid(), seconds);
    // The drawing adds soundings of its own: last.
    drawing(const_cast<DepthGrid&>(map.grid()), sim);
    return 0;
}
