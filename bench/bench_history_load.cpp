// Loading a one-hour sonar log (6 frames a second: 21 600 records, about 6 MB) into the
// playback list, as replay does after the user picks a file. Figures: time per load, and the
// memory the load takes at its peak and keeps afterwards, each over the file size
// (target: under 100 ms and under 2). The memory figure comes first, while the allocator
// still hands out fresh pages.
#include "link/history_log_reader.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <string>

namespace {

constexpr int kRecords = 21600;

QString makeLog(const QTemporaryDir& dir) {
    const QString name = dir.filePath(QStringLiteral("hour.kvlw"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(QByteArray(HistoryLogReader::kHeaderSize, '*'));
    for (int r = 0; r < kRecords; ++r) {
        kvl_w k = kvl_w::zero();
        k.bytes[0] = '#';
        for (int i = 35; i < 275; ++i)
            k.bytes[i] = uint8_t(r + i);
        uint8_t x = 0;
        for (int i = 3; i < 275; ++i)
            x ^= k.bytes[i];
        k.bytes[275] = x;
        f.write(reinterpret_cast<const char*>(k.bytes), kvl_w::kSize);
    }
    return name;
}

// Resident set figures of this process from /proc/self/status, in bytes.
long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string k(key);
    while (std::getline(in, line))
        if (line.compare(0, k.size(), k) == 0) return std::stol(line.substr(k.size() + 1)) * 1024;
    return -1;
}

void BM_LoadOneHourLog_Memory(benchmark::State& state) {
    QTemporaryDir dir;
    const QString name = makeLog(dir);
    const double fileSize = double(QFile(name).size());
    double peak = 0, kept = 0;
    for (auto _ : state) {
        {
            std::ofstream reset("/proc/self/clear_refs");
            reset << "5";  // the peak resident size starts again from the current one
        }
        const long before = statusKb("VmRSS:");
        const QVector<kvl_w> list = HistoryLogReader::framesFromFile(name);
        benchmark::DoNotOptimize(list.constData());
        peak = double(statusKb("VmHWM:") - before);
        kept = double(statusKb("VmRSS:") - before);
    }
    state.counters["file_MB"] = fileSize / 1e6;
    state.counters["peak_over_file"] = peak / fileSize;
    state.counters["kept_over_file"] = kept / fileSize;
}
BENCHMARK(BM_LoadOneHourLog_Memory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LoadOneHourLog(benchmark::State& state) {
    QTemporaryDir dir;
    const QString name = makeLog(dir);
    int frames = 0;
    for (auto _ : state) {
        const QVector<kvl_w> list = HistoryLogReader::framesFromFile(name);
        frames = list.size();
        benchmark::DoNotOptimize(list.constData());
    }
    state.counters["records"] = frames;
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_LoadOneHourLog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
