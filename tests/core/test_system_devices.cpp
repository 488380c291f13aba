#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "platform/shell.h"
#include "platform/value_file.h"
#include "platform/versions.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_power_off.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/show_cpu_memory.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_main_menu.h"

#include <QGraphicsPixmapItem>
#include <QLabel>
#include <QtTest>

namespace {
const QString kBacklight = QStringLiteral("/sys/class/backlight/mxs-bl/brightness");

// Every value written to a board file, as "file=value", for the life of one test.
struct ValueWrites {
    struct Device : ValueFileDevice {
        Device(const QString& path, QStringList* log) : name(path.section('/', -2, -2)), log(log) {}
        bool write(const QByteArray& text) override {
            *log << name + '=' + QString::fromLatin1(text);
            return true;
        }
        QString name;
        QStringList* log;
    };
    QStringList log;
    ValueWrites() {
        ValueFileDevice::setFactory(
            [this](const QString& path) { return std::make_unique<Device>(path, &log); });
    }
    ~ValueWrites() { ValueFileDevice::setFactory(nullptr); }
};
// The controller under the current root, its tick driven by the test, after the first check.
std::unique_ptr<Korvel> startHandset() {
    auto k = std::make_unique<Korvel>();
    k->mainTimer()->stop();
    passStartCheck(*k);
    k->system_checkState();
    return k;
}

// The program's folders on a card.
bool allFolders(const QString& base) {
    for (const char* folder : {"Record", "Color", "Course", "Kml", "Update", "Export"}) {
        if (!QFileInfo(base + "/Korvel/" + folder).isDir()) return false;
    }
    return true;
}
}  // namespace

class TestSystemDevices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }
    void init() { Configuration::applyDefaults(Global::configuration); }

    // The level is written as brightness when it changes, and only then.
    void backlight_writesTheLevelOnChange() {
        TestRoot root;
        ValueWrites writes;
        Global::configuration.backLight = 5;
        const auto k = startHandset();
        for (float level : {5.0f, 1.0f, 9.0f, 9.0005f, 4.0f}) {
            Global::configuration.backLight = level;
            k->system_checkState();
        }
        QCOMPARE(writes.log, QStringList({"mxs-bl=56", "mxs-bl=12", "mxs-bl=100", "mxs-bl=45"}));
    }

    // The handset battery: the raw ADC number from the driver, 0 when outside 6 to 16 V.
    void adc_readsTheBatteryVoltage_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("volts");
        QTest::newRow("no reading") << QByteArray() << "0.00";
        QTest::newRow("1500") << QByteArray("1500\n") << "10.57";
        QTest::newRow("just below 6 V") << QByteArray("851") << "0.00";
        QTest::newRow("just above 6 V") << QByteArray("852") << "6.00";
        QTest::newRow("just below 16 V") << QByteArray("2270") << "15.99";
        QTest::newRow("just above 16 V") << QByteArray("2272") << "0.00";
        QTest::newRow("not a number") << QByteArray("full") << "0.00";
    }
    void adc_readsTheBatteryVoltage() {
        QFETCH(QByteArray, raw);
        QFETCH(QString, volts);
        TestRoot root;
        if (!raw.isEmpty()) QVERIFY(root.writeFile("/dev/magic-adc", raw));
        Global::initADC();
        QCOMPARE(QString::number(double(Global::getBatVoltage()), 'f', 2), volts);
    }

    void beeper_kinds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("keyTone");
        QTest::addColumn<int>("clicks");
        QTest::newRow("key, tone on") << "key" << 1 << 1;
        QTest::newRow("key, tone off") << "key" << 0 << 0;
        QTest::newRow("fish, tone off") << "fish" << 0 << 1;
        QTest::newRow("message") << "message" << 0 << 2;
        QTest::newRow("alarm") << "alarm" << 1 << 3;
        QTest::newRow("unknown") << "bell" << 1 << 0;
    }
    void beeper_kinds() {
        QFETCH(QString, kind);
        QFETCH(int, keyTone);
        QFETCH(int, clicks);
        ValueWrites writes;
        Global::configuration.keyTone = keyTone;
        Global::beeperOn(kind);
        QCOMPARE(writes.log.join(' '), QString("beep=1 beep=0 ").repeated(clicks).trimmed());
    }

    // The unit's model letter is read at start: model e clicks every 500 ms as its fish tone.
    void model_eClicksAsItsFishTone() {
        for (const char* model : {"e\nVERSION=1.02", "5"}) {
            TestRoot root;
            QVERIFY(root.writeFile("/opt/model.kvc", QByteArray("[Info]\nMODEL=") + model));
            ValueWrites writes;
            const auto k = startHandset();
            for (int i = 0; i < 8; ++i)
                k->slot_timeout_main();
            QCOMPARE(writes.log.filter("beep=1").size(), *model == 'e' ? 2 : 0);
            QCOMPARE(Global::getCurrent_model(), QString(*model == 'e' ? "e 1.02" : "5"));
        }
    }

    void versions_applicationAndKernel() {
        TestRoot root;
        QCOMPARE(Global::getCurrent_model(), QString("-.-"));
        QCOMPARE(Global::getCurrent_app(), QString("-.-"));
        QCOMPARE(Global::getCurrent_kernel(), QString("-.-"));
        QVERIFY(root.writeFile("/opt/korvel/readme.kvc", "[Info]\nVERSION=2.15\n"));
        QCOMPARE(Global::getCurrent_app(), QString("2.15"));
        QVERIFY(root.writeFile("/proc/version",
                               "Linux version 2.6.35.3-571 (bob@host) (gcc version 4.4.4) #12 "
                               "PREEMPT Fri Mar 2 10:20:38 CST 2018\n"));
        QCOMPARE(Global::getCurrent_kernel(), QString("20180302"));
        QVERIFY(root.writeFile("/proc/version",
                               "Linux version 6.1.0 (x@y) #1 SMP Debian Tue Dec 19 13:14:11 2023"));
        QCOMPARE(Global::getCurrent_kernel(), QString("20231219"));
    }

    void runner_keepsStatusAndRefusesNull() {
        QCOMPARE(Global::my_system("exit 3"), 3 << 8);
        QCOMPARE(Global::my_system(static_cast<const char*>(nullptr)), -1);
        QCOMPARE(Global::my_system_args("sh", {"-c", "exit 4"}), 4 << 8);
    }

    void runner_fileNameCannotRunASecondCommand_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("quote and semicolon") << "a';echo x>hacked;'b.kwc";
        QTest::newRow("substitution") << "a$(echo x>hacked)`echo x>hacked`.kwc";
        QTest::newRow("spaces and newline") << "my course\n;echo x>hacked.kwc";
    }
    void runner_fileNameCannotRunASecondCommand() {
        QFETCH(QString, name);
        TestRoot root;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.dir());
        QVERIFY(root.writeFile("/opt/waycourse1.kwc", "course"));
        QDir().mkpath(root.path("/mnt/sd/Korvel/Course"));
        const int status =
            Global::my_system_args("cp", {"/opt/waycourse1.kwc", "/mnt/sd/Korvel/Course/" + name});
        QDir::setCurrent(previous);
        QCOMPARE(status, 0);
        QCOMPARE(root.readFile("/mnt/sd/Korvel/Course/" + name), QByteArray("course"));
        QVERIFY(!QFile::exists(root.path("/hacked")));
        QVERIFY(!QFile::exists(root.path("/hacked.kwc")));
    }

    // The power-off dialog's count ends in the power-off: the backlight goes off and stays off,
    // the dialog is gone from the black screen. On the device a poweroff that fails lights the
    // screen again and says so, and the tick goes on.
    void powerOff_throughTheCount_data() {
        QTest::addColumn<bool>("device");
        QTest::newRow("virtual: the program ends") << false;
        QTest::newRow("device: poweroff fails") << true;
    }
    void powerOff_throughTheCount() {
        QFETCH(bool, device);
        TestRoot root;
        Global::configuration.backLight = 4;
        Global::setCommandHook([](const QString& command, int* status) {
            *status = 256;  // nothing acts on this machine; poweroff "fails"
            return command == QLatin1String("poweroff") || command.contains("/proc/version");
        });
        KorvelTest::ExpectedMessage failed("^poweroff failed with status 256");
        if (device) {
            Platform::setBackend(Platform::Backend::Device);
            // The board's sysfs files are always there.
            QVERIFY(root.writeFile(kBacklight, "") &&
                    root.writeFile("/sys/class/leds/beep/brightness", ""));
        }
        const auto k = startHandset();
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        UxDialogPowerOff* dialog = k->dialogs().powerOff();
        k->system_showPoweroffDialog();
        QTRY_VERIFY(dialog->hasFocus());
        for (int i = 0; i < 40 && dialog->isVisible(); ++i)
            k->slot_timeout_main();
        QVERIFY(!dialog->isVisible());
        Platform::setBackend(Platform::Backend::Virtual);
        Global::setCommandHook(nullptr);
        if (!device) {
            QCOMPARE(k->view()->foregroundBrush().color(), QColor(Qt::black));
            Global::configuration.backLight = 6;  // nothing lights the screen again
            k->slot_timeout_main();
            k->system_checkState();
            QCOMPARE(root.readFile(kBacklight), QByteArray("0\n"));
            return;
        }
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        QVERIFY(k->dialogs().hint()->isVisible());
        QCOMPARE(k->dialogs().hint()->text(),
                 TrResource::getTrString(TR_PowerOff) + ": " + TrResource::getTrString(TR_Fail));
        QVERIFY(k->mainTimer()->isActive());
        QCOMPARE(failed.seen(), 1);
    }

    // The label shows the busy share between the last two usable samples and the memory in use.
    void monitor_labelFromTheCommandsOutput() {
        TestRoot root;
        ShowCPUMemory monitor;
        QLabel label;
        monitor.SetLab(&label);
        monitor.setCommands("cat " + root.path("/stat"), "cat " + root.path("/meminfo"));
        // A field is found only at the start of a line.
        QVERIFY(root.writeFile("/meminfo",
                               "MemTotal: 65536 kB\nSwapMemFree: 1 kB\nMemFree: 16384 kB\n"));
        ShowCPUMemory::current_cpu_percent = QStringLiteral("7");
        QStringList cpu;
        // One sample gives no figure, nor do no time passed, no cpu line or counters gone back;
        // after a sample without a cpu line the last good one counts.
        for (const char* stat : {"cpu  100 0 100 700 100 0 0\nintr 5", "cpu  190 0 110 750 150 0 0",
                                 "cpu  190 0 110 750 150 0 0", "intr 5", "cpu  290 0 110 750 150",
                                 "cpu  190 0 10 750 150"}) {
            QVERIFY(root.writeFile("/stat", stat));
            monitor.slot_sampleCpu();
            monitor.slot_sampleMemory();
            cpu << label.text().section('%', 0, 0);
        }
        QCOMPARE(cpu.join(' '), QString("CPU:7 CPU:50 CPU:50 CPU:50 CPU:100 CPU:100"));
        QCOMPARE(label.text(), QString("CPU:100%  MEM:75% (48MB /64MB)"));
        QVERIFY(root.writeFile("/meminfo", "nothing"));
        monitor.slot_sampleMemory();
        QCOMPARE(label.text(), QString("CPU:100%  MEM:0% (0MB /0MB)"));
    }

    // A card in the slot is mounted with the program's folders and shows its icon; taken out,
    // it is unmounted; a fresh card gets the folders again. The watch ends with the controller.
    void sdCard_insertRemoveInsert() {
        TestRoot root;
        const QString node = root.path("/dev/mmcblk0p1");
        QVERIFY(QDir().mkpath(node));
        auto* k = new Korvel;
        k->mainTimer()->stop();
        QPointer<SdMountThread> thread = k->sdThread();
        const auto shown = [k] {
            k->system_checkState();
            return k->statusIcons().icon(ScreenLayout::IconSdCard)->isVisible();
        };
        // The card is seen within about a second; the margin covers a loaded machine.
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 2500);
        QVERIFY(QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(allFolders(node));  // on the card itself
        QVERIFY(QDir(node).removeRecursively());
        QTRY_VERIFY_WITH_TIMEOUT(!shown(), 2500);
        QVERIFY(!QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(QDir().mkpath(node));  // a fresh, empty card
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 2500);
        QVERIFY(allFolders(root.path("/mnt/sd")));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);  // the program ends
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(thread->isFinished());
        delete k;
        QVERIFY(thread.isNull());
    }

    // A write-protected card is mounted and shown, but nothing is written to it: no folders, and
    // a recording does not start (the user is told).
    void sdCard_writeProtected() {
        TestRoot root;
        const QString node = root.path("/dev/mmcblk0p1");
        QVERIFY(QDir().mkpath(node));
        QVERIFY(QFile::setPermissions(node, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        KorvelTest::ExpectedMessage said("^recording stopped: the SD card is read-only");
        Korvel k;
        k.mainTimer()->stop();
        QTRY_VERIFY_WITH_TIMEOUT(k.sdThread()->readOnly(), 2500);
        k.system_checkState();
        QVERIFY(k.statusIcons().icon(ScreenLayout::IconSdCard)->isVisible());
        QVERIFY(QDir(node).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        Global::configuration.workMode = 1;
        k.system_checkState();
        QCOMPARE(Global::configuration.workMode, 0);
        QVERIFY(!k.recordMarkShown());
        QVERIFY(k.dialogs().hint()->isVisible());
        QCOMPARE(said.seen(), 1);
        QFile::setPermissions(
            node, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // A language change translates the system page on screen at once, keeping its row.
    void systemCheck_languageChangeRetranslatesTheSystemPage() {
        Global::configuration.systemLanguage = 0;
        TestRoot root;
        const auto k = startHandset();
        UxMainMenu* menu = k->menus().main();
        const QStringList english = k->menus().systemTitles();
        menu->showMainMenu("system", english.last(), english.mid(0, english.size() - 1));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        Global::configuration.systemLanguage = 2;
        k->system_checkState();
        QStringList shown;
        for (const StructTextBox& box : menu->textBoxes())
            shown << box.text.trimmed();
        QVERIFY2(shown.contains(TrResource::getTrString(TR_Language, 2)) &&
                     !shown.contains(english.at(3)) &&
                     shown.contains(k->menus().systemTitles().last()),
                 qPrintable(shown.join('|')));
        QCOMPARE(menu->currentRow(), 3);
    }

    // The developer overlay follows devMode and asks the radio module for its signal strength.
    void systemCheck_developerOverlayFollowsDevMode() {
        auto bus = std::make_shared<FakeSpiBus::State>();
        SpiBus::setFactory([bus] { return std::make_unique<FakeSpiBus>(bus); });
        TestRoot root;
        const auto k = startHandset();
        k->data()->thread()->device().setPacing({0, 0, 0});
        QVERIFY(!k->devModeItem()->isVisible());
        Global::configuration.devMode = 1;
        k->system_checkState();
        QVERIFY(k->devModeItem()->isVisible() && k->devModeItem()->text().startsWith("mR:"));
        // The radio module's signal-strength request carries A3 5C.
        QTRY_VERIFY((std::lock_guard<std::mutex>(bus->mutex), bus->written.contains("\xA3\x5C")));
        Global::configuration.devMode = 0;
        k->system_checkState();
        QVERIFY(!k->devModeItem()->isVisible());
        SpiBus::setFactory(nullptr);
    }
};

KORVEL_TEST_MAIN(TestSystemDevices)
#include "test_system_devices.moc"
