// The platform layer: handset paths and shell commands under a root, the choice of backend,
// and the serial port as a program on its far end sees it (the virtual backend's pty and its
// name under /dev, the device backend's terminal made raw).
#include "korvel_test.h"
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "platform/serial_port_linux.h"
#include "platform/serial_port_virtual.h"
#include "platform/shell.h"
#include "test_root.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>

namespace {

// One open descriptor, closed with the scope.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// The far end leaves the line settings alone: the line is raw because the handset made it so.
int openReader(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

// Reads until `expected` bytes came or nothing arrives for a while, then takes whatever else
// is pending, so that extra bytes show up in the comparison.
QByteArray readBytes(int fd, int expected, int quietMs = 500) {
    QByteArray got;
    char buf[4096];
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, got.size() >= expected ? 20 : quietMs) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, int(n));
    }
    return got;
}

termios settingsOf(int fd) {
    termios tio{};
    tcgetattr(fd, &tio);
    return tio;
}

bool runsAt(int fd, speed_t speed) {
    const termios tio = settingsOf(fd);
    return cfgetospeed(&tio) == speed && cfgetispeed(&tio) == speed;
}

QByteArray linkTarget(const QString& path) {
    return QFile::encodeName(QFile::symLinkTarget(path));
}

}  // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestRoot> root;
    QString link;

private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }
    void init() {
        root = std::make_unique<TestRoot>();
        link = root->path("/dev/ttySP0");
    }
    void cleanup() {
        Platform::setBackend(Platform::Backend::Virtual);
        root.reset();
    }

    void paths_landUnderTheRoot_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("mapped");
        const auto row = [](const char* name, const char* root, const char* given, const char* to) {
            QTest::newRow(name) << QString(root) << QString(given) << QString(to);
        };
        row("real root", "/", "/opt/navi.knv", "/opt/navi.knv");
        row("a root", "/R/", "/opt/navi.knv", "/R/opt/navi.knv");
        row("already mapped", "/R", "/R/opt/navi.knv", "/R/opt/navi.knv");
        row("relative", "/R", "Regular.otf", "Regular.otf");
    }
    void paths_landUnderTheRoot() {
        QFETCH(QString, root);
        QFETCH(QString, given);
        QFETCH(QString, mapped);
        const QString previous = Platform::root();
        Platform::setRoot(root);
        const QString got = Platform::path(given);
        Platform::setRoot(previous);
        QCOMPARE(got, mapped);
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

    void shell_writesUnderTheRoot() {
        QVERIFY(root->writeFile("/sys/class/leds/beep/brightness", "0\n"));
        QCOMPARE(Global::my_system("echo 1 > /sys/class/leds/beep/brightness"), 0);
        QCOMPARE(root->readFile("/sys/class/leds/beep/brightness"), QByteArray("1\n"));
    }

    void backend_followsTheEnvironmentOrTheSpiNode_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("spiNode");
        QTest::addColumn<bool>("device");
        QTest::newRow("no choice, no SPI node") << "" << false << false;
        // A stray node under a development root does not make it the handset.
        QTest::newRow("no choice, an SPI node under a root") << "" << true << false;
        QTest::newRow("virtual") << " Virtual" << true << false;
        QTest::newRow("device") << "device" << false << true;
    }
    void backend_followsTheEnvironmentOrTheSpiNode() {
        QFETCH(QString, choice);
        QFETCH(bool, spiNode);
        QFETCH(bool, device);
        if (spiNode) QVERIFY(root->writeFile("/dev/spidev1.0", ""));
        qputenv("KORVEL_PLATFORM", choice.toLocal8Bit());
        qputenv("KORVEL_ROOT", root->dir().toLocal8Bit());
        Platform::initFromEnvironment();
        QCOMPARE(Platform::backend() == Platform::Backend::Device, device);
        qputenv("KORVEL_PLATFORM", "virtual");
        Platform::initFromEnvironment();
        qunsetenv("KORVEL_ROOT");
        Platform::setRoot(root->dir());
    }

    void virtualPort_setsTheSpeedOfTheLine_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<speed_t>("speed");
        QTest::newRow("4800") << 0 << speed_t(B4800);
        QTest::newRow("9600") << 1 << speed_t(B9600);
        QTest::newRow("38400") << 2 << speed_t(B38400);
        QTest::newRow("115200") << 3 << speed_t(B115200);
        // A damaged setting gives the start-up speed, never an undefined one.
        QTest::newRow("negative") << -1 << speed_t(B115200);
        QTest::newRow("too large") << 4 << speed_t(B115200);
    }
    void virtualPort_setsTheSpeedOfTheLine() {
        QFETCH(int, rate);
        QFETCH(speed_t, speed);
        auto port = SerialPort::create();  // the virtual backend's
        QCOMPARE(port->open(rate), 0);
        Fd reader{openReader(link)};
        QVERIFY(runsAt(reader.fd, speed));
        QCOMPARE(port->setBaudRate(rate == BaudRate9600 ? BaudRate38400 : BaudRate9600), 0);
        QVERIFY(!runsAt(reader.fd, speed));
        QCOMPARE(port->setBaudRate(rate), 0);
        QVERIFY(runsAt(reader.fd, speed));
    }

    void virtualPort_linesArriveByteForByte_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QString text300;
        for (int i = 0; i < 300; ++i)
            text300 += QChar('0' + i % 10);
        QTest::newRow("plain") << "hello" << QByteArray("hello\n");
        QTest::newRow("empty") << "" << QByteArray("\n");
        QTest::newRow("255 kept") << QString(255, 'A') << QByteArray(255, 'A') + '\n';
        QTest::newRow("300 cut") << text300 << text300.left(255).toLatin1() + '\n';
        QTest::newRow("latin-1") << QString::fromUtf8("Grüße 45°")
                                 << QByteArray("Gr\xfc\xdf\x65 45\xb0\n");
        QTest::newRow("not latin-1") << QString::fromUtf8("水深 5m €") << QByteArray("?? 5m ?\n");
        // Bytes a cooked line would swallow or turn into signals and flow control.
        QTest::newRow("control bytes") << QString::fromLatin1("\x03\x04\x11\x13\x16\x1a\x7f\r\xff")
                                       << QByteArray("\x03\x04\x11\x13\x16\x1a\x7f\r\xff\n");
    }
    void virtualPort_linesArriveByteForByte() {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate4800), 0);
        Fd reader{openReader(link)};
        QCOMPARE(port.writeLine(text), wire.size());
        QCOMPARE(readBytes(reader.fd, wire.size()), wire);
        QCOMPARE(readBytes(port.fd(), 1, 50), QByteArray());  // no echo towards the handset
    }

    void virtualPort_withoutReaderDropsLinesInsteadOfBlocking() {
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate115200), 0);
        const QString line(255, 'x');
        int accepted = 0, refused = 0;
        for (int i = 0; i < 4000 && refused < 3; ++i) {
            const int r = port.writeLine(line);
            QVERIFY2(r == 256 || r == -1, qPrintable(QString::number(r)));
            ++(r < 0 ? refused : accepted);
        }
        QVERIFY(accepted > 0);
        QCOMPARE(refused, 3);
        // A listener arriving late gets the buffered lines, and new lines flow again.
        Fd reader{openReader(link)};
        const QByteArray backlog = readBytes(reader.fd, accepted * 256);
        QVERIFY(backlog.size() >= accepted * 256 && backlog.size() < (accepted + refused) * 256);
        QVERIFY(backlog.startsWith((line.toLatin1() + '\n').repeated(accepted / 2)));
        QCOMPARE(port.writeLine("again"), 6);
        QCOMPARE(readBytes(reader.fd, 6), QByteArray("again\n"));
    }

    void virtualPort_publishesItsNameAndRemovesOnlyItsOwnLink() {
        QVERIFY(QDir().mkpath(root->path("/dev")));
        QVERIFY(QFile::link("/dev/pts/no-such-pty", link));  // left by an earlier run
        {
            VirtualSerialPort port;
            QCOMPARE(port.open(BaudRate9600), 0);
            QVERIFY(port.slaveName().startsWith("/dev/pts/"));
            QCOMPARE(linkTarget(link), port.slaveName());
            QCOMPARE(port.open(BaudRate115200), 0);  // reopened: the name follows the new pty
            QCOMPARE(linkTarget(link), port.slaveName());
            Fd reader{openReader(link)};
            QCOMPARE(port.writeLine("fresh"), 6);
            QCOMPARE(readBytes(reader.fd, 6), QByteArray("fresh\n"));
            // A second port takes the name over; the first leaves it alone when it closes.
            auto second = std::make_unique<VirtualSerialPort>();
            QCOMPARE(second->open(BaudRate4800), 0);
            port.close();
            QCOMPARE(port.writeLine("closed"), -1);
            QCOMPARE(linkTarget(link), second->slaveName());
            second.reset();
            QVERIFY(!QFileInfo(link).isSymLink());
            QCOMPARE(port.open(BaudRate4800), 0);
            QVERIFY(QFileInfo(link).isSymLink());
        }
        QVERIFY(
            QDir(root->path("/dev"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)
                .isEmpty());
        // A file of that name is not the port's to replace.
        QVERIFY(root->writeFile("/dev/ttySP0", "keep me"));
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate115200), -1);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.writeLine("lost"), -1);
        QCOMPARE(root->readFile("/dev/ttySP0"), QByteArray("keep me"));
    }

    void devicePort_refusesWhatIsNoTerminal() {
        Platform::setBackend(Platform::Backend::Device);
        for (bool file : {false, true}) {  // missing, then a plain file
            if (file) QVERIFY(root->writeFile("/dev/ttySP0", ""));
            auto port = SerialPort::create();
            QCOMPARE(port->open(BaudRate115200), -1);
            QVERIFY(!port->isOpen());
            QCOMPARE(port->setBaudRate(BaudRate4800), -1);
            QCOMPARE(port->writeLine("$GPGGA"), -1);
            QCOMPARE(QFileInfo::exists(link), file);
        }
        QCOMPARE(root->readFile("/dev/ttySP0"), QByteArray());
    }

    void linuxPort_makesTheLineRaw() {
        Fd master{posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK)};
        char name[PATH_MAX];
        QVERIFY(grantpt(master.fd) == 0 && unlockpt(master.fd) == 0 &&
                ptsname_r(master.fd, name, sizeof name) == 0);
        // Start from a cooked line with every flag the handset must clear.
        termios cooked = settingsOf(master.fd);
        cooked.c_iflag |= BRKINT | INPCK | ISTRIP | ICRNL | IXON;
        cooked.c_oflag |= OPOST | ONLCR;
        cooked.c_cflag = (cooked.c_cflag & ~CSIZE) | CS7 | PARENB;
        cooked.c_lflag |= ISIG | ICANON | ECHO | IEXTEN;
        QCOMPARE(tcsetattr(master.fd, TCSANOW, &cooked), 0);
        QVERIFY(QDir().mkpath(root->path("/dev")));
        QVERIFY(QFile::link(QFile::decodeName(name), link));

        LinuxSerialPort port;
        QCOMPARE(port.open(BaudRate38400), 0);
        Fd probe{::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK)};
        const termios raw = settingsOf(probe.fd);
        QCOMPARE(raw.c_iflag & (BRKINT | INPCK | ISTRIP | ICRNL | IXON), tcflag_t(0));
        QCOMPARE(raw.c_oflag & OPOST, tcflag_t(0));
        QCOMPARE(raw.c_cflag & (CSIZE | PARENB), tcflag_t(CS8));
        QCOMPARE(raw.c_lflag & (ISIG | ICANON | ECHO | IEXTEN), tcflag_t(0));
        QCOMPARE(port.setBaudRate(BaudRate9600), 0);
        QCOMPARE(settingsOf(probe.fd).c_lflag & ICANON, tcflag_t(0));  // a new speed, still raw
        // A line feed is not turned into CR LF on the wire.
        QCOMPARE(port.writeLine("a\nb\r"), 5);
        QCOMPARE(readBytes(master.fd, 5), QByteArray("a\nb\r\n"));
        port.close();
        QVERIFY(QFileInfo(link).isSymLink());  // not the backend's to remove
    }
};

KORVEL_TEST_MAIN(TestPlatform)
#include "test_platform.moc"
