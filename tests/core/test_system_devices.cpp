#include "core/base/global.h"
#include "core/base/screen_layout.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "platform/shell.h"
#include "platform/value_file.h"
#include "platform/versions.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/show_cpu_memory.h"
#include "ui/status_icons.h"
#include "ui/ux_dialog_hint.h"
#include "ui/ux_dialog_power_off.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {
const QString kBacklight = QStringLiteral("/sys/class/backlight/mxs-bl/brightness");
const QString kBeeper = QStringLiteral("/sys/class/leds/beep/brightness");

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
// The card is seen within about a second; the margin covers a loaded machine.
constexpr int kSeenMs = 2500;

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
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        k.system_checkState();
        for (float level : {1.0f, 9.0f, 9.0005f, 4.0f}) {
            Global::configuration.backLight = level;
            k.system_checkState();
        }
        QCOMPARE(writes.log, QStringList({"mxs-bl=56", "mxs-bl=12", "mxs-bl=100", "mxs-bl=45"}));
    }

    // The handset battery: the raw ADC number from the driver, 0 when outside 6 to 16 V.
    void adc_readsTheBatteryVoltage_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("volts");
        QTest::newRow("no reading") << QByteArray() << "0.00";
        QTest::newRow("1500") << QByteArray("1500\n") << "10.57";
        QTest::newRow("4000 is 28.2 V") << QByteArray("4000") << "0.00";
        QTest::newRow("just below 6 V") << QByteArray("851") << "0.00";
        QTest::newRow("just above 6 V") << QByteArray("852") << "6.00";
        QTest::newRow("just below 16 V") << QByteArray("2270") << "15.99";
        QTest::newRow("just above 16 V") << QByteArray("2272") << "0.00";
        QTest::newRow("negative") << QByteArray("-5") << "0.00";
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

    // The unit's model letter, read at start: model e clicks every 500 ms as its fish tone.
    void model_lettersAndTheFishTone_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("clicks");
        QTest::newRow("e") << QByteArray("[Info]\nMODEL=e\nVERSION=1.02\n") << "e 1.02" << 2;
        QTest::newRow("5, no version") << QByteArray("[Info]\nMODEL=5\n") << "5" << 0;
    }
    void model_lettersAndTheFishTone() {
        QFETCH(QByteArray, record);
        QFETCH(QString, model);
        QFETCH(int, clicks);
        TestRoot root;
        QVERIFY(root.writeFile("/opt/model.kvc", record));
        ValueWrites writes;
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        writes.log.clear();
        for (int i = 0; i < 8; ++i)
            k.slot_timeout_main();
        QCOMPARE(writes.log.filter("beep=1").size(), clicks);
        QCOMPARE(Global::getCurrent_model(), model);
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
        QTest::newRow("semicolon") << "a;echo x>hacked;b.kwc";
        QTest::newRow("quote and semicolon") << "a';echo x>hacked;'b.kwc";
        QTest::newRow("double quote") << "a\";echo x>hacked;\"b.kwc";
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
        QStringList ran;
        Global::setCommandHook([&ran](const QString& command, int* status) {
            ran << command;
            *status = 256;  // nothing acts on this machine; poweroff "fails"
            return command == QLatin1String("poweroff") || command.contains("/proc/version");
        });
        KorvelTest::ExpectedMessage failed("^poweroff failed with status 256");
        if (device) {
            Platform::setBackend(Platform::Backend::Device);
            // The board's sysfs files are always there.
            QVERIFY(root.writeFile(kBacklight, ""));
            QVERIFY(root.writeFile(kBeeper, ""));
        }
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        UxDialogPowerOff* dialog = k.dialogs().powerOff();
        k.system_showPoweroffDialog();
        QTRY_VERIFY(dialog->hasFocus());
        for (int i = 0; i < 40 && dialog->isVisible(); ++i)
            k.slot_timeout_main();
        QVERIFY(!dialog->isVisible());
        Platform::setBackend(Platform::Backend::Virtual);
        Global::setCommandHook(nullptr);
        QCOMPARE(ran.contains("poweroff"), device);
        if (!device) {
            QCOMPARE(root.readFile(kBacklight), QByteArray("0\n"));
            QCOMPARE(k.view()->foregroundBrush().color(), QColor(Qt::black));
            Global::configuration.backLight = 6;  // nothing lights the screen again
            k.slot_timeout_main();
            k.system_checkState();
            QCOMPARE(root.readFile(kBacklight), QByteArray("0\n"));
            return;
        }
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        QVERIFY(k.dialogs().hint()->isVisible());
        QCOMPARE(k.dialogs().hint()->text(),
                 TrResource::getTrString(TR_PowerOff) + ": " + TrResource::getTrString(TR_Fail));
        QVERIFY(k.mainTimer()->isActive());
        QCOMPARE(failed.seen(), 1);
    }

    // The label shows the busy share between the last two usable samples and the memory in use.
    void monitor_labelFromTheCommandsOutput() {
        TestRoot root;
        ShowCPUMemory monitor;
        QLabel label;
        monitor.SetLab(&label);
        monitor.setCommands("cat " + root.path("/stat"), "cat " + root.path("/meminfo"));
        ShowCPUMemory::current_cpu_percent = QStringLiteral("7");
        const auto sample = [&](const QByteArray& stat) {
            QVERIFY(root.writeFile("/stat", stat));
            monitor.slot_sampleCpu();
        };
        sample("cpu  100 0 100 700 100 0 0\nintr 5\n");  // one sample: no figure yet
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("7"));
        sample("cpu  190 0 110 750 150 0 0\n");  // 100 busy of 200
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("50"));
        sample("cpu  190 0 110 750 150 0 0\n");  // no time passed
        sample("intr 5\n");                      // no cpu line
        sample("cpu  90 0 110 750 150 0 0\n");   // the counters went back
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("50"));
        QVERIFY(root.writeFile("/meminfo", "MemTotal: 65536 kB\nMemFree: 16384 kB\n"));
        monitor.slot_sampleMemory();
        QCOMPARE(label.text(), QString("CPU:50%  MEM:75% (48MB /64MB)"));
        QVERIFY(root.writeFile("/meminfo", "nothing"));
        monitor.slot_sampleMemory();
        QCOMPARE(label.text(), QString("CPU:50%  MEM:0% (0MB /0MB)"));
    }

    void card_insertMountsRemoveUnmountsAndFoldersComeBack() {
        TestRoot root;
        const QString node = root.path("/dev/mmcblk0p1");
        QDir().mkpath(root.path("/dev"));
        SdMountThread thread;
        thread.start();
        QTest::qWait(300);
        QVERIFY(!thread.haveMountSD());

        QVERIFY(QDir().mkpath(node));  // insert
        QTRY_VERIFY_WITH_TIMEOUT(thread.haveMountSD(), kSeenMs);
        QVERIFY(QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(allFolders(root.path("/mnt/sd")));
        QVERIFY(allFolders(node));  // the folders are on the card itself

        QVERIFY(QDir(node).removeRecursively());  // remove
        QTRY_VERIFY_WITH_TIMEOUT(!thread.haveMountSD(), kSeenMs);
        QVERIFY(!QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(!allFolders(root.path("/mnt/sd")));

        QVERIFY(QDir().mkpath(node));  // a fresh, empty card
        QTRY_VERIFY_WITH_TIMEOUT(thread.haveMountSD(), kSeenMs);
        QVERIFY(allFolders(node));

        thread.stop();
    }

    // A card already in the slot at start shows its icon; the thread ends with the controller.
    void controller_showsTheSdIconAndEndsItsThread() {
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/dev/mmcblk0p1")));
        Configuration::applyDefaults(Global::configuration);
        auto* k = new Korvel;
        k->mainTimer()->stop();
        QPointer<SdMountThread> thread = k->sdThread();
        QGraphicsPixmapItem* icon = k->statusIcons().icon(ScreenLayout::IconSdCard);
        QTRY_VERIFY_WITH_TIMEOUT((k->system_checkState(), icon->isVisible()), kSeenMs);
        QVERIFY(QDir(root.path("/dev/mmcblk0p1")).removeRecursively());
        QTRY_VERIFY_WITH_TIMEOUT((k->system_checkState(), !icon->isVisible()), kSeenMs);
        delete k;
        QVERIFY(thread.isNull());
    }

    void controller_threadStopsWhenTheEventLoopEnds() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        QVERIFY(k.sdThread()->isRunning());
        QTimer::singleShot(50, [] { QCoreApplication::quit(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(k.sdThread()->isFinished());
    }
};

KORVEL_TEST_MAIN(TestSystemDevices)
#include "test_system_devices.moc"
