// The boat compass calibration followed without its dialog: refused while the box is not
// heard, the command sent and confirmed, the box's report ending it with its hint.
#include "fake_prompter.h"
#include "korvel_test.h"
#include "link/link_state.h"
#include "state/boat_compass_run.h"

#include <QtTest>

class TestBoatCompassRun : public QObject {
    Q_OBJECT
private slots:
    void run_data() {
        QTest::addColumn<int>("silentSeconds");
        QTest::addColumn<int>("report");  // the box's result; -1: the user leaves first
        QTest::addColumn<int>("end");     // -1: none
        QTest::addColumn<int>("hint");
        using E = BoatCompassCali::EnumEnd;
        QTest::newRow("the box not heard")
            << 10 << 0 << -1 << int(EnumHintCode::CompassNotConnected);
        QTest::newRow("calibrated") << 0 << 1 << int(E::Success) << 0;
        QTest::newRow("failed") << 0 << 2 << int(E::Fail) << int(EnumHintCode::BoatCompassFail);
        QTest::newRow("not stored")
            << 0 << 3 << int(E::FlashError) << int(EnumHintCode::BoatCompassFlashError);
        QTest::newRow("no longer followed") << 0 << -1 << -1 << 0;
    }
    void run() {
        QFETCH(int, silentSeconds);
        QFETCH(int, report);
        LinkState link;
        link.count_noData_sonar = silentSeconds;
        link.currentInfo_sys.app = BoatCompassCali::kFirstReportingFirmware;
        FakePrompter prompter;
        int sent = 0;
        BoatCompassRun cali(link, prompter, [&sent] { ++sent; });
        QSignalSpy ended(&cali, &BoatCompassRun::ended);
        const bool started = cali.start();
        QCOMPARE(sent, started ? 1 : 0);
        QCOMPARE(prompter.waits.size(), started ? 1 : 0);
        if (started) {
            prompter.resendAck();
            QCOMPARE(sent, 2);
            if (report < 0) cali.stopFollowing();
            link.current_compassCali = qMax(0, report);
            (void)ended.wait(3 * BoatCompassCali::kPollMs);
        }
        QFETCH(int, end);
        QCOMPARE(
            ended.isEmpty() ? -1 : int(ended.first().first().value<BoatCompassCali::EnumEnd>()),
            end);
        QFETCH(int, hint);
        QCOMPARE(prompter.hints.value(0, EnumHintCode::None), EnumHintCode(hint));
        QCOMPARE(cali.running(), false);
    }
};

KORVEL_TEST_MAIN(TestBoatCompassRun)
#include "test_boat_compass_run.moc"
