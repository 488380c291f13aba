// The handset program with the virtual boat, driven by scripts as a user would: a waypoint
// saved at the map cursor is in the waypoint file after a restart, and the autopilot key in
// the waypoint list sends the boat there.
#include "korvel_test.h"
#include "vboat_session.h"

#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

class TestWaypointSession : public QObject {
    Q_OBJECT
private slots:
    void saveAtTheCursor_restart_goThere() {
        VboatSession s;
        // The start-up check and the first fixes; the home message closed. The map cursor
        // about 32 m north, "Save", and the editor's "OK".
        const QString first =
            s.run("wait 11000\nkey esc\nkey zoom\nkey zoom\nkey zoom\n" +
                  QString("key up\n").repeated(9) + "key enter\nkey left\nkey enter\n" +
                  QString("key down\n").repeated(7) + "key enter\nwait 500\nquit\n");
        const QSettings kwp(s.root() + "/opt/waypointarray.kwp", QSettings::IniFormat);
        const QString name = kwp.value("000/name").toString();
        QVERIFY2(QRegularExpression("^\\d{4}-\\d{4}$").match(name).hasMatch(),
                 qPrintable(name + first));
        QVERIFY(kwp.value("000/latitude").toString().startsWith("N  "));
        QVERIFY(!s.traced().contains("$HMCTL,RUN"));
        // After a restart: the saved home taken ("YES"), its message closed; the autopilot
        // key opens the list, there it asks to go to slot 000, and "Go".
        const QString log = s.run(
            "wait 11000\nkey enter\nwait 500\nkey esc\nkey ap\nkey ap\nkey enter\nwait "
            "3000\nquit\n");
        QVERIFY2(s.traced().contains("boat 0xC2 $HMCTL,RUN,"), qPrintable(s.traced() + log));
        QVERIFY2(log.contains(QRegularExpression("go to \\d+ \\d+ type 0")), qPrintable(log));
    }
};

KORVEL_TEST_MAIN(TestWaypointSession)
#include "test_waypoint_session.moc"
