// The handset, unchanged, over the virtual backend against an in-process virtual boat, in real
// time: the reading thread and the socket carry every frame, the start-up greets the boat with
// its configuration, the sonar box's firmware update runs end to end, and a whole session of
// link supervision plays out as the boat's trace shows it.
#include "base/configuration.h"
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "korvel_test.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "platform/spi_bus_virtual.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/screens/status_icons.h"
#include "update_file.h"
#include "virtual_boat.h"

#include <QGraphicsPixmapItem>

#include <QSignalSpy>
#include <QtTest>

class TestLinkVboat : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestRoot> root;
    std::unique_ptr<vboat::VirtualBoat> boat;
    int fd = -1;  // the handset's end, taken over by its bus

private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }
    void init() {
        Configuration::applyDefaults(Global::configuration);
        root = std::make_unique<TestRoot>();
        boat = std::make_unique<vboat::VirtualBoat>();
        fd = boat->attachSocketPair();
        SpiBus::setFactory([this] { return std::make_unique<SpiBusVirtual>(fd); });
    }
    void cleanup() {
        SpiBus::setFactory(nullptr);
        const vboat::BoatStats s = boat->stats();
        boat.reset();
        root.reset();
        // The handset wrote only inside the handshake and read only a selected module.
        QCOMPARE(s.handshakeViolations, 0);
        QCOMPARE(s.readsWhileDeselected, 0);
    }

    void dataSource_takesEveryFrame() {
        UxData data(SpiBus::create());
        boat->setFrameRate(12);
        boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(data.linkState().flag_getData_sonar_hello), 1, 5000);
        data.takeReceivedFrames();
        const int before = boat->stats().framesQueued;
        QTest::qWait(2000);
        boat->powerOff();  // the frames still on their way are counted too
        const int sent = boat->stats().framesQueued - before;
        QTest::qWait(500);
        const QVector<kvl_w> frames = data.takeReceivedFrames();
        // Nothing the boat sent was lost (one frame of slack at the window's start).
        QVERIFY2(sent >= 20 && qAbs(frames.size() - sent) <= 1,
                 qPrintable(QStringLiteral("%1 taken, %2 sent").arg(frames.size()).arg(sent)));
        QCOMPARE(boat->stats().droppedMessages, 0);
    }

    void startUp_greetsTheBoatWithItsConfiguration() {
        boat->powerOn();
        QTest::qWait(700);  // the boat has booted
        Korvel k;           // hello, then the three packets of "all"
        k.mainTimer()->stop();
        // The configuration file is read after the controller is built, before the event
        // loop runs: the greeting carries what was read.
        StructConfiguration& cfg = Global::configuration;
        cfg.sonarGain = 1;
        cfg.sonarFreq = 1;
        cfg.depthRange = 20;
        cfg.sonarSensitivity = 5;
        cfg.fishSensitivity = 3;
        QTRY_COMPARE_WITH_TIMEOUT(boat->stats().configAccepted, 3, 5000);
        QCOMPARE(boat->stats().configRejected, 0);
        QCOMPARE(boat->stats().lastConfig, QByteArray(",Sens=5,Fsen=3"));
        QCOMPARE(k.dialogs().feedBack()->type(), QStringLiteral("sonar_cfg"));
        const vboat::SonarSettings s = boat->sonarSettings();
        QCOMPARE(QList<int>({s.gain, s.frequency, s.rangeM}), QList<int>({1, 0, 20}));
        QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_ack), 1, 5000);
        // "repeat" after "all" sends its second message again.
        k.link_sonar_send_cfg("repeat");
        QTRY_COMPARE_WITH_TIMEOUT(boat->stats().configAccepted, 4, 5000);
        QCOMPARE(boat->stats().lastConfig, QByteArray(",Sens=5,Fsen=3"));
        cfg.fishSensitivity = 8;
        k.link_sonar_send_cfg("fsens");
        QTRY_COMPARE_WITH_TIMEOUT(boat->sonarSettings().fishSensitivity, 8, 5000);
        QCOMPARE(boat->stats().lastConfig, QByteArray(",FSen=8"));
    }

    void controller_updatesTheSonarBox_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("code");  // the step shown at the end, empty on success
        QTest::addColumn<int>("syncMs");
        QTest::newRow("success") << int(vboat::LoaderFault::None) << "" << 60;
        QTest::newRow("loader reports failure")
            << int(vboat::LoaderFault::ReportFailure) << "205" << 60;
        QTest::newRow("no answer") << int(vboat::LoaderFault::NoAnswer) << "202" << 20;
    }
    void controller_updatesTheSonarBox() {
        QFETCH(int, fault);
        QFETCH(QString, code);
        QFETCH(int, syncMs);
        const bool ok = code.isEmpty();
        boat->setLoaderFault(vboat::LoaderFault(fault));
        boat->setLoaderReRequestEvery(2);
        Korvel k;
        k.data()->thread()->device().setPacing({5, 1, 5});
        k.link_setUpdateTiming(syncMs, 2);
        boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_hello), 1, 5000);
        QByteArray image(300, '\0');  // three blocks, the last of 44 bytes
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 31 + 7);
        QSignalSpy finished(&k, &Korvel::signal_updateFinished);
        QVERIFY(k.link_update_sonar(image));
        QVERIFY(!k.link_update_sonar(image));  // one at a time
        QVERIFY(!k.mainTimer()->isActive());   // nothing else talks to the box meanwhile
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.at(0).at(0).toBool(), ok);
        QVERIFY(k.mainTimer()->isActive());
        QVERIFY(!k.updateFlags().inProgress);
        QCOMPARE(k.updateFlags().done, ok);
        QCOMPARE(k.updateFlags().aborted, code == "202");
        UxDialogProgress* dialog = k.dialogs().progress();
        QCOMPARE(dialog->isVisible(), !ok);
        if (!ok) {
            QCOMPARE(dialog->codeText(), code);
            QVERIFY(dialog->buttonShown());
            return;
        }
        const vboat::LoaderStats s = boat->stats().loader;
        QCOMPARE(s.result, '4');
        QCOMPARE(s.image, image);  // byte for byte
        QVERIFY(s.reRequests >= 1);
        // The box boots its application again and says hello.
        k.data()->linkState().flag_getData_sonar_hello = 0;
        QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_hello), 1, 5000);
    }

    // The controller in real time past its start-up check, the boat traced, not yet on.
    std::unique_ptr<Korvel> session() {
        boat->setTraceFile(root->dir() + "/trace.txt");
        auto k = std::make_unique<Korvel>();
        k->mainTimer()->stop();
        passStartCheck(*k);
        k->mainTimer()->start();
        return k;
    }
    // The trace's lines from the first that contains `first`, then `second` after it.
    bool traced(const QString& first, const QString& second) {
        const QString t = QString::fromLatin1(root->readFile("/trace.txt"));
        const int at = t.indexOf(first);
        return at >= 0 && t.indexOf(second, at) > at;
    }

    // The autopilot's power-up sentence is answered with its settings, which it acknowledges;
    // a setting changed later reaches it at the next once-a-second check.
    void session_autopilotGetsItsSettings() {
        auto k = session();
        boat->powerOn();
        QTRY_VERIFY_WITH_TIMEOUT(traced("says autopilot 0xC2 $HMPWR", "boat 0xC2 $HMPRA,"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(boat->stats().autopilot.acksSent >= 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(int(k->data()->linkState().count_noData_ap), 0, 5000);
        Global::configuration.apCh1Speed = 55;
        QTRY_VERIFY_WITH_TIMEOUT(
            boat->stats().autopilot.lastParameters.startsWith("$HMPRA,O,R,55,N,100,,,,,5,3,*"),
            1200);
    }

    // Four bars while all frames come, fewer as the rate drops, none once the boat is silent.
    void session_signalIconFollowsTheFrameRate() {
        auto k = session();
        const auto icon = [&] {
            return k->statusIcons().icon(ScreenLayout::IconSignal)->pixmap().toImage();
        };
        boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(icon(), QPixmap(":/ico/signal4").toImage(), 12000);
        boat->setFrameRate(3.4);
        QTRY_COMPARE_WITH_TIMEOUT(icon(), QPixmap(":/ico/signal2").toImage(), 12000);
        boat->powerOff();
        QTRY_COMPARE_WITH_TIMEOUT(icon(), QPixmap(":/ico/signal0").toImage(), 13000);
    }

    // Binding as the handset asks it: boat off, the bind sent, then the boat switched on pairs
    // the radios; a boat left off keeps the dialog waiting until escape.
    void session_bind_data() {
        QTest::addColumn<bool>("boatOn");
        QTest::newRow("paired") << true;
        QTest::newRow("cancelled") << false;
    }
    void session_bind() {
        QFETCH(bool, boatOn);
        auto k = session();
        k->link_rBox_bind();
        UxDialogProgress* dialog = k->dialogs().progress();
        QTRY_VERIFY_WITH_TIMEOUT(boat->stats().bindRequests >= 1, 5000);
        if (boatOn) boat->powerOn();
        if (!boatOn) {
            QTest::qWait(1500);
            QCOMPARE(dialog->codeText(), QString("303"));
            k->dialog_progress_click("bind", "esc");
        }
        QTRY_VERIFY_WITH_TIMEOUT(k->mainTimer()->isActive(), 5000);
        QCOMPARE(dialog->text(), TrResource::getTrString(boatOn ? TR_BindOk : TR_RebindCancelled));
    }

    // An update file with newer versions flashes both modules; asked again, the boat reports
    // the new versions and the same file is refused as already installed.
    void session_updateFileFlashesBothModules() {
        auto k = session();
        k->data()->thread()->device().setPacing({5, 1, 5});
        k->link_setUpdateTiming(60, 2);
        boat->powerOn();
        QTest::qWait(1500);
        const LinkState& s = k->data()->linkState();
        k->data()->sendCmd_askInfo();
        QTRY_COMPARE_WITH_TIMEOUT(int(s.currentInfo_sys.helmo), 100, 5000);
        QCOMPARE(int(s.currentInfo_sys.app), 105);
        const QString file = "/mnt/sd/Korvel/Update/both.rdup";
        QVERIFY(root->writeFile(file, vboat::makeUpdateFile(106, 101)));
        k->dialog_file_nameGet("rdup", file);
        QTRY_VERIFY_WITH_TIMEOUT(
            boat->control("status").contains("sonar-version=106 ap-version=1.01"), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(k->mainTimer()->isActive() && !k->updateFlags().inProgress, 30000);
        QCOMPARE(boat->stats().apLoader.result, '4');
        QCOMPARE(boat->stats().loader.result, '4');
        QTest::qWait(1000);
        k->data()->sendCmd_askInfo();  // as the menu's "Update R-Boxes" does first
        QTRY_COMPARE_WITH_TIMEOUT(int(s.currentInfo_sys.helmo), 101, 5000);
        QCOMPARE(int(s.currentInfo_sys.app), 106);
        k->dialog_file_nameGet("rdup", file);
        QTRY_VERIFY_WITH_TIMEOUT(k->dialogs().hint()->isVisible(), 5000);
        QCOMPARE(k->dialogs().hint()->text(), TrResource::getTrString(TR_SameVersion));
    }
};

KORVEL_TEST_MAIN(TestLinkVboat)
#include "test_link_vboat.moc"
