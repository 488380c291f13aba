#include "core/base/global.h"
#include "korvel_test.h"
#include "link/kboot.h"
#include "link/sbus.h"
#include "link/spi_device.h"

#include <QtTest>

namespace {
QByteArray bytes(const uint8_t* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
}  // namespace

class TestSbusPackets : public QObject {
    Q_OBJECT
private slots:
    void commandClasses_buildTheirPayloads_data() {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("device");
        QTest::addColumn<QByteArray>("payload");  // empty with total 0: nothing built
        QTest::addColumn<int>("total");
        const QByteArray abc("abc");
        QTest::newRow("A1 bind to module")
            << 0xA1 << QByteArray() << 0 << QByteArray("\xA1\x5E", 2) << 14;
        QTest::newRow("A6 hello, data ignored")
            << 0xA6 << abc << 1 << QByteArray("\xA6\x59", 2) << 14;
        QTest::newRow("B1 configuration") << 0xB1 << abc << 1
                                          << QByteArray(
                                                 "\xB1\x4E"
                                                 "abc",
                                                 5)
                                          << 17;
        QTest::newRow("B2 with data") << 0xB2 << abc << 1
                                      << QByteArray(
                                             "\xB2\x4D\x03"
                                             "abc",
                                             6)
                                      << 18;
        QTest::newRow("B2 without data") << 0xB2 << QByteArray() << 1 << QByteArray() << 0;
        QTest::newRow("C2 sentence") << 0xC2 << abc << 1
                                     << QByteArray(
                                            "\xC2\x3D\x03"
                                            "abc",
                                            6)
                                     << 18;
        QTest::newRow("C1 without data")
            << 0xC1 << QByteArray() << 0 << QByteArray("\xC1\x3E\x00", 3) << 15;
        QTest::newRow("00 raw") << 0x00 << abc << 1 << abc << 15;
        QTest::newRow("05 raw") << 0x05 << abc << 1 << abc << 15;
        QTest::newRow("00 without data") << 0x00 << QByteArray() << 1 << QByteArray() << 0;
        QTest::newRow("D0 unknown class") << 0xD0 << abc << 1 << QByteArray() << 0;
        QTest::newRow("50 unknown class") << 0x50 << abc << 0 << QByteArray() << 0;
    }
    void commandClasses_buildTheirPayloads() {
        QFETCH(int, cmd);
        QFETCH(QByteArray, data);
        QFETCH(int, device);
        QFETCH(QByteArray, payload);
        QFETCH(int, total);
        uint8_t out[1024];
        const auto* d = data.isEmpty() ? nullptr : reinterpret_cast<const uint8_t*>(data.data());
        const int n = Sbus::sbus_cmd_pkg(out, uint8_t(cmd), d, uint8_t(data.size()), device, 7);
        QCOMPARE(n, total);
        if (n == 0) return;
        QCOMPARE(bytes(out, 5), QByteArray("#sbus"));
        QCOMPARE(int(out[5]), device == 1 ? 0x11 : 0x10);
        QCOMPARE(int(out[6]), 7);
        QCOMPARE(int(out[7]), 0);
        QCOMPARE(out[8] | (out[9] << 8), payload.size());
        QCOMPARE(int(out[10]), int(Global::XOR_chk(out + 5, 5)));
        QCOMPARE(char(out[11]), '*');
        QCOMPARE(bytes(out + 12, n - 12), payload);
    }

    void header_announcesLongPayloadsAsZero() {
        uint8_t h[12];
        Sbus::writeHeader(h, 0x11, 0, 1012);
        QCOMPARE(h[8] | (h[9] << 8), 1012);
        Sbus::writeHeader(h, 0x11, 0, 1013);
        QCOMPARE(h[8] | (h[9] << 8), 0);
        QCOMPARE(int(Global::XOR_chk(h + 5, 6)), 0);
    }

    void packetIndex_countsEveryPacketAndWraps() {
        SpiDevice dev(nullptr);
        uint8_t out[64];
        QList<int> seen;
        for (int i = 0; i < 258; ++i) {
            dev.sbus_cmd_pkg(out, 0xA6, nullptr, 0, 1);
            if (i >= 254) seen << out[6];
        }
        QCOMPARE(seen, (QList<int>{254, 255, 0, 1}));
        QCOMPARE(dev.sbus_cmd_pkg(out, 0xD0, nullptr, 0, 1), 0);  // nothing built:
        dev.sbus_cmd_pkg(out, 0xA6, nullptr, 0, 1);               // no index used
        QCOMPARE(int(out[6]), 2);
    }

    void readCommand_needsTheComplement() {
        const uint8_t good[2] = {0xA0, 0x5F};
        const uint8_t bad[2] = {0xA0, 0x5E};
        QCOMPARE(int(Sbus::sbus_rd_cmd(good)), 0xA0);
        QCOMPARE(int(Sbus::sbus_rd_cmd(bad)), 0);
    }

    void kboot_messagesOfTheHandset() {
        uint8_t out[1100];
        int n = KBoot::encode(KBoot::heartbeat(), out);
        QCOMPARE(bytes(out, n),
                 QByteArray("#\x02\x00\x00\x40\x00", 6) + char(Global::XOR_chk(out, 6)));
        n = KBoot::encode(KBoot::startOfTransfer(0x00012345, 128, 0x5A), out);
        QCOMPARE(n, 14);
        QCOMPARE(int(out[3]), 0x1F);
        QCOMPARE(bytes(out + 4, 9), QByteArray("\x45\x23\x01\x00\x80\x00\x00\x00\x5A", 9));
        QByteArray block(128, 'k');
        n = KBoot::encode(KBoot::block(0x0102, reinterpret_cast<uint8_t*>(block.data()), 128), out);
        QCOMPARE(n, 5 + 130);
        QCOMPARE(out[1] | (out[2] << 8), 130);
        QCOMPARE(int(out[4]), 0x02);
        QCOMPARE(int(out[5]), 0x01);
        QCOMPARE(int(out[n - 1]), int(Global::XOR_chk(out, n - 1)));
        n = KBoot::encode(KBoot::block(3, reinterpret_cast<uint8_t*>(block.data()), 48), out);
        QCOMPARE(n, 5 + 50);
    }

    void kboot_decodeChecksLengthAndXor() {
        uint8_t pkt[8] = {'#', 3, 0, 0x36, '!', 0x05, 0x00, 0};
        pkt[7] = Global::XOR_chk(pkt, 7);
        KBootRxPkgT rx;
        QVERIFY(KBoot::decode(pkt, 8, rx));
        QCOMPARE(int(rx.type), 0x36);
        QCOMPARE(int(rx.len), 3);
        QCOMPARE(int(rx.data[1]), 5);
        QVERIFY(!KBoot::decode(pkt, 7, rx));  // length field says 3, count says 2
        pkt[7] ^= 1;
        QVERIFY(!KBoot::decode(pkt, 8, rx));
        QVERIFY(!KBoot::decode(pkt, 4, rx));
        QVERIFY(!KBoot::decode(nullptr, 8, rx));
    }

    void checksums_ofConfigurationAndAutopilotTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("snr");
        QTest::addColumn<int>("ap");
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("one char") << "$" << 0x24 << 0;
        QTest::newRow("sens") << ",Sens=5*" << (',' ^ 'S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5')
                              << ('S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5');
        QTest::newRow("sentence") << "$HMACK,A*2C\r\n"
                                  << ('$' ^ 'H' ^ 'M' ^ 'A' ^ 'C' ^ 'K' ^ ',' ^ 'A')
                                  << ('H' ^ 'M' ^ 'A' ^ 'C' ^ 'K' ^ ',' ^ 'A');
        QTest::newRow("wide char counts 0")
            << QString("a") + QChar(0x4E2D) + "b" << ('a' ^ 'b') << int('b');
    }
    void checksums_ofConfigurationAndAutopilotTexts() {
        QFETCH(QString, text);
        QFETCH(int, snr);
        QFETCH(int, ap);
        QCOMPARE(int(Global::xorChk_SnrCmd(text)), snr);
        QCOMPARE(int(Global::xorChk_ApCmd(text)), ap);
    }
};

KORVEL_TEST_MAIN(TestSbusPackets)
#include "test_sbus_packets.moc"
