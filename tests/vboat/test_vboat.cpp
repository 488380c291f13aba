#include "boat_sim.h"
#include "history_log.h"
#include "korvel_test.h"
#include "sbus.h"
#include "virtual_boat.h"
#include "wire_client.h"

#include <sys/un.h>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

using namespace wiretest;

namespace {

const QDateTime kStart(QDate(2019, 1, 21), QTime(9, 59, 13), Qt::UTC);

vboat::SimOptions quickOptions() {
    vboat::SimOptions o;
    o.gpsAcquireSeconds = 0;
    o.startUtc = kStart;
    return o;
}

// A configuration message as the handset sends it: the text, then the XOR of its
// characters before the '*' as one raw byte.
QByteArray configMessage(const QByteArray& text, bool corrupt = false) {
    const quint8 x = xorOf(text, 0, text.indexOf('*'));
    return text + char(corrupt ? x ^ 0x01 : x);
}

struct Frame {
    QByteArray b;
    quint8 status() const { return quint8(b[3]); }
    quint32 rangeCm() const { return le(b, 4, 4); }
    double lat() const { return dmToDegrees(qint32(le(b, 8, 4))); }
    double lon() const { return dmToDegrees(qint32(le(b, 12, 4))); }
    quint32 utc() const { return le(b, 16, 4); }
    int heading() const { return int(le(b, 20, 2)); }
    int hdop() const { return int(le(b, 22, 2)); }
    int satellites() const { return quint8(b[24]); }
    int speedTenths() const { return quint8(b[25]); }
    int fishRow() const { return quint8(b[28]); }
    int fishStrength() const { return quint8(b[29]); }
    int topRow() const { return quint8(b[30]); }
    int battery() const { return quint8(b[31]); }
    int temperatureF() const { return quint8(b[32]); }
    int depthCm() const { return int(le(b, 33, 2)); }
    int sample(int row) const { return quint8(b[35 + row]); }
    bool valid() const { return b.size() == 276 && b[0] == '#' && xorOf(b, 3, 273) == 0; }
    static double dmToDegrees(qint32 v) {
        const double a = std::abs(double(v)) / 100000.0;
        const double deg = std::floor(a / 100.0);
        return (v < 0 ? -1 : 1) * (deg + (a - deg * 100.0) / 60.0);
    }
    QDateTime time() const {
        const quint32 w = utc();
        return QDateTime(QDate(2000 + int(w >> 26), (w >> 22) & 15, (w >> 17) & 31),
                         QTime((w >> 12) & 31, (w >> 6) & 63, w & 63), Qt::UTC);
    }
};

double metresBetween(const Frame& a, const Frame& b) {
    const double dy = (b.lat() - a.lat()) * 111320.0;
    const double dx = (b.lon() - a.lon()) * 111320.0 * std::cos(a.lat() * M_PI / 180.0);
    return std::hypot(dx, dy);
}

QList<Frame> framesOf(const QList<Burst>& bursts) {
    QList<Frame> out;
    for (const Burst& b : bursts)
        if (b.isFrame()) out.append({b.payload()});
    return out;
}

// A boat with the handset end of its socket pair.
struct Rig {
    explicit Rig(const vboat::SimOptions& o = quickOptions())
        : boat(new vboat::VirtualBoat(o)), wire(boat->attachSocketPair()) {}
    std::unique_ptr<vboat::VirtualBoat> boat;
    Wire wire;
    // Powers the boat on and waits for its hello.
    bool start() {
        boat->powerOn();
        return waitFor(wire, 0x11, 0xA6, 2000);
    }
};

}  // namespace

class TestVboat : public QObject {
    Q_OBJECT

private slots:
    void wire_versionLinesFillerAndErrors();
    void powerOn_helloThenOneValidFramePerTransfer();
    void frameRate_withinTenPercent_data();
    void frameRate_withinTenPercent();
    void config_acknowledgedOnlyWhenWellFormed_data();
    void config_acknowledgedOnlyWhenWellFormed();
    void boatCommands_answeredWithReports();
    void radioReport_signalOnlyWhenBoatHeard();
    void bind_succeedsOnlyOnceBoatPoweredOn();
    void faults_visibleOnTheWire_data();
    void faults_visibleOnTheWire();
    void handshake_writesOutsideTransferCounted();
    void packetReader_resynchronisesAfterNoise();
    void lake_valuesPlausibleOverThreeMinutes();
    void historyLog_headerAndValidRecords();
    void program_recordsLogAndServesSocket();
    void stop_boundedAndClosesSocket();
};

void TestVboat::wire_versionLinesFillerAndErrors() {
    Rig rig;
    Wire& w = rig.wire;
    QVERIFY(w.sendRaw("V"));
    QCOMPARE(w.recvExact(2), QByteArray("v\x01", 2));
    QCOMPARE(w.line(kChipSelect), 1);
    QCOMPARE(w.line(kTransmit), 0);
    QCOMPARE(w.line(kReady), 0);
    QCOMPARE(w.setLine(kTransmit, 7), 1);
    QCOMPARE(w.setLine(kReady, 1), 0);  // the module's output cannot be driven
    QCOMPARE(w.setLine(kChipSelect, 0), 0);
    QCOMPARE(w.read(4), QByteArray(4, '\0'));  // nothing queued: idle filler
    QCOMPARE(w.read(0), QByteArray());

    QVERIFY(w.sendRaw(QByteArray("G\x09", 2)));
    QCOMPARE(w.recvExact(2), QByteArray("E\x03", 2));
    char c;
    pollfd p = {w.fd(), POLLIN, 0};
    QVERIFY(::poll(&p, 1, 1000) == 1);
    QCOMPARE(::recv(w.fd(), &c, 1, 0), ssize_t(0));  // then the boat hangs up

    Rig rig2;
    QVERIFY(rig2.wire.sendRaw("Z"));
    QCOMPARE(rig2.wire.recvExact(2), QByteArray("E\x01", 2));
    Rig rig3;
    QVERIFY(rig3.wire.sendRaw(QByteArray("R\x01\x10", 3)));  // 4097 bytes
    QCOMPARE(rig3.wire.recvExact(2), QByteArray("E\x02", 2));
}

void TestVboat::powerOn_helloThenOneValidFramePerTransfer() {
    Rig rig;
    rig.boat->powerOn();
    const QList<Burst> bursts = collect(rig.wire, 1800);
    QVERIFY(!bursts.isEmpty());
    QCOMPARE(bursts.first().type(), 0x11);
    QCOMPARE(bursts.first().payload(), QByteArray("\xA6\x59"));
    QCOMPARE(bursts.first().noise, 0);
    int frames = 0;
    quint8 lastIndex = quint8(bursts.first().packets.first().header[6]);
    for (const Burst& b : bursts.mid(1)) {
        QVERIFY(!b.aborted);
        QCOMPARE(b.packets.size(), 1);  // one message per transfer
        QCOMPARE(b.type(), 0x12);
        QCOMPARE(quint8(b.packets.first().header[6]), quint8(lastIndex + 1));
        lastIndex = quint8(b.packets.first().header[6]);
        const Frame f{b.payload()};
        QVERIFY(f.valid());
        QCOMPARE(int(quint8(f.b[1])), 0x10);
        QCOMPARE(int(quint8(f.b[2])), 0x01);
        QVERIFY(f.rangeCm() >= 500 && f.rangeCm() <= 5000 && f.rangeCm() % 500 == 0);
        QVERIFY(f.depthCm() > 60 && f.depthCm() < int(f.rangeCm()));
        QVERIFY(f.topRow() > 0 && f.topRow() < 120);
        ++frames;
    }
    QVERIFY2(frames >= 6 && frames <= 10, qPrintable(QString::number(frames)));
    QCOMPARE(rig.wire.line(kReady), 0);
}

void TestVboat::frameRate_withinTenPercent_data() {
    QTest::addColumn<double>("rate");
    QTest::newRow("default 6/s") << 0.0;
    QTest::newRow("12/s") << 12.0;
}

void TestVboat::frameRate_withinTenPercent() {
    QFETCH(double, rate);
    Rig rig;
    if (rate > 0) rig.boat->setFrameRate(rate);
    QVERIFY(rig.start());
    QVERIFY(waitFor(rig.wire, 0x12, '#', 1000));
    const int windowMs = 3000;
    const int frames = framesOf(collect(rig.wire, windowMs)).size();
    const double expected = (rate > 0 ? rate : 6.0) * windowMs / 1000.0;
    QVERIFY2(std::abs(frames - expected) <= 0.1 * expected,
             qPrintable(QString("%1 frames, expected %2").arg(frames).arg(expected)));
}

void TestVboat::config_acknowledgedOnlyWhenWellFormed_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("corrupt");
    QTest::addColumn<bool>("acked");
    QTest::addColumn<int>("gainInUse");  // -1: not checked
    QTest::addColumn<int>("rangeCm");    // -1: not checked
    QTest::newRow("gain 2x") << QByteArray(",Gain=1*") << false << true << 1 << -1;
    QTest::newRow("range 20 m") << QByteArray(",LRng=20*") << false << true << -1 << 2000;
    QTest::newRow("combined") << QByteArray(",Freq=0,Gain=2,LRng=15*") << false << true << 2
                              << 1500;
    QTest::newRow("sensitivities") << QByteArray(",Sens=5,Fsen=7*") << false << true << -1 << -1;
    QTest::newRow("single FSen") << QByteArray(",FSen=0*") << false << true << -1 << -1;
    QTest::newRow("bad checksum") << QByteArray(",Gain=1*") << true << false << -1 << -1;
    QTest::newRow("gain out of range") << QByteArray(",Gain=7*") << false << false << -1 << -1;
    QTest::newRow("unknown key") << QByteArray(",Volume=3*") << false << false << -1 << -1;
    QTest::newRow("no number") << QByteArray(",LRng=abc*") << false << false << -1 << -1;
}

void TestVboat::config_acknowledgedOnlyWhenWellFormed() {
    QFETCH(QByteArray, text);
    QFETCH(bool, corrupt);
    QFETCH(bool, acked);
    QFETCH(int, gainInUse);
    QFETCH(int, rangeCm);
    Rig rig;
    QVERIFY(rig.start());
    QVERIFY(rig.wire.sendCommand(0x11, command(0xB1, configMessage(text, corrupt))));
    Burst ack;
    QCOMPARE(waitFor(rig.wire, 0x11, 0xA0, 800, &ack), acked);
    const vboat::BoatStats stats = rig.boat->stats();
    QCOMPARE(stats.configAccepted, acked ? 1 : 0);
    QCOMPARE(stats.configRejected, acked ? 0 : 1);
    if (!acked) return;
    QCOMPARE(ack.payload(), QByteArray("\xA0\x5F"));
    const QList<Frame> after = framesOf(collect(rig.wire, 700));
    QVERIFY(after.size() >= 2);
    for (const Frame& f : after) {
        if (gainInUse >= 0) QCOMPARE(int(f.status() & 3), gainInUse);
        if (rangeCm >= 0) QCOMPARE(int(f.rangeCm()), rangeCm);
    }
}

void TestVboat::boatCommands_answeredWithReports() {
    Rig rig;
    vboat::BoatVersions v;
    v.app = 0x0123;
    v.radio = 0x4567;
    v.gps = 0x89AB;
    v.autopilot = 123;
    rig.boat->setVersions(v);
    QVERIFY(rig.start());

    Burst b;
    QVERIFY(rig.wire.sendCommand(0x11, command(0xA6)));
    QVERIFY(waitFor(rig.wire, 0x11, 0xA6, 800, &b));
    QCOMPARE(b.payload(), QByteArray("\xA6\x59"));

    QVERIFY(rig.wire.sendCommand(0x11, command(0xA3)));
    QVERIFY(waitFor(rig.wire, 0x11, 0xC1, 800, &b));
    const QByteArray r = b.payload();
    QCOMPARE(r.size(), 21);
    QCOMPARE(byteAt(r, 1), quint8(0x3E));
    QCOMPARE(int(byteAt(r, 2)), 18);
    QCOMPARE(le(r, 11, 2), 0x0123u);
    QCOMPARE(le(r, 13, 2), 0x4567u);
    QCOMPARE(le(r, 15, 2), 0x89ABu);
    QCOMPARE(le(r, 17, 2), 123u);
    QCOMPARE(byteAt(r, 20), xorOf(r, 11, 8));

    QVERIFY(rig.wire.sendCommand(0x11, command(0xA4)));  // compass calibration
    QVERIFY(waitFor(rig.wire, 0x11, 0xA0, 800));

    // Reset: the box goes quiet, then boots and says hello again.
    QVERIFY(rig.wire.sendCommand(0x11, command(0xA5)));
    collect(rig.wire, 100);  // what was already on its way
    QElapsedTimer t;
    t.start();
    QVERIFY(waitFor(rig.wire, 0x11, 0xA6, 3000));
    QVERIFY2(t.elapsed() >= 1000, qPrintable(QString::number(t.elapsed())));
}

void TestVboat::radioReport_signalOnlyWhenBoatHeard() {
    Rig rig;
    for (bool on : {false, true}) {
        if (on) QVERIFY(rig.start());
        QVERIFY(rig.wire.sendCommand(0x10, command(0xA3)));
        Burst b;
        QVERIFY(waitFor(rig.wire, 0x10, 0xC1, 800, &b));
        const QByteArray r = b.payload();
        QCOMPARE(r.size(), 9);
        QCOMPARE(byteAt(r, 1), quint8(0x3E));
        QCOMPARE(int(byteAt(r, 2)), 6);
        QCOMPARE(xorOf(r, 3, 6), quint8(0));
        const int mine = byteAt(r, 5), his = byteAt(r, 6);
        if (!on) {
            QCOMPARE(mine, 0);
            QCOMPARE(his, 0);
        } else {
            QVERIFY2(mine - 256 >= -100 && mine - 256 <= -30, qPrintable(QString::number(mine)));
            QVERIFY2(his - 256 >= -100 && his - 256 <= -30, qPrintable(QString::number(his)));
        }
    }
}

void TestVboat::bind_succeedsOnlyOnceBoatPoweredOn() {
    Rig rig;
    QVERIFY(rig.wire.sendCommand(0x10, command(0xA1)));
    Burst b;
    QVERIFY(waitFor(rig.wire, 0x10, 0xA0, 500, &b));
    QCOMPARE(b.payload(), QByteArray("\xA0\x5F"));
    QVERIFY(!waitFor(rig.wire, 0x10, 0xA2, 1500));  // boat still off
    rig.boat->powerOn();
    QVERIFY(waitFor(rig.wire, 0x10, 0xA2, 3000, &b));
    QCOMPARE(b.payload(), QByteArray("\xA2\x5D"));
    QCOMPARE(rig.boat->stats().bindRequests, 1);

    // A boat that is already on pairs too; one success per bind command.
    QVERIFY(rig.wire.sendCommand(0x10, command(0xA1)));
    QVERIFY(waitFor(rig.wire, 0x10, 0xA2, 2500));
    QVERIFY(!waitFor(rig.wire, 0x10, 0xA2, 1200));
}

void TestVboat::faults_visibleOnTheWire_data() {
    QTest::addColumn<QString>("fault");
    for (const char* name : {"silence", "bad-frame-checksum", "bad-header-checksum", "short-frame",
                             "long-frame", "garbage", "split-frame"})
        QTest::newRow(name) << QString(name);
}

void TestVboat::faults_visibleOnTheWire() {
    QFETCH(QString, fault);
    vboat::Fault f;
    QVERIFY(vboat::faultFromName(fault, f));
    Rig rig;
    rig.boat->setFrameRate(10);
    QVERIFY(rig.start());
    rig.boat->setFault(f);
    collect(rig.wire, 150);  // frames built before the fault
    const QList<Burst> bursts = collect(rig.wire, 1200);

    int frames = 0, badChecksum = 0, badHeader = 0, noisy = 0, split = 0;
    QList<int> lengths;
    for (const Burst& b : bursts) {
        if (b.aborted) {
            const RxPacket& last = b.packets.last();
            if (last.header.startsWith("#sbus") && last.header[11] == '*' && !last.headerOk())
                ++badHeader;
            continue;
        }
        if (b.type() != 0x12) continue;
        ++frames;
        const QByteArray p = b.payload();
        lengths.append(p.size());
        if (p.size() == 276 && xorOf(p, 3, 273) != 0) ++badChecksum;
        if (b.noise > 0 && Frame{p}.valid()) ++noisy;
        if (b.packets.size() == 2 && Frame{p}.valid()) ++split;
    }
    if (f == vboat::Fault::Silence) {
        QCOMPARE(bursts.size(), 0);
        QCOMPARE(rig.wire.line(kReady), 0);
    } else if (f == vboat::Fault::BadFrameChecksum) {
        QVERIFY(frames >= 8);
        QCOMPARE(badChecksum, frames);
    } else if (f == vboat::Fault::BadHeaderChecksum) {
        QVERIFY(badHeader >= 8);
        QCOMPARE(frames, 0);
    } else if (f == vboat::Fault::ShortFrame || f == vboat::Fault::LongFrame) {
        QVERIFY(frames >= 8);
        QCOMPARE(lengths.count(f == vboat::Fault::ShortFrame ? 275 : 277), frames);
    } else if (f == vboat::Fault::Garbage) {
        QVERIFY(frames >= 8);
        QCOMPARE(noisy, frames);
    } else if (f == vboat::Fault::SplitFrame) {
        QVERIFY(frames >= 8);
        QCOMPARE(split, frames);
    }

    // Cleared, the boat is healthy again.
    rig.boat->setFault(vboat::Fault::None);
    collect(rig.wire, 400);
    const QList<Burst> healthy = collect(rig.wire, 600);
    const QList<Frame> good = framesOf(healthy);
    QVERIFY(good.size() >= 4);
    for (const Frame& g : good)
        QVERIFY(g.valid());
}

void TestVboat::handshake_writesOutsideTransferCounted() {
    Rig rig;
    QVERIFY(rig.wire.sendCommand(0x10, command(0xA3)));
    QCOMPARE(rig.boat->stats().handshakeViolations, 0);
    QVERIFY(rig.wire.write(sbus(0x10, command(0xA3))));  // chip select high, transmit low
    QVERIFY(waitFor(rig.wire, 0x10, 0xC1, 500));
    const vboat::BoatStats s = rig.boat->stats();
    QCOMPARE(s.handshakeViolations, 1);
    QCOMPARE(s.packetsReceived, 2);
    rig.wire.read(3);  // chip select is high: not selected
    QCOMPARE(rig.boat->stats().readsWhileDeselected, 1);
}

void TestVboat::packetReader_resynchronisesAfterNoise() {
    const QByteArray good1 = sbus(0x10, command(0xA1), 1);
    QByteArray badHeader = sbus(0x11, command(0xA6), 2);
    badHeader[10] = char(badHeader[10] ^ 0x40);
    const QByteArray good2 = sbus(0x11, command(0xB1, ",Gain=1*x"), 3);
    const QByteArray stream = QByteArray("\x01\x02#s#sbu") + good1 + badHeader + "zz" + good2;

    vboat::PacketReader reader;
    // Fed in small pieces, as a stream may arrive.
    for (int i = 0; i < stream.size(); i += 5)
        reader.feed(stream.mid(i, 5));
    QList<vboat::Packet> got;
    vboat::Packet p;
    while (reader.next(p))
        got.append(p);
    QCOMPARE(got.size(), 2);
    QCOMPARE(int(got[0].type), 0x10);
    QCOMPARE(int(got[0].index), 1);
    QCOMPARE(got[0].payload, command(0xA1));
    QCOMPARE(int(got[1].index), 3);
    QCOMPARE(got[1].payload, command(0xB1, ",Gain=1*x"));
    QCOMPARE(reader.rejectedHeaders(), 1);
}

void TestVboat::lake_valuesPlausibleOverThreeMinutes() {
    vboat::BoatSim sim(quickOptions());
    const vboat::SonarSettings settings;
    QList<Frame> frames;
    for (int i = 0; i < 6 * 180; ++i)
        frames.append({sim.nextFrame(1.0 / 6, settings)});

    int withFish = 0, minDepth = 100000, maxDepth = 0;
    for (int i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        QVERIFY(f.valid());
        minDepth = qMin(minDepth, f.depthCm());
        maxDepth = qMax(maxDepth, f.depthCm());
        QVERIFY(f.depthCm() < int(f.rangeCm()));  // automatic range keeps the bottom in view
        const int bottomRow = int(f.depthCm() * 240.0 / f.rangeCm());
        // The bottom echo, within two rows of the reported depth (its tracking is a little
        // noisy, and a row is 2 cm at the 5 m range).
        int bottomEcho = 0;
        for (int r = bottomRow; r <= qMin(239, bottomRow + 2); ++r)
            bottomEcho = qMax(bottomEcho, f.sample(r));
        QVERIFY2(bottomEcho >= 100, qPrintable(QString::number(bottomEcho)));
        int loud = 0;
        for (int r = f.topRow() + 20; r < bottomRow - 5; ++r)
            loud += f.sample(r) > 60 ? 1 : 0;
        QVERIFY(loud <= 12);  // the water column is mostly quiet
        if (f.fishStrength() > 0) {
            ++withFish;
            QVERIFY(f.fishRow() > f.topRow() && f.fishRow() < bottomRow);
            QCOMPARE(f.sample(f.fishRow()), f.fishStrength());
        }
        QVERIFY(f.heading() >= 1 && f.heading() <= 3600);
        QVERIFY(f.satellites() >= 4 && f.satellites() <= 12);
        QVERIFY(f.hdop() >= 70 && f.hdop() <= 400);
        QVERIFY(f.temperatureF() >= 58 && f.temperatureF() <= 63);
        QVERIFY(f.battery() >= 105 && f.battery() <= 126);
        if (i > 0) QVERIFY(f.battery() <= frames[i - 1].battery());
        if (i >= 60) {
            const double speed = metresBetween(frames[i - 60], f) / 10.0;  // over 10 s
            QVERIFY2(speed >= 0.7 && speed <= 2.5, qPrintable(QString::number(speed)));
            QVERIFY(std::abs(f.speedTenths() - 13) <= 5);
        }
    }
    QVERIFY2(minDepth >= 60 && maxDepth <= 3000 && maxDepth - minDepth >= 300,
             qPrintable(QString("%1..%2").arg(minDepth).arg(maxDepth)));
    QVERIFY2(withFish > 0 && withFish < frames.size() / 3, qPrintable(QString::number(withFish)));
    QCOMPARE(frames.first().time(), kStart);
    QCOMPARE(frames.first().time().secsTo(frames.last().time()), 179);
    QVERIFY(frames.last().battery() < frames.first().battery() || frames.first().battery() == 124);
    QVERIFY(std::abs(frames.first().lat() - 22.552) < 0.01 &&
            std::abs(frames.first().lon() - 113.9408) < 0.01);
}

void TestVboat::historyLog_headerAndValidRecords() {
    QTemporaryDir dir;
    const QString path = dir.filePath("run.kvlw");
    QCOMPARE(vboat::writeHistoryLog(path, 0.25, 6, quickOptions()), 90);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QCOMPARE(data.size(), 64 + 90 * 276);
    QCOMPARE(data.left(64), QByteArray(64, '*'));
    for (int i = 0; i < 90; ++i)
        QVERIFY(Frame{data.mid(64 + i * 276, 276)}.valid());
    const Frame first{data.mid(64, 276)}, last{data.mid(64 + 89 * 276, 276)};
    QCOMPARE(first.time(), kStart);
    QCOMPARE(first.time().secsTo(last.time()), 14);
    QCOMPARE(vboat::writeHistoryLog(dir.filePath("missing/run.kvlw"), 0.25, 6, quickOptions()), -1);
}

void TestVboat::program_recordsLogAndServesSocket() {
    QTemporaryDir dir;
    const QString log = dir.filePath("0121-1759.kvlw");
    QCOMPARE(QProcess::execute(KORVEL_VBOAT_BINARY, {"--record-log", log, "--minutes", "0.5",
                                                     "--start", "2019-01-21T09:59:13"}),
             0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QCOMPARE(data.size(), 64 + 180 * 276);
    QCOMPARE(Frame{data.mid(64, 276)}.time(), kStart);
    QVERIFY(QProcess::execute(KORVEL_VBOAT_BINARY,
                              {"--socket", dir.filePath("s"), "--rate", "0"}) != 0);

    const QString sock = dir.filePath("boat.sock");
    QProcess boat;
    boat.start(KORVEL_VBOAT_BINARY, {"--socket", sock, "--rate", "8"});
    QVERIFY(boat.waitForStarted());
    int fd = -1;
    for (int i = 0; i < 100 && fd < 0; ++i) {
        QThread::msleep(20);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, QFile::encodeName(sock).constData(), sizeof addr.sun_path);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            fd = s;
        } else {
            ::close(s);
        }
    }
    QVERIFY(fd >= 0);
    Wire w(fd);
    QVERIFY(waitFor(w, 0x11, 0xA6, 2000));  // switched on for the first handset
    QVERIFY(waitFor(w, 0x12, '#', 1000));
    w.close();
    boat.terminate();
    QVERIFY(boat.waitForFinished(3000));
    QCOMPARE(boat.exitCode(), 0);
    QVERIFY(!QFile::exists(sock));
}

void TestVboat::stop_boundedAndClosesSocket() {
    Rig rig;
    QVERIFY(rig.start());
    QElapsedTimer t;
    t.start();
    QVERIFY(rig.boat->stop(1000));
    QVERIFY(t.elapsed() < 1000);
    char c;
    pollfd p = {rig.wire.fd(), POLLIN, 0};
    // Whatever was already sent may still be read; then the end of the stream.
    ssize_t n = 1;
    while (n > 0 && ::poll(&p, 1, 1000) == 1)
        n = ::recv(rig.wire.fd(), &c, 1, 0);
    QCOMPARE(n, ssize_t(0));
    rig.boat.reset();  // the destructor after stop() does not hang
}

KORVEL_TEST_MAIN(TestVboat)
#include "test_vboat.moc"
