// Link supervision as the controller runs it, seen on the wire of a fake radio module: hellos
// answered once, changed settings sent again, the signal icon, binding and update files.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/rdup_file.h"
#include "link/signal_icon.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/screens/status_icons.h"

#include <QGraphicsPixmapItem>
#include <QtTest>

namespace {

// The handset on a fake radio module, its tick driven by the test, past the start-up check.
struct Handset {
    std::shared_ptr<FakeSpiBus::State> bus = std::make_shared<FakeSpiBus::State>();
    TestRoot root;
    std::unique_ptr<Korvel> k;

    Handset() {
        auto state = bus;
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        Configuration::applyDefaults(Global::configuration);
        k = std::make_unique<Korvel>();
        k->mainTimer()->stop();
        k->data()->thread()->device().setPacing({0, 0, 0});
        passStartCheck(*k);
    }
    ~Handset() { SpiBus::setFactory(nullptr); }
    LinkState& state() { return k->data()->linkState(); }

    // Packets written so far to the boat whose payload starts with `start`.
    int sent(const QByteArray& start) {
        (void)QTest::qWaitFor(
            [this] { return k->data()->thread()->device().queuedCommands() == 0; });
        QTest::qWait(10);  // the last write
        const QByteArray w = bus->writtenBytes();
        int n = 0;
        for (int at = w.indexOf("#sbus"); at >= 0; at = w.indexOf("#sbus", at + 1))
            n += w.mid(at + 12, start.size()) == start;
        return n;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            k->slot_timeout_main();
    }
    QImage signalIcon() {
        return k->statusIcons().icon(ScreenLayout::IconSignal)->pixmap().toImage();
    }
};

const QByteArray kHello = FakeLink::command(0xA6);
const QByteArray kBind = FakeLink::command(0xA1);

}  // namespace

class TestLinkWatch : public QObject {
    Q_OBJECT
private slots:
    // The boat's power-up hello is answered with hello and configuration; the boat answers our
    // hello with one of its own, which must not start another round.
    void hello_answeredWithoutALoop() {
        Handset h;
        QTest::qWait(2100);  // the start-up's own hello is past
        const int before = h.sent(kHello);
        h.state().flag_getData_sonar_hello = 1;
        h.ticks(5);
        QCOMPARE(h.sent(kHello), before + 1);
        h.state().flag_getData_sonar_hello = 1;  // the boat answers us
        h.ticks(10);
        QCOMPARE(h.sent(kHello), before + 1);
        QTest::qWait(2100);
        h.state().flag_getData_sonar_hello = 1;  // later: the boat powered up again
        h.ticks(5);
        QCOMPARE(h.sent(kHello), before + 2);
    }

    // An autopilot setting changed in the menu reaches the boat within a second; the
    // autopilot's own hello is answered with its settings.
    void autopilotSettings_sentWhenChangedOrAsked() {
        Handset h;
        const QByteArray parameters = FakeLink::command(0xC2).left(2);
        const int before = h.sent(parameters);
        h.ticks(8);
        QCOMPARE(h.sent(parameters), before);  // nothing changed: nothing sent
        Global::configuration.apCh1Speed = 55;
        h.ticks(8);
        QCOMPARE(h.sent(parameters), before + 1);
        QVERIFY(h.bus->writtenBytes().contains("$HMPRA,O,R,55,N,100,,,,,5,3,*"));
        h.state().flag_getData_ap_hello = 1;
        h.ticks(5);
        QCOMPARE(h.sent(parameters), before + 2);
    }

    // The icon follows the frame rate and goes to no bars once the boat has been silent.
    // Every picture the icon can show is a real one: a name the resources lack gives an empty
    // picture, and two empty pictures compare equal.
    void signalIcon_followsTheFrames() {
        Handset h;
        for (const int noData : {0, 10}) {
            for (const int frames : {0, 16, 21, 26}) {
                const QString path = SignalIcon::pathFor(frames, noData);
                QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
            }
        }
        for (int icon = 0; icon < StructScreenLayout::kIcons; ++icon)
            QVERIFY2(!h.k->statusIcons().icon(icon)->pixmap().isNull(),
                     qPrintable(QString::number(icon)));
        h.state().count_noData_sonar = 0;
        h.state().avePkgCnt = 30;
        h.ticks(1);
        QCOMPARE(h.signalIcon(), QPixmap(":/ico/signal4").toImage());
        h.state().avePkgCnt = 16;
        h.ticks(1);
        QCOMPARE(h.signalIcon(), QPixmap(":/ico/signal2").toImage());
        h.ticks(80);  // ten silent seconds
        QCOMPARE(h.state().count_noData_sonar.load(), 10);
        QCOMPARE(h.signalIcon(), QPixmap(":/ico/signal0").toImage());
    }

    // Binding: bind commands until the module answers, then the pairing; escape cancels.
    void bind_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("paired") << false;
        QTest::newRow("cancelled while the module is silent") << true;
    }
    void bind() {
        QFETCH(bool, cancel);
        Handset h;
        h.state().count_noData_sonar = 10;  // the boat's unit is off
        h.k->link_rBox_bind();
        UxDialogProgress* dialog = h.k->dialogs().progress();
        QTRY_VERIFY(h.sent(kBind) >= 2);  // no answer: asked again
        QCOMPARE(dialog->codeText(), QString("303"));
        QVERIFY(!h.k->mainTimer()->isActive());
        if (cancel) {
            h.k->dialog_progress_click("bind", "esc");
        } else {
            h.state().flag_getCmd_ack = 1;
            h.state().flag_getCmd_bindOk = 1;
        }
        QTRY_VERIFY(h.k->mainTimer()->isActive());
        QCOMPARE(dialog->text(), TrResource::getTrString(cancel ? TR_RebindCancelled : TR_BindOk));
        QCOMPARE(dialog->value(), cancel ? 0 : 100);
        QVERIFY(!h.k->updateFlags().inProgress);
    }

    // An update file is checked before anything is flashed; one whose versions are those of
    // the boat says so; a newer autopilot starts its update (209).
    void updateFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shows");
        QByteArray same(RdupFile::kApImage + 48, '\0');
        same[0] = 48;  // a sonar image of 48 bytes, version 105
        same.replace(RdupFile::kSonarVersion, 9, "S105.bin*");
        same[RdupFile::kApSize] = 48;  // an autopilot image of 48 bytes, version 1.23
        same.replace(RdupFile::kApVersion, 10, "A1.23.bin*");
        QTest::newRow("same versions") << same << "hint:" + TrResource::getTrString(TR_SameVersion);
        QTest::newRow("cut short") << same.left(RdupFile::kApImage + 10)
                                   << "hint:" + TrResource::getTrString(TR_ReadFileFailed);
        QByteArray older = same;
        older.replace(RdupFile::kApVersion, 10, "A1.22.bin*");
        QTest::newRow("older autopilot: no downgrade")
            << older << "hint:" + TrResource::getTrString(TR_SameVersion);
        QByteArray newer = same;
        newer.replace(RdupFile::kApVersion, 10, "A1.24.bin*");
        QTest::newRow("newer autopilot") << newer << "progress:209";
    }
    void updateFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, shows);
        KorvelTest::ExpectedMessage refused("is not flashed");
        Handset h;
        h.state().currentInfo_sys.app = 105;
        h.state().currentInfo_sys.helmo = 123;
        QVERIFY(h.root.writeFile("/mnt/sd/Korvel/Update/x.rdup", file));
        h.k->dialog_file_nameGet("rdup", "/mnt/sd/Korvel/Update/x.rdup");
        if (shows.startsWith("hint:")) {
            QTRY_VERIFY(h.k->dialogs().hint()->isVisible());
            QCOMPARE(h.k->dialogs().hint()->text(), shows.mid(5));
            QVERIFY(h.k->mainTimer()->isActive() || !h.k->updateFlags().inProgress);
        } else {
            QVERIFY(h.k->dialogs().progress()->isVisible());
            QCOMPARE(h.k->dialogs().progress()->codeText(), shows.mid(9));
            QVERIFY(h.k->updateFlags().inProgress);
        }
    }
};

KORVEL_TEST_MAIN(TestLinkWatch)
#include "test_link_watch.moc"
