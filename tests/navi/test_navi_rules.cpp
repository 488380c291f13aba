// The navigation's decisions apart from the screen: go-to refusals in their order, marking,
// stopping, the messages, the mode follow-up, the boat compass's disturbance warning and the
// home file.
#include "base/tr_resource.h"
#include "korvel_test.h"
#include "navi/ap_mode_watch.h"
#include "navi/boat_compass_watch.h"
#include "navi/navi_file.h"
#include "navi/navi_hints.h"
#include "navi/navi_rules.h"
#include "test_root.h"

#include <QtTest>

using namespace NaviRules;

class TestNaviRules : public QObject {
    Q_OBJECT
private slots:
    void goTo_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("simulator");
        QTest::addColumn<int>("silentSeconds");
        QTest::addColumn<int>("satellites");
        QTest::addColumn<bool>("boatKnown");
        QTest::addColumn<float>("distance");
        QTest::addColumn<QString>("verdict");  // "start", "arrived" or the refusal's code
        QTest::newRow("999 m: started") << "M" << false << 0 << 3 << true << 999.0f << "start";
        QTest::newRow("1000 m: too far") << "M" << false << 0 << 9 << true << 1000.0f << "409";
        QTest::newRow("within the radius: arrived at once")
            << "F" << false << 0 << 9 << true << 5.0f << "arrived";
        QTest::newRow("a task runs: refused before anything else")
            << "R" << true << 10 << 0 << false << 1.0f << "408";
        QTest::newRow("simulator") << "M" << true << 10 << 0 << true << 50.0f << "405";
        QTest::newRow("autopilot silent 10 s") << "M" << false << 10 << 9 << true << 50.0f << "406";
        QTest::newRow("9 s is still online") << "S" << false << 9 << 9 << true << 50.0f << "start";
        QTest::newRow("2 satellites") << "M" << false << 0 << 2 << true << 50.0f << "407";
        QTest::newRow("no track point to measure from")
            << "M" << false << 0 << 3 << false << 5.0f << "407";
    }
    void goTo() {
        QFETCH(QString, mode);
        QFETCH(bool, simulator);
        QFETCH(int, silentSeconds);
        QFETCH(int, satellites);
        QFETCH(bool, boatKnown);
        QFETCH(float, distance);
        QFETCH(QString, verdict);
        const StructGoToVerdict v = NaviRules::goTo(
            {mode, simulator, silentSeconds, satellites, boatKnown, distance, 5.0f});
        const QString got = v.result == EnumGoTo::Start     ? QStringLiteral("start")
                            : v.result == EnumGoTo::Arrived ? QStringLiteral("arrived")
                                                            : v.code;
        QCOMPARE(got, verdict);
    }

    void markAndStop() {
        QCOMPARE(markTarget(2.0f, 2.0f), EnumMark::Arrived);
        QCOMPARE(markTarget(15999.9f, 2.0f), EnumMark::Mark);
        QCOMPARE(markTarget(16000.0f, 2.0f), EnumMark::TooFar);
        QCOMPARE(NaviRules::stop(true, 0), EnumStop::Simulator);
        QCOMPARE(NaviRules::stop(false, 10), EnumStop::Offline);
        QCOMPARE(NaviRules::stop(false, 9), EnumStop::Send);
    }

    void hints() {
        QCOMPARE(NaviHints::hint("406").text, QString("Autopilot module Offline"));
        QCOMPARE(NaviHints::hint("408").text, TrResource::getTrString(TR_StopAutopilotFirst));
        QCOMPARE(NaviHints::hint("409").title, TrResource::getTrString(TR_Error));
        QVERIFY(NaviHints::hint("501").autoClose && !NaviHints::hint("407").autoClose);
        QCOMPARE(NaviHints::hint("603").title, TrResource::getTrString(TR_Message));
    }

    // Each change is acted on once; the first look is only the baseline.
    void modeWatch() {
        ApModeWatch w;
        QString previous;
        QVERIFY(!w.changed("R", &previous));
        QVERIFY(!w.changed("R", &previous));
        QVERIFY(w.changed("M", &previous));
        QCOMPARE(previous, QString("R"));
        QVERIFY(!w.changed("M", &previous));
    }

    // One look in nine passes; the warning after more than 15 reports, once per run; reports
    // that stop are forgotten after ten quiet looks.
    void boatCompassWatch() {
        BoatCompassWatch w;
        int looks = 0;
        int warnings = 0;
        const auto reportFor = [&](int passes, bool report) {
            for (int i = 0; i < passes; ++i) {
                const BoatCompassWatch::StructResult r = w.pass(report);
                looks += r.evaluated;
                warnings += r.warn;
                QCOMPARE(r.needCali, r.evaluated && report);
            }
        };
        reportFor(9 * 15, true);
        QCOMPARE(looks, 15);
        QCOMPARE(warnings, 0);
        reportFor(9 * 12, false);  // quiet: the 15 reports are forgotten
        reportFor(9 * 15, true);
        QCOMPARE(warnings, 0);
        reportFor(9, true);
        QCOMPARE(warnings, 1);
        reportFor(9 * 40, true);
        QCOMPARE(warnings, 1);
    }

    void homeFile() {
        TestRoot root;
        QVERIFY(!NaviFile::readHome().isSet());  // no file
        QVERIFY(NaviFile::writeHome({-1234567890, 487654321}));
        const StructHomePosition home = NaviFile::readHome();
        QCOMPARE(home.lon, -1234567890);
        QCOMPARE(home.lat, 487654321);
        QVERIFY(root.writeFile(NaviFile::kPath, "[General]\nhome_lon_d=abc\nhome_lat_d=5\n"));
        QCOMPARE(NaviFile::readHome().lon, 0);
        QVERIFY(!NaviFile::readHome().isSet());
    }
};

KORVEL_TEST_MAIN(TestNaviRules)
#include "test_navi_rules.moc"
