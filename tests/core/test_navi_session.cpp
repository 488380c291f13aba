// The handset program steering the virtual boat program, driven by scripts as a user would:
// the map cursor and "Go", the run and the arrival as the boat's trace shows them, the long
// press of the autopilot key, the remote control taking over, refusals with a poor fix, and
// the home position kept across a restart.
#include "korvel_test.h"
#include "vboat_session.h"

#include <QtTest>

namespace {

// The start-up check (7.5 s without a compass) and the first GPS fixes.
const QString kStart = "wait 11000\nkey esc\n";  // "Home Position ..." closed
// Zoom out to 4 half-metres per pixel, then move the map cursor 32 m up (north: without a
// handset compass the map is north-up) and confirm it with "Go".
const QString kGoNorth = "key zoom\nkey zoom\nkey zoom\nkey up\n" +
                         QString("key up\n").repeated(8) + "key enter\nkey enter\n";

bool inOrder(const QString& text, const QStringList& lines) {
    return VboatSession::inOrder(text, lines);
}

}  // namespace

class TestNaviSession : public QObject {
    Q_OBJECT
private slots:
    void goToTheCursor_arrive_stop_goHome_manual() {
        VboatSession s;
        const QString log = s.run(kStart + kGoNorth +
                                  "wait 40000\nkey esc\n" +  // arrived; its message closed
                                                             // Each start or stop waits for its
                                                             // answer; then its message is closed.
                                  "hold ap 1500\nwait 6000\nkey esc\n" +  // not running: home
                                  "hold ap 1500\nwait 6000\nkey esc\n" +  // running: stop
                                  "hold ap 1500\nwait 3000\nboat ap mode M\nwait 2500\nquit\n");
        const QString trace = s.traced();
        QVERIFY2(inOrder(trace, {"\\$HMPWR", "boat 0xC2 \\$HMPRA", "boat 0xC2 \\$HMCTL,RUN,",
                                 "\\$HMINF,\\d+,\\d+,R,", "\\$HMINF,\\d+,\\d+,F,",
                                 "boat 0xC2 \\$HMCTL,RUN,", "boat 0xC2 \\$HMCTL,STOP",
                                 "\\$HMINF,\\d+,\\d+,S,", "boat 0xC2 \\$HMCTL,RUN,"}),
                 qPrintable(trace + log));
        QVERIFY2(inOrder(log, {"home set at", "go to .* type 0", "mode M -> R",
                               "The target Arrived", "go to .* type 1", "mode R -> S",
                               "go to .* type 1", "Enter manual control mode"}),
                 qPrintable(log));
    }

    // A poor fix, a silent autopilot: refused with their reasons, nothing sent.
    void refusals() {
        VboatSession s;
        const QString log =
            s.run(kStart + "boat sats 2\nwait 2000\n" + kGoNorth + "key esc\n" +
                  "boat sats auto\nboat power off\nwait 11000\n" + kGoNorth + "quit\n");
        QVERIFY2(inOrder(log, {"407 No Enough Satellites", "406 Autopilot module Offline"}),
                 qPrintable(log));
        QVERIFY(!s.traced().contains("$HMCTL"));
    }

    // Home is saved; the next start near it asks once whether to use it.
    void home_keptAcrossARestart() {
        VboatSession s;
        const QString first = s.run(kStart + "quit\n");
        QVERIFY2(first.contains("home set at"), qPrintable(first));
        QVERIFY(QFile::exists(s.root() + "/opt/navi.knv"));
        const QString log = s.run("wait 11000\nkey enter\nwait 2000\nquit\n");  // "YES"
        QCOMPARE(log.count("asking whether to use the saved home"), 1);
        QVERIFY2(log.contains("home set at"), qPrintable(log));
    }
};

KORVEL_TEST_MAIN(TestNaviSession)
#include "test_navi_session.moc"
