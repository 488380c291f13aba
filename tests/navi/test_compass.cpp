// The handset compass on emulated chips of both generations: detection, the heading of a
// tilted handset, failed transfers, the calibration and its record.
#include "korvel_test.h"
#include "navi/compass_heading.h"
#include "navi/ux_compass_device.h"
#include "platform/compass_bus.h"
#include "platform/virtual_compass_chip.h"
#include "test_root.h"

#include <QtTest>
#include <cmath>

namespace {

// The emulated chip on a bus whose reads of one register can be made to fail.
struct ChipBus : CompassBus {
    VirtualCompassChip chip;
    bool dead = false;
    int failing = -1;
    bool open() override { return true; }
    void close() override {}
    void setPower(bool) override {}
    bool readRegister(uint8_t a, uint8_t r, uint8_t* v) override {
        return !dead && r != failing && chip.read(a, r, v);
    }
    bool writeRegister(uint8_t a, uint8_t r, uint8_t v) override {
        return !dead && chip.write(a, r, v);
    }
};

// A device on such a bus; each wait calls onWait, none waits.
struct Rig {
    ChipBus* bus = new ChipBus;
    std::function<void(int)> onWait;
    int waits = 0;
    UxCompassDevice d{std::unique_ptr<CompassBus>(bus), [this](int) {
                          if (onWait) onWait(++waits);
                          return true;
                      }};
    explicit Rig(const QString& pose) {
        VirtualCompassChip::StructPose p;
        bus->dead = !VirtualCompassChip::parsePose(pose, &p);
        bus->chip.setPose(p);
    }
};

QByteArray recordOf(int seed) {
    StructMegCalibration c;
    for (int i = 0; i < 3; ++i)
        c.min[i] = -100 * seed - i, c.max[i] = 100 * seed + i;
    return CompassCalibration::record(c);
}

}  // namespace

class TestCompass : public QObject {
    Q_OBJECT
private slots:
    // The sensor sits turned by half a turn: it reads the handset's heading plus 180.
    void headingOfAPose_data() {
        QTest::addColumn<QString>("pose");
        QTest::addColumn<QString>("found");
        QTest::addColumn<int>("raw");
        QTest::newRow("v2 level") << "275 0 0"
                                  << "v2" << 95;
        QTest::newRow("v2 tilted") << "275 3 -2"
                                   << "v2" << 95;
        QTest::newRow("v2 steep") << "200 60 10"
                                  << "v2" << 20;
        QTest::newRow("v1 level") << "10 0 0 v1"
                                  << "v1" << 190;
        QTest::newRow("v1 tilted") << "90 25 -30 v1"
                                   << "v1" << 270;
        QTest::newRow("no chip") << ""
                                 << "" << 720;
    }
    void headingOfAPose() {
        QFETCH(QString, pose);
        QFETCH(QString, found);
        QFETCH(int, raw);
        TestRoot root;
        Rig r(pose);
        QCOMPARE(r.d.device_Init_HW(), found.isEmpty() ? 0 : 1);
        QCOMPARE(r.d.generationText(), found);
        const int got = r.d.Tsk_RdCompass();
        QVERIFY2(std::abs(got - raw) <= 1, qPrintable(QString::number(got)));
        QVERIFY(!r.d.outOfRange());
    }

    // Beyond 1 g asin's argument is held to -1..1; a heading that is still no number is none.
    void tiltHeading_beyondOneG() {
        const float m[3] = {0.5f, 0.2f, -0.3f};
        const int16_t shaken[][3] = {{-30000, 0, 0}, {0, 30000, 0}, {16384, 16384, 0}};
        for (const auto& acc : shaken)
            QVERIFY(std::isfinite(CompassHeading::tiltHeading(acc, m)));
        const float none[3] = {NAN, 0, 0};
        QCOMPARE(CompassHeading::whole(CompassHeading::tiltHeading(shaken[0], none)), 720);
    }

    // A failed transfer reads 0, not what the variable held, and makes no reading.
    void failedTransfer_readsZero() {
        TestRoot root;
        Rig r("0 0 0");
        QCOMPARE(r.d.device_Init_HW(), 1);
        r.bus->failing = 0x29;
        uint8_t v = 0x55;
        QVERIFY(!r.d.ReadFromI2c(UxCompassDevice::kMag, 0x29, &v));
        QCOMPARE(v, uint8_t(0));
        int16_t mag[3] = {-1, -1, -1};
        QVERIFY(!r.d.device_RdMega(mag));
        QCOMPARE(uint16_t(mag[0]) >> 8, 0);
        QCOMPARE(r.d.Tsk_RdCompass(), 720);
    }

    // The stored record, else the factory copy, else the calibration in use.
    void calibrationLoaded_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("factory");
        QTest::addColumn<int>("seed");  // of the calibration in use afterwards; 0 built-in
        QByteArray badXor = recordOf(1);
        badXor[3] = char(badXor[3] ^ 1);
        QTest::newRow("stored") << recordOf(1) << recordOf(2) << 1;
        QTest::newRow("bad XOR ignored") << badXor << recordOf(2) << 2;
        QTest::newRow("missing") << QByteArray() << recordOf(2) << 2;
        QTest::newRow("short") << recordOf(1).left(13) << recordOf(2) << 2;
        QTest::newRow("neither") << QByteArray() << badXor << 0;
    }
    void calibrationLoaded() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, factory);
        QFETCH(int, seed);
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/opt")) && QDir().mkpath(root.path("/root")));
        if (!stored.isEmpty()) CompassCalibration::writeRecord(CompassCalibration::kFile, stored);
        CompassCalibration::writeRecord(CompassCalibration::kFactoryFile, factory);
        Rig r("0 0 0");
        QCOMPARE(r.d.device_RdMegCelDat(), seed != 0);
        QCOMPARE(CompassCalibration::record(r.d.calibration()),
                 seed ? recordOf(seed) : CompassCalibration::record(StructMegCalibration()));
    }

    // 999 samples while the handset turns, then saved; cancelled, the old one stays.
    void calibration_data() {
        QTest::addColumn<int>("cancelAt");  // the wait at which escape comes; 0 never
        QTest::newRow("runs to the end") << 0;
        QTest::newRow("cancelled") << 500;
    }
    void calibration() {
        QFETCH(int, cancelAt);
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/opt")));
        Rig r("0 0 0");
        QCOMPARE(r.d.device_Init_HW(), 1);
        const StructMegCalibration before = r.d.calibration();
        std::atomic<int> cancel{0};
        r.onWait = [&](int n) {
            VirtualCompassChip::StructPose p{n * 7.0, n % 40 - 20.0, n % 30 - 15.0, 1};
            r.bus->chip.setPose(p);
            if (n == cancelAt) cancel = 1;
        };
        int samples = 0;
        const bool saved =
            r.d.device_CeliberMeg([&](int n, const QString&) { samples = n; }, cancel);
        QCOMPARE(saved, cancelAt == 0);
        QCOMPARE(samples, cancelAt ? cancelAt - 1 : 999);
        QCOMPARE(r.d.calibration() == before, cancelAt != 0);
        StructMegCalibration stored;
        QCOMPARE(CompassCalibration::fromRecord(
                     CompassCalibration::readRecord(CompassCalibration::kFile), &stored),
                 cancelAt == 0);
        if (saved) QVERIFY(stored == r.d.calibration() && stored.max[2] < 0);  // z stays below 0
    }
};

KORVEL_TEST_MAIN(TestCompass)
#include "test_compass.moc"
