#include "base/global.h"
#include "base/tr_resource.h"

#include <benchmark/benchmark.h>

// Texts are fetched every time a widget is built or retitled; a menu page asks for about ten.

static void BM_getTrString_shortEnglish(benchmark::State& state) {
    Global::configuration.systemLanguage = LanguageEnglish;
    for (auto _ : state)
        benchmark::DoNotOptimize(TrResource::getTrString(TR_Next));
}
BENCHMARK(BM_getTrString_shortEnglish);

static void BM_getTrString_longRussian(benchmark::State& state) {
    Global::configuration.systemLanguage = LanguageRussian;
    for (auto _ : state)
        benchmark::DoNotOptimize(TrResource::getTrString(TR_SameVersion));
}
BENCHMARK(BM_getTrString_longRussian);

static void BM_getTrString_menuPageChinese(benchmark::State& state) {
    Global::configuration.systemLanguage = LanguageChinese;
    for (auto _ : state) {
        for (int id = TR_SystemTitle; id <= TR_UpdateRBoxes; ++id) {
            benchmark::DoNotOptimize(TrResource::getTrString(EnumTrString(id)));
        }
    }
}
BENCHMARK(BM_getTrString_menuPageChinese);

static void BM_isTextOfAnyLanguage_miss(benchmark::State& state) {
    const QString field = QStringLiteral("Waypoint 12");
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrResource::isTextOfAnyLanguage(TR_HomePosition, field));
    }
}
BENCHMARK(BM_isTextOfAnyLanguage_miss);

BENCHMARK_MAIN();
