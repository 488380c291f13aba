// The sonar link's own rules: the values a frame gives, the configuration messages, and the
// firmware update of the sonar box as a state machine against a scripted loader. (Both run
// against the virtual boat in test_link_vboat.)
#include "base/configuration.h"
#include "base/global.h"
#include "data/boat_values.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/module_update.h"
#include "link/sonar_config_message.h"
#include "link/sonar_frame_values.h"

#include <QtTest>

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
    uint8_t startXor = 0;
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
    void sendStart(uint32_t, uint8_t x) override {
        ++starts;
        startXor = x;
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

// A frame with the fields the values come from, little-endian at their offsets.
kvl_w frame(int headingTenths, int hdop, int latitudeDm, int satellites, uint32_t utc) {
    kvl_w f = kvl_w::zero();
    const auto put = [&f](int at, int value, int size) {
        for (int i = 0; i < size; ++i)
            f.bytes[at + i] = uint8_t(value >> (8 * i));
    };
    put(8, latitudeDm, 4);
    put(16, int(utc), 4);
    put(20, headingTenths, 2);
    put(22, hdop, 2);
    put(24, satellites, 1);
    put(25, 12, 1);  // 1.2 m/s
    put(31, 124, 1);
    put(32, 68, 1);
    put(33, 500, 2);
    return f;
}

}  // namespace

class TestSonarLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Configuration::applyDefaults(Global::configuration); }

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
        const QList<qint64> got{v.status,        v.rangeCm,       v.latitudeDm,   v.longitudeDm,
                                v.utc,           v.headingTenths, v.fixQuality,   v.satellites,
                                v.speedTenths,   v.fishRow,       v.fishStrength, v.topRow,
                                v.batteryTenths, v.temperatureF,  v.depthCm};
        QCOMPARE(got, (QList<qint64>{2, 10000, int32_t(0x8000012C), 1, 0x12345678, 3600, 3000, 9,
                                     25, 120, 200, 5, 124, 68, 600}));
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
        // A position is taken from a fix quality below both the filter x 25 and 3000.
        QTest::newRow("fix 120, filter 20") << "fix" << 120.f << 20.f << 1.f;
        QTest::newRow("fix 250, filter 10") << "fix" << 250.f << 10.f << 0.f;
        QTest::newRow("fix 249, filter 10") << "fix" << 249.f << 10.f << 1.f;
        QTest::newRow("fix 2999, filter 200") << "fix" << 2999.f << 200.f << 1.f;
        QTest::newRow("fix 3000, filter 200") << "fix" << 3000.f << 200.f << 0.f;
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
        if (what == "fix") got = SonarFrameValues::positionUsable(uint16_t(in), offset);
        QVERIFY2(qAbs(got - out) < 1e-4f, qPrintable(QString::number(got)));
    }

    void boatValues_keepHeadingPositionAndTimeWithoutNewOnes() {
        BoatValues values;
        const StructBoatValues& v = values.values();
        // 22 degrees 30 minutes north, 2019-05-13 08:00:00 UTC.
        values.update(frame(900, 100, 223000000, 7, 0x4D5A8000), Global::configuration, true);
        QCOMPARE(v.boat_heading, 90.0f);
        const int lat = v.boat_lat;
        QVERIFY(qAbs(lat - 225000000) <= 1);  // 22.5 degrees
        QCOMPARE(v.boat_speed, 1.2f);
        QCOMPARE(v.current_depth, 5.0f);
        QCOMPARE(v.boat_voltage, 12.4f);
        QCOMPARE(v.water_temp, 20.0f);
        const unsigned time = v.boat_time;
        QVERIFY(time != 0);
        // No heading, a poor fix, no satellites: the previous heading, position and time stay.
        values.update(frame(0, 3000, 110000000, 0, 0x4D5A9000), Global::configuration, true);
        QCOMPARE(v.boat_heading, 90.0f);
        QCOMPARE(v.boat_lat, lat);
        QCOMPARE(v.boat_speed, 1.2f);
        QCOMPARE(v.boat_time, time);
        QCOMPARE(v.gps_fixQuality, 3000);
        QCOMPARE(v.gps_satellites, 0);
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

    // --- Firmware update: the state machine ---------------------------------------------------
    void update_script_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("answerAfter");
        QTest::addColumn<int>("requestAfter");
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("end");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("text");  // 182, still "updating": success
        QTest::addColumn<QList<int>>("blocks");
        using E = ScriptLink::End;
        QTest::newRow("success") << 300 << 3 << 2 << QList<int>{0, 1, 1, 2} << int(E::Ok)
                                 << QStringList{"201", "203"} << 182 << QList<int>{0, 1, 1, 2};
        QTest::newRow("129 bytes: two blocks") << 129 << 1 << 1 << QList<int>{0, 1} << int(E::Ok)
                                               << QStringList{"201"} << 182 << QList<int>{0, 1};
        QTest::newRow("loader reports failure")
            << 300 << 1 << 1 << QList<int>{0, 1, 2} << int(E::Fail) << QStringList{"201", "205"}
            << 185 << QList<int>{0, 1, 2};
        QTest::newRow("no answer") << 300 << -1 << 1 << QList<int>{0} << int(E::Ok)
                                   << QStringList{"201", "202"} << 176 << QList<int>();
        QTest::newRow("never asks for a block")
            << 300 << 1 << -1 << QList<int>{0} << int(E::Ok) << QStringList{"201", "203", "204"}
            << 184 << QList<int>();
        QTest::newRow("link lost in transfer") << 300 << 1 << 1 << QList<int>{0} << int(E::LoseLink)
                                               << QStringList{"201", "208"} << 178 << QList<int>{0};
        QTest::newRow("request beyond the image: stalls")
            << 300 << 1 << 1 << QList<int>{0, 40} << int(E::Silent)
            << QStringList{"201", "206", "207"} << 184
            << (QList<int>{0} + QVector<int>(20, 0).toList());
        QTest::newRow("stops asking") << 300 << 1 << 1 << QList<int>{0, 1} << int(E::Silent)
                                      << QStringList{"201", "206", "207"} << 184
                                      << (QList<int>{0, 1} + QVector<int>(20, 1).toList());
    }
    void update_script() {
        QFETCH(int, size);
        QFETCH(int, answerAfter);
        QFETCH(int, requestAfter);
        QFETCH(QList<int>, requests);
        QFETCH(int, end);
        QFETCH(QStringList, codes);
        QFETCH(int, text);
        QFETCH(QList<int>, blocks);
        const bool ok = text == ModuleUpdate::kTextUpdating;
        ScriptLink link;
        link.answerAfterHeartbeats = answerAfter;
        link.requestAfterStarts = requestAfter;
        link.requests = requests;
        link.end = ScriptLink::End(end);
        const QByteArray img = image(size);
        ModuleUpdate u(img, link, StructUpdateProfile::sonar(), {0, 0});
        QCOMPARE(runScript(u), codes);
        QCOMPARE(u.state() == ModuleUpdate::State::Succeeded, ok);
        QCOMPARE(u.view().button, !ok);
        QCOMPARE(u.view().hidden, ok);
        QCOMPARE(u.view().text, text);
        QCOMPARE(link.blocks, blocks);
        QVERIFY(!link.timer);  // the heartbeat timer is off at the end
        QCOMPARE(link.startXor, link.starts ? Global::XOR_chk(FakeLink::raw(img), size) : 0);
        if (ok) {
            QCOMPARE(u.view().progress, u.blockCount());
            // The blocks carry the image; the short last one is filled with 0xFF.
            QByteArray sent;
            for (int i = 0; i < link.blocks.size(); ++i)
                if (i == 0 || link.blocks[i] != link.blocks[i - 1]) sent += link.blockData[i];
            QCOMPARE(sent.left(size), img);
            QCOMPARE(sent.mid(size), QByteArray(sent.size() - size, '\xFF'));
        }
        if (answerAfter < 0) {
            QCOMPARE(link.heartbeats, ModuleUpdate::kSyncAttempts);
            QCOMPARE(link.resets,
                     1 + ModuleUpdate::kSyncAttempts - ModuleUpdate::kSyncAttempts / 5);
        }
    }
};

KORVEL_TEST_MAIN(TestSonarLink)
#include "test_sonar_link.moc"
