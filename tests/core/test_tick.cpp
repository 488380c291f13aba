#include "core/alarm_monitor.h"
#include "core/base/global.h"
#include "core/korvel.h"
#include "korvel_test.h"
#include "navi/heading_filter.h"
#include "test_root.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

namespace {
StructAlarmInputs calmLake() {
    StructAlarmInputs in;
    in.sonarDataArriving = true;
    in.boatVoltage = 12.5f;
    in.handsetVoltage = 12.0f;
    in.depth = 3.0f;
    in.satellites = 9;
    in.shallowAlarmLevel = 1.0f;
    return in;
}
}  // namespace

class TestTick : public QObject {
    Q_OBJECT
private slots:
    void tickCounter_wrapsAfter10000() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        k.setTickCount(9999);
        QList<int> seen;
        for (int i = 0; i < 3; ++i) {
            k.slot_timeout_main();
            seen << k.tickCount();
        }
        QCOMPARE(seen, (QList<int>{10000, 0, 1}));
    }

    void mainTimer_ticksEvery125ms() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        QCOMPARE(k.mainTimer()->interval(), 125);
        QVERIFY(k.mainTimer()->isActive());
        const int before = k.tickCount();
        QTRY_VERIFY_WITH_TIMEOUT(k.tickCount() >= before + 2, 2000);
    }

    void alarm_firesOnThe11thCheckOnceAndCountsAgain() {
        AlarmMonitor m;
        StructAlarmInputs in = calmLake();
        in.boatVoltage = 9.0f;  // below the 10 V level
        QStringList fired;
        for (int check = 1; check <= 22; ++check)
            fired << m.check(in).alarmType;
        for (int check = 1; check <= 22; ++check) {
            const bool fires = check == 11 || check == 22;
            QCOMPARE(fired[check - 1], fires ? QString("boatVtg") : QString());
        }
    }

    void alarm_conditionBrokenResetsTheCount() {
        AlarmMonitor m;
        StructAlarmInputs low = calmLake();
        low.depth = 0.5f;  // shallower than 1.0 m
        for (int i = 0; i < 10; ++i)
            QVERIFY(m.check(low).alarmType.isEmpty());
        QVERIFY(m.check(calmLake()).alarmType.isEmpty());
        for (int i = 0; i < 10; ++i)
            QVERIFY(m.check(low).alarmType.isEmpty());
        const StructAlarmOutcome out = m.check(low);
        QCOMPARE(out.alarmType, QString("shallow"));
        QCOMPARE(out.messageText, 138);
    }

    void alarm_conditions_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        // field: 0 handset V, 1 boat V, 2 battery level, 3 no sonar, 4 question shown,
        // 5 ignore handset, 6 boat level
        QTest::newRow("handset low") << 0 << 9.5f << "vtg";
        QTest::newRow("handset no reading") << 0 << 0.0f << "";
        QTest::newRow("handset 6 V is no reading") << 0 << 6.0f << "";
        QTest::newRow("alarm level OFF") << 2 << 7.9f << "";
        QTest::newRow("boat low") << 1 << 7.0f << "boatVtg";
        QTest::newRow("boat low without sonar") << 3 << 7.0f << "";
        QTest::newRow("question on screen") << 4 << 9.5f << "";
        QTest::newRow("ignored") << 5 << 9.5f << "";
        QTest::newRow("boat level OFF") << 6 << 7.9f << "";
    }
    void alarm_conditions() {
        QFETCH(int, field);
        QFETCH(float, value);
        QFETCH(QString, expected);
        StructAlarmInputs in = calmLake();
        switch (field) {
            case 0:
                in.handsetVoltage = value;
                break;
            case 1:
                in.boatVoltage = value;
                break;
            case 2:
                in.batteryAlarmLevel = value;
                in.handsetVoltage = 7.5f;
                break;
            case 3:
                in.boatVoltage = value;
                in.sonarDataArriving = false;
                break;
            case 4:
                in.handsetVoltage = value;
                in.questionVisible = true;
                break;
            case 5:
                in.handsetVoltage = value;
                in.ignoreHandsetBattery = true;
                break;
            case 6:
                in.boatVoltageAlarmLevel = value;
                in.boatVoltage = 7.0f;
                break;
        }
        AlarmMonitor m;
        QString fired;
        for (int i = 0; i < 11; ++i)
            fired += m.check(in).alarmType;
        QCOMPARE(fired, expected);
    }

    void blink_boatAndDepthAfterMoreThan10Checks() {
        AlarmMonitor m;
        StructAlarmInputs in = calmLake();
        in.satellites = 2;
        in.depth = 0.1f;
        for (int i = 0; i < 10; ++i) {
            const auto out = m.check(in);
            QVERIFY(!out.boatBlink && !out.depthBlink);
        }
        StructAlarmOutcome out = m.check(in);
        QVERIFY(out.boatBlink && out.depthBlink);
        out = m.check(in);
        QVERIFY(out.boatBlink && out.depthBlink);
        in.satellites = 3;
        in.depth = 0.2f;
        out = m.check(in);
        QVERIFY(!out.boatBlink && !out.depthBlink);
    }

    void controller_checksAlarmsEvery5thTick() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        QSignalSpy alarm(&k, &Korvel::signal_alarm);
        // The handset battery as the ADC reads it: raw 1277 is 8.99 V, below the 10 V level.
        QVERIFY(root.writeFile("/dev/magic-adc", "1277\n"));
        k.setTickCount(0);
        for (int i = 0; i < 54; ++i)
            k.slot_timeout_main();  // ticks 1..54: 10 checks
        QCOMPARE(alarm.count(), 0);
        k.slot_timeout_main();  // tick 55: the 11th check
        QCOMPARE(alarm.count(), 1);
        QCOMPARE(alarm.at(0).at(0).toString(), QString("vtg"));
        QCOMPARE(alarm.at(0).at(1).toInt(), 139);
        k.dialog_question_click(QStringLiteral("vtg"), QStringLiteral("left"));
        for (int i = 0; i < 60; ++i)
            k.slot_timeout_main();
        QCOMPARE(alarm.count(), 1);
    }

    void headingFilter_ignoresJitterOf10DegreesOrLess() {
        HeadingFilter f;
        QCOMPARE(f.update(100), 100);
        for (int t : {110, 90, 105, 95})
            QCOMPARE(f.update(t), 100);
        QCOMPARE(f.update(111), 111);
    }

    void headingFilter_stepsAtMost20Degrees() {
        HeadingFilter f;
        f.update(0);
        QCOMPARE(f.update(60), 20);
        QCOMPARE(f.update(60), 40);
        QCOMPARE(f.update(60), 60);
        QCOMPARE(f.update(45), 45);  // 15 degrees: taken at once
        QCOMPARE(f.update(-30), 25);
    }

    void headingFilter_takesTheShortWayAcrossTheSeam() {
        HeadingFilter f;
        f.update(355);
        const int shown = f.update(5);
        // 10 degrees the short way: taken directly, not 350 degrees the long way round.
        QCOMPARE(shown, 5);

        HeadingFilter g;
        g.update(350);
        QList<int> path;
        for (int i = 0; i < 4; ++i)
            path << (g.update(40) + 360) % 360;
        QCOMPARE(path, (QList<int>{10, 30, 30, 30}));  // the last 10 degrees are jitter
    }

    void headingFilter_targetIsHalfATurnFromTheSensor() {
        QCOMPARE(HeadingFilter::targetFromRaw(0), 180);
        QCOMPARE(HeadingFilter::targetFromRaw(270), -90);
    }
};

KORVEL_TEST_MAIN(TestTick)
#include "test_tick.moc"
