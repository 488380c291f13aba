// Start-up figures of the handset program, run offscreen:
//   - time from process start to the first main tick (median of 5 runs);
//   - resident memory after 10 s idle.
// Usage: bench_startup PATH/TO/korvel [idle-seconds]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QProcessEnvironment offscreen(const QString& root) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVEL_ROOT", root);
    env.insert("KORVEL_PLATFORM", "virtual");
    return env;
}

long residentKb(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: bench_startup PATH/TO/korvel [idle-seconds]\n");
        return 2;
    }
    const QString korvel = QString::fromLocal8Bit(argv[1]);
    const int idleSeconds = argc > 2 ? atoi(argv[2]) : 10;
    QTemporaryDir root;

    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        QProcess p;
        p.setProcessEnvironment(offscreen(root.path()));
        QElapsedTimer clock;
        clock.start();
        p.start(korvel, {"--exit-after-first-tick"});
        while (!p.readAllStandardOutput().contains("first-tick")) {
            if (!p.waitForReadyRead(10000)) {
                fprintf(stderr, "no first tick\n");
                return 1;
            }
        }
        ms.push_back(clock.nsecsElapsed() / 1e6);
        p.waitForFinished(5000);
    }
    std::sort(ms.begin(), ms.end());
    printf("first main tick after start: median %.1f ms (min %.1f, max %.1f, 5 runs)\n", ms[2],
           ms.front(), ms.back());

    QProcess idle;
    idle.setProcessEnvironment(offscreen(root.path()));
    idle.start(korvel, QStringList());
    idle.waitForStarted();
    QThread::sleep(idleSeconds);
    printf("resident memory after %d s idle: %.1f MB\n", idleSeconds,
           residentKb(idle.processId()) / 1024.0);
    idle.kill();
    idle.waitForFinished();
    return 0;
}
