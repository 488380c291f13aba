// Navigation as the controller runs it on a fake radio module: what the autopilot is sent, the
// questions and their answers, the home position and its file, the mode follow-up.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "navi/navi_file.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/map/ux_navi.h"

#include <QtTest>

namespace {

const int kLon = 114000000;  // 11.4 E
const int kLat = 480000000;  // 48.0 N

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// The handset past its start-up check, the boat's position and autopilot set by the test.
struct Handset {
    std::shared_ptr<FakeSpiBus::State> bus = std::make_shared<FakeSpiBus::State>();
    TestRoot root;
    std::unique_ptr<Korvel> k;

    explicit Handset(bool saveHomeFirst = false) {
        auto state = bus;
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.arriveAlarmLevel = 5;
        if (saveHomeFirst) NaviFile::writeHome({kLon + 300, kLat + 200});  // about 3 m away
        k = std::make_unique<Korvel>();
        k->mainTimer()->stop();
        QCoreApplication::processEvents();  // the start-up greeting
        k->data()->thread()->device().setPacing({0, 0, 0});
        passStartCheck(*k);
        autopilot("M");
    }
    ~Handset() { SpiBus::setFactory(nullptr); }

    void autopilot(const char* mode, int silentSeconds = 0) {
        ApInfo_t info;
        info.field[2] = QLatin1String(mode);
        info.field[3] = QStringLiteral("A");
        k->data()->linkState().setCurrentInfoAp(info);
        k->data()->linkState().count_noData_ap = silentSeconds;
        k->navi_checkState();
    }
    // A fix at (lon, lat) taken by the map.
    void fix(int lon, int lat, int satellites = 9) {
        StructBoatValues& v = k->values();
        v.boat_lon = lon;
        v.boat_lat = lat;
        v.gps_satellites = satellites;
        v.current_depth = 3.5f;
        k->navi_getCurrent();
    }
    // The sentences sent to the autopilot so far.
    QStringList sentences() {
        (void)QTest::qWaitFor(
            [this] { return k->data()->thread()->device().queuedCommands() == 0; });
        QTest::qWait(10);
        QStringList out;
        const QByteArray w = bus->writtenBytes();
        for (int at = w.indexOf("$HM"); at >= 0; at = w.indexOf("$HM", at + 1))
            out << QString::fromLatin1(w.mid(at, w.indexOf('*', at) - at));
        return out;
    }
    QString hint() const {
        UxDialogHint* h = k->dialogs().hint();
        return h->isVisible() ? h->text() : QString();
    }
};

}  // namespace

class TestNavi : public QObject {
    Q_OBJECT
private slots:
    void init() { Convert::navi_startPoint = QPoint(); }  // each test starts a new map

    // A go-to sends RUN with the point; refusals send nothing and say why.
    void goTo_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("satellites");
        QTest::addColumn<bool>("fixed");  // the map has the boat
        QTest::addColumn<int>("north");   // the target, ddS32 units north of the boat
        QTest::addColumn<QString>("shows");
        QTest::newRow("100 m: runs") << "M" << 9 << true << 9000 << "RUN";
        QTest::newRow("2 m: arrived at once")
            << "M" << 9 << true << 180 << trText(TR_TargetArrived);
        QTest::newRow("a task runs") << "R" << 9 << true << 9000 << trText(TR_StopAutopilotFirst);
        QTest::newRow("no track point yet")
            << "M" << 3 << false << 9000 << trText(TR_NotEnoughSatellites);
        QTest::newRow("about 1.1 km") << "M" << 9 << true << 100000 << trText(TR_TargetTooFar);
    }
    void goTo() {
        QFETCH(QString, mode);
        QFETCH(int, satellites);
        QFETCH(bool, fixed);
        QFETCH(int, north);
        QFETCH(QString, shows);
        Handset h;
        if (fixed) h.fix(kLon, kLat);
        h.k->values().gps_satellites = satellites;
        h.autopilot(qPrintable(mode));
        h.k->navi_goToPoint(EnumTargetType::TargetPoint, kLon, kLat + north, 0);
        const QStringList sent = h.sentences();
        if (shows == "RUN") {
            QCOMPARE(sent.filter("$HMCTL,RUN,").size(), 1);
            QVERIFY(sent.last().startsWith("$HMCTL,RUN,11.4000000,48.0009000"));
            QCOMPARE(h.k->dialogs().feedBack()->type(), QString("ap_goTarget"));
        } else {
            QCOMPARE(sent.filter("$HMCTL").size(), 0);
            QVERIFY2(h.hint().contains(shows), qPrintable(h.hint()));
        }
    }

    // Only a fix with both coordinates and more than 3 satellites reaches the track.
    void fix_takenOnlyWhenUsable_data() {
        QTest::addColumn<int>("lon");
        QTest::addColumn<int>("lat");
        QTest::addColumn<int>("satellites");
        QTest::addColumn<bool>("taken");
        QTest::newRow("4 satellites") << kLon << kLat << 4 << true;
        QTest::newRow("3 satellites") << kLon << kLat << 3 << false;
        QTest::newRow("longitude 0") << 0 << kLat << 9 << false;
        QTest::newRow("latitude 0") << kLon << 0 << 9 << false;
    }
    void fix_takenOnlyWhenUsable() {
        QFETCH(int, lon);
        QFETCH(int, lat);
        QFETCH(int, satellites);
        QFETCH(bool, taken);
        Handset h;
        h.fix(lon, lat, satellites);
        QCOMPARE(!h.k->navi()->track_isEmpty(), taken);
    }

    // A mode change while a transfer's dialog is up is acted on once it has gone.
    void modeChange_waitsForTheProgressDialog() {
        KorvelTest::ExpectedMessage modes("autopilot mode");
        Handset h;
        h.autopilot("R");
        h.k->dialogs().progress()->show();
        h.autopilot("M");
        QCOMPARE(h.hint(), QString());
        h.k->dialogs().progress()->hide();
        h.k->navi_checkState();
        QCOMPARE(h.hint(), trText(TR_EnterManualMode));
    }

    // Home is sent as it was set, whatever was converted since (another area's course or
    // outline moves the latitude the conversions remember).
    void goHome_sendsHomeAsSet() {
        Handset h;
        h.fix(kLon, kLat);
        h.fix(kLon + 1, kLat + 1);  // the second fix sets home
        QCOMPARE(h.k->homePosition().lon, kLon + 1);
        QCOMPARE(NaviFile::readHome().lat, kLat + 1);
        (void)Convert::navi_ddS32_to_relativeCoor(10000000, -700000000);  // far away
        h.fix(kLon + 3000, kLat + 4000);
        h.k->navi_goHome();
        QVERIFY(h.sentences().last().startsWith("$HMCTL,RUN,11.4000001,48.0000001"));
        QCOMPARE(h.k->dialogs().feedBack()->type(), QString("ap_goHome"));
    }

    // A saved home near the first fix is offered; closed without an answer it comes back at a
    // fix 10 s later, not sooner; "YES" takes it from the file and ends the asking.
    void homeQuestion_askedAgainAfterEscape() {
        KorvelTest::ExpectedMessage asking("saved home");
        Handset h(true);
        qint64 now = 0;
        h.k->homeQuestionGate().setClock([&now] { return now; });
        h.fix(kLon, kLat);
        h.fix(kLon + 20, kLat + 20);
        UxDialogQuestion* q = h.k->dialogs().question();
        QVERIFY(q->isVisible());
        QCOMPARE(q->text(), trText(TR_UseLastHome));
        QTest::keyClick(q, Qt::Key_Escape);  // closed unanswered
        QVERIFY(!q->isVisible());
        int fix = 40;
        for (const qint64 at : {0, 1000, 9999}) {
            now = at;
            h.fix(kLon + fix, kLat + fix);
            fix += 20;
            QVERIFY2(!q->isVisible(), qPrintable(QString::number(at)));
        }
        now = 10000;
        h.fix(kLon + fix, kLat + fix);
        QVERIFY(q->isVisible());
        QCOMPARE(q->type(), QString("homePoint"));
        QTest::keyClick(q, Qt::Key_Return);  // "YES" has the focus
        QCOMPARE(h.k->homePosition().lon, kLon + 300);
        now = 60000;
        h.fix(kLon + fix + 20, kLat + fix + 20);
        QVERIFY(!q->isVisible());
    }

    // The waypoint question: only "Go" sends the boat. It must be answered: escape leaves it
    // up, and "NO" closes it without sending anything.
    void waypointQuestion_onlyGoSends_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("runs");
        QTest::newRow("Go (the right button, focused first)") << int(Qt::Key_Return) << 1;
        QTest::newRow("NO") << int(Qt::Key_Left) << 0;
        QTest::newRow("escape, then NO") << int(Qt::Key_Escape) << 0;
    }
    void waypointQuestion_onlyGoSends() {
        QFETCH(int, key);
        QFETCH(int, runs);
        Handset h;
        h.fix(kLon, kLat);
        h.k->navi_askGoToWaypoint(kLon, kLat + 9000, 2);
        UxDialogQuestion* q = h.k->dialogs().question();
        QTest::keyClick(q, Qt::Key(key));
        if (key == Qt::Key_Escape) {
            QVERIFY(q->isVisible());
            QTest::keyClick(q, Qt::Key_Left);
        }
        if (key != Qt::Key_Return) QTest::keyClick(q, Qt::Key_Return);
        QVERIFY(!q->isVisible());
        QCOMPARE(h.sentences().filter("$HMCTL,RUN").size(), runs);
    }

    // The autopilot's mode, acted on at its change: arrival, manual control, errors.
    void modeFollowUp() {
        KorvelTest::ExpectedMessage modes("autopilot mode");
        Handset h;
        h.fix(kLon, kLat);
        h.k->navi_goToPoint(EnumTargetType::TargetPoint, kLon, kLat + 9000, 0);
        h.autopilot("R");
        emit h.k->dialogs().feedBack()->signal_success("ap_goTarget");
        QVERIFY(h.k->navi()->target_haveSet());
        h.autopilot("F");
        QVERIFY(!h.k->navi()->target_haveSet());
        QCOMPARE(h.hint(), trText(TR_TargetArrived));
        h.k->dialogs().hint()->hide();
        h.autopilot("S");
        h.autopilot("M");
        QCOMPARE(h.hint(), QString());  // from S: no message
        h.autopilot("R");
        h.autopilot("M");
        QCOMPARE(h.hint(), trText(TR_EnterManualMode));
        h.k->dialogs().hint()->hide();
        h.autopilot("E", 10);  // offline: not acted on yet
        QCOMPARE(h.hint(), QString());
        h.autopilot("E", 0);
        QCOMPARE(h.hint(), QString("Autopilot Error!"));
    }

    // A list run that ran out of points has ended, whatever the list held.
    void multiTargetArrival_withNoPointsLeft() {
        Handset h;
        h.fix(kLon, kLat);
        h.k->navi_goToPoint(EnumTargetType::TargetMultiTarget, kLon, kLat + 9000, 0);
        h.k->navi_afterAp();
        QCOMPARE(h.hint(), trText(TR_AutopilotTaskCompleted));
    }

    // A long press of the autopilot key stops a running task, otherwise sends the boat home.
    void apKeyLongPress() {
        Handset h;
        h.fix(kLon, kLat);
        h.fix(kLon + 100, kLat + 100);  // home
        h.fix(kLon + 5000, kLat + 5000);
        h.autopilot("R");
        h.k->slot_key_press("ap");
        QCOMPARE(h.sentences().last(), QString("$HMCTL,STOP,,,"));
        QCOMPARE(h.k->dialogs().feedBack()->type(), QString("ap_stop"));
        h.autopilot("S");
        h.k->dialogs().feedBack()->hide();
        h.k->slot_key_press("ap");
        QVERIFY(h.sentences().last().startsWith("$HMCTL,RUN,11.4000100,48.0000100"));
    }
};

KORVEL_TEST_MAIN(TestNavi)
#include "test_navi.moc"
