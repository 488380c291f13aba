// Echogram figures: one column (extraction and painting), a full redraw of 246 columns, and
// one whole main tick while the echogram scrolls through the built-in recording.
#include "base/global.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "sonar/sonar_column.h"
#include "sonar/sonar_paint.h"
#include "sonar/sonar_picture.h"
#include "sonar/ux_sonar.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<QTemporaryDir> g_root;
Korvel* g_korvel = nullptr;

// One controller for every benchmark, on a throw-away root, streaming the recording.
Korvel& korvel() {
    if (!g_korvel) {
        g_root = std::make_unique<QTemporaryDir>();
        Platform::setRoot(g_root->path());
        Platform::setBackend(Platform::Backend::Virtual);
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.simulator = 1;
        g_korvel = new Korvel();
        g_korvel->mainTimer()->stop();
        for (int i = 0; i < 300; ++i)
            g_korvel->slot_timeout_main();
    }
    return *g_korvel;
}

void BM_SonarColumn(benchmark::State& state) {
    Korvel& k = korvel();
    const int last = k.history().size() - 1;
    UxSonar* sonar = k.sonar();
    for (auto _ : state) {
        const SonarColumn c = k.sonar_getSonarInfo(last, false);
        sonar->drawPixsel_sonar(k.picture().columns() - 1, c.surfaceRow, c.bottomRow, c.samples,
                                c.colorOffset);
        benchmark::DoNotOptimize(c.bottomRow);
    }
}
BENCHMARK(BM_SonarColumn);

void BM_SonarColumnExtractOnly(benchmark::State& state) {
    const QList<kvl_w>& history = korvel().history().records();
    SonarColumnState st;
    SonarColumnSettings s;
    int i = 1;
    for (auto _ : state) {
        const SonarColumn c = sonar_extractColumn(history[i], s, st, nullptr);
        benchmark::DoNotOptimize(c.samples[100]);
        i = i + 1 < history.size() ? i + 1 : 1;
    }
}
BENCHMARK(BM_SonarColumnExtractOnly);

void BM_SonarFullRedraw(benchmark::State& state) {
    Korvel& k = korvel();
    for (auto _ : state)
        k.sonar_imageRefresh();
}
BENCHMARK(BM_SonarFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_MainTickScrolling(benchmark::State& state) {
    Korvel& k = korvel();
    for (auto _ : state)
        k.slot_timeout_main();
}
BENCHMARK(BM_MainTickScrolling)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The tick and the repaint of the view that it causes, as the screen sees it.
void BM_MainTickWithRepaint(benchmark::State& state) {
    Korvel& k = korvel();
    QImage screen(272, 480, QImage::Format_RGB16);
    for (auto _ : state) {
        k.slot_timeout_main();
        QPainter p(&screen);
        k.scene()->render(&p, QRectF(0, 0, 272, 240), QRectF(0, 0, 272, 240));
    }
}
BENCHMARK(BM_MainTickWithRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
