// The GUI thread's longest stall while the link sends a command on every 125 ms tick and the
// virtual boat streams sonar frames. A 1 ms probe timer on the GUI thread measures how late
// the event loop gets to it; each tick's command call is timed on its own.
//   bench_gui_stall [seconds, default 10]
#include "link/ux_data.h"
#include "platform/spi_bus_virtual.h"
#include "virtual_boat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("korvel.*.debug=false"));
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    vboat::VirtualBoat boat;
    const int fd = boat.attachSocketPair();
    if (fd < 0) return 1;
    boat.setFrameRate(6);
    boat.powerOn();
    UxData data(std::make_unique<SpiBusVirtual>(fd));

    QElapsedTimer clock;
    clock.start();
    qint64 lastProbe = -1;
    qint64 longestGapUs = 0;
    qint64 longestCallUs = 0;
    qint64 callTotalUs = 0;
    int calls = 0;

    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed() / 1000;
        if (lastProbe >= 0) longestGapUs = std::max(longestGapUs, now - lastProbe);
        lastProbe = now;
    });
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        QElapsedTimer call;
        call.start();
        data.sendCmd_askRssi();
        const qint64 us = call.nsecsElapsed() / 1000;
        longestCallUs = std::max(longestCallUs, us);
        callTotalUs += us;
        ++calls;
    });
    probe.start(1);
    tick.start(125);
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();

    // Let the queued commands reach the boat before counting them.
    QElapsedTimer drain;
    drain.start();
    while (drain.elapsed() < 2000 && boat.stats().packetsReceived < calls)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const vboat::BoatStats s = boat.stats();
    std::printf("ticks with a command: %d over %d s\n", calls, seconds);
    std::printf("command call on the GUI thread: longest %.2f ms, mean %.3f ms\n",
                longestCallUs / 1000.0, calls ? callTotalUs / 1000.0 / calls : 0.0);
    std::printf("longest GUI stall (1 ms probe gap): %.2f ms\n", longestGapUs / 1000.0);
    std::printf("packets the boat received: %d, bad: %d, handshake violations: %d\n",
                s.packetsReceived, s.badPackets, s.handshakeViolations);
    return 0;
}
