// korvel-vboat: the virtual boat as a process of its own. It listens on a Unix socket for
// the handset's virtual device backend (WIRE.md), or writes a simulated history log or a
// module update file.

#include "control_server.h"
#include "history_log.h"
#include "update_file.h"
#include "virtual_boat.h"
#include "wire_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<bool> g_quit{false};
std::atomic<int> g_powerToggles{0};

void onQuit(int) {
    g_quit = true;
}
void onTogglePower(int) {
    ++g_powerToggles;
}

void installSignals() {
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onQuit;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sa.sa_handler = onTogglePower;
    sigaction(SIGUSR1, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

struct ServeOptions {
    QString socket;
    QString control;  // empty: no control channel
    QString trace;    // empty: no trace
    double rate = 6;
    bool startOff = false;
    QStringList faults;
    int faultEvery = 1;
};

int serve(const ServeOptions& o, const vboat::SimOptions& options) {
    QTextStream err(stderr);
    vboat::VirtualBoat boat(options);
    boat.setFrameRate(o.rate);
    for (const QString& fault : o.faults)
        boat.control("fault " + fault.toLatin1() + ' ' + QByteArray::number(o.faultEvery));
    if (!o.trace.isEmpty() && !boat.setTraceFile(o.trace)) {
        err << "korvel-vboat: cannot write the trace " << o.trace << "\n";
        return 1;
    }
    vboat::ControlServer control([&boat](const QByteArray& line) {
        const QByteArray answer = boat.control(line);
        // The log says what a script did to the boat, beside what the handset saw.
        std::fprintf(stderr, "korvel-vboat: %s: %s\n", line.constData(), answer.constData());
        return answer;
    });
    if (!o.control.isEmpty() && !control.listen(o.control)) {
        err << "korvel-vboat: cannot listen for control commands on " << o.control << "\n";
        return 1;
    }
    if (!o.control.isEmpty()) err << "korvel-vboat: control commands on " << o.control << "\n";
    const QString& path = o.socket;
    const int listenFd = vboat::listenUnixSocket(path);
    if (listenFd < 0) {
        err << "korvel-vboat: cannot listen on " << path << "\n";
        return 1;
    }
    const bool startOff = o.startOff;
    bool firstHandset = true;
    bool refusedOnce = false;
    err << "korvel-vboat: listening on " << path << " (SIGUSR1 switches the boat on or off)\n";
    err.flush();
    while (!g_quit) {
        pollfd p = {listenFd, POLLIN, 0};
        if (::poll(&p, 1, 200) > 0 && (p.revents & POLLIN)) {
            const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0 && boat.connected()) {
                // One radio module serves one handset: a second one is told so and let go,
                // and the first keeps the boat. Said once while the first stays.
                const char busy[2] = {vboat::wire::kError, char(vboat::wire::kBusy)};
                (void)::send(fd, busy, sizeof busy, MSG_NOSIGNAL);
                ::close(fd);
                if (!refusedOnce) {
                    err << "korvel-vboat: a second handset was refused: one is connected already\n";
                    err.flush();
                    refusedOnce = true;
                }
            } else if (fd >= 0) {
                refusedOnce = false;
                boat.attach(fd);
                err << "korvel-vboat: handset connected\n";
                // The boat is switched on once the handset listens, so that it hears the hello.
                if (firstHandset && !startOff) boat.powerOn();
                firstHandset = false;
                err.flush();
            }
        }
        for (; g_powerToggles > 0; --g_powerToggles) {
            if (boat.poweredOn()) {
                boat.powerOff();
            } else {
                boat.powerOn();
            }
            err << "korvel-vboat: boat " << (boat.poweredOn() ? "on" : "off") << "\n";
            err.flush();
        }
    }
    ::close(listenFd);
    ::unlink(path.toLocal8Bit().constData());
    return boat.stop() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("korvel-vboat");
    QCommandLineParser parser;
    parser.setApplicationDescription("The virtual boat: radio module, sonar box and lake.");
    parser.addHelpOption();
    const QCommandLineOption socketOpt("socket", "Listen for the handset on this Unix socket.",
                                       "path");
    const QCommandLineOption rateOpt("rate", "Sonar frames per second (default 6).", "n", "6");
    const QCommandLineOption recordOpt("record-log",
                                       "Write a history log of a simulated run and exit.", "file");
    const QCommandLineOption minutesOpt("minutes", "Length of the recorded run (default 5).", "m",
                                        "5");
    const QCommandLineOption startOpt(
        "start", "UTC start time, e.g. 2019-01-21T09:59:13 (default now).", "time");
    const QCommandLineOption seedOpt("seed", "Seed of the simulated lake life (default 1).", "n",
                                     "1");
    const QCommandLineOption offOpt("boat-off", "Leave the boat switched off until SIGUSR1.");
    const QCommandLineOption faultOpt(
        "fault",
        "Fault to inject (may be given more than once): silence, bad-frame-checksum, "
        "bad-header-checksum, short-frame, long-frame, garbage, split-frame, fix-zero, "
        "fix-jump, fix-few, weak, lost, no-ack.",
        "name");
    const QCommandLineOption everyOpt(
        "fault-every", "Inject a frame or fix fault into every nth frame (default 1).", "n", "1");
    const QCommandLineOption controlOpt(
        "control", "Take control commands, one per line, on this Unix socket.", "path");
    const QCommandLineOption traceOpt(
        "trace", "Write a line for each packet the boat receives to this file.", "file");
    const QCommandLineOption rdupOpt("make-rdup", "Write a module update file and exit.", "file");
    const QCommandLineOption sonarVersionOpt(
        "sonar-version", "Sonar box version in the update file, 0 to 999 (default 106).", "n",
        "106");
    const QCommandLineOption apVersionOpt(
        "ap-version", "Autopilot version in the update file, 0.00 to 9.99 (default 1.01).", "x.yy",
        "1.01");
    parser.addOptions({socketOpt, rateOpt, recordOpt, minutesOpt, startOpt, seedOpt, offOpt,
                       faultOpt, everyOpt, controlOpt, traceOpt, rdupOpt, sonarVersionOpt,
                       apVersionOpt});
    parser.process(app);

    QTextStream err(stderr);
    bool ok = true;
    const double rate = parser.value(rateOpt).toDouble(&ok);
    if (!ok || rate <= 0 || rate > 50) {
        err << "korvel-vboat: --rate must be a number above 0 and at most 50\n";
        return 2;
    }
    vboat::SimOptions options;
    options.seed = parser.value(seedOpt).toUInt(&ok);
    if (!ok) {
        err << "korvel-vboat: --seed must be a whole number\n";
        return 2;
    }
    if (parser.isSet(startOpt)) {
        QDateTime start = QDateTime::fromString(parser.value(startOpt), Qt::ISODate);
        start.setTimeSpec(Qt::UTC);
        if (!start.isValid()) {
            err << "korvel-vboat: --start must look like 2019-01-21T09:59:13\n";
            return 2;
        }
        options.startUtc = start;
    }

    if (parser.isSet(rdupOpt)) {
        const int sonar = parser.value(sonarVersionOpt).toInt(&ok);
        if (!ok || sonar < 0 || sonar > 999) {
            err << "korvel-vboat: --sonar-version must be 0 to 999\n";
            return 2;
        }
        // Exactly "X.YY": the handset reads the version from the last four characters.
        const QString apText = parser.value(apVersionOpt);
        const QRegularExpression apForm(QStringLiteral("^\\d\\.\\d\\d$"));
        if (!apForm.match(apText).hasMatch()) {
            err << "korvel-vboat: --ap-version must look like 1.23\n";
            return 2;
        }
        const int ap = apText.left(1).toInt() * 100 + apText.mid(2).toInt();
        if (!vboat::writeUpdateFile(parser.value(rdupOpt), sonar, ap)) {
            err << "korvel-vboat: cannot write " << parser.value(rdupOpt) << "\n";
            return 1;
        }
        err << "korvel-vboat: wrote " << parser.value(rdupOpt) << " (sonar box " << sonar
            << ", autopilot " << apText << ")\n";
        return 0;
    }

    if (parser.isSet(recordOpt)) {
        const double minutes = parser.value(minutesOpt).toDouble(&ok);
        if (!ok || minutes <= 0 || minutes > 600) {
            err << "korvel-vboat: --minutes must be above 0 and at most 600\n";
            return 2;
        }
        options.gpsAcquireSeconds = 0;  // the recording starts with the boat already out
        const int frames = vboat::writeHistoryLog(parser.value(recordOpt), minutes, rate, options);
        if (frames < 0) {
            err << "korvel-vboat: cannot write " << parser.value(recordOpt) << "\n";
            return 1;
        }
        err << "korvel-vboat: wrote " << frames << " frames to " << parser.value(recordOpt) << "\n";
        return 0;
    }

    if (!parser.isSet(socketOpt)) {
        err << "korvel-vboat: give --socket PATH, --record-log FILE or --make-rdup FILE\n";
        return 2;
    }
    ServeOptions serveOptions;
    serveOptions.socket = parser.value(socketOpt);
    serveOptions.control = parser.value(controlOpt);
    serveOptions.trace = parser.value(traceOpt);
    serveOptions.rate = rate;
    serveOptions.startOff = parser.isSet(offOpt);
    serveOptions.faults = parser.values(faultOpt);
    vboat::BoatCore check;
    for (const QString& fault : serveOptions.faults) {
        if (!check.setFaultByName(fault)) {
            err << "korvel-vboat: unknown fault " << fault << "\n";
            return 2;
        }
    }
    serveOptions.faultEvery = parser.value(everyOpt).toInt(&ok);
    if (!ok || serveOptions.faultEvery < 1) {
        err << "korvel-vboat: --fault-every must be 1 or more\n";
        return 2;
    }
    installSignals();
    return serve(serveOptions, options);
}
