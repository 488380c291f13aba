// Safety on the water, the real program against the virtual boat: a link lost during a go-to
// said within three seconds and its return within two, with no command repeated into the dead
// link; a battery drained with the distance calling the boat back in two stages and one key
// sending it home; bad fixes kept out of home and the NMEA output.
#include "korvel_test.h"
#include "vboat_session.h"

#include <QSettings>
#include <QtTest>
#include <cmath>

namespace {

const QString kStart = "wait 11000\nkey esc\n";  // "Home Position ..." closed
// The map cursor 32 m north, confirmed with "Go" (as in the navigation session).
const QString kGoNorth = "key zoom\nkey zoom\nkey zoom\nkey up\n" +
                         QString("key up\n").repeated(8) + "key enter\nkey enter\n";

// The seconds since the handset started at which a log line matching pattern stands; -1 if none.
double at(const QString& log, const QString& pattern) {
    const QRegularExpressionMatch m =
        QRegularExpression("^\\s*([0-9.]+) .*" + pattern, QRegularExpression::MultilineOption)
            .match(log);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

// Runs with every line stamped with the handset's own clock.
QString timedRun(VboatSession& s, const QString& script) {
    qputenv("QT_MESSAGE_PATTERN", "%{time process} %{message}");
    const QString log = s.run(script);
    qunsetenv("QT_MESSAGE_PATTERN");
    return log;
}

}  // namespace

class TestSafetySession : public QObject {
    Q_OBJECT
private slots:
    void linkLost_duringAGoTo() {
        VboatSession s;
        // Lost for 12 s during a go-to; the stop asked for while it is lost, 6 s before the
        // link's return, so that the stop's wait (12.5 s) has time left to send it again.
        const QString log = timedRun(s, kStart + kGoNorth + "wait 3000\nboat fault lost\n" +
                                            "wait 5000\nkey esc\nhold ap 1500\n" +
                                            "wait 6000\nboat fault none\nwait 4000\nquit\n");
        const double lost = at(log, "script: boat fault lost");
        const double said = at(log, "link lost: no frame for");
        const double none = at(log, "script: boat fault none");
        const double back = at(log, "link back");
        qInfo("link lost said %.2f s after the fault, back %.2f s after its end", said - lost,
              back - none);
        QVERIFY2(lost > 0 && said > lost && said - lost <= 3.0, qPrintable(log));
        QVERIFY2(log.contains("The boat was going to a target"), qPrintable(log));
        QVERIFY2(none > 0 && back > none && back - none <= 2.0, qPrintable(log));
        QVERIFY2(log.contains("repeats held while the link is lost"), qPrintable(log));
        // The stop asked for in the dead link went out once, unheard, and was not repeated
        // (its wait would have sent it half a dozen times more); after the link's return it went
        // again until the autopilot stopped.
        const QString trace = s.traced();
        QCOMPARE(trace.count(QRegularExpression("boat 0xC2 \\$HMCTL,STOP.*\\(not heard\\)")), 1);
        QVERIFY2(trace.count("$HMCTL,STOP") <= 3, qPrintable(trace));
        QVERIFY2(log.contains("autopilot mode R -> S"), qPrintable(log));
    }

    void batteryReserve_returnSoonThenNow_oneKeyHome() {
        VboatSession s;
        // 12.6 V, 0.3 V a 100 m: with 10.5 V empty and 0.5 V margin the reserve is reached
        // about 270 m out and nearly passed about 330 m out (plus the wait and the hold).
        const QString log = timedRun(
            s, kStart + "boat battery 12.6\nboat battery per100m 0.3\n" +
                   "boat survey -5 400 10 10 10 4\nwait 130000\nkey enter\nwait 5000\nquit\n");
        const QRegularExpression soon("return soon: (\\d+) m home");
        const QRegularExpression now("return now: (\\d+) m home");
        const int soonAt = soon.match(log).captured(1).toInt();
        const int nowAt = now.match(log).captured(1).toInt();
        qInfo("Return soon %d m out, Return now %d m out", soonAt, nowAt);
        QVERIFY2(soonAt > 250 && soonAt < 330 && nowAt > soonAt && nowAt < 390, qPrintable(log));
        const QString trace = s.traced();
        QCOMPARE(trace.count("$HMCTL,RUN,"), 1);
        QVERIFY2(log.contains(QRegularExpression("go to .* type 1")), qPrintable(log));
    }

    void badFixes_keptOut() {
        VboatSession s;
        {
            QProcess capture;
            capture.setWorkingDirectory(s.dir());
            capture.start("sh", {"-c",
                                 "while [ ! -e root/dev/ttySP0 ]; do sleep 0.1; done;"
                                 " exec cat root/dev/ttySP0 > cap.nmea"});
            capture.waitForStarted();
            // Every 7th fix 1 km off from the start: home must still be the boat's place.
            s.run("boat fault fix-jump 7\n" + kStart + "set dataExport 1\nwait 3000\n" +
                  "boat fault fix-jump 3\nwait 4000\n" +
                  "boat fault fix-zero 2\nwait 4000\nboat fault fix-few\nwait 4000\n" +
                  "boat fault none\nwait 2000\nquit\n");
            capture.kill();
            capture.waitForFinished();
        }
        const QStringList sentences =
            VboatSession::read(s.dir() + "/cap.nmea").split("\r\n\n", Qt::SkipEmptyParts);
        QVERIFY2(sentences.size() >= 10, qPrintable(sentences.join('\n')));
        // The boat stays within a few metres of its start: 1 km north is 0.54 minutes.
        for (const QString& line : sentences) {
            const QStringList f = line.split(',');
            QVERIFY2(f.size() > 7 && f[2].startsWith("2233.") && f[7].toInt() >= 4,
                     qPrintable(line));
            QVERIFY2(std::abs(f[2].mid(2).toDouble() - 33.14) < 0.05, qPrintable(line));
        }
        // Home where the boat started, 40 m north of the shore: 22.55236.
        QSettings home(s.root() + "/opt/navi.knv", QSettings::IniFormat);
        QVERIFY2(std::abs(home.value("home_lat_d").toInt() - 225523600) < 1000,
                 qPrintable(home.value("home_lat_d").toString()));
    }
};

KORVEL_TEST_MAIN(TestSafetySession)
#include "test_safety_session.moc"
