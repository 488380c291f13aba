#include "core/base/global.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "test_root.h"

#include <QtTest>

namespace {

// Packets built here by hand, independently of the handset's own builder.
QByteArray packet(uint8_t type, const QByteArray& payload, uint8_t index = 0) {
    QByteArray p("#sbus");
    p += char(type);
    p += char(index);
    p += char(0);
    p += char(payload.size() & 0xff);
    p += char(payload.size() >> 8);
    uint8_t x = 0;
    for (int i = 5; i < 10; ++i)
        x ^= uint8_t(p[i]);
    p += char(x);
    p += '*';
    return p + payload;
}

QByteArray frame(uint8_t depthTag = 7, bool goodChecksum = true, int size = 276) {
    QByteArray f(size, '\0');
    f[0] = '#';
    f[1] = 0x10;
    f[2] = 0x01;
    f[4] = char(0xE8);  // range 1000 cm
    f[5] = 0x03;
    f[33] = char(depthTag);
    for (int i = 35; i < size - 1; ++i)
        f[i] = char((i * 13 + depthTag) & 0xff);
    uint8_t x = 0;
    for (int i = 3; i < size - 1; ++i)
        x ^= uint8_t(f[i]);
    f[size - 1] = char(goodChecksum ? x : x ^ 0x55);
    return f;
}

QByteArray command(uint8_t cmd, const QByteArray& rest = QByteArray()) {
    return QByteArray(1, char(cmd)) + char(~cmd) + rest;
}

QByteArray kboot(uint8_t type, const QByteArray& data) {
    QByteArray p("#");
    p += char(data.size() & 0xff);
    p += char(data.size() >> 8);
    p += char(type);
    p += data;
    uint8_t x = 0;
    for (char c : p)
        x ^= uint8_t(c);
    return p + char(x);
}

QByteArray sentence(const QString& body, bool upperCase = true) {
    uint8_t x = 0;
    for (int i = 1; i < body.size(); ++i)
        x ^= uint8_t(body[i].toLatin1());
    QString cs = QString("%1").arg(x, 2, 16, QChar('0'));
    cs = upperCase ? cs.toUpper() : cs.toLower();
    return (body + "*" + cs + "\r\n").toLatin1();
}

QByteArray apChannel(const QByteArray& text) {
    return command(0xC2, QByteArray(1, char(text.size())) + text);
}

}  // namespace

class TestSpiBurst : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<FakeSpiBus::State> bus;
    std::unique_ptr<SpiDevice> dev;

    void feed(const QByteArray& bytes) {
        {
            std::lock_guard<std::mutex> lock(bus->mutex);
            bus->incoming = bytes;
        }
        dev->pollOnce();
    }

private slots:
    void init() {
        bus = std::make_shared<FakeSpiBus::State>();
        dev = std::make_unique<SpiDevice>(std::make_unique<FakeSpiBus>(bus));
        dev->setPacing({0, 0, 0});
    }

    void frame_isDelivered() {
        feed(packet(0x12, frame(42)));
        QVERIFY(dev->haveNewFrame());
        const kvl_w f = dev->takeFrame();
        QCOMPARE(int(f.bytes[33]), 42);
        QVERIFY(!dev->haveNewFrame());
        QCOMPARE(dev->state().count_noData_sonar.load(), 0);
        QCOMPARE(bus->events.last(), QString("cs1"));
        QCOMPARE(bus->events.first(), QString("cs0"));
    }

    void headerAfterRunsOfHashesAndNoise_isFound() {
        feed(QByteArray("\x01\x02zz") + "####" + packet(0x12, frame(9)));
        QVERIFY(dev->haveNewFrame());
        QCOMPARE(int(dev->takeFrame().bytes[33]), 9);
    }

    void noHeaderWithin200Bytes_givesNothing() {
        // '#' and 's' are the 199th and 200th single-byte reads: the header is still found.
        feed(QByteArray(198, 'x') + packet(0x12, frame()));
        QVERIFY(dev->haveNewFrame());
        dev->takeFrame();
        init();
        feed(QByteArray(199, 'x') + packet(0x12, frame()));
        QVERIFY(!dev->haveNewFrame());
        QCOMPARE(dev->state().count_noData_sonar.load(), 10);
    }

    void badHeader_endsTheBurst_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::newRow("no star") << 11 << int('+');
        QTest::newRow("bad xor") << 10 << 0x99;
    }
    void badHeader_endsTheBurst() {
        QFETCH(int, offset);
        QFETCH(int, value);
        QByteArray p = packet(0x12, frame());
        p[offset] = char(value);
        feed(p);
        QVERIFY(!dev->haveNewFrame());
        QCOMPARE(dev->state().count_noData_sonar.load(), 10);
    }

    void splitFrame_isReassembled_lastTypeDecides() {
        const QByteArray f = frame(77);
        feed(packet(0x11, f.left(100)) + packet(0x12, f.mid(100)));
        QVERIFY(dev->haveNewFrame());
        QCOMPARE(dev->takeFrame().bytes[33], uint8_t(77));

        // The same pieces ending with a boat packet are not a frame.
        feed(packet(0x12, f.left(100)) + packet(0x11, f.mid(100)));
        QVERIFY(!dev->haveNewFrame());
    }

    void wrongLengthOrChecksum_isNotDelivered_data() {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("noData");
        QTest::newRow("275 bytes") << frame(1, true, 275) << 10;
        QTest::newRow("277 bytes") << frame(1, true, 277) << 10;
        QTest::newRow("bad checksum, still counted") << frame(1, false) << 0;
    }
    void wrongLengthOrChecksum_isNotDelivered() {
        QFETCH(QByteArray, payload);
        QFETCH(int, noData);
        feed(packet(0x12, frame(5)));
        dev->takeFrame();
        dev->state().count_noData_sonar = 10;
        feed(packet(0x12, payload));
        QVERIFY(!dev->haveNewFrame());
        QCOMPARE(dev->state().count_noData_sonar.load(), noData);
    }

    void radioReplies_setFlagsAndReport() {
        feed(packet(0x10, command(0xA0)));
        QCOMPARE(int(dev->state().flag_getCmd_ack), 1);
        QCOMPARE(dev->takeLastMessage(), QString("Get Radio CMD ACK!"));
        feed(packet(0x10, command(0xA2)));
        QCOMPARE(int(dev->state().flag_getCmd_bindOk), 1);

        QByteArray report("\x01\x05\xC4\xB0\x17", 5);
        uint8_t x = 0;
        for (char c : report)
            x ^= uint8_t(c);
        feed(packet(0x10, command(0xC1, QByteArray(1, 6) + report + char(x))));
        QCOMPARE(int(dev->state().currentInfo_radio.md), 1);
        QCOMPARE(int(dev->state().currentInfo_radio.pwIdx), 5);
        QCOMPARE(int(dev->state().currentInfo_radio.myRssi), 0xC4);
        QCOMPARE(int(dev->state().currentInfo_radio.hisRssi), 0xB0);
        QCOMPARE(int(dev->state().currentInfo_radio.ver), 0x17);

        dev->state().currentInfo_radio.md = 0;
        feed(packet(0x10, command(0xC1, QByteArray(1, 6) + report + char(x ^ 1))));
        QCOMPARE(int(dev->state().currentInfo_radio.md), 0);
        feed(packet(0x10, QByteArray("\xA0\x5E", 2)));  // no complement: dropped
        dev->state().flag_getCmd_ack = 0;
        feed(packet(0x10, QByteArray("\xA0\x5E", 2)));
        QCOMPARE(int(dev->state().flag_getCmd_ack), 0);
    }

    void boatReplies_setFlags() {
        feed(packet(0x11, command(0xA6)));
        QCOMPARE(int(dev->state().flag_getData_sonar_hello), 1);
        QCOMPARE(int(dev->state().flag_haveReboot), 1);
        feed(packet(0x11, command(0xA0)));
        QCOMPARE(int(dev->state().flag_getData_sonar_ack), 1);
        QCOMPARE(dev->takeLastMessage(), QString("Get Snr Data ACK!"));
        feed(packet(0x11, command(0xA2)));
        QCOMPARE(int(dev->state().flag_getCmd_bindOk), 1);
    }

    void compassReport_givesTheStage_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("stage");
        QTest::newRow("stage 0") << QByteArray("CCR,0") << 1;
        QTest::newRow("stage 4") << QByteArray("CCR,4") << 5;
        QTest::newRow("stage 5 ignored") << QByteArray("CCR,5") << 0;
        QTest::newRow("wrong tag") << QByteArray("CCX,2") << 0;
    }
    void compassReport_givesTheStage() {
        QFETCH(QByteArray, body);
        QFETCH(int, stage);
        feed(packet(0x11, command(0xC3, QByteArray(1, char(body.size())) + body)));
        QCOMPARE(dev->state().current_compassCali.load(), stage);
    }

    void systemReport_needsItsChecksum() {
        QByteArray p = command(0xC1, QByteArray(1, 18)) + QByteArray(8, '\0');
        const QByteArray versions("\x10\x01\x20\x02\x30\x03\x40\x04", 8);
        uint8_t x = 0;
        for (char c : versions)
            x ^= uint8_t(c);
        feed(packet(0x11, p + versions + char(0) + char(x)));
        QCOMPARE(int(dev->state().currentInfo_sys.app), 0x0110);
        QCOMPARE(int(dev->state().currentInfo_sys.radio), 0x0220);
        QCOMPARE(int(dev->state().currentInfo_sys.GPS), 0x0330);
        QCOMPARE(int(dev->state().currentInfo_sys.helmo), 0x0440);
        dev->state().currentInfo_sys.app = 0;
        feed(packet(0x11, p + versions + char(0) + char(x ^ 0x10)));
        QCOMPARE(int(dev->state().currentInfo_sys.app), 0);
    }

    void autopilotSentences_areSortedByTheirChecksum() {
        feed(packet(0x11, apChannel(sentence("$HMACK,A"))));
        QCOMPARE(int(dev->state().flag_getData_ap_ack), 1);
        QCOMPARE(dev->takeLastMessage(), QString::fromLatin1(sentence("$HMACK,A")));

        // A sentence whose checksum has a hexadecimal letter, written in lower case, fails.
        QByteArray lower;
        for (char c = 'A'; c <= 'Z' && lower.isEmpty(); ++c) {
            const QByteArray s = sentence(QString("$HMACK,A,") + c, false);
            if (s != sentence(QString("$HMACK,A,") + c, true)) lower = s;
        }
        QVERIFY(!lower.isEmpty());
        dev->state().flag_getData_ap_ack = 0;
        feed(packet(0x11, apChannel(lower)));
        QCOMPARE(int(dev->state().flag_getData_ap_ack), 0);

        feed(packet(0x11, apChannel(sentence("$HMPWR,1"))));
        QCOMPARE(int(dev->state().flag_getData_ap_hello), 1);

        // Without anything after the two digits the checksum is not taken.
        dev->state().flag_getData_ap_ack = 0;
        feed(packet(0x11, apChannel(sentence("$HMACK,A").chopped(2))));
        QCOMPARE(int(dev->state().flag_getData_ap_ack), 0);
    }

    void informationSentence_needsSevenFields() {
        feed(packet(0x11, apChannel(sentence("$HMINF,a,b,R,A,e,f"))));
        ApInfo_t info = dev->state().currentInfoAp();
        QCOMPARE(info.taskMode(), QString("R"));
        QCOMPARE(info.field[0], QString("a"));
        QCOMPARE(info.field[4], QString("e"));
        QCOMPARE(dev->state().count_noData_ap.load(), 0);

        for (const char* s : {"$HMINF,1,2,S,V,5", "$HMINF,1,2,S,V,5,6,7"}) {
            dev->state().count_noData_ap = 10;
            feed(packet(0x11, apChannel(sentence(s))));
            QCOMPARE(dev->state().currentInfoAp().taskMode(), QString("R"));
            QCOMPARE(dev->state().count_noData_ap.load(), 0);
        }
    }

    void kbootReplies_drivesTheUpdateFlags() {
        dev->heartbeatMiss = 7;
        feed(packet(0x11, kboot(0x0C, "ok")));  // raw sonar KBoot packet
        QCOMPARE(int(dev->state().flag_getData_update_comAck), 1);
        QCOMPARE(dev->heartbeatMiss.load(), 0);

        feed(packet(0x11, kboot(0x36, QByteArray("!\x2A\x01", 3))));
        QCOMPARE(int(dev->state().flag_getData_update_fmAck), 1);
        QCOMPARE(dev->requestedBlockIndex(), 0x012A);

        feed(packet(0x11, apChannel(kboot(0x36, "4"))));  // autopilot KBoot inside 0xC2
        QCOMPARE(int(dev->state().flag_getData_update_fmOk), 1);
        feed(packet(0x11, apChannel(kboot(0x36, "5"))));
        QCOMPARE(int(dev->state().flag_getData_update_fmFail), 1);

        dev->state().flag_getData_update_fmAck = 0;
        QByteArray bad = kboot(0x36, QByteArray("!\x01\x00", 3));
        bad[bad.size() - 1] = char(bad.back() ^ 1);
        feed(packet(0x11, bad));
        QCOMPARE(int(dev->state().flag_getData_update_fmAck), 0);
    }

    void write_usesTheTransmitHandshake() {
        bus->events.clear();
        dev->ss_snrHello_tst();
        QVERIFY(bus->written.isEmpty());  // queued for the reading loop
        dev->pollOnce();
        QCOMPARE(bus->events, (QStringList{"cs0", "tx1", "write:14", "tx0", "cs1"}));
        QCOMPARE(bus->written.left(5), QByteArray("#sbus"));
        QCOMPARE(bus->written.mid(12), QByteArray("\xA6\x59", 2));
    }
};

KORVEL_TEST_MAIN(TestSpiBurst)
#include "test_spi_burst.moc"
