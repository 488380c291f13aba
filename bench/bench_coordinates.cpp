// Cost of the position conversions that run for every waypoint row, editor key and track
// point: a display text and its parse as one pair, and one map coordinate.
#include "navi/convert.h"

#include <benchmark/benchmark.h>
#include <QLoggingCategory>
#include <QString>
#include <vector>

namespace {

constexpr int kPositions = 4096;
constexpr int kIterations = 1000000;

// Latitudes spread over both hemispheres, the same for every run.
std::vector<int> latitudes() {
    std::vector<int> v;
    v.reserve(kPositions);
    unsigned int seed = 12345u;
    for (int i = 0; i < kPositions; ++i) {
        seed = seed * 1103515245u + 12345u;
        v.push_back(int(seed % 1800000001u) - 900000000);
    }
    return v;
}

void BM_latitudeTextPair(benchmark::State& state) {
    const std::vector<int> lat = latitudes();
    std::size_t i = 0;
    for (auto _ : state) {
        const QString text = Convert::ddS32_to_dmString_lat(lat[i]);
        benchmark::DoNotOptimize(Convert::dmString_to_ddS32_Lat(text));
        i = (i + 1) % lat.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_latitudeTextPair)->Iterations(kIterations)->Unit(benchmark::kNanosecond);

void BM_relativeCoordinate(benchmark::State& state) {
    Convert::setStartPoint(115000000, 481000000);
    std::size_t i = 0;
    for (auto _ : state) {
        // Positions within a few hundred metres of the origin, as on the water.
        const int d = int(i) * 37 - 75000;
        benchmark::DoNotOptimize(
            Convert::navi_ddS32_to_relativeCoor(115000000 + d, 481000000 - d / 2));
        i = (i + 1) % kPositions;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_relativeCoordinate)->Iterations(kIterations)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
    // The per-call debug line would measure the terminal, not the arithmetic.
    QLoggingCategory::setFilterRules(QStringLiteral("korvel.navi.convert.debug=false"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
