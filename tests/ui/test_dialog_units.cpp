#include "korvel_test.h"
#include "test_root.h"
#include "ui/feedback_wait.h"
#include "ui/file_scan.h"
#include "ui/power_off_count.h"

#include <QtTest>

namespace {
using Event = FeedbackWait::EnumEvent;

struct StructRun {
    int todos = 0;
    int resultTick = -1;
    Event result = Event::None;
    int hideTick = -1;
};

// Runs a wait for up to 200 ticks; the flag is set from tick flagTick on (-1: never).
StructRun runWait(int flagTick) {
    FeedbackWait wait;
    wait.start();
    StructRun run;
    for (int tick = 1; tick <= 200 && wait.active(); ++tick) {
        const Event e = wait.tick(flagTick >= 0 && tick >= flagTick);
        if (e == Event::Todo || e == Event::TodoThenFail) ++run.todos;
        if (e == Event::Success || e == Event::TodoThenFail) {
            QTest::qVerify(run.resultTick < 0, "result once", "", __FILE__, __LINE__);
            run.resultTick = tick;
            run.result = e;
        }
        if (e == Event::Hide) run.hideTick = tick;
    }
    return run;
}
}  // namespace

class TestDialogUnits : public QObject {
    Q_OBJECT
private slots:
    void feedbackWait_timing_data() {
        QTest::addColumn<int>("flagTick");
        QTest::addColumn<int>("todos");
        QTest::addColumn<int>("resultTick");
        QTest::addColumn<bool>("success");
        QTest::addColumn<int>("hideTick");
        // A step every 5 ticks; step 3 is tick 15, step 10 tick 50, step 20 tick 100.
        QTest::newRow("set before step 3") << 12 << 0 << 15 << true << 45;
        QTest::newRow("set at step 3") << 15 << 0 << 15 << true << 45;
        QTest::newRow("set just before step 10") << 46 << 7 << 50 << true << 80;
        QTest::newRow("set at step 20") << 100 << 17 << 100 << true << 130;
        QTest::newRow("never") << -1 << 18 << 100 << false << 130;
    }
    void feedbackWait_timing() {
        QFETCH(int, flagTick);
        QFETCH(int, todos);
        QFETCH(int, resultTick);
        QFETCH(bool, success);
        QFETCH(int, hideTick);
        const StructRun run = runWait(flagTick);
        QCOMPARE(run.todos, todos);
        QCOMPARE(run.resultTick, resultTick);
        QCOMPARE(run.result, success ? Event::Success : Event::TodoThenFail);
        QCOMPARE(run.hideTick, hideTick);
    }

    void feedbackWait_flagBetweenStepsIsSeenOnlyAtTheStep() {
        FeedbackWait wait;
        wait.start();
        for (int tick = 1; tick <= 14; ++tick)
            QCOMPARE(wait.tick(tick == 7), Event::None);  // set once, cleared again
        QCOMPARE(wait.tick(false), Event::Todo);          // step 3 finds it clear
        QVERIFY(!wait.judged());
    }

    void feedbackWait_restartAndStop() {
        FeedbackWait wait;
        wait.start();
        for (int i = 0; i < 40; ++i)
            wait.tick(false);
        QCOMPARE(wait.step(), 8);
        wait.start();
        QCOMPARE(wait.step(), 0);
        wait.stop();
        QVERIFY(!wait.active());
        QCOMPARE(wait.tick(true), Event::None);
    }

    void powerOffCount_textsByTick() {
        QCOMPARE(PowerOffCount::textAt(0), TR_PowerOff);
        for (int t = 1; t <= 7; ++t)
            QCOMPARE(PowerOffCount::textAt(t), TR_PowerOffIn3);
        for (int t = 8; t <= 15; ++t)
            QCOMPARE(PowerOffCount::textAt(t), TR_PowerOffIn2);
        for (int t = 16; t <= 23; ++t)
            QCOMPARE(PowerOffCount::textAt(t), TR_PowerOffIn1);
    }

    void fileScan_listsMatchingFilesOnly() {
        TestRoot root;
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/b.kvlw", "x"));
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/A.KVLW", "x"));
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/notes.txt", "x"));
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/c.kvlw.bak", "x"));
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Record/d.kvlw")));  // a folder
        const FileScan::StructResult r =
            FileScan::scan("/mnt/sd/Korvel/Record/", "*.kvlw", FileScan::cardMounted());
        QCOMPARE(r.status, FileScan::EnumStatus::Listed);
        QCOMPARE(r.names, (QStringList{"A.KVLW", "b.kvlw"}));
    }

    void fileScan_severalPatterns() {
        TestRoot root;
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Kml/a.kml", "x"));
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Kml/b.kwc", "x"));
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Kml/c.csv", "x"));
        const FileScan::StructResult r = FileScan::scan("/mnt/sd/Korvel/Kml", "*.kml; *.kwc", true);
        QCOMPARE(r.names, (QStringList{"a.kml", "b.kwc"}));
    }

    void fileScan_emptyAbsentAndNoCard() {
        TestRoot root;
        QVERIFY(!FileScan::cardMounted());  // no mount point at all
        QVERIFY(QDir().mkpath(root.path("/mnt/sd")));
        QVERIFY(!FileScan::cardMounted());  // an empty mount point: nothing mounted
        QCOMPARE(FileScan::scan("/mnt/sd/Korvel/Record/", "*.kvlw", false).status,
                 FileScan::EnumStatus::NoCard);
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Record")));
        QVERIFY(FileScan::cardMounted());
        const FileScan::StructResult empty =
            FileScan::scan("/mnt/sd/Korvel/Record/", "*.kvlw", true);
        QCOMPARE(empty.status, FileScan::EnumStatus::Listed);
        QVERIFY(empty.names.isEmpty());
        QCOMPARE(FileScan::scan("/mnt/sd/Korvel/Color/", "*.kct", true).status,
                 FileScan::EnumStatus::NoFolder);
        // A folder off the card does not depend on the card.
        QVERIFY(root.writeFile("/opt/korvel/x.kvlw", "x"));
        QCOMPARE(FileScan::scan("/opt/korvel", "*.kvlw", false).names, QStringList{"x.kvlw"});
        QVERIFY(FileScan::isOnCard("/mnt/sd"));
        QVERIFY(!FileScan::isOnCard("/mnt/sdx/a"));
    }
};

KORVEL_TEST_MAIN(TestDialogUnits)
#include "test_dialog_units.moc"
