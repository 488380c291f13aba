// The handset compass and the NMEA output of the real program against the virtual boat:
// the compass turned and both compass views and the map turning with it, the calibration
// written, and what the serial port sent read back by gpsdecode, gpsbabel and gpsd.
#include "korvel_test.h"
#include "vboat_session.h"

#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

namespace {

const QString kStart = "wait 11000\nkey esc\n";

// A shell command run beside the handset; ended with the test.
struct Beside {
    QProcess p;
    Beside(const QString& dir, const QString& command) {
        p.setWorkingDirectory(dir);
        p.start("sh", {"-c", command});
        p.waitForStarted();
    }
    ~Beside() {
        p.kill();
        p.waitForFinished();
    }
};

QString run(const QString& program, const QStringList& args, const QString& input) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardInputFile(input);
    p.start(program, args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAll());
}

// What the serial port sent over eight seconds of a session after the settings given (as
// "set ..." lines), with the data logger on the port; the capture's file.
QString capturedNmea(VboatSession& s, const QString& settings) {
    const QString tools[] = {"gpsdecode", "gpsbabel"};
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty()) return QString();
    Beside capture(s.dir(),
                   "while [ ! -e root/dev/ttySP0 ]; do sleep 0.1; done;"
                   " exec cat root/dev/ttySP0 > cap.nmea");
    s.run(kStart + settings + "set dataExport 1\nwait 8000\nquit\n");
    return s.dir() + "/cap.nmea";
}

// The pictures of one heading: the large compass (layout 0), the small one (3), the map (1).
QString shots(const QString& dir, const QString& tag) {
    QString s;
    for (const char* mode : {"0", "3", "1"})
        s += QString("set screenMode %1\nwait 1500\nshot %2/%3-%1.png\n").arg(mode, dir, tag);
    return s;
}

// A field "ddmm.mmmm" (or "dddmm.mmmm") and its side as signed degrees.
double degrees(const QString& dm, int digits, const QString& side) {
    const double v = dm.left(digits).toDouble() + dm.mid(digits).toDouble() / 60;
    return side == "S" || side == "W" ? -v : v;
}

// Whether a match of pattern in text holds lat and lon (to a millionth of a degree).
bool has(const QString& text, const QString& pattern, double lat, double lon) {
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (std::abs(m.captured(1).toDouble() - lat) < 1.5e-6 &&
            std::abs(m.captured(2).toDouble() - lon) < 1.5e-6)
            return true;
    }
    return false;
}

}  // namespace

class TestCompassSession : public QObject {
    Q_OBJECT
private slots:
    // The compass turns from 0 to 100 and to 200 degrees, the views and the map with it, in
    // steps of 20 degrees, so that each heading is met (a step within 10 degrees is held).
    void compassTurns_viewsAndMapFollow() {
        VboatSession s;
        const QString pose = s.root() + "/dev/magic-compass";
        Beside turn(s.dir(), "echo '0 0 0' > " + pose +
                                 "; while [ ! -e b-1.png ]; do sleep 0.2;"
                                 " done; echo '100 4 -3' > " +
                                 pose +
                                 "; while [ ! -e c-1.png ];"
                                 " do sleep 0.2; done; echo '200 0 0' > " +
                                 pose);
        const QString log =
            s.run(kStart + shots(s.dir(), "a") + "shot " + s.dir() + "/b-1.png\nwait 4000\n" +
                  shots(s.dir(), "b") + "shot " + s.dir() + "/c-1.png\nwait 4000\n" +
                  shots(s.dir(), "c") + "quit\n");
        QVERIFY2(VboatSession::inOrder(log, {"heading (359|0|1)\n", "heading (99|100|101)\n",
                                             "heading (199|200|201)\n"}),
                 qPrintable(log));
        const QRect where[3] = {{133, 244, 140, 132}, {133, 244, 84, 79}, {0, 244, 272, 236}};
        const char* modes[3] = {"0", "3", "1"};
        for (int i = 0; i < 3; ++i) {
            const auto part = [&](const char* tag) {
                return QImage(QString("%1/%2-%3.png").arg(s.dir(), tag, modes[i])).copy(where[i]);
            };
            QVERIFY2(part("a") != part("b") && part("b") != part("c"), modes[i]);
        }
    }

    // The calibration, with the handset turned about, writes a valid record.
    void calibration_writesAValidRecord() {
        VboatSession s;
        Beside turn(s.dir(),
                    "i=0; while true; do echo \"$((i * 37 % 360)) $((i % 50 - 25))"
                    " $((i % 36 - 18))\" > root/dev/magic-compass; i=$((i + 1));"
                    " sleep 0.05; done");
        const QString menu = "key menu\n" + QString("key down\n").repeated(7) +
                             "key enter\nkey down\nkey enter\nkey esc\nkey change\nkey change\n" +
                             QString("key down\n").repeated(7);
        const QString log = s.run(kStart + menu + "key enter\nwait 16000\nkey enter\nquit\n");
        QVERIFY2(log.contains("handset compass calibrated X:["), qPrintable(log));
        QSettings kco(s.root() + "/opt/offset.kco", QSettings::IniFormat);
        int x = 0;
        for (int i = 0; i < 14; ++i)
            x ^= kco.value(QString("OFFSET_BUF/%1").arg(i), -1).toInt();
        QCOMPARE(x, 0);
        QVERIFY(kco.value("OFFSET_BUF/0").toInt() != 0);
    }

    // What the port sent while the boat moved, read by the GPS tools: the same positions.
    void nmea_readByGpsdecodeAndGpsbabel() {
        VboatSession s;
        const QString cap = capturedNmea(s, QString());
        if (cap.isEmpty()) QSKIP("gpsdecode or gpsbabel missing: scripts/test installs them");
        const QString wire = VboatSession::read(cap);
        QVERIFY2(wire.endsWith("\r\n\n"), qPrintable(wire));
        const QStringList sentences = wire.split("\r\n\n", Qt::SkipEmptyParts);
        QVERIFY2(sentences.size() >= 5, qPrintable(wire));
        const QString decoded = run("gpsdecode", {}, cap);
        const QString listed = run(
            "gpsbabel", {"-t", "-i", "nmea,date=20190121", "-f", cap, "-o", "unicsv", "-F", "-"},
            "/dev/null");
        QVERIFY2(!listed.contains("checksum", Qt::CaseInsensitive), qPrintable(listed));
        // Every sentence in gpsbabel's list with its time; in gpsdecode's all but the first,
        // which it takes to start its first cycle.
        for (int i = 0; i < sentences.size(); ++i) {
            const QStringList f = sentences[i].split(',');
            const double lat = degrees(f[2], 2, f[3]), lon = degrees(f[4], 3, f[5]);
            const QString time = f[1].left(2) + ":" + f[1].mid(2, 2) + ":" + f[1].mid(4, 2);
            QVERIFY2(has(listed, ",(-?[0-9.]+),(-?[0-9.]+),.*," + time, lat, lon),
                     qPrintable(sentences[i] + "\n" + listed));
            if (i > 0)
                QVERIFY2(has(decoded, "\"lat\":(-?[0-9.]+),\"lon\":(-?[0-9.]+)", lat, lon),
                         qPrintable(sentences[i] + "\n" + decoded));
        }
    }

    // With the chart plotter's set chosen, the tools take the date from RMC (gpsbabel needs no
    // date option) and the depth from DPT, and every sentence's checksum holds.
    void plotterNmea_readWithDateAndDepth() {
        VboatSession s;
        const QString cap = capturedNmea(s, "set nmeaSentences 1\n");
        if (cap.isEmpty()) QSKIP("gpsdecode or gpsbabel missing: scripts/test installs them");
        const QString wire = VboatSession::read(cap);
        for (const char* kind : {"$GPGGA,", "$GPRMC,", "$GPVTG,", "$SDDPT,", "$SDDBT,", "$YXMTW,"})
            QVERIFY2(wire.contains(kind), qPrintable(kind + ("\n" + wire)));
        const QString decoded = run("gpsdecode", {}, cap);
        QVERIFY2(decoded.contains(QRegularExpression("\"time\":\"20[0-9][0-9]-")) &&
                     decoded.contains("\"depth\":"),
                 qPrintable(decoded));
        const QString listed = run(
            "gpsbabel", {"-t", "-i", "nmea", "-f", cap, "-o", "unicsv", "-F", "-"}, "/dev/null");
        QVERIFY2(!listed.contains("checksum", Qt::CaseInsensitive) && listed.contains("Date") &&
                     listed.split("\r\n", Qt::SkipEmptyParts).size() >= 5,
                 qPrintable(listed));
    }

    // gpsd itself on the pseudo-terminal, as a chart plotter's PC would run it: from its first
    // full second on (its first report comes before the first RMC or DPT) every fix it reports
    // carries the date and the depth under the boat.
    void plotterNmea_gpsd() {
        for (const char* tool : {"gpsd", "gpspipe"})
            if (QStandardPaths::findExecutable(tool, {"/usr/sbin", "/usr/bin"}).isEmpty())
                QSKIP("gpsd missing: scripts/test installs it");
        VboatSession s;
        const QString port = QString::number(20000 + QCoreApplication::applicationPid() % 20000);
        Beside gpsd(s.dir(),
                    "while [ ! -e root/dev/ttySP0 ]; do sleep 0.1; done; exec gpsd -N -n"
                    " -b -S " +
                        port + " -F gpsd.sock \"$(readlink -f root/dev/ttySP0)\"");
        Beside pipe(s.dir(),
                    "until [ -e gpsd.sock ]; do sleep 0.1; done;"
                    " exec gpspipe -w localhost:" +
                        port + " > gpsd.json");
        s.run(kStart + "set nmeaSentences 1\nset dataExport 1\nwait 8000\nquit\n");
        int fixes = 0;
        const QRegularExpression dated("\"time\":\"20[0-9]{2}-[0-9]{2}-[0-9]{2}T.*\"depth\":[0-9]");
        for (const QString& line : VboatSession::read(s.dir() + "/gpsd.json").split('\n')) {
            if (!line.contains("\"class\":\"TPV\"") || !line.contains("\"lat\":")) continue;
            if (fixes == 0 && !line.contains(dated)) continue;
            QVERIFY2(line.contains(dated), qPrintable(line));
            ++fixes;
        }
        QVERIFY2(fixes >= 4, qPrintable(VboatSession::read(s.dir() + "/gpsd.json")));
    }
};

KORVEL_TEST_MAIN(TestCompassSession)
#include "test_compass_session.moc"
