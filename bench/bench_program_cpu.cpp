// CPU use of the whole handset program, offscreen, while the virtual boat streams frames.
// Usage: bench_program_cpu PATH/TO/korvel PATH/TO/korvel-vboat [seconds]
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

// utime + stime of a process, in clock ticks.
long cpuTicks(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return f.size() > 12 ? f[11].toLong() + f[12].toLong() : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: bench_program_cpu PATH/TO/korvel PATH/TO/korvel-vboat [seconds]\n");
        return 2;
    }
    const int seconds = argc > 3 ? atoi(argv[3]) : 20;
    QTemporaryDir root;
    QDir(root.path()).mkpath("dev");
    const QString socket = root.path() + "/dev/vboat.sock";

    QProcess boat;
    boat.start(QString::fromLocal8Bit(argv[2]), {"--socket", socket});
    if (!boat.waitForStarted()) return 1;
    QThread::msleep(500);

    QProcess korvel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVEL_ROOT", root.path());
    env.insert("KORVEL_PLATFORM", "virtual");
    korvel.setProcessEnvironment(env);
    korvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    korvel.start(QString::fromLocal8Bit(argv[1]), QStringList());
    if (!korvel.waitForStarted()) return 1;
    QThread::sleep(5);  // start-up, first frames

    const long hz = sysconf(_SC_CLK_TCK);
    const long k0 = cpuTicks(korvel.processId());
    const long b0 = cpuTicks(boat.processId());
    QThread::sleep(seconds);
    const long k1 = cpuTicks(korvel.processId());
    const long b1 = cpuTicks(boat.processId());
    printf("handset program: %.2f %% of one core over %d s while the boat streams\n",
           100.0 * (k1 - k0) / hz / seconds, seconds);
    printf("virtual boat:    %.2f %% of one core\n", 100.0 * (b1 - b0) / hz / seconds);
    korvel.kill();
    boat.terminate();
    korvel.waitForFinished();
    boat.waitForFinished();
    return 0;
}
