// The handset program with the virtual boat, driven by scripts as a user would: a waypoint
// saved at the map cursor is in the waypoint file after a restart, the autopilot key in the
// waypoint list sends the boat there, and markers edited in feet and deleted are kept right.
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
        QFile model(s.root() + "/opt/model.kvc");
        QVERIFY(model.open(QIODevice::WriteOnly) && model.write("[Info]\nMODEL=5\n") > 0);
        model.close();
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

        // Units in feet (sonar page); quick markers in slots 001 and 002, 002 confirmed twice
        // more in the editor, a third marker deleted again. The file then holds 002 at the
        // depth of 001 in metres, and 003 written empty.
        const QString ok = QString("key down\n").repeated(7) + "key enter\n";
        const QString marker = "key enter\nkey enter\n" + ok;
        // The list from the quick menu's "Waypoint" row, on the current slot.
        const QString list = "key enter\nkey down\nkey enter\n";
        const QString edit = list + "key enter\nkey enter\n" + ok + "key esc\n";
        s.run("wait 11000\nkey enter\nwait 500\nkey esc\nkey menu\n" +
              QString("key down\n").repeated(7) + "key enter\nkey down\nkey enter\nkey esc\n" +
              "key change\n" + QString("key down\n").repeated(9) +
              "key enter\nkey down\nkey down\nkey enter\nkey esc\nkey esc\n" + marker + marker +
              edit + edit + marker + list + "key enter\nkey down\nkey enter\nwait 500\nquit\n");
        QSettings after(s.root() + "/opt/waypointarray.kwp", QSettings::IniFormat);
        const float depth = after.value("001/depth").toFloat();
        QVERIFY2(depth > 0.5f && qAbs(after.value("002/depth").toFloat() - depth) < 0.3f,
                 qPrintable(after.value("002/depth").toString()));
        QCOMPARE(after.value("003/name").toString(), QString("---------"));
    }
};

KORVEL_TEST_MAIN(TestWaypointSession)
#include "test_waypoint_session.moc"
