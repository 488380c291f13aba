#include "korvel_test.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "test_root.h"

#include <QFile>
#include <QDir>
#include <QTemporaryDir>
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

    // Whatever the root's name holds, a command's handset paths stay inside it: the file
    // lands under the root, as one word, and nothing in the name runs as a command.
    void commands_stayInsideAnyRoot_data() {
        QTest::addColumn<QString>("rootName");
        QTest::newRow("space") << "a root";
        QTest::newRow("semicolon") << "x;touch escaped;y";
        QTest::newRow("quote") << "it's";
        QTest::newRow("double quote and dollar") << "q\"$(touch escaped)";
    }
    void commands_stayInsideAnyRoot() {
        QFETCH(QString, rootName);
        QTemporaryDir work;
        const QString rootDir = work.filePath(rootName);
        QVERIFY(QDir().mkpath(rootDir + "/sys/x"));
        QVERIFY(QDir().mkpath(rootDir + "/mnt/sd"));
        Platform::setRoot(rootDir);
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(work.path());
        QCOMPARE(Global::my_system("echo 1 > /sys/x/y"), 0);
        QCOMPARE(Global::my_system("echo 2 >'/mnt/sd/a'; echo 3 >\"/mnt/sd/b\""), 0);
        QDir::setCurrent(cwd);
        Platform::setRoot("");
        QFile y(rootDir + "/sys/x/y");
        QVERIFY(y.open(QIODevice::ReadOnly));
        QCOMPARE(y.readAll(), QByteArray("1\n"));
        QVERIFY(QFile::exists(rootDir + "/mnt/sd/a") && QFile::exists(rootDir + "/mnt/sd/b"));
        QVERIFY(!QFile::exists(work.filePath("escaped")));
        QCOMPARE(QDir(work.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{rootName.contains('/') ? rootName.section('/', 0, 0) : rootName});
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
        // A stray node under a development root does not make it the handset.
        QVERIFY(root.writeFile("/dev/spidev1.0", ""));
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend(), Platform::Backend::Virtual);
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
