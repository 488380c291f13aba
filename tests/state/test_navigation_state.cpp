// The navigation's rules without a widget: what the autopilot is sent, what the user is asked
// and told, home and its file, the mode follow-up and the list modes' legs and waits.
#include "base/global.h"
#include "base/tr_resource.h"
#include "data/boat_values.h"
#include "fake_prompter.h"
#include "korvel_test.h"
#include "link/link_state.h"
#include "navi/convert.h"
#include "navi/navi_file.h"
#include "state/navigation_state.h"
#include "test_root.h"

#include <QtTest>

namespace {

const int kLon = 114000000;  // 11.4 E
const int kLat = 480000000;  // 48.0 N; 1000 ddS32 of latitude is about 11 m

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// The navigation on a recorded link; waypoints 0..3 lie 100, 200, 300 and 2000 m north of (kLon,
// kLat).
struct Nav {
    TestRoot root;
    LinkState link;
    StructBoatValues values;
    FakePrompter prompter;
    QVector<StructWaypoint> waypoints;
    QList<GeoPoint> starts;
    int stops = 0;
    bool busy = false;
    std::unique_ptr<NavigationState> nav;

    Nav() {
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.arriveAlarmLevel = 5;
        Convert::navi_startPoint = QPoint();
        for (const int north : {9000, 18000, 27000, 180000}) {
            StructWaypoint w = StructWaypoint::emptyAt(waypoints.size());
            w.name = QStringLiteral("w") + QString::number(waypoints.size());
            w.latitude = Convert::ddS32_to_dmString_lat(kLat + north);
            w.longitude = Convert::ddS32_to_dmString_lon(kLon);
            waypoints << w;
        }
        StructNaviPorts ports;
        ports.sendStart = [this](const GeoPoint& p) { starts << p; };
        ports.sendStop = [this] { ++stops; };
        ports.waypoint = [this](int slot) { return waypoints.value(slot); };
        ports.linkBusy = [this] { return busy; };
        nav = std::make_unique<NavigationState>(link, values, prompter, ports);
        mode("M");
    }
    void mode(const char* m, int silentSeconds = 0) {
        ApInfo_t info;
        info.field[2] = QLatin1String(m);
        info.field[3] = QStringLiteral("A");
        link.setCurrentInfoAp(info);
        link.count_noData_ap = silentSeconds;
        nav->check();
    }
    void fix(int lon, int lat, int satellites = 9) {
        values.boat_lon = lon;
        values.boat_lat = lat;
        values.gps_satellites = satellites;
        values.fix_usable = values.fix_settled = satellites >= 4;  // as the fix gate judges
        nav->takeFix();
    }
    // Thousands of ddS32 north of kLat of each start sent, in order.
    QString legs() const {
        QStringList out;
        for (const GeoPoint& p : starts)
            out << QString::number(qRound((p.lat() - kLat) / 1000.0));
        return out.join(' ');
    }
    QString said() const { return prompter.messages.value(prompter.messages.size() - 1); }
};

GeoPoint at(int lon, int lat) {
    return GeoPoint(Latitude(lat), Longitude(lon));
}

}  // namespace

class TestNavigationState : public QObject {
    Q_OBJECT
private slots:
    // A go-to sends RUN with the point and waits for the autopilot's word; refusals send
    // nothing and say why.
    void goTo_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("satellites");
        QTest::addColumn<bool>("fixed");  // the map has the boat
        QTest::addColumn<int>("north");
        QTest::addColumn<int>("hint");  // 0: sent
        QTest::newRow("100 m: runs") << "M" << 9 << true << 9000 << 0;
        QTest::newRow("a task runs") << "R" << 9 << true << 9000 << int(EnumHintCode::GoStopFirst);
        QTest::newRow("no track point yet")
            << "M" << 3 << false << 9000 << int(EnumHintCode::GoFewSatellites);
        QTest::newRow("about 1.1 km") << "M" << 9 << true << 100000 << int(EnumHintCode::GoTooFar);
    }
    void goTo() {
        QFETCH(QString, mode);
        QFETCH(int, satellites);
        QFETCH(bool, fixed);
        QFETCH(int, north);
        QFETCH(int, hint);
        Nav n;
        if (fixed) n.fix(kLon, kLat);
        n.values.gps_satellites = satellites;
        n.mode(qPrintable(mode));
        n.nav->goTo(EnumTargetType::TargetPoint, at(kLon, kLat + north), 0);
        QCOMPARE(n.legs(), hint ? QString() : QString::number(north / 1000));
        QCOMPARE(n.prompter.hints.value(0, EnumHintCode::None), EnumHintCode(hint));
        QCOMPARE(n.prompter.waits, hint ? QList<EnumDialogKind>()
                                        : QList<EnumDialogKind>{EnumDialogKind::ApGoTarget});
        // The target shows on the map once the autopilot runs, and the waypoint list closes.
        QSignalSpy closed(n.nav.get(), &NavigationState::waypointTaskTaken);
        if (!hint) n.prompter.acknowledge();
        QCOMPARE(n.nav->targetSet(), !hint);
        QCOMPARE(closed.size(), hint ? 0 : 1);
    }

    // A target within the arrival radius is reached at once; a resend goes to the same point.
    void goTo_arrivedAtOnceAndResends() {
        Nav n;
        n.fix(kLon, kLat);
        n.nav->goTo(EnumTargetType::TargetPoint, at(kLon, kLat + 180), 0);
        QCOMPARE(n.said(), trText(TR_TargetArrived));
        QVERIFY(n.starts.isEmpty());
        n.nav->goTo(EnumTargetType::TargetHome, at(kLon, kLat + 9000), 0);
        n.prompter.resendAck();
        QCOMPARE(n.legs(), QString("9 9"));
        n.prompter.failAck();
        QVERIFY(!n.nav->targetSet());
    }

    // A list leg reached with no point left ends the run; the autopilot key's long press
    // stops a running task, otherwise sends the boat home.
    void arrivalWithoutPointsAndTheApKey() {
        Nav n;
        n.fix(kLon, kLat);
        n.fix(kLon + 100, kLat + 100);  // home
        n.fix(kLon + 5000, kLat + 5000);
        n.nav->goTo(EnumTargetType::TargetMultiTarget, at(kLon, kLat + 9000), 0);
        n.nav->afterAp();
        QCOMPARE(n.said(), trText(TR_AutopilotTaskCompleted));
        n.mode("R");
        n.nav->apKeyLongPress();
        QCOMPARE(n.stops, 1);
        QCOMPARE(n.prompter.waits.last(), EnumDialogKind::ApStop);
        n.mode("S");
        n.nav->apKeyLongPress();
        QCOMPARE(n.starts.last(), at(kLon + 100, kLat + 100));
    }

    // Only a fix the gate took (and with both coordinates) reaches the track; the second one
    // sets home and writes it, once the fix has settled.
    void fix_takenOnlyWhenUsable_data() {
        QTest::addColumn<int>("lon");
        QTest::addColumn<int>("lat");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<bool>("settled");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("home");
        QTest::newRow("good, settled") << kLon << kLat << true << true << true << true;
        QTest::newRow("good, not settled yet") << kLon << kLat << true << false << true << false;
        QTest::newRow("refused by the gate") << kLon << kLat << false << false << false << false;
        QTest::newRow("longitude 0") << 0 << kLat << true << true << false << false;
        QTest::newRow("latitude 0") << kLon << 0 << true << true << false << false;
    }
    void fix_takenOnlyWhenUsable() {
        QFETCH(int, lon);
        QFETCH(int, lat);
        QFETCH(bool, usable);
        QFETCH(bool, settled);
        QFETCH(bool, taken);
        QFETCH(bool, home);
        Nav n;
        for (int i = 0; i < 2; ++i) {
            n.values.boat_lon = lon ? lon + i : 0;
            n.values.boat_lat = lat ? lat + i : 0;
            n.values.fix_usable = usable;
            n.values.fix_settled = settled;
            n.nav->takeFix();
        }
        QCOMPARE(n.nav->map().track().size(), taken ? 1 : 0);
        QCOMPARE(n.nav->homeSet(), home);
        QCOMPARE(NaviFile::readHome().lat, home ? lat + 1 : 0);
    }

    // "Clear Map": the boat stays where it is, the course goes; the outlines stay only in the
    // simulator, whose lake they draw. Without a track the boat stands at the outline's start.
    void clearMap_data() {
        QTest::addColumn<int>("simulator");
        QTest::addColumn<int>("fixes");
        QTest::addColumn<QPoint>("boat");
        QTest::addColumn<int>("outlines");
        QTest::newRow("handset, track") << 0 << 3 << QPoint(2, 20) << 0;
        QTest::newRow("simulator, track") << 1 << 3 << QPoint(2, 20) << 1;
        QTest::newRow("simulator, no track") << 1 << 0 << QPoint(-5, 7) << 1;
    }
    void clearMap() {
        QFETCH(int, simulator);
        QFETCH(int, fixes);
        QFETCH(QPoint, boat);
        QFETCH(int, outlines);
        Nav n;
        Global::configuration.simulator = simulator;
        MapContent& map = n.nav->map();
        map.setOutlines({{QStringLiteral("lake"), {}, {}, {QPoint(-5, 7), QPoint(9, 9)}}});
        map.setRoute({{kLon, kLat, 1.5f, {}}});
        for (int i = 0; i < fixes; ++i)
            map.appendTrack(QPoint(i, i * 10), 2.0f);
        map.clearMap();
        QCOMPARE(map.track().size(), fixes ? 1 : 0);
        QCOMPARE(map.boatPoint(), boat);
        QCOMPARE(map.route().size(), 0);
        QCOMPARE(map.outlines().size(), outlines);
    }

    // Home is sent as it was set, whatever was converted since (another area's course or
    // outline moves the latitude the conversions remember).
    void goHome_sendsHomeAsSet() {
        Nav n;
        n.nav->goHome();
        QCOMPARE(n.prompter.hints.value(0), EnumHintCode::HomeNotDefined);
        n.fix(kLon, kLat);
        n.fix(kLon + 1, kLat + 1);
        QCOMPARE(n.prompter.notices.last().first, trText(TR_HomePosition));
        (void)Convert::navi_ddS32_to_relativeCoor(10000000, -700000000);  // far away
        n.fix(kLon + 3000, kLat + 4000);
        n.nav->goHome();
        QCOMPARE(n.starts.value(0), at(kLon + 1, kLat + 1));
        QCOMPARE(n.prompter.waits.value(0), EnumDialogKind::ApGoHome);
    }

    // A saved home near the first fix is offered; closed without an answer it comes back at a
    // fix 10 s later, not sooner; "YES" takes it from the file and ends the asking.
    void homeQuestion_askedAgainAfterEscape() {
        KorvelTest::ExpectedMessage asking("saved home");
        Nav n;
        NaviFile::writeHome({kLon + 300, kLat + 200});  // about 3 m away
        qint64 now = 0;
        n.nav->homeQuestionGate().setClock([&now] { return now; });
        n.fix(kLon, kLat);
        n.fix(kLon + 20, kLat + 20);
        QCOMPARE(n.prompter.questions.size(), 1);
        QCOMPARE(n.prompter.questions.last().text, trText(TR_UseLastHome));
        n.prompter.escape();
        int fix = 40;
        for (const qint64 t : {0, 1000, 9999}) {
            now = t;
            n.fix(kLon + fix, kLat + fix);
            fix += 20;
            QCOMPARE(n.prompter.questions.size(), 1);
        }
        now = 10000;
        n.fix(kLon + fix, kLat + fix);
        QCOMPARE(n.prompter.questions.size(), 2);
        n.prompter.answer(EnumAnswer::Right);
        QCOMPARE(n.nav->home().lon, kLon + 300);
        now = 60000;
        n.fix(kLon + fix + 20, kLat + fix + 20);
        QCOMPARE(n.prompter.questions.size(), 2);
    }

    // The questions: only "Go" sends the boat; "Save" at the cursor asks for a new waypoint;
    // "YES" to stopping sends the stop, whose acknowledgement ends the list and the target.
    void questions_data() {
        QTest::addColumn<int>("question");  // 0 waypoint, 1 cursor, 2 stop
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("legs");
        QTest::addColumn<int>("stops");
        QTest::addColumn<int>("saved");
        QTest::newRow("waypoint: Go") << 0 << int(EnumAnswer::Right) << "9" << 0 << 0;
        QTest::newRow("waypoint: NO") << 0 << int(EnumAnswer::Left) << "" << 0 << 0;
        QTest::newRow("cursor: Go") << 1 << int(EnumAnswer::Right) << "0" << 0 << 0;
        QTest::newRow("cursor: Save") << 1 << int(EnumAnswer::Left) << "" << 0 << 1;
        QTest::newRow("stop: YES") << 2 << int(EnumAnswer::Left) << "" << 1 << 0;
        QTest::newRow("stop: NO") << 2 << int(EnumAnswer::Right) << "" << 0 << 0;
    }
    void questions() {
        QFETCH(int, question);
        QFETCH(int, answer);
        Nav n;
        n.fix(kLon, kLat);
        n.fix(kLon, kLat + 900);  // 10 m north: the cursor's point below is 10 m south of it
        QSignalSpy saved(n.nav.get(), &NavigationState::cursorSaveChosen);
        n.mode("R");
        if (question == 0) n.nav->askGoToWaypoint(at(kLon, kLat + 9000), 2);
        if (question == 1) n.nav->askCursorUse(n.nav->map().track().at(0).point);
        if (question == 2) n.nav->askStop();
        n.mode(question == 2 ? "R" : "M");
        n.prompter.answer(EnumAnswer(answer));
        QTEST(n.legs(), "legs");
        QTEST(n.stops, "stops");
        QTEST(int(saved.size()), "saved");
        if (question == 2 && n.stops) {
            QCOMPARE(n.prompter.waits.last(), EnumDialogKind::ApStop);
            n.prompter.acknowledge();
            QCOMPARE(n.nav->listRun().mode(), EnumListMode::Idle);
        }
    }

    // The autopilot's mode, acted on at its change and never while the link is held or
    // silent: arrival, manual control, errors.
    void modeFollowUp() {
        KorvelTest::ExpectedMessage modes("autopilot mode");
        Nav n;
        n.fix(kLon, kLat);
        n.nav->goTo(EnumTargetType::TargetPoint, at(kLon, kLat + 9000), 0);
        n.mode("R");
        n.prompter.acknowledge();
        QVERIFY(n.nav->targetSet());
        n.mode("F");
        QVERIFY(!n.nav->targetSet());
        QCOMPARE(n.said(), trText(TR_TargetArrived));
        n.mode("S");
        n.mode("M");
        QCOMPARE(n.prompter.messages.size(), 1);  // from S: no message
        n.mode("R");
        n.busy = true;
        n.mode("M");
        QCOMPARE(n.prompter.messages.size(), 1);  // a transfer holds the link
        n.busy = false;
        n.mode("M");
        QCOMPARE(n.said(), trText(TR_EnterManualMode));
        n.mode("E", 10);  // offline: not acted on yet
        QVERIFY(n.prompter.hints.isEmpty());
        n.mode("E", 0);
        QCOMPARE(n.prompter.hints, QList<EnumHintCode>{EnumHintCode::ApError});
    }

    // The indicators: the LEDs follow a heard autopilot and go off once when it falls silent;
    // the boat blinks after more than ten checks of a poor fix.
    void indicators() {
        Nav n;
        n.values.gps_satellites = 2;
        n.mode("R");
        QVERIFY(n.nav->indicators().heard && n.nav->indicators().apRunning);
        QCOMPARE(n.nav->indicators().rc, EnumRcState::Active);
        for (const bool first : {true, false}) {
            n.mode("R", 10);
            QCOMPARE(n.nav->indicators().heard, false);
            QCOMPARE(n.nav->indicators().allOff, first);
        }
        n.values.gps_satellites = 9;
        n.nav->check();
        n.values.gps_satellites = 2;
        for (int i = 1; i <= 11; ++i) {
            n.nav->check();
            QCOMPARE(n.nav->indicators().blink, i > 10);
        }
    }

    // A script: s(tart the list), R/F/S/M (the autopilot's mode), w (the count-down ends).
    // After it: the legs sent, the waits counted, what was said, the line and the mode.
    void multiTarget_data() {
        QTest::addColumn<QString>("rows");  // slot:delay per row
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("legs");
        QTest::addColumn<QString>("waits");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("mode");
        const auto row = [](const char* name, const char* rows, const char* script,
                            const char* legs, const char* waits, int line, EnumListMode mode) {
            QTest::newRow(name) << rows << script << legs << waits << line << int(mode);
        };
        row("the first leg", "0:7 1:0", "s R", "9", "", 2, EnumListMode::List);
        row("arrived: its wait", "0:7 1:0", "s R F", "9", "7", 2, EnumListMode::List);
        row("the wait over: the next", "0:7 1:0", "s R F w R", "9 18", "7", 2, EnumListMode::List);
        row("the last arrival", "0:7 1:0", "s R F w R F", "9 18", "7", 0, EnumListMode::Idle);
        row("stop during the wait", "0:7 1:0", "s R F S w", "9", "7", 0, EnumListMode::Idle);
        row("remote control takes over", "0:7 1:0", "s R M", "9", "", 0, EnumListMode::Idle);
        row("started twice: 408", "0:0 1:0", "s R s", "9", "", 2, EnumListMode::List);
        row("empty: 418", "", "s", "", "", 0, EnumListMode::Idle);
    }
    void multiTarget() {
        QFETCH(QString, rows);
        QFETCH(QString, script);
        Nav n;
        n.fix(kLon, kLat);
        QList<StructMultiTarget> list;
        for (const QString& r : rows.split(' ', Qt::SkipEmptyParts))
            list << StructMultiTarget(n.waypoints.at(r.section(':', 0, 0).toInt()),
                                      r.section(':', 1).toInt());
        for (const QString& e : script.split(' ')) {
            if (e == "s") n.nav->startList(list, false, EnumListKind::MultiTarget);
            if (e == "w") n.prompter.countDownOver();
            if (e != "s" && e != "w") n.mode(qPrintable(e));
        }
        QTEST(n.legs(), "legs");
        QStringList waits;
        for (const int s : n.prompter.countDowns)
            waits << QString::number(s);
        QTEST(waits.join(' '), "waits");
        QTEST(int(n.nav->listLine().size()), "line");
        QTEST(int(n.nav->listRun().mode()), "mode");
        if (rows.isEmpty()) QCOMPARE(n.prompter.hints.last(), EnumHintCode::TargetListEmpty);
    }

    // Go-back: both targets must be set and exist; home (kHome) is a target; the wait.
    void goBack_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("emptyField");  // 0 none, 1 or 2
        QTest::addColumn<QString>("legs");
        QTest::addColumn<int>("hint");
        const int home = StructGoBackRequest::kHome;
        QTest::newRow("second empty") << 0 << 0 << 2 << "" << int(EnumHintCode::GoBackTarget2Empty);
        QTest::newRow("first empty")
            << 0 << home << 1 << "" << int(EnumHintCode::GoBackTarget1Empty);
        QTest::newRow("home, then waypoint 0") << home << 0 << 0 << "0 9" << 0;
        QTest::newRow("waypoint 1, then gone slot 9")
            << 1 << 9 << 0 << "18" << int(EnumHintCode::GoBackTarget2Empty);
    }
    void goBack() {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, emptyField);
        Nav n;
        n.fix(kLon, kLat);
        n.fix(kLon, kLat + 1);     // home
        n.fix(kLon, kLat - 4500);  // 50 m south of home
        StructGoBackRequest r{
            StructGoBackRequest::kHome, 0, emptyField != 0, emptyField == 1, emptyField == 2, 30};
        r.firstSlot = first;
        r.secondSlot = second;
        QSignalSpy started(n.nav.get(), &NavigationState::goBackStarted);
        const bool ok = n.nav->startGoBack(r);
        QCOMPARE(started.size(), ok ? 1 : 0);
        if (ok) {
            n.mode("R");
            n.mode("F");
            QCOMPARE(n.prompter.countDowns, QList<int>{30});
            n.prompter.countDownOver();
            n.mode("R");
            n.mode("F");
        }
        QTEST(n.legs(), "legs");
        QFETCH(int, hint);
        QCOMPARE(n.prompter.hints.value(0, EnumHintCode::None), EnumHintCode(hint));
        if (!hint) QCOMPARE(n.said(), trText(TR_Target2Arrived));
        QCOMPARE(n.nav->listRun().mode(), EnumListMode::Idle);
    }

    // A go-back target within 1000 m of the boat is taken; farther, "416" and refused.
    void goBackTargetInReach() {
        Nav n;
        n.fix(kLon, kLat);
        QVERIFY(n.nav->goBackTargetInReach(n.waypoints.at(0)));  // 100 m
        QVERIFY(n.prompter.hints.isEmpty());
        QVERIFY(!n.nav->goBackTargetInReach(n.waypoints.at(3)));  // 2 km
        QCOMPARE(n.prompter.hints, QList<EnumHintCode>{EnumHintCode::GoBackTargetTooFar});
    }
};

KORVEL_TEST_MAIN(TestNavigationState)
#include "test_navigation_state.moc"
