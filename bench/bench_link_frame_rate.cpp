// How many sonar frames per second the link code passes from the virtual boat to the reader
// before it starts to lose them: the boat's frame rate is raised step by step and the frames
// delivered through the reading thread's hand-over are counted over a window. Run once with
// the link's normal pacing (a 50 ms pause after each packet) and once without any pause, which
// leaves the wire round trips and the parser. The boat sends at most 50 frames per second.
//   bench_link_frame_rate [window seconds, default 3]
#include "link/spi_rw_thread.h"
#include "platform/spi_bus_virtual.h"
#include "virtual_boat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct StructRateResult {
    double sentPerSecond = 0;
    double deliveredPerSecond = 0;
    int invalid = 0;
    int droppedByBoat = 0;
};

StructRateResult measure(double rate, bool noPause, int windowMs) {
    StructRateResult r;
    vboat::VirtualBoat boat;
    const int fd = boat.attachSocketPair();
    if (fd < 0) return r;
    SpiRwThread reader(std::make_unique<SpiBusVirtual>(fd));
    if (noPause) reader.device().setPacing({0, 0, 0});
    reader.start();
    boat.setFrameRate(rate);
    boat.powerOn();

    QElapsedTimer t;
    t.start();
    while (!reader.haveGetNewKvlwData() && t.elapsed() < 5000)
        QThread::usleep(500);
    QThread::msleep(1000);  // let a backlog build up if the reader is too slow
    reader.getNewKvlwData();

    const int sentBefore = boat.stats().framesQueued;
    int delivered = 0;
    t.restart();
    while (t.elapsed() < windowMs) {
        if (reader.haveGetNewKvlwData()) {
            if (!reader.getNewKvlwData().isValid()) ++r.invalid;
            ++delivered;
        } else {
            QThread::usleep(200);
        }
    }
    const double seconds = t.elapsed() / 1000.0;
    const vboat::BoatStats s = boat.stats();
    r.sentPerSecond = (s.framesQueued - sentBefore) / seconds;
    r.deliveredPerSecond = delivered / seconds;
    r.droppedByBoat = s.droppedMessages;
    reader.requestStop();
    reader.wait();
    return r;
}

void sweep(const char* title, bool noPause, const double* rates, int count, int windowMs) {
    std::printf("\n%s\n%8s %10s %12s %8s %14s\n", title, "rate", "sent/s", "delivered/s", "invalid",
                "boat dropped");
    double ceiling = 0;
    for (int i = 0; i < count; ++i) {
        const StructRateResult r = measure(rates[i], noPause, windowMs);
        std::printf("%8.1f %10.2f %12.2f %8d %14d\n", rates[i], r.sentPerSecond,
                    r.deliveredPerSecond, r.invalid, r.droppedByBoat);
        std::fflush(stdout);
        const bool keptUp = r.droppedByBoat == 0 && r.deliveredPerSecond >= r.sentPerSecond * 0.97;
        if (keptUp) ceiling = r.deliveredPerSecond;
        if (!keptUp) {
            std::printf("sustained: %.1f frames/s; above it frames are lost\n", ceiling);
            return;
        }
    }
    std::printf("sustained: at least %.1f frames/s (the boat's maximum)\n", ceiling);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int windowMs = argc > 1 ? std::atoi(argv[1]) * 1000 : 3000;
    const double paced[] = {6, 10, 14, 16, 18, 20, 22, 25, 30};
    const double unpaced[] = {20, 30, 40, 50};
    sweep("normal pacing (50 ms after each packet)", false, paced, int(std::size(paced)), windowMs);
    sweep("no pacing (wire and parser only)", true, unpaced, int(std::size(unpaced)), windowMs);
    return 0;
}
