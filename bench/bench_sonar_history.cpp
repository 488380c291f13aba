// The sonar history's figures: a one-hour log (8 records a second: 28 800 records, 7.9 MB)
// opened for replay (the index built once), 1 000 seeks to random records of it (target: the
// median and the slowest under 10 ms), 1 000 scroll-back steps of the paused live echogram,
// each redrawing it (target: under 5 ms), and the memory of the half hour of live frames.
// A seek is all the user waits for: the record found, the echogram's frames read and drawn,
// and the map's track rebuilt up to that record.
#include "base/global.h"
#include "core/korvel.h"
#include "link/history_log_reader.h"
#include "platform/platform.h"
#include "sonar/sonar_picture.h"
#include "state/sonar_history_state.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 3600 * 8;
constexpr int kRuns = 1000;

// Record r: eight a second, moving north, with an echo that changes along the log.
QByteArray record(int r) {
    kvl_w k = kvl_w::zero();
    k.bytes[0] = '#';
    const auto put = [&k](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            k.bytes[at + i] = uint8_t(v >> (8 * i));
    };
    put(8, 223312000u + uint32_t(r));
    put(12, 1135644000u);
    const int s = r / 8;
    put(16, (26u << 26) | (6u << 22) | (3u << 17) | ((8u + s / 3600) << 12) |
                (uint32_t(s / 60 % 60) << 6) | uint32_t(s % 60));
    k.bytes[22] = 100;
    k.bytes[24] = 9;
    k.bytes[33] = uint8_t(150 + r % 100);
    for (int i = 35; i < 275; ++i)
        k.bytes[i] = uint8_t((i * 7 + r) % 200);
    k.bytes[275] = Global::XOR_chk(k.bytes + 3, 272);
    return QByteArray(reinterpret_cast<const char*>(k.bytes), kvl_w::kSize);
}

long rssBytes() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 6, "VmRSS:") == 0) return std::stol(line.substr(7)) * 1024;
    return -1;
}

void report(const char* what, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s median %.3f ms  slowest %.3f ms  (%zu runs)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir root;
    Platform::setRoot(root.path());
    Platform::setBackend(Platform::Backend::Virtual);
    Configuration::applyDefaults(Global::configuration);
    Global::configuration.simulator = 1;
    Korvel k;
    k.mainTimer()->stop();
    for (int i = 0; i < 300; ++i)
        k.slot_timeout_main();

    // The live half hour: every tick's frame, as the tick keeps it.
    const long before = rssBytes();
    for (int i = 0; i < SonarHistoryState::kLiveFrames; ++i)
        k.sonarHistory().takeLive(k.history().records().at(i % k.history().size()));
    std::printf("live history: %d frames, bound %.2f MB, resident growth %.2f MB\n",
                k.sonarHistory().live().size(), k.sonarHistory().live().boundBytes() / 1e6,
                (rssBytes() - before) / 1e6);

    std::vector<double> steps;
    k.history_show();
    k.history_step(-(k.picture().columns() - 1));  // the cursor at the window's left edge
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        k.history_step(-1);
        steps.push_back(t.nsecsElapsed() / 1e6);
    }
    report("scroll-back step (redrawn)", steps);
    k.history_leave();

    const QString name = QStringLiteral("/mnt/sd/Korvel/Record/hour.kvlw");
    QFile f(Platform::path(name));
    QDir().mkpath(Platform::path(QStringLiteral("/mnt/sd/Korvel/Record")));
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write(QByteArray(HistoryLogReader::kHeaderSize, '*'));
    for (int r = 0; r < kRecords; ++r)
        f.write(record(r));
    f.close();
    Global::configuration.simulator = 0;
    Global::configuration.workMode = 2;
    QElapsedTimer open;
    open.start();
    k.history_openLog(name);
    const LogPlayer& player = k.sonarHistory().player();
    std::printf("index of %d records built in %.1f ms, %.2f MB\n", player.index().count(),
                open.nsecsElapsed() / 1e6, player.index().indexBytes() / 1e6);

    std::mt19937 random(29);
    std::uniform_int_distribution<int> anywhere(0, player.index().count() - 1);
    std::vector<double> seeks;
    for (int i = 0; i < kRuns; ++i) {
        const int to = anywhere(random);
        QElapsedTimer t;
        t.start();
        k.history_seekRecord(to);
        seeks.push_back(t.nsecsElapsed() / 1e6);
    }
    report("seek in a 1-hour log", seeks);
    return 0;
}
