// The sonar link as the controller uses it: the values derived from a frame, the
// configuration messages and their bytes on the wire, and the firmware update of the sonar
// box, as a state machine against a script and end to end against the virtual boat.
#include "core/base/global.h"
#include "core/korvel.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/module_update.h"
#include "link/sonar_config_message.h"
#include "link/sonar_frame_values.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "platform/spi_bus_virtual.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_feedback.h"
#include "ui/ux_dialog_progress.h"
#include "virtual_boat.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

// The update's link as a script: the loader answers after some heartbeats, asks for the
// listed blocks one after another, then ends as told.
struct ScriptLink : ModuleUpdateLink {
    enum class End { Ok, Fail, Silent, LoseLink };
    int answerAfterHeartbeats = 1;  // -1: never
    int requestAfterStarts = 1;     // -1: never
    QList<int> requests;
    End end = End::Ok;

    int resets = 0, heartbeats = 0, starts = 0;
    QList<int> blocks;
    QList<QByteArray> blockData;
    bool timer = false;
    bool ack = false, fm = false, ok = false, failed = false;
    int req = -1;

    void sendReset() override { ++resets; }
    void sendHeartbeat() override {
        ++heartbeats;
        if (answerAfterHeartbeats >= 0 && heartbeats >= answerAfterHeartbeats) ack = true;
    }
    void sendStart(uint32_t, uint8_t) override {
        ++starts;
        if (requestAfterStarts >= 0 && starts >= requestAfterStarts && !requests.isEmpty() && !fm) {
            fm = true;
            req = requests.takeFirst();
        }
    }
    void sendBlock(uint16_t index, const uint8_t* block) override {
        blocks << index;
        blockData << QByteArray(reinterpret_cast<const char*>(block), 128);
        if (!requests.isEmpty()) {
            req = requests.takeFirst();
        } else if (end == End::Ok) {
            ok = true;
        } else if (end == End::Fail) {
            failed = true;
        } else if (end == End::LoseLink) {
            ack = false;
        }
    }
    void startHeartbeatTimer() override { timer = true; }
    void stopHeartbeatTimer() override { timer = false; }
    void clearHeartbeatMisses() override {}
    int requestedIndex() override { return req; }
    void clearRequest() override { req = -1; }
    void clearFlags() override { ack = fm = ok = failed = false; }
    bool comAck() override { return ack; }
    bool fmAck() override { return fm; }
    bool fmOk() override { return ok; }
    bool fmFail() override { return failed; }
};

QByteArray image(int size) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 31 + 7) & 0xFF);
    return b;
}

// Runs the machine to its end; the title codes in the order they were shown.
QStringList runScript(ModuleUpdate& u) {
    QStringList codes;
    for (int i = 0; i < 100000 && !u.finished(); ++i) {
        u.step();
        if (codes.isEmpty() || codes.last() != u.view().code) codes << u.view().code;
    }
    return codes;
}

kvl_w frame(uint16_t depthCm, uint8_t battery, uint8_t tempF, uint32_t rangeCm) {
    kvl_w f = kvl_w::zero();
    f.bytes[4] = rangeCm & 0xff;
    f.bytes[5] = (rangeCm >> 8) & 0xff;
    f.bytes[6] = (rangeCm >> 16) & 0xff;
    f.bytes[31] = battery;
    f.bytes[32] = tempF;
    f.bytes[33] = depthCm & 0xff;
    f.bytes[34] = depthCm >> 8;
    return f;
}

}  // namespace

class TestSonarLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }
    void init() { Configuration::applyDefaults(Global::configuration); }
    void cleanup() { SpiBus::setFactory(nullptr); }

    // --- Derived values ------------------------------------------------------------------------
    void frameFields_littleEndianAtTheirOffsets() {
        kvl_w f{};
        const uint8_t raw[] = {
            '#',  0x10, 1,    0x02, 0x10, 0x27, 0,   0,  // status 2, range 10000
            0x2C, 0x01, 0,    0x80,                      // latitude, negative
            0x01, 0,    0,    0,                         // longitude 1
            0x78, 0x56, 0x34, 0x12,                      // utc
            0x10, 0x0E, 0xB8, 0x0B, 9,    25,   0,   0,  // 3600, 3000, 9 sats, 2.5 m/s
            120,  200,  5,    124,  68,   0x58, 0x02};   // fish, top, 12.4 V, 68 F, 6 m
        std::memcpy(f.bytes, raw, sizeof raw);
        const StructSonarFrameFields v = SonarFrameValues::fields(f);
        QCOMPARE(int(v.status), 2);
        QCOMPARE(v.rangeCm, 10000u);
        QCOMPARE(v.latitudeDm, int32_t(0x8000012C));
        QCOMPARE(v.longitudeDm, 1);
        QCOMPARE(v.utc, 0x12345678u);
        QCOMPARE(int(v.headingTenths), 3600);
        QCOMPARE(int(v.fixQuality), 3000);
        QCOMPARE(int(v.satellites), 9);
        QCOMPARE(int(v.speedTenths), 25);
        QCOMPARE(int(v.fishRow), 120);
        QCOMPARE(int(v.fishStrength), 200);
        QCOMPARE(int(v.topRow), 5);
        QCOMPARE(int(v.batteryTenths), 124);
        QCOMPARE(int(v.temperatureF), 68);
        QCOMPARE(int(v.depthCm), 600);
    }

    void derivedValues_limits_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<float>("in");
        QTest::addColumn<float>("offset");
        QTest::addColumn<float>("out");
        QTest::newRow("range 10 m") << "range" << 1000.f << 0.f << 10.f;
        QTest::newRow("range below 3") << "range" << 150.f << 0.f << 3.f;
        QTest::newRow("range above 50") << "range" << 8000.f << 0.f << 50.f;
        QTest::newRow("depth kept") << "depth" << 6.2f << 0.f << 6.2f;
        QTest::newRow("depth + offset") << "depth" << 6.f << -2.f << 4.f;
        QTest::newRow("depth 100 m") << "depth" << 100.f << 0.f << 0.f;
        QTest::newRow("depth below 0") << "depth" << 1.f << -2.f << 0.f;
        QTest::newRow("temp 32 F") << "temp" << 32.f << 0.f << 0.f;
        QTest::newRow("temp 212 F + 1") << "temp" << 212.f << 1.f << 99.f;
        QTest::newRow("temp 0 F") << "temp" << 0.f << 0.f << -32.f / 1.8f;
        QTest::newRow("volts 17.0") << "volts" << 170.f << 0.f << 0.f;
        QTest::newRow("volts 6.0") << "volts" << 60.f << 0.f << 6.f;
        QTest::newRow("volts 5.9") << "volts" << 59.f << 0.f << 0.f;
        QTest::newRow("volts 12.4 + 0.5") << "volts" << 124.f << 0.5f << 12.9f;
        QTest::newRow("volts 15.5 + 1") << "volts" << 155.f << 1.f << 0.f;
    }
    void derivedValues_limits() {
        QFETCH(QString, what);
        QFETCH(float, in);
        QFETCH(float, offset);
        QFETCH(float, out);
        float got = -1000;
        if (what == "range") got = SonarFrameValues::rangeMetres(uint32_t(in));
        if (what == "depth") got = SonarFrameValues::depthMetres(in, offset);
        if (what == "temp") got = SonarFrameValues::waterCelsius(uint8_t(in), offset);
        if (what == "volts") got = SonarFrameValues::boatVolts(uint8_t(in), offset);
        QVERIFY2(qAbs(got - out) < 1e-4f, qPrintable(QString::number(got)));
    }

    void positionFilter_data() {
        QTest::addColumn<int>("hdop");
        QTest::addColumn<float>("gpsFilter");
        QTest::addColumn<bool>("taken");
        QTest::newRow("good fix") << 120 << 20.f << true;
        QTest::newRow("at the filter") << 250 << 10.f << false;
        QTest::newRow("just below the filter") << 249 << 10.f << true;
        QTest::newRow("2999") << 2999 << 200.f << true;
        QTest::newRow("3000") << 3000 << 200.f << false;
    }
    void positionFilter() {
        QFETCH(int, hdop);
        QFETCH(float, gpsFilter);
        QFETCH(bool, taken);
        QCOMPARE(SonarFrameValues::positionUsable(uint16_t(hdop), gpsFilter), taken);
    }

    void controller_keepsHeadingAndPositionWithoutNewOnes() {
        TestRoot root;
        Korvel k;
        k.mainTimer()->stop();
        // Two frames replayed from a log: the second has no heading and a poor fix.
        kvl_w a = frame(500, 124, 68, 1000), b = frame(500, 124, 68, 1000);
        a.bytes[20] = 0x84;  // 90.0 degrees
        a.bytes[21] = 0x03;
        a.bytes[22] = 100;  // HDOP 1.00
        a.bytes[8] = 0x40;  // some latitude
        a.bytes[9] = 0x42;
        a.bytes[10] = 0x0F;
        a.bytes[25] = 12;
        a.bytes[24] = 7;
        b.bytes[22] = 0xB8;  // HDOP 30.00
        b.bytes[23] = 0x0B;
        b.bytes[8] = 0x11;
        for (kvl_w* f : {&a, &b}) {
            f->bytes[0] = '#';
            uint8_t x = 0;
            for (int i = 3; i < 275; ++i)
                x ^= f->bytes[i];
            f->bytes[275] = x;
        }
        QByteArray log(64, '*');
        log.append(reinterpret_cast<const char*>(a.bytes), 276);
        log.append(reinterpret_cast<const char*>(b.bytes), 276);
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/two.kvlw", log));
        Global::configuration.workMode = 2;
        k.system_checkState();
        k.dialog_file_nameGet("kvlw", "/mnt/sd/Korvel/Record/two.kvlw");
        k.slot_timeout_main();
        QCOMPARE(k.values().boat_heading, 90.0f);
        const int lat = k.values().boat_lat;
        QVERIFY(lat != 0);
        QCOMPARE(k.values().boat_speed, 1.2f);
        QCOMPARE(k.values().current_depth, 5.0f);
        QCOMPARE(k.values().boat_voltage, 12.4f);
        QCOMPARE(k.values().water_temp, 20.0f);
        k.slot_timeout_main();
        QCOMPARE(k.values().boat_heading, 90.0f);
        QCOMPARE(k.values().boat_lat, lat);
        QCOMPARE(k.values().boat_speed, 1.2f);
        QCOMPARE(k.values().gps_fixQuality, 3000);
        QCOMPARE(k.values().gps_satellites, 0);
    }

    // --- Configuration messages ---------------------------------------------------------------
    void configMessages_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("packets");
        QTest::newRow("sens") << "sens" << QStringList{",Sens=4*"};
        QTest::newRow("fsens") << "fsens" << QStringList{",FSen=7*"};
        QTest::newRow("gain") << "gain" << QStringList{",Gain=2*"};
        QTest::newRow("freq") << "freq" << QStringList{",Freq=0*"};
        QTest::newRow("range") << "range" << QStringList{",LRng=35*"};
        QTest::newRow("all") << "all"
                             << QStringList{",Freq=0,Gain=2,LRng=35*", ",Sens=4,Fsen=7*",
                                            ",Sens=4,Fsen=7*"};
        QTest::newRow("repeat") << "repeat" << QStringList{",Gain=1*"};
        QTest::newRow("unknown") << "volume" << QStringList();
    }
    void configMessages() {
        QFETCH(QString, key);
        QFETCH(QStringList, packets);
        StructConfiguration cfg = Global::configuration;
        cfg.sonarSensitivity = 4.9f;
        cfg.fishSensitivity = 7;
        cfg.sonarGain = 2;
        cfg.sonarFreq = 1;
        cfg.depthRange = 35.6f;
        QCOMPARE(SonarConfigMessage::build(key, cfg, ",Gain=1*"), packets);
        QVERIFY(SonarConfigMessage::build("repeat", cfg, QString()).isEmpty());
        cfg.sonarFreq = 0;
        QCOMPARE(SonarConfigMessage::build("freq", cfg, QString()), QStringList{",Freq=2*"});
    }

    void configBytes_onTheWire() {
        auto state = std::make_shared<FakeSpiBus::State>();
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        TestRoot root;
        Global::configuration.sonarGain = 1;
        Korvel k;
        k.mainTimer()->stop();
        k.data()->thread()->device().setPacing({0, 0, 0});
        // The start-up's greeting goes out first.
        QTRY_COMPARE(k.data()->thread()->device().queuedCommands(), 0);
        QTest::qWait(20);
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            state->written.clear();
        }
        k.link_sonar_send_cfg("gain");
        const auto written = [state] {
            std::lock_guard<std::mutex> lock(state->mutex);
            return state->written;
        };
        QTRY_VERIFY(!written().isEmpty());  // the reading thread writes it
        const QByteArray w = written();
        // "#sbus", to the boat, index, 0, length 10, header XOR, '*', B1 4E, text, checksum.
        const QByteArray text(",Gain=1*");
        uint8_t x = 0;
        for (char c : text.left(7))
            x ^= uint8_t(c);
        QCOMPARE(w.size(), 12 + 2 + text.size() + 1);
        QCOMPARE(w.left(6), QByteArray("#sbus\x11"));
        QCOMPARE(int(uint8_t(w[8])), 2 + text.size() + 1);
        QCOMPARE(w.mid(12, 2), QByteArray("\xB1\x4E"));
        QCOMPARE(w.mid(14, text.size()), text);
        QCOMPARE(uint8_t(w.back()), x);
        QCOMPARE(k.link_sonar_lastCfg(), QString::fromLatin1(text));
    }

    void config_acknowledgedByTheVirtualBoat() {
        TestRoot root;
        auto boat = std::make_shared<vboat::VirtualBoat>();
        const int fd = boat->attachSocketPair();
        SpiBus::setFactory([fd] { return std::make_unique<SpiBusVirtual>(fd); });
        Global::configuration.sonarGain = 1;
        Global::configuration.sonarFreq = 1;
        Global::configuration.depthRange = 20;
        Global::configuration.sonarSensitivity = 5;
        Global::configuration.fishSensitivity = 3;
        boat->powerOn();
        QTest::qWait(700);  // the boat has booted
        Korvel k;           // the start-up greets the boat: hello, then the three packets of "all"
        k.mainTimer()->stop();
        QTRY_COMPARE_WITH_TIMEOUT(boat->stats().configAccepted, 3, 5000);
        QCOMPARE(boat->stats().configRejected, 0);
        QCOMPARE(boat->stats().lastConfig, QByteArray(",Sens=5,Fsen=3"));
        QCOMPARE(k.dialogs().feedBack()->type(), QStringLiteral("sonar_cfg"));
        const vboat::SonarSettings s = boat->sonarSettings();
        QCOMPARE(s.gain, 1);
        QCOMPARE(s.frequency, 0);
        QCOMPARE(s.rangeM, 20);
        Global::configuration.fishSensitivity = 8;
        k.link_sonar_send_cfg("fsens");
        QTRY_COMPARE_WITH_TIMEOUT(boat->sonarSettings().fishSensitivity, 8, 5000);
        k.data()->linkState().flag_getData_sonar_ack = 0;
        k.link_sonar_send_cfg("repeat");
        QTRY_COMPARE_WITH_TIMEOUT(boat->stats().configAccepted, 5, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_ack), 1, 5000);
        QCOMPARE(boat->stats().lastConfig, QByteArray(",FSen=8"));
        SpiBus::setFactory(nullptr);
    }

    // --- Firmware update: the state machine ---------------------------------------------------
    void update_script_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("answerAfter");
        QTest::addColumn<int>("requestAfter");
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("end");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("text");
        QTest::addColumn<QList<int>>("blocks");
        using E = ScriptLink::End;
        QTest::newRow("success") << 300 << 3 << 2 << QList<int>{0, 1, 1, 2} << int(E::Ok) << true
                                 << QStringList{"201", "203"} << 182 << QList<int>{0, 1, 1, 2};
        QTest::newRow("129 bytes: two blocks")
            << 129 << 1 << 1 << QList<int>{0, 1} << int(E::Ok) << true << QStringList{"201"} << 182
            << QList<int>{0, 1};
        QTest::newRow("loader reports failure")
            << 300 << 1 << 1 << QList<int>{0, 1, 2} << int(E::Fail) << false
            << QStringList{"201", "205"} << 185 << QList<int>{0, 1, 2};
        QTest::newRow("no answer") << 300 << -1 << 1 << QList<int>{0} << int(E::Ok) << false
                                   << QStringList{"201", "202"} << 176 << QList<int>();
        QTest::newRow("never asks for a block")
            << 300 << 1 << -1 << QList<int>{0} << int(E::Ok) << false
            << QStringList{"201", "203", "204"} << 184 << QList<int>();
        QTest::newRow("link lost in transfer")
            << 300 << 1 << 1 << QList<int>{0} << int(E::LoseLink) << false
            << QStringList{"201", "208"} << 178 << QList<int>{0};
        QTest::newRow("request beyond the image: stalls")
            << 300 << 1 << 1 << QList<int>{0, 40} << int(E::Silent) << false
            << QStringList{"201", "206", "207"} << 184
            << (QList<int>{0} + QVector<int>(20, 0).toList());
        QTest::newRow("stops asking") << 300 << 1 << 1 << QList<int>{0, 1} << int(E::Silent)
                                      << false << QStringList{"201", "206", "207"} << 184
                                      << (QList<int>{0, 1} + QVector<int>(20, 1).toList());
    }
    void update_script() {
        QFETCH(int, size);
        QFETCH(int, answerAfter);
        QFETCH(int, requestAfter);
        QFETCH(QList<int>, requests);
        QFETCH(int, end);
        QFETCH(bool, ok);
        QFETCH(QStringList, codes);
        QFETCH(int, text);
        QFETCH(QList<int>, blocks);
        ScriptLink link;
        link.answerAfterHeartbeats = answerAfter;
        link.requestAfterStarts = requestAfter;
        link.requests = requests;
        link.end = ScriptLink::End(end);
        const QByteArray img = image(size);
        ModuleUpdate u(img, link, StructUpdateProfile::sonar(), {0, 0});
        QCOMPARE(u.blockCount(), (size + 127) / 128);
        QCOMPARE(runScript(u), codes);
        QCOMPARE(u.state() == ModuleUpdate::State::Succeeded, ok);
        QCOMPARE(u.view().button, !ok);
        QCOMPARE(u.view().hidden, ok);
        QCOMPARE(link.blocks, blocks);
        QVERIFY(!link.timer);  // the heartbeat timer is off at the end
        if (ok) {
            QCOMPARE(u.view().progress, u.blockCount());
            // The blocks carry the image; the short last one is filled with 0xFF.
            QByteArray sent;
            for (int i = 0; i < link.blocks.size(); ++i)
                if (i == 0 || link.blocks[i] != link.blocks[i - 1]) sent += link.blockData[i];
            QCOMPARE(sent.left(size), img);
            QCOMPARE(sent.mid(size), QByteArray(sent.size() - size, '\xFF'));
        } else {
            QCOMPARE(u.view().text, text);
        }
        if (answerAfter < 0) {
            QCOMPARE(link.heartbeats, ModuleUpdate::kSyncAttempts);
            QCOMPARE(link.resets,
                     1 + ModuleUpdate::kSyncAttempts - ModuleUpdate::kSyncAttempts / 5);
        }
    }

    void update_imageXor() {
        ScriptLink link;
        ModuleUpdate u(QByteArray("\x01\x02\x04\x80", 4), link);
        QCOMPARE(int(u.imageXor()), 0x87);
        QCOMPARE(u.blockCount(), 1);
    }

    // --- Firmware update: end to end against the virtual boat --------------------------------
    void update_virtualBoat_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("finalCode");
        QTest::addColumn<QStringList>("mustShow");
        using F = vboat::LoaderFault;
        QTest::newRow("success") << int(F::None) << true << "" << QStringList{"201"};
        QTest::newRow("loader reports failure")
            << int(F::ReportFailure) << false << "205" << QStringList{"201", "205"};
        QTest::newRow("no answer")
            << int(F::NoAnswer) << false << "202" << QStringList{"201", "202"};
        QTest::newRow("stalled request")
            << int(F::StopRequesting) << false << "207" << QStringList{"201", "206", "207"};
    }
    void update_virtualBoat() {
        QFETCH(int, fault);
        QFETCH(bool, ok);
        QFETCH(QString, finalCode);
        QFETCH(QStringList, mustShow);
        TestRoot root;
        vboat::SimOptions o;
        o.gpsAcquireSeconds = 0;
        auto boat = std::make_shared<vboat::VirtualBoat>(o);
        boat->setLoaderFault(vboat::LoaderFault(fault), 3);
        boat->setLoaderReRequestEvery(4);
        const int fd = boat->attachSocketPair();
        SpiBus::setFactory([fd] { return std::make_unique<SpiBusVirtual>(fd); });
        Korvel k;
        k.data()->thread()->device().setPacing({5, 1, 5});
        k.link_setUpdateTiming(60, 2);
        boat->powerOn();
        QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_hello), 1, 5000);

        QStringList shown;
        QTimer watch;
        const auto sample = [&] {
            const QString c = k.dialogs().progress()->codeText();
            if (k.dialogs().progress()->isVisible() && (shown.isEmpty() || shown.last() != c))
                shown << c;
        };
        connect(&watch, &QTimer::timeout, sample);
        watch.start(2);
        const QByteArray img = image(1500);  // 12 blocks, the last of 92 bytes
        QSignalSpy finished(&k, &Korvel::signal_updateFinished);
        QVERIFY(k.link_update_sonar(img));
        QVERIFY(!k.link_update_sonar(img));  // one at a time
        QVERIFY(!k.mainTimer()->isActive());
        QVERIFY(finished.wait(60000));
        const bool result = finished.at(0).at(0).toBool();
        watch.stop();
        sample();  // the last view
        QCOMPARE(result, ok);
        QVERIFY(k.mainTimer()->isActive());  // the tick runs again
        QCOMPARE(k.mainTimer()->interval(), 125);
        QVERIFY(!k.updateFlags().inProgress);
        QCOMPARE(k.updateFlags().done, ok);
        for (const QString& c : mustShow)
            QVERIFY2(shown.contains(c), qPrintable(shown.join(',')));
        const vboat::LoaderStats s = boat->stats().loader;
        if (ok) {
            QVERIFY(!k.dialogs().progress()->isVisible());
            QCOMPARE(s.result, '4');
            QCOMPARE(s.image, img);  // the box got the image byte for byte
            QVERIFY(s.reRequests >= 2);
            // The box boots its application again and says hello.
            k.data()->linkState().flag_getData_sonar_hello = 0;
            QTRY_COMPARE_WITH_TIMEOUT(int(k.data()->linkState().flag_getData_sonar_hello), 1, 5000);
        } else {
            QVERIFY(k.dialogs().progress()->isVisible());
            QCOMPARE(k.dialogs().progress()->codeText(), finalCode);
            QVERIFY(k.dialogs().progress()->buttonShown());
            QCOMPARE(k.updateFlags().aborted, finalCode == "202");
        }
        k.data()->thread()->requestStop();
        SpiBus::setFactory(nullptr);
    }
};

KORVEL_TEST_MAIN(TestSonarLink)
#include "test_sonar_link.moc"
