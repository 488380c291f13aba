// The two watches behind the safety alarms, fed as the tick feeds them: the lost link's
// events over a run of ticks, and the fix gate's usable, stale and settled states.
#include "navi/fix_watch.h"
#include "state/link_loss_watch.h"

#include <QtTest>

Q_DECLARE_METATYPE(EnumLinkEvent)

namespace {
// A frame at the handset's shore 2233.1400 N 11356.4480 E, moved `north` metres (ddmm.mmmmm x 1e5).
StructSonarFrameFields frame(int satellites, int hdop100, double north = 0, bool zero = false) {
    StructSonarFrameFields f;
    f.satellites = uint8_t(satellites);
    f.fixQuality = uint16_t(hdop100);
    f.latitudeDm = zero ? 0 : 223314000 + int(north / 1852.0 * 100000);
    f.longitudeDm = zero ? 0 : 1135644800;
    return f;
}
}  // namespace

class TestSafetyWatches : public QObject {
    Q_OBJECT
private slots:
    // Ticks of 125 ms; "f" a tick with a new frame, "." one without, "h" one with the link
    // held on purpose. The events of the ticks, as letters: L lost, B back, - none.
    void linkLoss_data() {
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("events");
        QTest::newRow("never heard: no alarm") << QString(40, '.') << QString(40, '-');
        QTest::newRow("lost at 2.75 s, back with a frame")
            << "f" + QString(23, '.') + "f" << QString(22, '-') + "L-B";
        QTest::newRow("a gap under 2.75 s") << "f" + QString(21, '.') + "f" << QString(23, '-');
        QTest::newRow("held, then silent: counted from the hold's end")
            << "f" + QString(30, 'h') + QString(22, '.') << QString(52, '-') + "L";
    }
    void linkLoss() {
        QFETCH(QString, ticks);
        QFETCH(QString, events);
        LinkLossWatch w;
        uint32_t frames = 0;
        QString seen;
        for (int i = 0; i < ticks.size(); ++i) {
            if (ticks[i] == 'f') ++frames;
            const EnumLinkEvent e = w.tick(frames, ticks[i] == 'h', i * 125);
            seen += e == EnumLinkEvent::Lost ? 'L' : e == EnumLinkEvent::Back ? 'B' : '-';
        }
        QCOMPARE(seen, events);
    }

    void linkLoss_alarmRepeats() {
        LinkLossWatch w;
        w.tick(1, false, 0);
        QCOMPARE(w.tick(1, false, 3000), EnumLinkEvent::Lost);
        QVERIFY(w.alarmDue(3000));
        QVERIFY(!w.alarmDue(12000));
        QVERIFY(w.alarmDue(13000));
        QCOMPARE(w.tick(2, false, 14000), EnumLinkEvent::Back);
        QVERIFY(w.backShown(16000) && !w.backShown(17000) && !w.alarmDue(17000));
    }

    // Frames 200 ms apart: the verdict, usable, settled and the age at the last one.
    void fixWatch_data() {
        QTest::addColumn<QList<int>>("satellites");
        QTest::addColumn<int>("hdop100");
        QTest::addColumn<double>("lastNorth");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<bool>("settled");
        QTest::newRow("five strong fixes settle")
            << QList<int>{8, 8, 8, 8, 8} << 120 << 0.0 << true << true;
        QTest::newRow("four strong are not enough")
            << QList<int>{8, 8, 8, 8} << 120 << 0.0 << true << false;
        QTest::newRow("four satellites: usable, never settled")
            << QList<int>{4, 4, 4, 4, 4, 4, 4} << 120 << 0.0 << true << false;
        QTest::newRow("a weak HDOP does not settle")
            << QList<int>{8, 8, 8, 8, 8} << 300 << 0.0 << true << false;
        QTest::newRow("three satellites: not usable")
            << QList<int>{8, 8, 3} << 120 << 0.0 << false << false;
        QTest::newRow("a jump of 1 km: refused")
            << QList<int>{8, 8, 8} << 120 << 1000.0 << false << false;
    }
    void fixWatch() {
        QFETCH(QList<int>, satellites);
        QFETCH(int, hdop100);
        QFETCH(double, lastNorth);
        QFETCH(bool, usable);
        QFETCH(bool, settled);
        FixWatch w;
        for (int i = 0; i < satellites.size(); ++i) {
            const bool last = i == satellites.size() - 1;
            w.take(frame(satellites[i], hdop100, last ? lastNorth : 0), true, 20, i * 200);
        }
        const qint64 end = (satellites.size() - 1) * 200;
        QCOMPARE(w.usable(end), usable);
        QCOMPARE(w.settled(), settled);
        // A frame handed again is no new fix: the good one only grows old.
        w.take(frame(8, 120), false, 20, end + 4000);
        QVERIFY(!w.usable(end + 4000) && w.stale(end + 4000));
    }

    void fixWatch_zeroNeverUsed() {
        FixWatch w;
        w.take(frame(8, 120, 0, true), true, 20, 0);
        QCOMPARE(w.lastVerdict(), EnumFixVerdict::NoPosition);
        QVERIFY(!w.usable(0) && w.ageMs(0) == -1);
    }
};

QTEST_MAIN(TestSafetyWatches)
#include "test_safety_watches.moc"
