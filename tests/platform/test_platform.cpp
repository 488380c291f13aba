#include "korvel_test.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "test_root.h"

#include <QFile>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void realRoot_leavesPathsAlone() {
        Platform::setRoot("/");
        QCOMPARE(Platform::path("/opt/configuration.kcg"), QString("/opt/configuration.kcg"));
        QCOMPARE(Platform::mapCommand("echo 1 > /sys/class/leds/beep/brightness"),
                 QString("echo 1 > /sys/class/leds/beep/brightness"));
    }

    void paths_landUnderTheRoot() {
        Platform::setRoot("/tmp/r/");
        QCOMPARE(Platform::path("/opt/navi.knv"), QString("/tmp/r/opt/navi.knv"));
        QCOMPARE(Platform::path("/tmp/r/opt/navi.knv"), QString("/tmp/r/opt/navi.knv"));
        QCOMPARE(Platform::path("Regular.otf"), QString("Regular.otf"));
        Platform::setRoot("");
    }

    void commands_mapOnlyTheHandsetTrees_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("mapped");
        QTest::newRow("redirect") << "echo 45 >/sys/class/backlight/mxs-bl/brightness"
                                  << "echo 45 >/R/sys/class/backlight/mxs-bl/brightness";
        QTest::newRow("mount") << "mount /dev/mmcblk0p1 /mnt/sd"
                               << "mount /R/dev/mmcblk0p1 /R/mnt/sd";
        QTest::newRow("quoted") << "cp '/opt/waycourse1.kwc' \"/mnt/sd/Korvel/Course/\""
                                << "cp '/R/opt/waycourse1.kwc' \"/R/mnt/sd/Korvel/Course/\"";
        QTest::newRow("proc stays") << "cat /proc/stat"
                                    << "cat /proc/stat";
        QTest::newRow("word inside") << "ls /optimal/opt"
                                     << "ls /optimal/opt";
        QTest::newRow("bare root") << "ls /root"
                                   << "ls /R/root";
        QTest::newRow("already mapped") << "cat /R/opt/a"
                                        << "cat /R/opt/a";
        QTest::newRow("plain") << "sync"
                               << "sync";
    }
    void commands_mapOnlyTheHandsetTrees() {
        QFETCH(QString, command);
        QFETCH(QString, mapped);
        Platform::setRoot("/R");
        QCOMPARE(Platform::mapCommand(command), mapped);
        Platform::setRoot("");
    }

    void shellRunner_writesUnderTheRootAndReturnsTheStatus() {
        TestRoot root;
        QVERIFY(root.writeFile("/sys/class/leds/beep/brightness", "0\n"));
        QCOMPARE(Global::my_system("echo 1 > /sys/class/leds/beep/brightness"), 0);
        QCOMPARE(root.readFile("/sys/class/leds/beep/brightness"), QByteArray("1\n"));
        QVERIFY(Global::my_system("exit 3") != 0);
        QCOMPARE(Global::my_system(static_cast<const char*>(nullptr)), -1);
    }

    void backend_followsTheEnvironmentOrTheSpiNode() {
        TestRoot root;
        qputenv("KORVEL_PLATFORM", "");
        qputenv("KORVEL_ROOT", root.dir().toLocal8Bit());
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend(), Platform::Backend::Virtual);
        QVERIFY(root.writeFile("/dev/spidev1.0", ""));
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend(), Platform::Backend::Device);
        qputenv("KORVEL_PLATFORM", "virtual");
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend(), Platform::Backend::Virtual);
        qputenv("KORVEL_PLATFORM", "device");
        QFile::remove(root.path("/dev/spidev1.0"));
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend(), Platform::Backend::Device);
        qunsetenv("KORVEL_ROOT");
        qputenv("KORVEL_PLATFORM", "virtual");
        Platform::setRoot(root.dir());
    }
};

KORVEL_TEST_MAIN(TestPlatform)
#include "test_platform.moc"
