// The link from the bus up: the packets the handset builds and writes with the transmit
// handshake, the bursts its reading loop takes apart into frames, replies and update answers,
// and the data source on top (frames from the radio, the built-in recording or a log being
// played back, and the commands it puts on the wire).
#include "base/global.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/history_log_reader.h"
#include "link/kboot.h"
#include "link/sbus.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "test_root.h"

#include <QtTest>

using namespace FakeLink;

namespace {

QByteArray bytes(const uint8_t* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

// '#', data length (LE), type, data, XOR of every byte before.
QByteArray kboot(uint8_t type, const QByteArray& data) {
    QByteArray p("#");
    p += char(data.size());
    p += char(0);
    p += char(type);
    p += data;
    return p + char(xorOf(p));
}

// An autopilot sentence with its checksum written as two hexadecimal digits.
QByteArray sentence(const QByteArray& body, bool upperCase = true) {
    const QByteArray digits = QByteArray::number(xorOf(body, 1), 16).rightJustified(2, '0');
    return body + '*' + (upperCase ? digits.toUpper() : digits) + "\r\n";
}

QByteArray apChannel(const QByteArray& text) {
    return command(0xC2, char(text.size()) + text);
}

QByteArray logOf(const QList<QByteArray>& frames, const QByteArray& tail = QByteArray()) {
    QByteArray log(64, '*');
    for (const QByteArray& f : frames)
        log += f;
    return log + tail;
}

QList<int> tagsOf(const QVector<kvl_w>& frames) {
    QList<int> tags;
    for (const kvl_w& f : frames)
        tags << f.bytes[33];
    return tags;
}

// What the replies have told the device, in a few words; empty when nothing changed.
QString told(SpiDevice& d) {
    LinkState& s = d.state();
    QStringList out;
    const std::pair<const char*, std::atomic<uint8_t>*> flags[] = {
        {"ack", &s.flag_getCmd_ack},
        {"bindOk", &s.flag_getCmd_bindOk},
        {"sonarAck", &s.flag_getData_sonar_ack},
        {"hello", &s.flag_getData_sonar_hello},
        {"reboot", &s.flag_haveReboot},
        {"apAck", &s.flag_getData_ap_ack},
        {"apHello", &s.flag_getData_ap_hello},
        {"comAck", &s.flag_getData_update_comAck},
        {"fmAck", &s.flag_getData_update_fmAck},
        {"fmOk", &s.flag_getData_update_fmOk},
        {"fmFail", &s.flag_getData_update_fmFail}};
    for (const auto& f : flags)
        if (*f.second) out << f.first;
    const StructLinkSnapshot n = s.snapshot();
    const QString radio = QString::asprintf("radio %x %x %x %x %x", n.radioMd, n.radioPwIdx,
                                            n.myRssi, n.hisRssi, n.radioVersion);
    const QString versions =
        QString::asprintf("versions %x %x %x %x", n.sysApp, n.sysRadio, n.sysGps, n.sysHelmo);
    if (radio != "radio 0 0 0 0 0") out << radio;
    if (versions != "versions 0 0 0 0") out << versions;
    if (n.compassCali) out << QStringLiteral("compass %1").arg(n.compassCali);
    if (n.noDataAp != 10) out << QStringLiteral("apNoData %1").arg(n.noDataAp);
    const QStringList ap(std::begin(n.ap.field), std::end(n.ap.field));
    if (ap != QStringList{"", "", "F", "V", ""}) out << "ap " + ap.join('|');
    if (d.requestedBlockIndex() >= 0)
        out << QStringLiteral("block %1").arg(d.requestedBlockIndex());
    if (d.heartbeatMiss != 7) out << QStringLiteral("misses %1").arg(d.heartbeatMiss.load());
    const QString message = d.takeLastMessage();
    if (!message.isEmpty()) out << '"' + message.trimmed() + '"';
    return out.join(", ");
}

}  // namespace

class TestLinkLayer : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestRoot> root;
    std::shared_ptr<FakeSpiBus::State> bus;
    std::unique_ptr<SpiDevice> dev;

    // The data source with its reading thread on the same fake module.
    std::unique_ptr<UxData> dataSource() {
        auto data = std::make_unique<UxData>(std::make_unique<FakeSpiBus>(bus));
        data->thread()->device().setPacing({0, 0, 0});
        return data;
    }

    void feed(const QByteArray& bytes) {
        bus->give(bytes);
        dev->pollOnce();
    }

private slots:
    void init() {
        root = std::make_unique<TestRoot>();
        bus = std::make_shared<FakeSpiBus::State>();
        dev = std::make_unique<SpiDevice>(std::make_unique<FakeSpiBus>(bus));
        dev->setPacing({0, 0, 0});
        dev->heartbeatMiss = 7;  // a heartbeat answer clears it
    }
    void cleanup() { root.reset(); }

    // --- Built and written ----------------------------------------------------------------------
    void commandClasses_buildTheirPayloads_data() {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("device");
        QTest::addColumn<QByteArray>("payload");  // empty: nothing is built
        const QByteArray abc("abc"), none;
        QTest::newRow("A1 to the module") << 0xA1 << none << 0 << hex("a15e");
        QTest::newRow("A6 to the boat, data ignored") << 0xA6 << abc << 1 << hex("a659");
        QTest::newRow("B1 without a length") << 0xB1 << abc << 1 << hex("b14e") + abc;
        QTest::newRow("B2 with data") << 0xB2 << abc << 1 << hex("b24d03") + abc;
        QTest::newRow("B2 without data") << 0xB2 << none << 1 << none;
        QTest::newRow("C2 with data") << 0xC2 << abc << 1 << hex("c23d03") + abc;
        QTest::newRow("C1 without data") << 0xC1 << none << 0 << hex("c13e00");
        QTest::newRow("00 raw") << 0x00 << abc << 1 << abc;
        QTest::newRow("05 raw") << 0x05 << abc << 1 << abc;
        QTest::newRow("00 without data") << 0x00 << none << 1 << none;
        QTest::newRow("D0 unknown class") << 0xD0 << abc << 1 << none;
        QTest::newRow("50 unknown class") << 0x50 << abc << 0 << none;
    }
    void commandClasses_buildTheirPayloads() {
        QFETCH(int, cmd);
        QFETCH(QByteArray, data);
        QFETCH(int, device);
        QFETCH(QByteArray, payload);
        uint8_t out[Sbus::kBufferSize];
        const int n = Sbus::sbus_cmd_pkg(out, uint8_t(cmd), data.isEmpty() ? nullptr : raw(data),
                                         uint8_t(data.size()), device, 7);
        QCOMPARE(bytes(out, n),
                 payload.isEmpty() ? QByteArray() : packet(0x10 + device, payload, 7));
    }

    void header_announcesLongPayloadsAsZero() {
        uint8_t h[Sbus::kHeaderSize];
        for (int length : {1012, 1013}) {
            Sbus::writeHeader(h, 0x11, 0, length);
            QCOMPARE(h[8] | (h[9] << 8), length > 1012 ? 0 : length);
            QCOMPARE(int(Global::XOR_chk(h + 5, 6)), 0);
        }
    }

    void packetIndex_countsEveryPacketBuiltAndWraps() {
        uint8_t out[Sbus::kBufferSize];
        QList<int> seen;
        for (int i = 0; i < 258; ++i) {
            dev->sbus_cmd_pkg(out, 0xA6, nullptr, 0, 1);
            if (i >= 254) seen << out[6];
        }
        QCOMPARE(seen, (QList<int>{254, 255, 0, 1}));
        QCOMPARE(dev->sbus_cmd_pkg(out, 0xD0, nullptr, 0, 1), 0);  // nothing built, no index used
        dev->sbus_cmd_pkg(out, 0xA6, nullptr, 0, 1);
        QCOMPARE(int(out[6]), 2);
    }

    void write_waitsForTheLoopAndUsesTheTransmitHandshake() {
        dev->ss_snrHello_tst();
        QVERIFY(bus->writtenBytes().isEmpty());  // queued for the reading loop
        dev->pollOnce();
        QCOMPARE(bus->events, (QStringList{"cs0", "tx1", "write:14", "tx0", "cs1"}));
        QCOMPARE(bus->writtenBytes(), packet(0x11, command(0xA6)));
    }

    void checksums_ofConfigurationAndAutopilotTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("snr");
        QTest::addColumn<int>("ap");
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("one char") << "$" << 0x24 << 0;
        QTest::newRow("sens") << ",Sens=5*" << (',' ^ 'S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5')
                              << ('S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5');
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

    // --- Read and sorted ------------------------------------------------------------------------
    void bursts_deliverOnlyWholeValidFrames_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("tag");     // of the frame delivered, -1: none
        QTest::addColumn<int>("noData");  // count_noData_sonar afterwards, from 10
        const QByteArray f = frame(77);
        QByteArray noStar = packet(0x12, f), badXor = noStar;
        noStar[11] = '+';
        badXor[10] = char(0x99);
        QTest::newRow("clean") << packet(0x12, f) << 77 << 0;
        QTest::newRow("noise and runs of #") << "\x01\x02zz####" + packet(0x12, f) << 77 << 0;
        // '#' and 's' are the 199th and 200th single-byte reads.
        QTest::newRow("198 noise bytes") << QByteArray(198, 'x') + packet(0x12, f) << 77 << 0;
        QTest::newRow("199 noise bytes") << QByteArray(199, 'x') + packet(0x12, f) << -1 << 10;
        QTest::newRow("header without '*'") << noStar << -1 << 10;
        QTest::newRow("header XOR wrong") << badXor << -1 << 10;
        QTest::newRow("split, last packet a frame")
            << packet(0x11, f.left(100)) + packet(0x12, f.mid(100)) << 77 << 0;
        QTest::newRow("split, last packet the boat's")
            << packet(0x12, f.left(100)) + packet(0x11, f.mid(100)) << -1 << 10;
        QTest::newRow("275 bytes") << packet(0x12, frame(1, true, 275)) << -1 << 10;
        QTest::newRow("277 bytes") << packet(0x12, frame(1, true, 277)) << -1 << 10;
        QTest::newRow("checksum wrong: counted only") << packet(0x12, frame(1, false)) << -1 << 0;
    }
    void bursts_deliverOnlyWholeValidFrames() {
        QFETCH(QByteArray, stream);
        QFETCH(int, tag);
        QFETCH(int, noData);
        feed(stream);
        QCOMPARE(dev->haveNewFrame(), tag >= 0);
        if (tag >= 0) QCOMPARE(int(dev->takeFrame().bytes[33]), tag);
        QVERIFY(!dev->haveNewFrame());
        QCOMPARE(dev->state().count_noData_sonar.load(), noData);
        QCOMPARE(bus->events.first(), QString("cs0"));  // selected for the burst, then released
        QCOMPARE(bus->events.last(), QString("cs1"));
    }

    void replies_setWhatTheyTell_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("expected");
        const QByteArray radio = hex("0105c4b017");
        const QByteArray versions = hex("1001200230034004");
        const QByteArray system = command(0xC1, char(18) + QByteArray(8, '\0') + versions + '\0');
        const auto quoted = [](const QByteArray& s) {
            return '"' + QString::fromLatin1(s.trimmed()) + '"';
        };
        QTest::newRow("module: ack")
            << packet(0x10, command(0xA0)) << "ack, \"Get Radio CMD ACK!\"";
        QTest::newRow("module: bound") << packet(0x10, command(0xA2)) << "bindOk";
        QTest::newRow("module: no complement") << packet(0x10, hex("a05e")) << "";
        QTest::newRow("module: report")
            << packet(0x10, command(0xC1, '\x06' + radio + char(xorOf(radio))))
            << "radio 1 5 c4 b0 17";
        QTest::newRow("module: report, XOR wrong")
            << packet(0x10, command(0xC1, '\x06' + radio + char(xorOf(radio) ^ 1))) << "";
        QTest::newRow("boat: hello") << packet(0x11, command(0xA6)) << "hello, reboot";
        QTest::newRow("boat: ack")
            << packet(0x11, command(0xA0)) << "sonarAck, \"Get Snr Data ACK!\"";
        QTest::newRow("boat: bound") << packet(0x11, command(0xA2)) << "bindOk";
        QTest::newRow("boat: report")
            << packet(0x11, system + char(xorOf(versions))) << "versions 110 220 330 440";
        QTest::newRow("boat: report, XOR wrong") << packet(0x11, system + '\x01') << "";
        const auto compass = [](const char* report) {
            return packet(0x11, command(0xC3, char(5) + QByteArray(report)));
        };
        QTest::newRow("compass: stage 0") << compass("CCR,0") << "compass 1";
        QTest::newRow("compass: stage 4") << compass("CCR,4") << "compass 5";
        QTest::newRow("compass: stage 5") << compass("CCR,5") << "";
        QTest::newRow("compass: another report") << compass("CCX,2") << "";
        // 4F: a checksum with a letter, which fails in lower case.
        QTest::newRow("autopilot: ack")
            << packet(0x11, apChannel("$HMACK,A,B*4F\r\n")) << "apAck, \"$HMACK,A,B*4F\"";
        QTest::newRow("autopilot: checksum in lower case")
            << packet(0x11, apChannel("$HMACK,A,B*4f\r\n")) << "\"$HMACK,A,B*4f\"";
        QTest::newRow("autopilot: nothing after the digits")
            << packet(0x11, apChannel("$HMACK,A,B*4F")) << "\"$HMACK,A,B*4F\"";
        const QByteArray power = sentence("$HMPWR,1"), info = sentence("$HMINF,a,b,R,A,e,f");
        QTest::newRow("autopilot: power")
            << packet(0x11, apChannel(power)) << "apHello, " + quoted(power);
        QTest::newRow("autopilot: information")
            << packet(0x11, apChannel(info)) << "apNoData 0, ap a|b|R|A|e, " + quoted(info);
        for (const char* fields : {"$HMINF,1,2,S,V,5", "$HMINF,1,2,S,V,5,6,7"}) {
            const QByteArray s = sentence(fields);
            QTest::addRow("autopilot: information of %d fields", s.count(',') + 1)
                << packet(0x11, apChannel(s)) << "apNoData 0, " + quoted(s);
        }
        QTest::newRow("update: heartbeat answer")
            << packet(0x11, kboot(0x0C, "ok")) << "comAck, misses 0";
        QTest::newRow("update: block asked for")
            << packet(0x11, kboot(0x36, hex("212a01"))) << "fmAck, block 298";
        QByteArray badRequest = kboot(0x36, hex("210100"));
        badRequest[7] = char(badRequest[7] ^ 1);
        QTest::newRow("update: request, XOR wrong") << packet(0x11, badRequest) << "";
        QByteArray badLength = kboot(0x0C, "ok");
        badLength[1] = 1;  // the length field wrong, the XOR right
        badLength[6] = char(xorOf(badLength, 0, 6));
        QTest::newRow("update: answer, length wrong") << packet(0x11, badLength) << "";
        QTest::newRow("update: shorter than a packet") << packet(0x11, "#") << "";
        QTest::newRow("update: autopilot done")
            << packet(0x11, apChannel(kboot(0x36, "4"))) << "fmOk";
        QTest::newRow("update: autopilot failed")
            << packet(0x11, apChannel(kboot(0x36, "5"))) << "fmFail";
    }
    void replies_setWhatTheyTell() {
        QFETCH(QByteArray, stream);
        QFETCH(QString, expected);
        feed(stream);
        QCOMPARE(told(*dev), expected);
        QVERIFY(!dev->haveNewFrame());
    }

    // --- The data source -----------------------------------------------------------------------
    void logFile_givesItsWholeValidRecords_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QList<int>>("tags");
        QTest::newRow("a bad record, a short tail")
            << logOf({frame(1), frame(2, false), frame(3)}, QByteArray(100, 'x'))
            << QList<int>{1, 3};
        QTest::newRow("header only") << QByteArray(64, '*') << QList<int>();
        QTest::newRow("shorter than the header") << QByteArray(10, '*') << QList<int>();
    }
    void logFile_givesItsWholeValidRecords() {
        QFETCH(QByteArray, log);
        QFETCH(QList<int>, tags);
        QVERIFY(root->writeFile("/mnt/sd/Korvel/Record/a.kvlw", log));
        const QString path = root->path("/mnt/sd/Korvel/Record/a.kvlw");
        QCOMPARE(tagsOf(HistoryLogReader::framesFromFile(path)), tags);
        QCOMPARE(tagsOf(HistoryLogReader::framesFromBytes(log)), tags);
    }

    void lists_playInACycleAndFallBackToZero() {
        const auto data = dataSource();
        // The built-in recording, all of it, then from its start again.
        QVERIFY(data->simListSize() > 100);
        const kvl_w first = data->getOnePkgData("sim");
        QVERIFY(first.isValid());
        for (int i = 1; i < data->simListSize(); ++i)
            QVERIFY(data->getOnePkgData("sim") != first);
        QVERIFY(data->getOnePkgData("sim") == first);
        // A log played back; without one, the zero frame.
        QVERIFY(data->getOnePkgData("play") == data->zeroFrame());
        QVERIFY(root->writeFile("/mnt/sd/Korvel/Record/two.kvlw", logOf({frame(8), frame(9)})));
        data->loadPlayList("/mnt/sd/Korvel/Record/two.kvlw");  // under the root
        QList<int> played;
        for (int i = 0; i < 5; ++i)
            played << data->getOnePkgData("play").bytes[33];
        QCOMPARE(played, (QList<int>{8, 9, 8, 9, 8}));
        data->loadPlayList("/mnt/sd/Korvel/Record/missing.kvlw");
        QVERIFY(data->getOnePkgData("play") == data->zeroFrame());
        QVERIFY(data->getOnePkgData("unknown") == data->zeroFrame());
        const kvl_w zero = data->getOnePkgData("zero");
        QCOMPARE(zero.bytes[4] | (zero.bytes[5] << 8), 1000);
        QCOMPARE(int(std::count(zero.bytes, zero.bytes + kvl_w::kSize, 0)), kvl_w::kSize - 2);
    }

    void silentLink_repeatsTheLastFrameFor20Requests() {
        const auto data = dataSource();
        bus->give(packet(0x12, frame(33)));
        QTRY_VERIFY(data->thread()->haveGetNewKvlwData());
        for (int i = 0; i <= 20; ++i)
            QCOMPARE(int(data->getOnePkgData("spi").bytes[33]), 33);
        QVERIFY(data->getOnePkgData("spi") == data->zeroFrame());  // the 21st after it
        bus->give(packet(0x12, frame(34)));
        QTRY_COMPARE(int(data->getOnePkgData("spi").bytes[33]), 34);
        bus->give(packet(0x12, frame(35)));
        QTRY_VERIFY(data->thread()->haveGetNewKvlwData());
        // The recorder's way takes each frame once, those already shown included.
        QCOMPARE(tagsOf(data->takeReceivedFrames()), (QList<int>{33, 34, 35}));
        QVERIFY(data->takeReceivedFrames().isEmpty());
        QCOMPARE(int(data->getOnePkgData("spi").bytes[33]), 35);
    }

    void commands_goOutAsTheirPacketsInOrder() {
        const auto data = dataSource();
        data->sendCmd_sonarCfg(",Sens=5*");
        data->sendCmd_ap(QString::fromUtf8("$HMSTP*00\r\n"));
        data->sendCmd_bind();
        data->sendCmd_askInfo();
        const QByteArray cfg =
            QByteArray(",Sens=5*") + char(',' ^ 'S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5');
        const QByteArray expected = packet(0x11, command(0xB1, cfg), 0) +
                                    packet(0x11, command(0xC2, "\x0B$HMSTP*00\r\n"), 1) +
                                    packet(0x10, command(0xA1), 2) + packet(0x11, command(0xA3), 3);
        QTRY_COMPARE(bus->writtenBytes(), expected);
    }

    void updateHeartbeats_countMissesAndDropTheAnswerFlag() {
        const auto data = dataSource();
        SpiRwThread* t = data->thread();
        std::atomic<uint8_t>& answered = data->linkState().flag_getData_update_comAck;
        answered = 1;
        for (int i = 0; i < 20; ++i)
            t->slot_TimeOutUpdateHB_Snr();
        QCOMPARE(int(answered), 1);
        t->slot_TimeOutUpdateHB_Ap();  // one counter for both: the 21st miss
        QCOMPARE(int(answered), 0);
        // Each beat is a heartbeat on the wire: the sonar's raw, the autopilot's in 0xC2.
        const QByteArray beat = QByteArray::fromHex("23020000400061");
        QTRY_COMPARE(bus->writtenBytes().count('*' + beat), 20);
        QTRY_COMPARE(bus->writtenBytes().count(command(0xC2, '\x07' + beat)), 1);
        for (int i = 0; i < 200; ++i)
            t->slot_TimeOutUpdateHB_Ap();
        QCOMPARE(t->device().heartbeatMiss.load(), 100);
        data->clearComAck();
        QCOMPARE(t->device().heartbeatMiss.load(), 0);
        data->startTimer_sonarHB();
        QVERIFY(t->heartbeatTimerSonar()->isActive());
        data->stopTimer_sonarHB();
        QVERIFY(!t->heartbeatTimerSonar()->isActive());
    }
};

KORVEL_TEST_MAIN(TestLinkLayer)
#include "test_link_layer.moc"
