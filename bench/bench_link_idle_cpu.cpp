// Processor time of the link's reading thread while it polls the receive-ready line every
// 5 ms with the virtual boat connected but silent (boat switched off, radio module idle).
// Read from /proc/self/task/<tid>/stat (utime + stime) of the thread named "SpiRwThread".
//   bench_link_idle_cpu [seconds, default 10]
#include "link/spi_rw_thread.h"
#include "platform/spi_bus_virtual.h"
#include "virtual_boat.h"

#include <sys/resource.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// utime + stime in clock ticks of the task with that name, or -1.
long long taskTicks(const QString& name) {
    const QStringList tids = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs);
    for (const QString& tid : tids) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(tid));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name.toLatin1())
            continue;
        QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
        if (!stat.open(QIODevice::ReadOnly)) return -1;
        const QByteArray line = stat.readAll();
        // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() < 13) return -1;
        return f[11].toLongLong() + f[12].toLongLong();
    }
    return -1;
}

double processCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    vboat::VirtualBoat boat;  // stays off: nothing to read
    const int fd = boat.attachSocketPair();
    if (fd < 0) return 1;
    SpiRwThread reader(std::make_unique<SpiBusVirtual>(fd));
    reader.start();
    QThread::msleep(500);

    const QString name = QStringLiteral("SpiRwThread");
    const long long t0 = taskTicks(name);
    const double p0 = processCpuSeconds();
    QElapsedTimer t;
    t.start();
    QThread::sleep(unsigned(seconds));
    const long long t1 = taskTicks(name);
    const double p1 = processCpuSeconds();
    const double wall = t.elapsed() / 1000.0;
    reader.requestStop();
    reader.wait();
    if (t0 < 0 || t1 < 0) {
        std::printf("reading thread not found\n");
        return 1;
    }
    const double hz = double(sysconf(_SC_CLK_TCK));
    const double threadCpu = (t1 - t0) / hz;
    std::printf("idle polling for %.1f s with a silent boat\n", wall);
    std::printf("reading thread: %.3f s CPU = %.2f %% of one core\n", threadCpu,
                100.0 * threadCpu / wall);
    std::printf("whole process (reader + virtual boat): %.3f s CPU = %.2f %% of one core\n",
                p1 - p0, 100.0 * (p1 - p0) / wall);
    std::printf("clock tick %.0f Hz: resolution %.2f %%\n", hz, 100.0 / hz / wall);
    return 0;
}
