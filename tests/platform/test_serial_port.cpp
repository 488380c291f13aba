#include "korvel_test.h"
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "platform/serial_port_linux.h"
#include "platform/serial_port_virtual.h"
#include "test_root.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <climits>

namespace {

// One open descriptor, closed with the scope.
struct Fd {
    explicit Fd(int f = -1) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int fd;
};

// What a serial program on the far end sees. The reader leaves the line settings alone: the
// line is raw because the handset made it so, which is what these tests check.
int openReader(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

// Reads until `expected` bytes came or nothing arrives for a while, then takes whatever else
// is pending, so that extra bytes show up in the comparison.
QByteArray readBytes(int fd, int expected, int quietMs = 500) {
    QByteArray got;
    char buf[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int wait = got.size() >= expected ? 20 : quietMs;
        if (::poll(&p, 1, wait) <= 0 || !(p.revents & POLLIN)) break;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<int>(n));
    }
    return got;
}

termios settingsOf(int fd) {
    termios tio;
    memset(&tio, 0, sizeof tio);
    if (tcgetattr(fd, &tio) != 0) qWarning("tcgetattr: %s", strerror(errno));
    return tio;
}

speed_t outSpeed(int fd) {
    const termios tio = settingsOf(fd);
    return cfgetospeed(&tio);
}

speed_t inSpeed(int fd) {
    const termios tio = settingsOf(fd);
    return cfgetispeed(&tio);
}

QByteArray linkTarget(const QString& path) {
    return QFile::symLinkTarget(path).isEmpty() ? QByteArray()
                                                : QFile::encodeName(QFile::symLinkTarget(path));
}

// A pty pair made by the test, standing for the board's UART under the Linux backend.
struct PtyPair {
    PtyPair() {
        master.fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        char name[PATH_MAX];
        if (master.fd >= 0 && grantpt(master.fd) == 0 && unlockpt(master.fd) == 0 &&
            ptsname_r(master.fd, name, sizeof name) == 0)
            slave = QByteArray(name);
    }
    Fd master;
    QByteArray slave;
};

QString text300() {
    QString s;
    for (int i = 0; i < 300; ++i)
        s += QChar('0' + i % 10);
    return s;
}

}  // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }

    void virtualPort_setsTheSpeedOfTheLine_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<speed_t>("speed");
        QTest::addColumn<int>("newRate");
        QTest::addColumn<speed_t>("newSpeed");
        QTest::newRow("4800 then 115200") << 0 << speed_t(B4800) << 3 << speed_t(B115200);
        QTest::newRow("115200 then 4800") << 3 << speed_t(B115200) << 0 << speed_t(B4800);
        QTest::newRow("9600 then 38400") << 1 << speed_t(B9600) << 2 << speed_t(B38400);
        QTest::newRow("38400 then 9600") << 2 << speed_t(B38400) << 1 << speed_t(B9600);
        // A damaged setting gives the start-up speed, never an undefined one.
        QTest::newRow("negative") << -1 << speed_t(B115200) << 0 << speed_t(B4800);
        QTest::newRow("too large") << 4 << speed_t(B115200) << 1 << speed_t(B9600);
        QTest::newRow("change to bad") << 0 << speed_t(B4800) << 77 << speed_t(B115200);
    }
    void virtualPort_setsTheSpeedOfTheLine() {
        QFETCH(int, rate);
        QFETCH(speed_t, speed);
        QFETCH(int, newRate);
        QFETCH(speed_t, newSpeed);
        TestRoot root;
        VirtualSerialPort port;
        QCOMPARE(port.open(rate), 0);
        Fd reader(openReader(root.path("/dev/ttySP0")));
        QVERIFY(reader.fd >= 0);
        QCOMPARE(outSpeed(reader.fd), speed);
        QCOMPARE(inSpeed(reader.fd), speed);
        QCOMPARE(port.setBaudRate(newRate), 0);
        QCOMPARE(outSpeed(reader.fd), newSpeed);
        QCOMPARE(inSpeed(reader.fd), newSpeed);
    }

    void virtualPort_linesArriveByteForByte_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("plain") << "hello" << QByteArray("hello\n");
        QTest::newRow("empty") << "" << QByteArray("\n");
        QTest::newRow("sentence") << "$GPGGA,123456,4512.3456,N,01234.5678,E,,08,0.9,,,,,*6A\r\n"
                                  << QByteArray(
                                         "$GPGGA,123456,4512.3456,N,01234.5678,E,,08,0.9,,,,,*"
                                         "6A\r\n\n");
        QTest::newRow("255 kept") << QString(255, 'A') << QByteArray(255, 'A') + '\n';
        QTest::newRow("300 cut") << text300() << text300().left(255).toLatin1() + '\n';
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
        for (const EnumBaudRate rate : {BaudRate4800, BaudRate115200}) {
            TestRoot root;
            VirtualSerialPort port;
            QCOMPARE(port.open(rate), 0);
            Fd reader(openReader(root.path("/dev/ttySP0")));
            QVERIFY(reader.fd >= 0);
            QCOMPARE(port.writeLine(text), wire.size());
            QCOMPARE(readBytes(reader.fd, wire.size()), wire);
            // Nothing comes back towards the handset: echo is off.
            QCOMPARE(readBytes(port.fd(), 1, 50), QByteArray());
        }
    }

    void virtualPort_withoutReaderDropsLinesInsteadOfBlocking() {
        TestRoot root;
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate115200), 0);
        const QString line(255, 'x');
        int accepted = 0;
        int refused = 0;
        for (int i = 0; i < 4000 && refused < 3; ++i) {
            const int r = port.writeLine(line);
            QVERIFY2(r == 256 || r == -1, qPrintable(QString::number(r)));
            ++(r < 0 ? refused : accepted);
        }
        QVERIFY(accepted > 0);
        QCOMPARE(refused, 3);
        QVERIFY(port.isOpen());

        // A listener arriving late gets the buffered lines, and new lines flow again.
        Fd reader(openReader(root.path("/dev/ttySP0")));
        QVERIFY(reader.fd >= 0);
        const QByteArray backlog = readBytes(reader.fd, accepted * 256);
        QVERIFY(backlog.size() >= accepted * 256);
        QVERIFY(backlog.size() < (accepted + refused) * 256);
        QCOMPARE(backlog.count('x') + backlog.count('\n'), backlog.size());
        QVERIFY(backlog.startsWith((line.toLatin1() + '\n').repeated(accepted / 2)));
        QCOMPARE(port.writeLine("again"), 6);
        QCOMPARE(readBytes(reader.fd, 6), QByteArray("again\n"));
    }

    void virtualPort_publishesTheSlaveAndRemovesItAgain() {
        TestRoot root;
        const QString link = root.path("/dev/ttySP0");
        QVERIFY(!QFileInfo::exists(root.path("/dev")));
        {
            VirtualSerialPort port;
            QCOMPARE(port.open(BaudRate4800), 0);
            QVERIFY(QFileInfo(link).isSymLink());
            QVERIFY(port.slaveName().startsWith("/dev/pts/"));
            QCOMPARE(linkTarget(link), port.slaveName());
            port.close();
            QVERIFY(!QFileInfo(link).isSymLink());
            QCOMPARE(port.writeLine("closed"), -1);
            QCOMPARE(port.open(BaudRate4800), 0);
            QVERIFY(QFileInfo(link).isSymLink());
        }
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(
            QDir(root.path("/dev"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)
                .isEmpty());
    }

    void virtualPort_replacesAStaleLink() {
        TestRoot root;
        const QString link = root.path("/dev/ttySP0");
        QVERIFY(QDir().mkpath(root.path("/dev")));
        QVERIFY(QFile::link("/dev/pts/no-such-pty", link));
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate9600), 0);
        QCOMPARE(linkTarget(link), port.slaveName());

        // Reopening moves the name to the new pty, and the old one is gone.
        QCOMPARE(port.open(BaudRate115200), 0);
        QCOMPARE(linkTarget(link), port.slaveName());
        Fd reader(openReader(link));
        QVERIFY(reader.fd >= 0);
        QCOMPARE(port.writeLine("fresh"), 6);
        QCOMPARE(readBytes(reader.fd, 6), QByteArray("fresh\n"));

        // A second port takes the name over; the first one leaves it alone when it goes.
        auto second = std::make_unique<VirtualSerialPort>();
        QCOMPARE(second->open(BaudRate4800), 0);
        const QByteArray secondSlave = second->slaveName();
        QCOMPARE(linkTarget(link), secondSlave);
        port.close();
        QCOMPARE(linkTarget(link), secondSlave);
        second.reset();
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void virtualPort_leavesAFileOfTheSameNameAlone() {
        TestRoot root;
        QVERIFY(root.writeFile("/dev/ttySP0", "keep me"));
        VirtualSerialPort port;
        QCOMPARE(port.open(BaudRate115200), -1);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.fd(), -1);
        QCOMPARE(port.writeLine("lost"), -1);
        QCOMPARE(root.readFile("/dev/ttySP0"), QByteArray("keep me"));
    }

    void linuxPort_missingDeviceFailsAndStaysQuiet() {
        TestRoot root;
        LinuxSerialPort port;
        QCOMPARE(port.fd(), -1);
        QCOMPARE(port.open(BaudRate115200), -1);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.fd(), -1);
        QCOMPARE(port.setBaudRate(BaudRate4800), -1);
        QCOMPARE(port.writeLine("nobody"), -1);
        QVERIFY(!QFileInfo::exists(root.path("/dev/ttySP0")));
    }

    void linuxPort_refusesAFileThatIsNoTerminal() {
        TestRoot root;
        QVERIFY(root.writeFile("/dev/ttySP0", ""));
        LinuxSerialPort port;
        QCOMPARE(port.open(BaudRate115200), -1);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.writeLine("$GPGGA"), -1);
        QCOMPARE(root.readFile("/dev/ttySP0"), QByteArray());
    }

    void linuxPort_makesTheLineRaw() {
        TestRoot root;
        PtyPair pty;
        QVERIFY(!pty.slave.isEmpty());
        // Start from a cooked line with every flag the handset must clear.
        termios cooked = settingsOf(pty.master.fd);
        cooked.c_iflag |= BRKINT | INPCK | ISTRIP | ICRNL | IXON;
        cooked.c_oflag |= OPOST | ONLCR;
        cooked.c_cflag = (cooked.c_cflag & ~CSIZE) | CS7 | PARENB;
        cooked.c_lflag |= ISIG | ICANON | ECHO | IEXTEN;
        cooked.c_cc[VMIN] = 1;
        cooked.c_cc[VTIME] = 0;
        QCOMPARE(tcsetattr(pty.master.fd, TCSANOW, &cooked), 0);
        QVERIFY(QDir().mkpath(root.path("/dev")));
        QVERIFY(QFile::link(QFile::decodeName(pty.slave), root.path("/dev/ttySP0")));

        LinuxSerialPort port;
        QCOMPARE(port.open(BaudRate38400), 0);
        QVERIFY(port.isOpen());
        Fd probe(::open(pty.slave.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK));
        QVERIFY(probe.fd >= 0);
        const termios raw = settingsOf(probe.fd);
        QCOMPARE(raw.c_iflag & (BRKINT | INPCK | ISTRIP | ICRNL | IXON), tcflag_t(0));
        QCOMPARE(raw.c_oflag & OPOST, tcflag_t(0));
        QCOMPARE(raw.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(raw.c_cflag & PARENB, tcflag_t(0));
        QCOMPARE(raw.c_lflag & (ISIG | ICANON | ECHO | IEXTEN), tcflag_t(0));
        QCOMPARE(int(raw.c_cc[VMIN]), 255);
        QCOMPARE(int(raw.c_cc[VTIME]), 150);
        QCOMPARE(cfgetospeed(&raw), speed_t(B38400));
        QCOMPARE(cfgetispeed(&raw), speed_t(B38400));

        QCOMPARE(port.setBaudRate(BaudRate9600), 0);
        QCOMPARE(outSpeed(probe.fd), speed_t(B9600));
        // Settings the speed change does not concern stay raw.
        QCOMPARE(settingsOf(probe.fd).c_lflag & ICANON, tcflag_t(0));

        // With output processing off a line feed is not turned into CR LF on the wire.
        QCOMPARE(port.writeLine("a\nb\r"), 5);
        QCOMPARE(readBytes(pty.master.fd, 5), QByteArray("a\nb\r\n"));
        port.close();
        QVERIFY(QFileInfo(root.path("/dev/ttySP0")).isSymLink());  // not the backend's to remove
    }

    void factory_followsThePlatform() {
        TestRoot root;
        Platform::setBackend(Platform::Backend::Device);
        auto device = SerialPort::create();
        QCOMPARE(device->open(BaudRate115200), -1);  // no UART under an empty root
        QVERIFY(!QFileInfo(root.path("/dev/ttySP0")).isSymLink());

        Platform::setBackend(Platform::Backend::Virtual);
        auto virtualPort = SerialPort::create();
        QCOMPARE(virtualPort->open(BaudRate115200), 0);
        QVERIFY(QFileInfo(root.path("/dev/ttySP0")).isSymLink());
        virtualPort.reset();
        QVERIFY(!QFileInfo(root.path("/dev/ttySP0")).isSymLink());
    }
};

KORVEL_TEST_MAIN(TestSerialPort)
#include "test_serial_port.moc"
