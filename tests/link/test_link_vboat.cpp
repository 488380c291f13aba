// The handset's link code, unchanged, over the virtual backend against an in-process virtual
// boat: what a user of UxData sees when the boat speaks, answers commands and misbehaves.
#include "boat_core.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "platform/spi_bus_virtual.h"
#include "test_root.h"
#include "virtual_boat.h"

#include <QElapsedTimer>
#include <QtTest>
#include <memory>

namespace {

constexpr int kLongWaitMs = 10000;

vboat::SimOptions quickOptions() {
    vboat::SimOptions o;
    o.gpsAcquireSeconds = 0;
    return o;
}

// Frames taken through UxData the way the controller takes them, checked one by one.
struct Delivery {
    int frames = 0;
    int invalid = 0;
    qint64 firstMs = -1;
    qint64 lastMs = -1;
    double rate() const {
        return frames > 1 && lastMs > firstMs ? (frames - 1) * 1000.0 / (lastMs - firstMs) : 0;
    }
};

}  // namespace

class TestLinkVboat : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }

    void init() {
        m_root = std::make_unique<TestRoot>();
        m_boat = std::make_unique<vboat::VirtualBoat>(quickOptions());
        const int fd = m_boat->attachSocketPair();
        QVERIFY(fd >= 0);
        m_data = std::make_unique<UxData>(std::make_unique<SpiBusVirtual>(fd));
        QTRY_VERIFY_WITH_TIMEOUT(m_boat->connected(), kLongWaitMs);
    }

    void cleanup() {
        const vboat::BoatStats s = m_boat->stats();
        m_data.reset();
        m_boat.reset();
        m_root.reset();
        // Every write the handset made had the chip select low and the transmit line high,
        // and it never clocked bytes out of an unselected module.
        QCOMPARE(s.handshakeViolations, 0);
        QCOMPARE(s.readsWhileDeselected, 0);
    }

    void hello_arrivesOnlyAfterPowerOn() {
        QTest::qWait(700);  // longer than the boot time: a boat that is off says nothing
        QCOMPARE(int(m_data->linkState().flag_getData_sonar_hello), 0);
        m_boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                  kLongWaitMs);
        QCOMPARE(int(m_data->linkState().flag_haveReboot), 1);

        // The handset's hello is answered by the boat's hello.
        m_data->linkState().flag_getData_sonar_hello = 0;
        m_data->sendCmd_sonarHello();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                  kLongWaitMs);
    }

    void frames_deliveredAtTheBoatsRate_data() {
        QTest::addColumn<double>("rate");
        QTest::newRow("6 per second") << 6.0;
        QTest::newRow("12 per second") << 12.0;
    }
    void frames_deliveredAtTheBoatsRate() {
        QFETCH(double, rate);
        m_boat->setFrameRate(rate);
        m_boat->powerOn();
        QTRY_VERIFY_WITH_TIMEOUT(m_data->thread()->haveGetNewKvlwData(), kLongWaitMs);
        const int queuedBefore = m_boat->stats().framesQueued;
        const Delivery d = collect(4500);
        const int queued = m_boat->stats().framesQueued - queuedBefore;

        QCOMPARE(d.invalid, 0);
        QVERIFY2(qAbs(d.rate() - rate) <= rate * 0.1,
                 qPrintable(QStringLiteral("measured %1 frames/s").arg(d.rate())));
        // Nothing the boat sent in the window was lost (one frame of slack at each edge).
        QVERIFY2(qAbs(d.frames - queued) <= 1,
                 qPrintable(QStringLiteral("%1 delivered, %2 sent").arg(d.frames).arg(queued)));
        QCOMPARE(m_boat->stats().droppedMessages, 0);
        QCOMPARE(int(m_data->linkState().count_noData_sonar), 0);
    }

    void bind_acknowledgedThenSucceeds() {
        m_boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                  kLongWaitMs);
        QTest::qWait(900);  // the pairing delay then runs from the command, not from the boot
        m_data->sendCmd_bind();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getCmd_ack), 1, kLongWaitMs);
        // The module acknowledges at once; the pairing itself takes most of a second.
        QCOMPARE(int(m_data->linkState().flag_getCmd_bindOk), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getCmd_bindOk), 1, kLongWaitMs);
        QCOMPARE(m_boat->stats().bindRequests, 1);
    }

    void radioReport_fieldsAfterAsking_data() {
        QTest::addColumn<bool>("boatOn");
        QTest::newRow("boat heard") << true;
        QTest::newRow("boat off") << false;
    }
    void radioReport_fieldsAfterAsking() {
        QFETCH(bool, boatOn);
        vboat::BoatVersions v;
        v.moduleVersion = 37;
        m_boat->setVersions(v);
        if (boatOn) {
            m_boat->powerOn();
            QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                      kLongWaitMs);
        }
        m_data->sendCmd_askRssi();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().currentInfo_radio.ver), 37, kLongWaitMs);
        QCOMPARE(int(m_data->linkState().currentInfo_radio.md), 1);
        QCOMPARE(int(m_data->linkState().currentInfo_radio.pwIdx), 3);
        const int mine = int8_t(m_data->linkState().currentInfo_radio.myRssi.load());
        const int his = int8_t(m_data->linkState().currentInfo_radio.hisRssi.load());
        if (boatOn) {
            QVERIFY2(mine <= -20 && mine >= -127, qPrintable(QString::number(mine)));
            QVERIFY2(qAbs(his - mine) <= 2, qPrintable(QStringLiteral("%1 %2").arg(his).arg(mine)));
        } else {
            QCOMPARE(mine, 0);
            QCOMPARE(his, 0);
        }
    }

    void systemReport_versionsAfterAsking() {
        vboat::BoatVersions v;
        v.app = 1234;
        v.radio = 56;
        v.gps = 40000;  // above 32767: the field is unsigned
        v.autopilot = 7;
        m_boat->setVersions(v);
        m_boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                  kLongWaitMs);
        m_data->sendCmd_askInfo();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().currentInfo_sys.app), 1234, kLongWaitMs);
        QCOMPARE(int(m_data->linkState().currentInfo_sys.radio), 56);
        QCOMPARE(int(m_data->linkState().currentInfo_sys.GPS), 40000);
        QCOMPARE(int(m_data->linkState().currentInfo_sys.helmo), 7);
    }

    void sonarConfiguration_acknowledgedWhenValid_data() {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("gain");
        QTest::addColumn<int>("rangeM");
        QTest::addColumn<int>("fishSensitivity");
        // Defaults of the boat: gain 3, range 0 (automatic), fish sensitivity 6.
        QTest::newRow("gain") << QStringList{",Gain=1*"} << true << 1 << 0 << 6;
        QTest::newRow("range") << QStringList{",LRng=20*"} << true << 3 << 20 << 6;
        QTest::newRow("fish, single spelling") << QStringList{",FSen=2*"} << true << 3 << 0 << 2;
        QTest::newRow("all, two messages")
            << QStringList{",Freq=0,Gain=2,LRng=15*", ",Sens=4,Fsen=8*"} << true << 2 << 15 << 8;
        QTest::newRow("gain out of range") << QStringList{",Gain=7*"} << false << 3 << 0 << 6;
        QTest::newRow("unknown key") << QStringList{",Loud=1*"} << false << 3 << 0 << 6;
    }
    void sonarConfiguration_acknowledgedWhenValid() {
        QFETCH(QStringList, messages);
        QFETCH(bool, accepted);
        QFETCH(int, gain);
        QFETCH(int, rangeM);
        QFETCH(int, fishSensitivity);
        m_boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_hello), 1,
                                  kLongWaitMs);
        for (const QString& m : messages)
            m_data->sendCmd_sonarCfg(m);
        if (accepted) {
            QTRY_COMPARE_WITH_TIMEOUT(int(m_data->linkState().flag_getData_sonar_ack), 1,
                                      kLongWaitMs);
            QTRY_COMPARE_WITH_TIMEOUT(m_boat->stats().configAccepted, messages.size(), kLongWaitMs);
            QCOMPARE(QString::fromLatin1(m_boat->stats().lastConfig), messages.last().chopped(1));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(m_boat->stats().configRejected, messages.size(), kLongWaitMs);
            QTest::qWait(300);  // several radio delays: no acknowledgement may follow
            QCOMPARE(int(m_data->linkState().flag_getData_sonar_ack), 0);
        }
        const vboat::SonarSettings s = m_boat->sonarSettings();
        QCOMPARE(s.gain, gain);
        QCOMPARE(s.rangeM, rangeM);
        QCOMPARE(s.fishSensitivity, fishSensitivity);
    }

    void faults_neverDeliverABadFrame_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("faultyFramesArrive");
        using F = vboat::Fault;
        QTest::newRow("bad frame checksum") << int(F::BadFrameChecksum) << false;
        QTest::newRow("bad header checksum") << int(F::BadHeaderChecksum) << false;
        QTest::newRow("short frame") << int(F::ShortFrame) << false;
        QTest::newRow("long frame") << int(F::LongFrame) << false;
        QTest::newRow("garbage in front") << int(F::Garbage) << true;
        QTest::newRow("split frame") << int(F::SplitFrame) << true;
    }
    void faults_neverDeliverABadFrame() {
        QFETCH(int, fault);
        QFETCH(bool, faultyFramesArrive);
        // Every second frame is hit, so good and faulty frames alternate.
        m_boat->setFault(vboat::Fault(fault), 2);
        m_boat->setFrameRate(8);
        m_boat->powerOn();
        Delivery d = collect(3000);
        m_boat->powerOff();
        const Delivery tail = collect(500);  // what was still on its way
        d.frames += tail.frames;
        d.invalid += tail.invalid;

        const vboat::BoatStats s = m_boat->stats();
        QCOMPARE(s.droppedMessages, 0);
        QVERIFY(s.framesQueued >= 16);
        const int faulty = s.framesQueued / 2;
        QCOMPARE(d.invalid, 0);
        QCOMPARE(d.frames, faultyFramesArrive ? s.framesQueued : s.framesQueued - faulty);
    }

private:
    // Takes every frame the data source hands over (the recorder's way), for ms.
    Delivery collect(int ms) {
        Delivery d;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (const kvl_w& f : m_data->takeReceivedFrames()) {
                if (!f.isValid() || f.bytes[0] != '#') ++d.invalid;
                ++d.frames;
                if (d.firstMs < 0) d.firstMs = t.elapsed();
                d.lastMs = t.elapsed();
            }
            QTest::qWait(2);
        }
        return d;
    }

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<vboat::VirtualBoat> m_boat;
    std::unique_ptr<UxData> m_data;
};

KORVEL_TEST_MAIN(TestLinkVboat)
#include "test_link_vboat.moc"
