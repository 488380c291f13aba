// The menu tree as the controller runs it on a fake radio module, driven by real key events:
// the pages and their ring, what each kind of row opens, the follow-ups on the wire, the
// refusals, the configuration file written once on leaving, and the compass calibrations.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "data/depth_map_file.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "start_check.h"
#include "state/depth_map_state.h"
#include "state/navigation_state.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_cali.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/history_bar.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/ux_main_menu.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_image.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_item_multi.h"
#include "ui/screens/ux_sub_menu_item_single.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_route_color.h"
#include "ui/screens/ux_sub_menu_value.h"
#include "ui/screens/ux_sub_menu_waypoint.h"
#include "ui/screens/ux_waypoint_detail.h"

#include <QtTest>

namespace {

const QString kConfig = "/opt/configuration.kcg";
// From the basic page: the advanced mode on, then the page list again.
const QString kAdvanced = "M d7 e d e x ";

struct Handset {
    std::shared_ptr<FakeSpiBus::State> bus = std::make_shared<FakeSpiBus::State>();
    TestRoot root;
    std::unique_ptr<Korvel> k;

    explicit Handset(const QString& model = "5") {
        auto state = bus;
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        root.writeFile("/opt/model.kvc", "[Info]\nMODEL=" + model.toLatin1() + "\n");
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.systemLanguage = 0;
        k = std::make_unique<Korvel>();
        k->mainTimer()->stop();
        QCoreApplication::processEvents();  // the start-up greeting
        k->data()->thread()->device().setPacing({0, 0, 0});
        passStartCheck(*k);
    }
    ~Handset() { SpiBus::setFactory(nullptr); }

    // What is on top, and the widget that takes the keys.
    QWidget* topWidget(QString* what = nullptr) {
        DialogHost& d = k->dialogs();
        MenuHost& m = k->menus();
        UxSubMenuWaypoint* w = k->waypointMenu();
        const QList<QPair<QWidget*, QString>> order = {
            {w->detail(), "waypoint editor " + QString::number(w->currentSlot())},
            {w, "waypoint list " + QString::number(w->currentSlot())},
            {k->routeMenu(), "course list " + QString::number(k->routeMenu()->currentSlot())},
            {k->goBackMenu(), "go-back " + QString::number(k->goBackMenu()->focus())},
            {k->multiTargetMenu(),
             "multi-target " + QString::number(k->multiTargetMenu()->focus())},
            {d.hint(), "hint " + d.hint()->codeText() + ' ' + d.hint()->text()},
            {d.file(), "file"},
            {d.question(), "question " + d.question()->titleText()},
            {d.cali(), "cali " + d.cali()->titleText()},
            {m.value(), "slider " + m.value()->getTitle() + ' ' + m.value()->shownText()},
            {m.single(),
             "single " + m.single()->getTitle() + ' ' + QString::number(m.single()->checkedRow())},
            {m.multi(), "multi " + m.multi()->getTitle()},
            {m.image(), "image " + m.image()->getTitle()},
            {m.item(), "commands " + m.item()->getTitle()},
            {m.routeColor(), "route colour"},
            {k->historyBar(), QString("history %1 %2")
                                  .arg(k->historyBar()->view().replay ? "replay" : "live")
                                  .arg(k->historyBar()->view().cursorColumn)},
            {m.main(),
             m.main()->titleBar()->getTitle() + ' ' + QString::number(m.main()->currentRow())}};
        for (const auto& w : order) {
            if (!w.first->isVisible()) continue;
            if (what) *what = w.second;
            return w.first;
        }
        if (what) *what = "closed";
        return k->view();
    }
    QString top() {
        QString what;
        topWidget(&what);
        return what;
    }
    // Keys, each to what is on top: u d l r e(nter) x(escape) c(hange) m(enu), with a count
    // ("d7"); M and E are menu and enter on the main screen; t is a main tick.
    void run(const QString& script) {
        static const QHash<QChar, int> keys{
            {'u', Qt::Key_Up},     {'d', Qt::Key_Down},   {'l', Qt::Key_Left}, {'r', Qt::Key_Right},
            {'e', Qt::Key_Return}, {'x', Qt::Key_Escape}, {'c', Qt::Key_C},    {'m', Qt::Key_M},
            {'M', Qt::Key_M},      {'E', Qt::Key_Return}};
        for (const QString& token : script.split(' ', Qt::SkipEmptyParts)) {
            const int n = token.size() > 1 ? token.mid(1).toInt() : 1;
            if (token[0] == 't') {  // main ticks
                ticks(n);
                continue;
            }
            for (int i = 0; i < n; ++i) {
                QWidget* target = token[0].isUpper() ? k->view() : topWidget();
                QTest::keyClick(target, Qt::Key(keys.value(token[0])));
            }
        }
    }
    // Packets to the boat whose payload starts with `start`.
    int sent(const QByteArray& start) {
        (void)QTest::qWaitFor(
            [this] { return k->data()->thread()->device().queuedCommands() == 0; });
        QTest::qWait(10);
        const QByteArray w = bus->writtenBytes();
        int n = 0;
        for (int at = w.indexOf("#sbus"); at >= 0; at = w.indexOf("#sbus", at + 1))
            n += w.mid(at + 12, start.size()) == start;
        return n;
    }
    QByteArray written() {
        sent("");
        return bus->writtenBytes();
    }
    LinkState& state() { return k->data()->linkState(); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            k->slot_timeout_main();
    }
    void apMode(const QString& mode) {
        ApInfo_t ap;
        ap.field[2] = mode;
        state().setCurrentInfoAp(ap);
    }
};

// A compass that counts what the tick asks of it and calibrates until told to stop.
struct FakeCompass : HandsetCompass {
    int reads = 0, detects = 0, calibrations = 0;
    bool busy = false;
    void detect() override { ++detects; }
    bool fitted() const override { return true; }
    void reopen() override {}
    void redetect() override { ++detects; }
    int read() override { return ++reads, kNoReading; }
    void startCalibration() override { busy = true, ++calibrations; }
    bool calibrating() const override { return busy; }
};

}  // namespace

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void rows_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shows");
        const auto row = [](const char* name, const char* model, const QString& script,
                            const char* shows) { QTest::newRow(name) << model << script << shows; };
        row("no advanced mode: basic, system", "5", "M c", "SYSTEM 0");
        row("advanced mode on: sonar next", "5", kAdvanced + "c", "SONAR 0");
        row("the whole ring", "5", kAdvanced + "c5", "BASIC 0");
        row("quick page: change does nothing", "5", "E c", "QUICK OPERATION 0");
        row("model 4: colour on row 2", "4", kAdvanced + "c d2 e", "file");
        row("model 5: beam on row 2", "5", kAdvanced + "c d2 e", "single Sonar Beam 0");
        row("model 5: colour on row 3", "5", kAdvanced + "c d3 e", "file");
        row("model d: row 11 is Next", "d", kAdvanced + "c d11 e", "GPS SETTINGS 0");
        row("model d: row 12 is Exit", "d", kAdvanced + "c d12 e", "closed");
        row("model d: chart speed", "d", kAdvanced + "c d10 e r", "slider Chart Speed -NT 2x");
        row("colour adjust 0 is AUTO", "5", "M d4 e", "slider Color Adjust AUTO");
        row("colour adjust 1 shows 0", "5", "M d4 e r", "slider Color Adjust 0");
        row("battery alarm lowest is OFF", "5", "M c d5 e l21", "slider Battery Alarm OFF V");
        row("battery alarm next is 8", "5", "M c d5 e l21 r", "slider Battery Alarm 8 V");
        row("an editor closes back to its row", "5", "M d5 e x", "BASIC 5");
        row("route colour", "5", "M d6 e", "route colour");
        row("overlap data", "5", kAdvanced + "c d4 e", "multi Overlap Data");
        row("default settings", "5", "M c d7 e", "question Default Settings");
        row("quick marker: the first empty slot", "5", "E e", "waypoint editor 0");
        row("quick: the waypoint list", "5", "E d e", "waypoint list 0");
        row("quick: the course list", "5", "E d2 e d", "course list 1");
        row("quick: go-back", "5", "E d3 e", "go-back 0");
        row("quick: multi-target", "5", "E d12 e", "multi-target 10");
        row("home in the simulator", "5", "M c e d e x x E d4 e", "hint 413 In simulator mode");
        row("home without satellites", "5", "E d4 e", "hint 414 No Enough Satellites");
        row("wiring test in the simulator", "5", kAdvanced + "c4 e d e x c4 e",
            "hint 412 In simulator mode");
        row("wiring test", "5", kAdvanced + "c3 e", "commands Wiring Test");
        row("wiring test, autopilot silent", "5", kAdvanced + "c3 e e",
            "hint 415 Autopilot module Offline");
        row("no handset compass", "5", kAdvanced + "c2 d7 e", "hint 417 Compass data read fail.");
        row("boat compass, sonar silent", "5", kAdvanced + "c2 d8 e",
            "hint 411 Remote-Boxes not connected.");
        row("data logger on the quick page", "5", "E d10 e", "single Data-logger 0");
        row("model 4 has no data logger: the depth map follows", "4", "E u2 e",
            "commands Depth Map");
        row("sonar history: the live bar, cursor on the newest", "5", "t3 E d14 e",
            "history live 245");
        row("sonar history: the cursor goes back", "5", "t10 E d14 e l4", "history live 241");
        // The start check's tick and three more: four frames kept, three columns back at most.
        row("sonar history: no further back than kept", "5", "t3 E d14 e l9", "history live 242");
        row("sonar history: a column without a fix", "5", "t3 E d14 e l e",
            "hint 706 No GPS position at this column.");
        row("sonar history: escape is live again", "5", "t3 E d14 e l x", "closed");
        row("depth map on the quick page", "5", "E d13 e", "commands Depth Map");
        row("depth map: nothing to export", "5", "E d13 e d3 e",
            "hint 701 The depth map holds no soundings yet.");
        row("depth map: clearing asks", "5", "E d13 e d5 e", "question Clear Depth Map");
        row("a language shows on the next page", "5", "M c d3 e d2 e x c", "BASE 0");
    }
    void rows() {
        QFETCH(QString, model);
        QFETCH(QString, script);
        QFETCH(QString, shows);
        Handset h(model);
        h.run(script);
        QCOMPARE(h.top(), shows);
    }

    // The depth map kept from an earlier day shows under the track; its list turns the
    // shading and then the isobaths off, the list showing each choice, the map following it,
    // and the choice kept for the next start.
    void depthMapChoices() {
        DepthGrid grid;
        const GeoPoint origin(Latitude(225520000), Longitude(1139408000));
        grid.setOrigin(origin);
        for (int r = 0; r < 20; ++r)
            for (int c = 0; c < 20; ++c)
                grid.restore({c, r}, StructDepthCell{uint16_t(200 + 20 * r), 2, 5});
        Handset h;
        h.root.writeFile(DepthMapFile::kPath, DepthMapFile::encode(grid));
        h.k->depthMap().load();
        Convert::setStartPoint(origin.lon(), origin.lat());
        h.k->navi()->boat_resetToCenter();
        const auto painted = [&h] {
            const QImage& layer = static_cast<ItemTrack*>(h.k->navi()->depthMapLayer())->layer();
            int n = 0;
            for (int y = 0; y < layer.height(); ++y)
                for (int x = 0; x < layer.width(); ++x)
                    n += qAlpha(layer.pixel(x, y)) != 0;
            return n;
        };
        const int shaded = painted();
        QVERIFY2(shaded > 2000, qPrintable(QString::number(shaded)));
        QVERIFY(h.k->navi()->depthMap_lineCount() > 0);
        QVERIFY2(h.k->navi()->depthMap_labels().contains("3"),
                 qPrintable(h.k->navi()->depthMap_labels().join(' ')));
        h.run("E d13 e e");
        QCOMPARE(h.k->menus().item()->rowText(0).trimmed(), QString("Shading: OFF"));
        const int lines = painted();
        QVERIFY2(lines > 0 && lines < shaded / 4, qPrintable(QString::number(lines)));
        h.run("d e");
        QCOMPARE(painted(), 0);
        h.run("d e");
        QCOMPARE(h.k->menus().item()->rowText(2).trimmed(), QString("Contour Interval: 2.0m"));
        QCOMPARE(h.k->menus().item()->currentRow(), 2);
        // No card: said, and the map stays whole.
        KorvelTest::ExpectedMessage noCard("^export: no SD card");
        h.run("d e");
        QCOMPARE(h.top(), QString("hint 104 Failed to save file"));
        QCOMPARE(h.k->depthMap().grid().filledCells(), 400);
        DepthMapState next(h.k->prompter());
        next.load();
        QCOMPARE(next.view().shading, false);
        QCOMPARE(next.view().contours, false);
        QCOMPARE(next.intervalMetres(), 2.0f);
        Convert::navi_startPoint = QPoint();
    }

    // Every row has its action; one past them says so with its code, in a box any key closes.
    void rowWithoutAction_anyKeyClosesItsBox() {
        Handset h;
        h.run("E");
        h.k->slot_menu_clickMain(20);
        QCOMPARE(h.top(), QString("hint  Code: Main-Q-0020"));
        h.run("l");
        QCOMPARE(h.top(), QString("closed"));
    }

    // Leaving the main menu writes the settings, once; moving about in it writes nothing.
    void leaving_savesOnce() {
        Handset h;
        h.run("M d e r e c d5 e r e");  // surface clarify 1, battery alarm 10.1
        QVERIFY(!QFile::exists(h.root.path(kConfig)));
        h.run("d11 e");  // "Exit"
        QCOMPARE(h.top(), QString("closed"));
        QSettings file(h.root.path(kConfig), QSettings::IniFormat);
        QCOMPARE(file.value("Basic/surfaceClarify").toFloat(), 1.0f);
        QCOMPARE(file.value("Basic/batteryAlarmLevel").toFloat(), 10.1f);
        QFile::remove(h.root.path(kConfig));
        h.ticks(20);
        QVERIFY(!QFile::exists(h.root.path(kConfig)));
        h.run("M x");
        QVERIFY(QFile::exists(h.root.path(kConfig)));
    }

    // The range and the sensitivities reach the sonar box when confirmed, with its feedback
    // wait; escape puts the value back and sends nothing.
    void slider_sendsWhenConfirmed_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        QTest::addColumn<float>("range");
        QTest::newRow("range confirmed") << kAdvanced + "c e r e"
                                         << ",LRng=5*" << 5.0f;
        QTest::newRow("range escaped") << kAdvanced + "c e r x"
                                       << "" << 0.0f;
        QTest::newRow("sensitivity") << "M e r2 e"
                                     << ",Sens=2*" << 0.0f;
        QTest::newRow("fish sensitivity") << "M d2 e r e"
                                          << ",FSen=7*" << 0.0f;
        QTest::newRow("colour adjust: nothing to send") << "M d4 e r e"
                                                        << "" << 0.0f;
    }
    void slider_sendsWhenConfirmed() {
        QFETCH(QString, script);
        QFETCH(QString, message);
        QFETCH(float, range);
        Handset h;
        h.ticks(130);  // the start-up's own wait is over
        const int before = h.sent("\xB1\x4E");
        h.run(script);
        QCOMPARE(h.sent("\xB1\x4E") - before, message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || h.written().contains(message.toLatin1()));
        QCOMPARE(h.k->dialogs().feedBack()->type() == "sonar_cfg" &&
                     h.k->dialogs().feedBack()->wait().active(),
                 !message.isEmpty());
        QCOMPARE(Global::configuration.depthRange, range);
    }

    // "Clear Map" keeps the target of a running task.
    void clearMap_keepsARunningTarget() {
        for (const bool running : {true, false}) {
            Handset h;
            UxNavi* map = h.k->navi();
            for (int i = 0; i < 3; ++i)
                map->track_appendPoint(QPoint(10 * i, 0), 2.0f);
            h.k->navigation().showTargetAt(QPoint(100, 100), 0);
            h.apMode(running ? "R" : "S");
            h.run("E d7 e");
            QCOMPARE(map->track_segmentCount(), 0);
            QCOMPARE(map->target_haveSet(), running);
        }
    }

    // The test turns the motors on the autopilot's word; closing its list stops them.
    void wiringTest_sendsAndStops() {
        Handset h;
        h.state().count_noData_ap = 0;
        h.run(kAdvanced + "c3 e d e");
        QVERIFY(h.written().contains("$HMHCK,LEFT,"));
        QCOMPARE(h.k->dialogs().feedBack()->type(), QString("ap_left"));
        h.apMode("T");
        h.run("x");
        QVERIFY(h.written().contains("$HMCTL,STOP,"));
        QCOMPARE(h.top(), QString("AUTOPILOT 0"));
    }

    // The boat calibrates on 0xA4; its result ends the dialog or says why it failed.
    void boatCompass_followsTheResult_data() {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("shows");
        QTest::newRow("success") << 130 << 1 << "cali Calibrate Compass of Boat 120";
        QTest::newRow("failure") << 130 << 2 << "hint 601 Fail";
        QTest::newRow("not stored") << 130 << 3 << "hint 602 Flash Error";
        QTest::newRow("older box: no result, runs on")
            << 105 << 1 << "cali Calibrate Compass of Boat 3";
    }
    void boatCompass_followsTheResult() {
        QFETCH(int, firmware);
        QFETCH(int, report);
        QFETCH(QString, shows);
        Handset h;
        h.state().count_noData_sonar = 0;
        h.state().currentInfo_sys.app = quint16(firmware);
        const int before = h.sent("\xA4\x5B");
        h.run(kAdvanced + "c2 d8 e");
        QCOMPARE(h.sent("\xA4\x5B"), before + 1);
        QCOMPARE(h.k->dialogs().feedBack()->type(), QString("sonar_cali"));
        h.state().current_compassCali = report;
        QTest::qWait(800);
        QString top = h.top();
        if (top.startsWith("cali")) top += ' ' + QString::number(h.k->dialogs().cali()->value());
        QCOMPARE(top, shows);
        h.run("x");  // success: closes; still running: no longer followed
        QVERIFY(!h.k->dialogs().cali()->isVisible());
        QVERIFY(!h.k->menu_boatCaliRunning());
    }

    // While the handset compass calibrates, the tick neither reads it nor detects it again.
    void handsetCompass_leftAloneWhileCalibrating() {
        Handset h;
        auto compass = std::make_unique<FakeCompass>();
        FakeCompass& c = *compass;
        h.k->navi_setHandsetCompass(std::move(compass));
        QCOMPARE(c.detects, 1);
        h.ticks(8);
        QVERIFY(c.reads > 0 && c.detects > 1);  // no reading: detected again
        h.run(kAdvanced + "c2 d7 e");
        QCOMPARE(c.calibrations, 1);
        const int reads = c.reads, detects = c.detects;
        h.ticks(8);
        QCOMPARE(c.reads, reads);
        QCOMPARE(c.detects, detects);
        c.busy = false;
        h.ticks(8);
        QVERIFY(c.reads > reads);
    }
};

KORVEL_TEST_MAIN(TestMenu)
#include "test_menu.moc"
