#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/value_file.h"
#include "platform/versions.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/show_cpu_memory.h"
#include "ui/ux_dialog_hint.h"
#include "ui/ux_dialog_power_off.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
const QString kBacklight = QStringLiteral("/sys/class/backlight/mxs-bl/brightness");
const QString kBeeper = QStringLiteral("/sys/class/leds/beep/brightness");

QString twoDecimals(float v) {
    return QString::number(static_cast<double>(v), 'f', 2);
}

// Records the runner's commands for the life of one test; they still run.
struct CommandLog {
    QStringList commands;
    CommandLog() {
        Global::setCommandHook([this](const QString& command, int*) {
            commands << command;
            return false;
        });
    }
    ~CommandLog() { Global::setCommandHook(nullptr); }
};

// Records every value written to a board file, "path=value", and writes it through to the file
// under the root, for the life of one test.
struct ValueWrites {
    struct Device : ValueFileVirtual {
        Device(const QString& path, QStringList* log)
            : ValueFileVirtual(path), path(path), log(log) {}
        bool write(const QByteArray& text) override {
            *log << path + '=' + QString::fromLatin1(text);
            return ValueFileVirtual::write(text);
        }
        QString path;
        QStringList* log;
    };
    QStringList writes;
    ValueWrites() {
        ValueFileDevice::setFactory(
            [this](const QString& path) { return std::make_unique<Device>(path, &writes); });
    }
    ~ValueWrites() { ValueFileDevice::setFactory(nullptr); }
};
}  // namespace

class TestSystemDevices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }

    void backlight_levelsWriteTheirValuesOnlyOnChange() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        const QList<int> expected = {12, 23, 34, 45, 56, 67, 78, 89, 100};
        for (int level = 1; level <= 9; ++level) {
            Global::configuration.backLight = static_cast<float>(level);
            k.system_checkState();
            QCOMPARE(root.readFile(kBacklight), QByteArray::number(expected[level - 1]) + "\n");
        }
        // Unchanged: nothing is written, not even the same value again.
        QVERIFY(QFile::remove(root.path(kBacklight)));
        k.system_checkState();
        Global::configuration.backLight = 9.0005f;  // within the tolerance
        k.system_checkState();
        QVERIFY(!QFile::exists(root.path(kBacklight)));
        Global::configuration.backLight = 4;
        CommandLog log;
        k.system_checkState();
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        QVERIFY(log.commands.filter("brightness").isEmpty());  // a file write, not a shell
    }

    void backlight_firstCheckWritesEvenTheMiddleLevel() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.backLight = 5;
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        QCOMPARE(root.readFile(kBacklight), QByteArray("56\n"));
    }

    void adc_conversion_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("volts");
        QTest::newRow("4000 is 28.2 V: out of range") << 4000 << "0.00";
        QTest::newRow("1500") << 1500 << "10.57";
        QTest::newRow("just below 6 V") << 851 << "0.00";
        QTest::newRow("just above 6 V") << 852 << "6.00";
        QTest::newRow("just below 16 V") << 2270 << "15.99";
        QTest::newRow("just above 16 V") << 2272 << "0.00";
        QTest::newRow("zero") << 0 << "0.00";
        QTest::newRow("negative") << -5 << "0.00";
    }
    void adc_conversion() {
        QFETCH(int, raw);
        QFETCH(QString, volts);
        QCOMPARE(twoDecimals(Global::adcToVoltage(raw)), volts);
    }

    void adc_virtualDeviceReadsTheRawNumberFromItsFile() {
        TestRoot root;
        Global::initADC();
        QCOMPARE(Global::getBatVoltage(), 0.0f);  // no file: no reading
        QVERIFY(root.writeFile("/dev/magic-adc", "1500\n"));
        QCOMPARE(twoDecimals(Global::getBatVoltage()), QString("10.57"));
        QVERIFY(root.writeFile("/dev/magic-adc", "4000"));
        QCOMPARE(Global::getBatVoltage(), 0.0f);
        QVERIFY(root.writeFile("/dev/magic-adc", "full"));
        QCOMPARE(Global::getBatVoltage(), 0.0f);
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
        TestRoot root;
        QDir().mkpath(root.path("/sys/class/leds/beep"));
        Global::configuration.keyTone = keyTone;
        CommandLog log;
        ValueWrites values;
        Global::beeperOn(kind);
        QStringList expected;
        for (int i = 0; i < clicks; ++i)
            expected << "/sys/class/leds/beep/brightness=1"
                     << "/sys/class/leds/beep/brightness=0";
        QCOMPARE(values.writes, expected);
        QVERIFY(log.commands.isEmpty());  // no shell for a click
        // Each click ends with the beeper off.
        QCOMPARE(root.readFile(kBeeper), clicks ? QByteArray("0\n") : QByteArray());
    }

    void runner_keepsStatusAndRefusesNull() {
        QCOMPARE(Global::my_system("exit 3"), 3 << 8);
        QCOMPARE(Global::my_system(QStringLiteral("true")), 0);
        QCOMPARE(Global::my_system(static_cast<const char*>(nullptr)), -1);
        QCOMPARE(Global::my_system_args("sh", {"-c", "exit 4"}), 4 << 8);
    }

    void runner_quotesAWordAsOne() {
        QCOMPARE(Global::shellQuote("a b"), QString("'a b'"));
        QCOMPARE(Global::shellQuote("it's"), QString("'it'\\''s'"));
        QCOMPARE(Global::shellQuote(""), QString("''"));
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

    void versions_comeFromTheUnitsRecords_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("text");
        QTest::newRow("4") << "4"
                           << "4 1.02";
        QTest::newRow("5") << "5"
                           << "5 1.02";
        QTest::newRow("d") << "d"
                           << "d 1.02";
        QTest::newRow("e") << "e"
                           << "e 1.02";
    }
    void versions_comeFromTheUnitsRecords() {
        QFETCH(QString, model);
        QFETCH(QString, text);
        TestRoot root;
        QVERIFY(root.writeFile("/opt/model.kvc",
                               "[Info]\nMODEL=" + model.toLatin1() + "\nVERSION=1.02\n"));
        QVERIFY(root.writeFile("/opt/korvel/readme.kvc", "[Info]\nVERSION=2.15\n"));
        QCOMPARE(Global::getCurrent_model(), text);
        QCOMPARE(Global::current_model, static_cast<quint16>(model.at(0).unicode()));
        QCOMPARE(Global::getCurrent_app(), QString("2.15"));
    }

    void versions_unknownWithoutRecords() {
        TestRoot root;
        QCOMPARE(Global::getCurrent_model(), QString("-.-"));
        QCOMPARE(Global::current_model, static_cast<quint16>(0));
        QCOMPARE(Global::getCurrent_app(), QString("-.-"));
        QCOMPARE(Global::getCurrent_kernel(), QString("-.-"));
    }

    void kernel_buildDateFromProcVersion() {
        TestRoot root;
        QVERIFY(root.writeFile("/proc/version",
                               "Linux version 2.6.35.3-571 (bob@host) (gcc version 4.4.4) #12 "
                               "PREEMPT Fri Mar 2 10:20:38 CST 2018\n"));
        QCOMPARE(Global::getCurrent_kernel(), QString("20180302"));
        QCOMPARE(Global::current_kernel, QString("20180302"));
        QVERIFY(root.writeFile("/proc/version",
                               "Linux version 6.1.0 (x@y) #1 SMP Debian Tue Dec 19 13:14:11 2023"));
        QCOMPARE(Global::getCurrent_kernel(), QString("20231219"));
    }

    void controller_takesTheModelLetterAtStart() {
        TestRoot root;
        QVERIFY(root.writeFile("/opt/model.kvc", "[Info]\nMODEL=e\nVERSION=3.0\n"));
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        QCOMPARE(Global::current_model, static_cast<quint16>('e'));
        // The virtual board's folders exist, so the shell writes land.
        QVERIFY(QFileInfo(root.path("/sys/class/backlight/mxs-bl")).isDir());
        QVERIFY(QFileInfo(root.path("/sys/class/leds/beep")).isDir());
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
        Configuration::applyDefaults(Global::configuration);
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
        QSignalSpy asked(dialog, &UxDialogPowerOff::signal_powerOff);
        k.system_showPoweroffDialog();
        QTRY_VERIFY(dialog->hasFocus());
        for (int i = 0; i < 40 && asked.isEmpty(); ++i)
            k.slot_timeout_main();
        QCOMPARE(asked.count(), 1);
        QVERIFY(!dialog->isVisible());
        Platform::setBackend(Platform::Backend::Virtual);
        Global::setCommandHook(nullptr);
        QCOMPARE(ran.contains("poweroff"), device);
        if (!device) {
            QCOMPARE(root.readFile(kBacklight), QByteArray("0\n"));
            QCOMPARE(k.view()->foregroundBrush().color(), QColor(Qt::black));
            QVERIFY(!k.mainTimer()->isActive());
            return;
        }
        QCOMPARE(root.readFile(kBacklight), QByteArray("45\n"));
        QVERIFY(k.dialogs().hint()->isVisible());
        QCOMPARE(k.dialogs().hint()->text(),
                 TrResource::getTrString(TR_PowerOff) + ": " + TrResource::getTrString(TR_Fail));
        QVERIFY(k.mainTimer()->isActive());
        QCOMPARE(failed.seen(), 1);
    }

    void monitor_cpuAndMemoryFromProcTexts() {
        const QByteArray stat1 =
            "cpu  100 0 100 700 100 0 0 0 0 0\ncpu0 100 0 100 700 100 0 0 0 0 0\nintr 5\n";
        const QByteArray stat2 =
            "cpu  160 0 140 900 100 0 0 0 0 0\ncpu0 160 0 140 900 100 0 0 0 0 0\nintr 9\n";
        const auto a = CpuMemory::parseCpu(stat1);
        const auto b = CpuMemory::parseCpu(stat2);
        QVERIFY(a.valid && b.valid);
        QCOMPARE(a.total, 1000ULL);
        QCOMPARE(a.idle, 800ULL);
        QCOMPARE(CpuMemory::cpuPercent(a, b), 33);  // 100 busy of 300
        QCOMPARE(CpuMemory::cpuPercent(b, a), -1);  // counters went back
        QCOMPARE(CpuMemory::cpuPercent(a, a), -1);  // no time passed
        QVERIFY(!CpuMemory::parseCpu("intr 5\n").valid);

        const QByteArray meminfo =
            "MemTotal:         131072 kB\nMemFree:           32768 kB\nBuffers: 1 kB\n";
        const auto mem = CpuMemory::parseMemory(meminfo);
        QVERIFY(mem.valid);
        QCOMPARE(CpuMemory::labelText("33", mem), QString("CPU:33%  MEM:75% (96MB /128MB)"));
        QCOMPARE(CpuMemory::labelText("50", CpuMemory::parseMemory("nothing")),
                 QString("CPU:50%  MEM:0% (0MB /0MB)"));
    }

    void monitor_writesItsLabelFromTheCommandsOutput() {
        TestRoot root;
        QVERIFY(root.writeFile("/stat", "cpu  100 0 100 700 100 0 0\n"));
        QVERIFY(root.writeFile("/meminfo", "MemTotal: 65536 kB\nMemFree: 16384 kB\n"));
        ShowCPUMemory monitor;
        QLabel label;
        monitor.SetLab(&label);
        monitor.setCommands("cat " + root.path("/stat"), "cat " + root.path("/meminfo"));
        ShowCPUMemory::current_cpu_percent = QStringLiteral("50");
        monitor.slot_sampleCpu();
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("50"));  // one sample: no figure
        QVERIFY(root.writeFile("/stat", "cpu  190 0 110 750 150 0 0\n"));
        monitor.slot_sampleCpu();
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("50"));  // 100 busy of 200
        QVERIFY(root.writeFile("/stat", "cpu  290 0 110 750 150 0 0\n"));
        monitor.slot_sampleCpu();
        QCOMPARE(ShowCPUMemory::current_cpu_percent, QString("100"));
        monitor.slot_sampleMemory();
        QCOMPARE(label.text(), QString("CPU:100%  MEM:75% (48MB /64MB)"));
        monitor.Start(2000);
        QVERIFY(monitor.isRunning());
        monitor.Stop();
        QVERIFY(!monitor.isRunning());
    }
};

KORVEL_TEST_MAIN(TestSystemDevices)
#include "test_system_devices.moc"
