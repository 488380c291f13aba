// The virtual boat, judged by the handset's own link layer: the boat's core drives a SpiDevice
// directly, on a clock the test moves in 5 ms steps as the reading loop polls, so every timing
// is exact and nothing waits. (The parser that judges it is pinned by hand-built bytes in the
// link's tests.) Then the firmware loader, the wire protocol over a socket, and the program.
#include "base/configuration.h"
#include "base/resources.h"
#include "boat_core.h"
#include "control.h"
#include "core/script_runner.h"
#include "fake_spi_bus.h"
#include "kboot_loader.h"
#include "korvel_test.h"
#include "link/ap_sentence.h"
#include "link/kboot.h"
#include "link/rdup_file.h"
#include "link/sonar_frame_values.h"
#include "link/spi_device.h"
#include "navi/convert.h"
#include "platform/boat_control.h"
#include "platform/spi_bus_virtual.h"
#include "update_file.h"
#include "virtual_boat.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace FakeLink;

namespace {

// The boat's core as the handset's bus (the lines are numbered alike on both sides), on a
// clock the test moves, noting what the handset reads.
struct CoreBus : SpiBus {
    vboat::BoatCore core;
    double now = 0;
    QByteArray taken;     // every byte the handset read
    int noisyBursts = 0;  // transfers that did not start with a '#'
    bool selected = false;

    void open() override {}
    void configure(uint8_t, uint8_t, uint32_t) override {}
    long read(uint8_t* buf, size_t n) override {
        const QByteArray got = core.read(int(n));
        noisyBursts += selected && got[0] != '#';
        selected = false;
        taken += got;
        std::copy(got.begin(), got.end(), buf);
        return got.size();
    }
    long write(const uint8_t* buf, size_t n) override {
        core.write(QByteArray(reinterpret_cast<const char*>(buf), int(n)), now);
        return long(n);
    }
    void setLine(EnumGpioLine line, bool high) override {
        core.setLine(int(line), high);
        if (line == EnumGpioLine::ChipSelect) selected = !high;
    }
    bool isOpen() const override { return true; }
    int readLine(EnumGpioLine line) override { return core.line(int(line)) ? 1 : 0; }
};

struct Rig {
    CoreBus* bus = new CoreBus;  // owned by the device
    SpiDevice dev{std::unique_ptr<SpiBus>(bus)};
    vboat::BoatCore& core = bus->core;
    double& now = bus->now;
    QVector<kvl_w> frames;  // every frame the handset took

    Rig() { dev.setPacing({0, 0, 0}); }
    void run(double seconds) {
        for (const double end = now + seconds - 1e-9; now < end;) {
            now += 0.005;
            core.tick(now);
            dev.pollOnce();
            frames += dev.takeFrames();
        }
    }
    // Clears the flag, then runs until it is set: the seconds that took, -1 beyond the limit.
    double secondsUntil(std::atomic<uint8_t>& flag, double limit = 3) {
        flag = 0;
        for (double t = 0.005; t < limit; t += 0.005) {
            run(0.005);
            if (flag) return t;
        }
        return -1;
    }
    // Power on and wait for the hello, which comes half a second later. The autopilot's
    // information shows "?" until its first report (its own defaults are values it reports).
    void start() {
        core.powerOn(now);
        run(0.6);
        ApInfo_t unknown;
        std::fill(std::begin(unknown.field), std::end(unknown.field), QStringLiteral("?"));
        state().setCurrentInfoAp(unknown);
    }
    LinkState& state() { return dev.state(); }
    // The signal strength at the handset from a fresh radio report, in dBm (0: no signal).
    int rssi() {
        state().currentInfo_radio.myRssi = 1;
        dev.ss_askRadioRssi_tst();
        run(0.02);
        return int8_t(state().currentInfo_radio.myRssi.load());
    }
};

// A sentence of the handset, as its link sends it.
void sendAp(Rig& rig, const QString& sentence) {
    rig.dev.ss_wr_aplnk_tst(sentence.toLatin1());
}

// The start sentence to a point the given metres north of where the boat starts (40 m out
// from the shore point, on the remote control's run).
QString runNorth(double metres) {
    const vboat::SimOptions o;
    const auto ddS32 = [](double degrees) { return int(std::lround(degrees * 1e7)); };
    return ApSentence::start(ddS32(o.originLongitude),
                             ddS32(o.originLatitude + (40 + metres) / 111320.0));
}

StructConfiguration defaults() {
    StructConfiguration cfg;
    Configuration::applyDefaults(cfg);
    return cfg;
}

// The loader's one answer to a packet of the handset's own encoder: "hb" for the heartbeat's,
// "!n" for a request of block n, "4" or "5" for its report, "" for none, "?" for anything else.
QString answer(vboat::KBootLoader& loader, const KBootTxPkgT& pkg, bool corrupt = false) {
    uint8_t buf[KBoot::kMaxData + KBoot::kOverhead];
    QByteArray packet(reinterpret_cast<const char*>(buf), KBoot::encode(pkg, buf));
    packet[4] = char(packet[4] ^ int(corrupt));
    const QList<QByteArray> replies = loader.onPacket(packet);
    KBootRxPkgT r;
    if (replies.isEmpty()) return QString();
    if (replies.size() > 1 || !KBoot::decode(raw(replies[0]), replies[0].size(), r) || !r.len)
        return "?";
    if (r.type == KBoot::TYPE_HEARTBEAT_ANSWER) return "hb";
    if (r.type != KBoot::TYPE_REPORT) return "?";
    return r.data[0] == '!' ? "!" + QString::number(r.data[1] | r.data[2] << 8) : QChar(r.data[0]);
}

template <size_t N>
QByteArray b(const char (&text)[N]) {
    return QByteArray(text, int(N - 1));
}

}  // namespace

class TestVboat : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Rig> rig;

private slots:
    void init() { rig = std::make_unique<Rig>(); }
    void cleanup() {
        // The handset never wrote outside the handshake nor read an unselected module.
        QCOMPARE(rig->core.stats().handshakeViolations, 0);
        QCOMPARE(rig->core.stats().readsWhileDeselected, 0);
    }

    // Switched on, the sonar box and the autopilot say hello half a second later; then six
    // frames a second and the autopilot's information once a second (its power-up once).
    void powerOn_hellosThenFramesAndInformation() {
        LinkState& s = rig->state();
        QCOMPARE(rig->secondsUntil(s.flag_getData_sonar_hello, 1), -1.0);  // off: nothing
        rig->core.powerOn(rig->now);
        rig->run(0.48);
        QVERIFY(!s.flag_getData_sonar_hello && !s.flag_getData_ap_hello);
        rig->run(0.04);
        QVERIFY(s.flag_getData_sonar_hello && s.flag_getData_ap_hello && s.flag_haveReboot);
        QVERIFY(rig->frames.isEmpty());
        rig->bus->taken.clear();
        rig->run(10.2);  // up to 10.7 s: reports at 1.5 ... 10.5 s
        QVERIFY2(qAbs(rig->frames.size() - 61) <= 1,
                 qPrintable(QString::number(rig->frames.size())));
        QCOMPARE(rig->core.stats().droppedMessages, 0);
        QCOMPARE(int(rig->bus->taken.count("$HMINF,")), 10);
        QCOMPARE(int(rig->bus->taken.count("$HMPWR,")), 0);
        QCOMPARE(int(s.count_noData_ap), 0);
        const ApInfo_t info = s.currentInfoAp();
        // Satellites, heading, task mode, remote control, no distance without a task.
        QVERIFY(info.field[0].toInt() > 0 && info.field[1].toInt() >= 0);
        QCOMPARE(QStringList({info.field[2], info.field[3], info.field[4]}),
                 QStringList({"M", "A", ""}));
        // A reset: the loader waits a second for the handset, then the application boots.
        rig->dev.ss_sysReset_tst();
        rig->run(0.05);
        rig->frames.clear();
        QVERIFY(qAbs(rig->secondsUntil(s.flag_getData_sonar_hello) - 1.45) < 0.02);
        QVERIFY(rig->frames.isEmpty());
    }

    void config_takenOnlyWhenWellFormed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("corrupt");
        QTest::addColumn<QString>("settings");  // gain freq range sens fish; unchanged: refused
        const QString unchanged = "3 2 0 0 6";
        QTest::newRow("gain 2x") << ",Gain=1*" << false << "1 2 0 0 6";
        QTest::newRow("range 20 m") << ",LRng=20*" << false << "3 2 20 0 6";
        QTest::newRow("combined") << ",Freq=0,Gain=2,LRng=15*" << false << "2 0 15 0 6";
        QTest::newRow("sensitivities") << ",Sens=5,Fsen=7*" << false << "3 2 0 5 7";
        QTest::newRow("fish, other spelling") << ",FSen=0*" << false << "3 2 0 0 0";
        QTest::newRow("checksum wrong") << ",Gain=1*" << true << unchanged;
        QTest::newRow("gain out of range") << ",Gain=7*" << false << unchanged;
        QTest::newRow("range 1 m") << ",LRng=1*" << false << unchanged;
        QTest::newRow("unknown key") << ",Volume=3*" << false << unchanged;
        QTest::newRow("no number") << ",LRng=abc*" << false << unchanged;
        QTest::newRow("one bad field of two") << ",Gain=1,Freq=1*" << false << unchanged;
    }
    void config_takenOnlyWhenWellFormed() {
        QFETCH(QString, text);
        QFETCH(bool, corrupt);
        QFETCH(QString, settings);
        const bool taken = settings != "3 2 0 0 6";
        const QByteArray bytes = text.toLatin1();
        rig->start();
        rig->dev.ss_snrCfg_tst(bytes + char(xorOf(bytes, 0, bytes.indexOf('*')) ^ int(corrupt)));
        rig->run(0.1);
        QCOMPARE(int(rig->state().flag_getData_sonar_ack), int(taken));
        const vboat::SonarSettings s = rig->core.sonarSettings();
        QCOMPARE(QString::asprintf("%d %d %d %d %d", s.gain, s.frequency, s.rangeM, s.sensitivity,
                                   s.fishSensitivity),
                 settings);
        QCOMPARE(rig->core.stats().lastConfig, taken ? bytes.chopped(1) : QByteArray());
        // The frames from now on carry the gain and the range in use.
        rig->frames.clear();
        rig->run(0.6);
        QVERIFY(rig->frames.size() >= 3);
        for (const kvl_w& f : rig->frames) {
            const StructSonarFrameFields v = SonarFrameValues::fields(f);
            if (s.gain < 3) QCOMPARE(v.status & 3, s.gain);
            if (s.rangeM > 0) QCOMPARE(int(v.rangeCm), s.rangeM * 100);
        }
    }

    // Binding: the module acknowledges at once; pairing takes 0.8 s from the boot (0.5 s) or
    // from the command, whichever is later, once per command. Then the boat's reports.
    void bindAndCommands_answeredWithReports() {
        LinkState& s = rig->state();
        rig->dev.ss_bind_cmd_tst();
        QVERIFY(rig->secondsUntil(s.flag_getCmd_ack) < 0.02);
        QCOMPARE(rig->secondsUntil(s.flag_getCmd_bindOk, 2), -1.0);  // the boat is off
        // App, radio, GPS (above 32767: the field is unsigned), autopilot, the module's own.
        rig->core.setVersions({1234, 56, 40000, 7, 37});
        rig->core.powerOn(rig->now);
        QVERIFY(qAbs(rig->secondsUntil(s.flag_getCmd_bindOk) - 1.3) < 0.02);
        rig->dev.ss_bind_cmd_tst();
        QVERIFY(qAbs(rig->secondsUntil(s.flag_getCmd_bindOk) - 0.8) < 0.02);
        QCOMPARE(rig->secondsUntil(s.flag_getCmd_bindOk), -1.0);
        QCOMPARE(rig->core.stats().bindRequests, 2);
        s.flag_getData_sonar_hello = s.flag_getData_sonar_ack = 0;
        rig->dev.ss_askRadioRssi_tst();
        rig->dev.ss_askSnrInfo_tst();
        rig->dev.ss_snrHello_tst();
        rig->dev.ss_compassCali_tst();
        rig->run(0.1);
        const int mine = int8_t(s.currentInfo_radio.myRssi.load());
        const int his = int8_t(s.currentInfo_radio.hisRssi.load());
        QVERIFY2(mine >= -100 && mine <= -30 && qAbs(his - mine) <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(mine).arg(his)));
        QCOMPARE(int(s.currentInfo_radio.ver), 37);
        const SysInfo_t& sys = s.currentInfo_sys;
        QCOMPARE(QList<int>({sys.app, sys.radio, sys.GPS, sys.helmo}),
                 QList<int>({1234, 56, 40000, 7}));
        QCOMPARE(int(s.flag_getData_sonar_hello), 1);
        QCOMPARE(int(s.flag_getData_sonar_ack), 1);  // the compass calibration's
    }

    // After 0xA4 the boat acknowledges at once and, 4 s later, reports the result chosen on the
    // control channel as "CCR," and a stage digit (current_compassCali 1, 2, 3); a repeated
    // command does not start it again; a box before version 123 reports nothing.
    void compassCali_reportsTheChosenResult_data() {
        QTest::addColumn<QByteArray>("outcome");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("reported");
        QTest::newRow("success") << QByteArray("ok") << 130 << 1;
        QTest::newRow("failure") << QByteArray("fail") << 130 << 2;
        QTest::newRow("not stored") << QByteArray("flash") << 123 << 3;
        QTest::newRow("no report") << QByteArray("none") << 130 << 0;
        QTest::newRow("old sonar box") << QByteArray("ok") << 122 << 0;
    }
    void compassCali_reportsTheChosenResult() {
        QFETCH(QByteArray, outcome);
        QFETCH(int, version);
        QFETCH(int, reported);
        QStringList trace;
        rig->core.setTrace([&](const QByteArray& l) { trace << QString::fromLatin1(l).trimmed(); });
        QCOMPARE(vboat::controlCommand(rig->core, "compass " + outcome, rig->now),
                 QByteArray("ok"));
        QCOMPARE(vboat::controlCommand(rig->core, "version sonar " + QByteArray::number(version),
                                       rig->now),
                 QByteArray("ok"));
        rig->start();
        LinkState& s = rig->state();
        rig->dev.ss_compassCali_tst();
        QVERIFY(rig->secondsUntil(s.flag_getData_sonar_ack) < 0.1);
        rig->run(2);
        rig->dev.ss_compassCali_tst();  // as the feedback wait repeats it
        rig->run(1.8);
        QCOMPARE(int(s.current_compassCali), 0);
        rig->run(0.4);
        QCOMPARE(int(s.current_compassCali), reported);
        s.current_compassCali = 0;
        rig->run(5);
        QCOMPARE(int(s.current_compassCali), 0);  // once
        const QString said = trace.filter("says sonar 0xC3").join('|');
        QCOMPARE(said.isEmpty() ? 0 : said.right(1).toInt() + 1, reported);
    }

    void autopilot_answersSentences_data() {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("ack");
        QTest::addColumn<QString>("mode");  // the task mode the information reports then
        const StructConfiguration cfg = defaults();
        const QString pra = ApSentence::parameters(cfg);
        const QString hck = ApSentence::wiringTest("left", cfg);
        const auto row = [](const char* name, const QStringList& sentences, double seconds,
                            const char* mode, bool ack = false, const char* fault = "none") {
            QTest::newRow(name) << sentences << QString(fault) << seconds << ack << QString(mode);
        };
        row("parameters", {pra}, 0.5, "M", true);
        row("wiring test: T until stopped", {hck}, 0.5, "T", true);
        row("wiring test, stop", {hck, ApSentence::stop()}, 0.5, "S", true);
        row("no-ack fault", {pra, hck}, 0.5, "T", false, "no-ack");
        row("checksum wrong", {QString(hck).replace("LEFT", "LEFF")}, 0.5, "M");
        row("run", {runNorth(300)}, 2, "R");
        row("run, stop", {runNorth(300), ApSentence::stop()}, 2, "S");
        row("run 5 m: arrives", {runNorth(5)}, 8, "F");
        row("run nowhere", {ApSentence::seal("$HMCTL,RUN,east,north")}, 2, "E");
    }
    void autopilot_answersSentences() {
        QFETCH(QStringList, sentences);
        QFETCH(QString, fault);
        QFETCH(double, seconds);
        QFETCH(bool, ack);
        QFETCH(QString, mode);
        QVERIFY(rig->core.setFaultByName(fault));
        rig->start();
        LinkState& s = rig->state();
        s.flag_getData_ap_ack = 0;
        for (const QString& sentence : sentences)
            sendAp(*rig, sentence);
        rig->run(seconds + 1);
        QCOMPARE(int(s.flag_getData_ap_ack), int(ack));
        const ApInfo_t info = s.currentInfoAp();
        QCOMPARE(info.field[2], mode);
        // The distance to the target while it runs: about 300 m less the way made.
        QCOMPARE(info.field[4].isEmpty(), mode != "R");
        if (mode == "R") QVERIFY(qAbs(info.field[4].toInt() - 296) < 5);
    }

    // The autopilot's task as its trace tells it: where a leg arrived and how long the boat
    // held there before the next leg or a stop (the status line shows the hold while it lasts).
    void autopilot_tracesArrivalsAndHolds_data() {
        QTest::addColumn<QString>("after");  // sent after 3 s at the first point
        QTest::addColumn<QStringList>("events");
        const QString first = "arrived at 113\\.9408\\d+,22\\.55\\d+";
        QTest::newRow("next leg") << runNorth(10)
                                  << QStringList{first, "held 3\\.[01] s at the point, then RUN",
                                                 "arrived at "};
        QTest::newRow("stop during the wait")
            << ApSentence::stop() << QStringList{first, "held 3\\.[01] s at the point, then STOP"};
    }
    void autopilot_tracesArrivalsAndHolds() {
        QFETCH(QString, after);
        QFETCH(QStringList, events);
        QStringList got;
        rig->core.setTrace([&](const QByteArray& l) {
            const int at = l.indexOf(" autopilot ");
            if (at > 0 && !l.contains(" says ")) got << l.mid(at + 11).trimmed();
        });
        rig->start();
        sendAp(*rig, runNorth(5));
        while (rig->core.autopilot().taskMode() != 'F' && rig->now < 20)
            rig->run(0.05);
        rig->run(3);
        const QByteArray status = vboat::controlCommand(rig->core, "status", rig->now);
        QVERIFY2(QRegularExpression("held=3\\.[01] ").match(status).hasMatch(), status.constData());
        sendAp(*rig, after);
        rig->run(15);
        QCOMPARE(got.size(), events.size());
        for (int i = 0; i < events.size(); ++i)
            QVERIFY2(QRegularExpression("^" + events[i]).match(got[i]).hasMatch(),
                     qPrintable(got[i]));
    }

    // A control command, after the boat was sent so far north (0: where it starts, 40 m out),
    // then 4 s with a parameter sentence. After: the frames taken, the signal at the handset
    // (lo..hi dBm, 0: none), the sentence acknowledged or not, the autopilot's task mode and
    // remote control, a part of the status line.
    void control_commandsAnswerAndAct_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("metres");
        QTest::addColumn<QString>("reply");  // its start
        QTest::addColumn<QString>("after");
        const auto row = [](const char* line, const char* reply,
                            const char* after = "24 -59..-53 ack M A power=on", double metres = 0) {
            QTest::newRow(line) << line << metres << reply << after;
        };
        row("power off", "ok", "0 0..0 noack ? ? power=off");
        row("power on", "ok");
        row("fault none", "ok", "24 -78..-72 ack F A link=none", 300);  // 340 m out
        row("fault weak", "ok", "12 -84..-78 ack M A link=weak");
        row("fault lost", "ok", "0 0..0 noack ? ? link=lost");
        row("rssi -45", "ok", "24 -45..-45 ack F A power=on", 300);
        row("rate 12", "ok", "48 -59..-53 ack M A rate=12");
        row("ap ack off", "ok", "24 -59..-53 noack M A ack=off");
        row("ap mode E", "ok", "24 -59..-53 ack E A mode=E");
        row("ap rc V", "ok", "24 -59..-53 ack M V rc=V");
        row("version ap 1.50", "ok", "24 -59..-53 ack M A ap-version=1.50");
        row("version sonar 99", "ok", "24 -59..-53 ack M A sonar-version=99");
        row("fault fog", "error: unknown fault");
        row("rate 0", "error: rate N");
        row("rssi 5", "error: rssi N|auto");
        row("ap mode Q", "error: ap ack on|off");
        row("jump",
            "error: unknown command \"jump\" (fault, power, rssi, sats, rate, battery, ap, "
            "version, compass, depth, survey, status)");
    }
    void control_commandsAnswerAndAct() {
        QFETCH(QString, line);
        QFETCH(double, metres);
        QFETCH(QString, reply);
        QFETCH(QString, after);
        const QStringList w = after.split(' ');
        rig->start();
        LinkState& s = rig->state();
        if (metres > 0) {
            sendAp(*rig, runNorth(metres));
            rig->run(metres / 1.0);  // at least 1 m/s
            QCOMPARE(s.currentInfoAp().taskMode(), QString("F"));
        }
        const QByteArray answer = vboat::controlCommand(rig->core, line.toLatin1(), rig->now);
        QVERIFY2(answer.startsWith(reply.toLatin1()), answer.constData());
        rig->frames.clear();
        s.flag_getData_ap_ack = 0;
        sendAp(*rig, ApSentence::parameters(defaults()));
        rig->run(4);
        // A new rate starts after the frame already due.
        QVERIFY2(qAbs(rig->frames.size() - w[0].toInt()) <= 2,
                 qPrintable(QString::number(rig->frames.size())));
        for (int i = 0; i < 5; ++i) {
            const int dbm = rig->rssi();
            QVERIFY2(
                dbm >= w[1].section("..", 0, 0).toInt() && dbm <= w[1].section("..", 1).toInt(),
                qPrintable(QString::number(dbm)));
        }
        QCOMPARE(s.flag_getData_ap_ack ? "ack" : "noack", w[2]);
        QCOMPARE(s.currentInfoAp().taskMode() + ' ' + s.currentInfoAp().rcState(),
                 w[3] + ' ' + w[4]);
        const QByteArray status = vboat::controlCommand(rig->core, "status", rig->now);
        QVERIFY2(status.startsWith("ok ") && status.contains(w[5].toLatin1()), status.constData());
    }

    // "depth LAT LON" gives the lake's depth at the point in local metres (x east, y north of
    // the shore point, converted here as the boat converts its own position).
    void depth_isTheLakesAtThePoint_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("shore point") << 0.0 << 0.0;
        QTest::newRow("behind the shore") << -20.0 << -50.0;
        QTest::newRow("start of the run") << 0.0 << 40.0;
        QTest::newRow("hump") << 78.0 << 113.0;
        QTest::newRow("hole") << -75.0 << 78.0;
        QTest::newRow("river bed") << 30.0 << 180.0;
    }
    void depth_isTheLakesAtThePoint() {
        QFETCH(double, x);
        QFETCH(double, y);
        const vboat::SimOptions o;
        const double lat = o.originLatitude + y / 111320.0;
        const double lon =
            o.originLongitude + x / (111320.0 * std::cos(o.originLatitude * M_PI / 180));
        const QByteArray answer = vboat::controlCommand(
            rig->core,
            "depth " + QByteArray::number(lat, 'f', 9) + ' ' + QByteArray::number(lon, 'f', 9),
            rig->now);
        QVERIFY2(answer.startsWith("ok depth "), answer.constData());
        QVERIFY2(qAbs(answer.mid(9).toDouble() - vboat::Lake().depthAt(x, y)) < 0.0051,
                 answer.constData());
    }

    // A survey of 60 x 40 m at 10 m: five lines from the corner nearest the boat (40 m out),
    // driven over their middles, then the boat holds at the far corner.
    void survey_drivesEveryLineThenHolds() {
        rig->start();
        QCOMPARE(vboat::controlCommand(rig->core, "survey 10 50 60 40 10 5", rig->now),
                 QByteArray("ok survey 5 lines 340 m"));
        const auto status = [&] { return vboat::controlCommand(rig->core, "status", rig->now); };
        QVERIFY2(status().contains(" survey=1/5 "), status().constData());
        QList<vboat::CoursePoint> track;
        while (!status().contains(" survey=done ") && rig->now < 90) {
            rig->run(0.05);
            track << rig->core.sim().position();
        }
        QVERIFY2(rig->now < 90, status().constData());  // 14 m there, 340 m at 5 m/s: 71 s
        for (int line = 0; line < 5; ++line) {
            double nearest = 1e9;
            for (const vboat::CoursePoint& p : track)
                nearest = std::min(nearest, std::hypot(p.x - 40, p.y - (50 + 10 * line)));
            QVERIFY2(nearest < 3, qPrintable(QString::number(line)));
        }
        rig->run(5);
        const vboat::CoursePoint end = rig->core.sim().position();
        QVERIFY2(std::hypot(end.x - 70, end.y - 90) < 0.01 && end.speed == 0,
                 qPrintable(QString("%1 %2").arg(end.x).arg(end.y)));
        QVERIFY(std::hypot(end.x - track.last().x, end.y - track.last().y) < 0.01);
        QVERIFY2(status().contains(" survey=done "), status().constData());
    }

    // Survey arguments: what is refused, and the edges of what is taken.
    void survey_refusesBadArguments_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reply");  // its start
        const auto row = [](const char* line, const char* reply) {
            QTest::newRow(line) << line << reply;
        };
        const char* usage = "error: survey X Y W H SPACING [SPEED]: ";
        row("survey 0 0 60 40", usage);
        row("survey 0 0 60 40 10 1 1", usage);
        row("survey a 0 60 40 10", usage);
        row("survey 0 0 60 40 10 inf", usage);
        row("survey 0 0 0 40 10", usage);
        row("survey 0 0 60 -1 10", usage);
        row("survey 0 0 60 40 0", usage);
        row("survey 0 0 60 40 10 0", usage);
        row("survey 0 0 8 9 10", usage);
        row("survey 0 0 60 1000 1", usage);  // 1001 lines
        row("survey 0 0 60 999 1", "ok survey 1000 lines 60999 m");
        row("survey 0 0 60 5 10", "ok survey 2 lines 125 m");  // both edges, closer than 10 m
        row("depth 91 113", "error: depth LAT LON");
        row("depth 22.5", "error: depth LAT LON");
    }
    void survey_refusesBadArguments() {
        QFETCH(QString, line);
        QFETCH(QString, reply);
        const QByteArray answer = vboat::controlCommand(rig->core, line.toLatin1(), rig->now);
        QVERIFY2(answer.startsWith(reply.toLatin1()), answer.constData());
        const QByteArray status = vboat::controlCommand(rig->core, "status", rig->now);
        QCOMPARE(status.contains(" survey=-"), reply.startsWith("error"));
    }

    void trace_aLineForEachPacketTheBoatHears() {
        QStringList lines;
        rig->core.setTrace([&](const QByteArray& l) { lines << QString::fromLatin1(l); });
        rig->start();
        const QByteArray gain = ",Gain=1*" + QByteArray(1, char(xorOf(",Gain=1")));
        const QString pra = ApSentence::parameters(defaults());
        rig->dev.ss_snrHello_tst();
        rig->dev.ss_snrCfg_tst(gain);
        sendAp(*rig, pra);
        rig->dev.ss_askRadioRssi_tst();
        rig->dev.ss_wr_updateHB_Ap();
        rig->dev.ss_wr_updateSTX_Snr(300, 0x5A);
        rig->run(0.03);
        rig->core.powerOff();
        rig->dev.ss_snrHello_tst();
        rig->run(0.01);
        // What the boat says itself is traced too: the hellos when it has booted, the
        // autopilot's sentences.
        QVERIFY(lines.size() > 2 && lines.takeFirst().endsWith(" says sonar 0xA6 hello\n"));
        QVERIFY(lines.takeFirst().contains(
            QRegularExpression(" says autopilot 0xC2 \\$HMPWR,\\*[0-9A-F]{2}\n")));
        QCOMPARE(lines,
                 QStringList({"0.605 boat 0xA6\n", "0.610 boat 0xB1 ,Gain=1*\n",
                              "0.615 boat 0xC2 " + pra + "\n", "0.620 module 0xA3\n",
                              "0.625 boat 0xC2 kboot 0x00 2\n", "0.630 boat 0x00 kboot 0x1F 9\n",
                              "0.635 boat 0xA6 (not heard)\n"}));
    }

    void faults_onlyGoodFramesReachTheHandset_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("harmless");  // the handset takes the hit frames all the same
        QTest::newRow("none") << "none" << true;
        QTest::newRow("bad frame checksum") << "bad-frame-checksum" << false;
        QTest::newRow("bad header checksum") << "bad-header-checksum" << false;
        QTest::newRow("short frame") << "short-frame" << false;
        QTest::newRow("long frame") << "long-frame" << false;
        QTest::newRow("garbage in front") << "garbage" << true;
        QTest::newRow("split frame") << "split-frame" << true;
        QTest::newRow("silence: only the module answers") << "silence" << true;
    }
    void faults_onlyGoodFramesReachTheHandset() {
        QFETCH(QString, fault);
        QFETCH(bool, harmless);
        vboat::Fault f;
        QVERIFY(vboat::faultFromName(fault, f) && !vboat::faultFromName("noise", f));
        const bool silent = fault == "silence";
        rig->core.setFault(f, 2);  // every second frame
        rig->core.setFrameRate(8);
        rig->start();
        rig->dev.ss_askRadioRssi_tst();
        rig->run(3);
        const int sent = rig->core.stats().framesQueued;
        QCOMPARE(sent >= 20, !silent);
        QCOMPARE(rig->frames.size(), harmless ? sent : sent - sent / 2);
        // Harmless, but there: line noise in front, a frame in two packets. (The rest of a
        // message whose header failed is noise to the next transfer too.)
        QCOMPARE(rig->bus->noisyBursts > 0, fault == "garbage" || fault == "bad-header-checksum");
        QCOMPARE(rig->bus->taken.count("#sbus\x12") - sent, fault == "split-frame" ? sent / 2 : 0);
        QCOMPARE(int(rig->state().count_noData_sonar), silent ? 10 : 0);
        QCOMPARE(int(rig->state().flag_getData_sonar_hello), int(!silent));
        QCOMPARE(int(rig->state().currentInfo_radio.md), 1);
        QCOMPARE(rig->state().currentInfo_radio.myRssi == 0, silent);
    }

    // The battery that the frames and the status line report after 40 s on the remote
    // control's run: volts at its start less so many per 100 m travelled (the time's 1.2 V an
    // hour is 0.01 V here), at least 6.5 V. A row named after its line: that line is refused.
    void battery_dropsWithDistance_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<double>("volts");
        QTest::addColumn<double>("per100m");
        QTest::newRow("as at the start") << "" << 12.4 << 0.0;
        QTest::newRow("9.0 V") << "battery 9.0" << 9.0 << 0.0;
        QTest::newRow("0.5 V per 100 m") << "battery per100m 0.5" << 12.4 << 0.5;
        QTest::newRow("both") << "battery per100m 2;battery 9" << 9.0 << 2.0;
        QTest::newRow("down to 6.5 V") << "battery 7;battery per100m 5" << 6.5 << 0.0;
        QTest::newRow("auto") << "battery 7;battery per100m 5;battery auto" << 12.4 << 0.0;
        for (const char* bad : {"battery 6.4", "battery 16.1", "battery per100m 5.1",
                                "battery per100m -1", "battery low", "battery 9 1"})
            QTest::newRow(bad) << bad << 12.4 << 0.0;
    }
    void battery_dropsWithDistance() {
        QFETCH(QString, lines);
        QFETCH(double, volts);
        QFETCH(double, per100m);
        rig->start();
        for (const QString& line : lines.split(';', Qt::SkipEmptyParts))
            QVERIFY(vboat::controlCommand(rig->core, line.toLatin1(), rig->now)
                        .startsWith(line == QTest::currentDataTag() ? "error: battery" : "ok"));
        double travelled = 0;
        for (vboat::CoursePoint was = rig->core.sim().position(), p; rig->now < 40; was = p) {
            rig->run(0.05);  // at most one frame: one step of the boat
            p = rig->core.sim().position();
            travelled += std::hypot(p.x - was.x, p.y - was.y);
        }
        const double reported = SonarFrameValues::fields(rig->frames.last()).batteryTenths / 10.0;
        const QByteArray status = vboat::controlCommand(rig->core, "status", rig->now);
        QVERIFY2(qAbs(reported - std::max(6.5, volts - per100m * travelled / 100)) < 0.07 &&
                     status.contains(" battery=" + QByteArray::number(reported, 'f', 1) + " ") &&
                     travelled > 40 && qAbs(status.split('=').last().toDouble() - travelled) < 1,
                 status.constData());
    }

    // Bad fixes in frames that the handset takes all the same, beside a frame fault, until
    // "fault none". From the first hit on, each frame as a letter: 0 at (0, 0), J 1000 m north
    // of the boat, 2 two satellites at the boat, . a good fix at the boat.
    void fixFaults_spoilEveryNthFrame_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("want");
        const auto row = [](const char* name, const char* lines, const char* want) {
            QTest::newRow(name) << QString(lines) << QString(want);
        };
        row("zero", "fault fix-zero", "00000000");
        row("jump, every 3rd", "fault fix-jump 3", "J..J..J.");
        row("few, beside garbage", "fault garbage;fault fix-few 2", "2.2.2.2.");
        row("the last one", "fault fix-few;fault fix-zero 4", "0...0...");
        row("none", "fault fix-jump;fault none", "........");
    }
    void fixFaults_spoilEveryNthFrame() {
        QFETCH(QString, lines);
        QFETCH(QString, want);
        rig->start();
        rig->run(6);  // a fix of 4 satellites or more
        for (const QString& line : lines.split(';'))
            QCOMPARE(vboat::controlCommand(rig->core, line.toLatin1(), rig->now), QByteArray("ok"));
        QString got;
        for (rig->frames.clear(); got.size() < 12; rig->run(0.005)) {
            if (rig->frames.isEmpty()) continue;
            const StructSonarFrameFields f = SonarFrameValues::fields(rig->frames.takeFirst());
            const vboat::CoursePoint p = rig->core.sim().position();
            double x = 0, y = 0;
            rig->core.sim().geoToLocal(Convert::dmS32_to_ddS32(f.latitudeDm) / 1e7,
                                       Convert::dmS32_to_ddS32(f.longitudeDm) / 1e7, x, y);
            const char at = f.latitudeDm == 0 && f.longitudeDm == 0     ? '0'
                            : std::hypot(x - p.x, y - p.y - 1000) < 0.1 ? 'J'
                            : std::hypot(x - p.x, y - p.y) < 2          ? '.'
                                                                        : '?';
            got += f.satellites != 2 ? at : at == '.' ? '2' : '?';
        }
        QCOMPARE(got.mid(got.indexOf(want[0]), want.size()), want);
        QCOMPARE(rig->bus->noisyBursts > 0, lines.contains("garbage"));
    }

    void module_handshakeCountedAndOneMessagePerTransfer() {
        vboat::BoatCore core;
        core.setLine(vboat::kChipSelect, false);
        core.write(packet(0x10, command(0xA3)), 0);  // transmit low
        core.setLine(vboat::kTransmit, true);
        core.write(packet(0x10, command(0xA3)), 0);  // as it should be
        // The module answers at once, but presents an answer only after the transfer.
        QVERIFY(!core.line(vboat::kReceiveReady));
        core.setLine(vboat::kTransmit, false);
        core.setLine(vboat::kChipSelect, true);
        QVERIFY(core.line(vboat::kReceiveReady));
        core.write(packet(0x10, command(0xA3)), 0);  // chip select high
        QCOMPARE(core.stats().handshakeViolations, 2);
        QCOMPARE(core.read(3), QByteArray(3, '\0'));  // not selected: filler only
        QCOMPARE(core.stats().readsWhileDeselected, 1);
        QCOMPARE(core.stats().packetsReceived, 3);
    }

    void packetReader_resynchronisesAfterNoise() {
        QByteArray badHeader = packet(0x11, command(0xA6), 2);
        badHeader[10] = char(badHeader[10] ^ 0x40);
        // Noise, a header cut short by the next packet, a header whose XOR fails.
        const QByteArray stream = "\x01\x02#s#sbu#sbus" + packet(0x10, command(0xA1), 1) +
                                  badHeader + "zz" + packet(0x11, command(0xB1, ",Gain=1*x"), 3);
        vboat::PacketReader reader;
        for (int i = 0; i < stream.size(); i += 5)  // in small pieces, as a stream arrives
            reader.feed(stream.mid(i, 5));
        QStringList got;
        for (vboat::Packet p; reader.next(p);)
            got << QStringLiteral("%1 %2 ").arg(p.type, 0, 16).arg(p.index) + p.payload.toHex();
        QCOMPARE(got, (QStringList{"10 1 a15e", "11 3 b14e2c4761696e3d312a78"}));
        QCOMPARE(reader.rejectedHeaders(), 2);
    }

    void wire_answersEveryRequest_data() {
        QTest::addColumn<QByteArray>("requests");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<bool>("error");  // the boat then hangs up
        // V; G 0, 1, 2; S 2 7 (any level is high), S 1 1 (the module's line), S 0 0.
        QTest::newRow("version and lines")
            << b("VG\0G\1G\2S\2\7S\1\1S\0\0") << b("v\1g\0\1g\1\0g\2\0s\2\1s\1\0s\0\0") << false;
        QTest::newRow("reads and writes")
            << b("R\4\0R\0\0W\2\0ab") << b("r\4\0\0\0\0\0r\0\0w\2\0") << false;
        QTest::newRow("unknown request") << b("Z") << b("E\1") << true;
        QTest::newRow("read beyond 4096") << b("R\1\20") << b("E\2") << true;
        QTest::newRow("unknown line") << b("G\11") << b("E\3") << true;
    }
    void wire_answersEveryRequest() {
        QFETCH(QByteArray, requests);
        QFETCH(QByteArray, replies);
        QFETCH(bool, error);
        vboat::VirtualBoat boat;
        const int fd = boat.attachSocketPair();
        QCOMPARE(::send(fd, requests.constData(), size_t(requests.size()), 0), requests.size());
        QByteArray got;
        char buf[64];
        pollfd p{fd, POLLIN, 0};
        const auto receive = [&] {
            const ssize_t n = ::poll(&p, 1, 2000) == 1 ? ::recv(fd, buf, sizeof buf, 0) : -1;
            if (n > 0) got.append(buf, int(n));
            return n;
        };
        while (got.size() < replies.size() && receive() > 0) {
        }
        QCOMPARE(got, replies);
        if (!error) QVERIFY(boat.stop(1000));  // in time, closing the socket
        QCOMPARE(receive(), ssize_t(0));       // the end of the stream
        ::close(fd);
    }

    // The loader (an image of three 128-byte blocks, its XOR in the start message) answering
    // the handset's packets. Script: hb the heartbeat, start (start! with a wrong XOR, start48
    // for 48-byte blocks), bN block N (bN* one that does not decode), next the blocks asked for
    // while it asks. Answers: hb, !n a request of block n, 4 or 5 its report, - none.
    void loader_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("reRequest");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("answers");
        using F = vboat::LoaderFault;
        const auto row = [](const char* name, const char* script, const char* answers,
                            F fault = F::None, int reRequest = 0) {
            QTest::newRow(name) << int(fault) << reRequest << script << answers;
        };
        row("success", "hb start next", "hb !0 !1 !2 4");
        row("every 2nd asked twice", "hb start next", "hb !0 !1 !1 !2 4", F::None, 2);
        row("image XOR wrong", "hb start! next", "hb !0 !1 !2 5");
        row("reports failure", "hb start next", "hb !0 !1 !2 5", F::ReportFailure);
        row("stops after 2", "hb start next", "hb !0 !1 -", F::StopRequesting);
        row("no answer", "hb start", "- -", F::NoAnswer);
        row("blocks of another size", "hb start48", "hb 5");
        row("asks again for the block it wants, a damaged one ignored", "start b1 b0* b0 b0 b1 b2",
            "!0 !0 - !1 !1 !2 4");
    }
    void loader() {
        QFETCH(int, fault);
        QFETCH(int, reRequest);
        QFETCH(QString, script);
        QFETCH(QString, answers);
        QByteArray image(300, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 13);
        vboat::KBootLoader loader(128);
        loader.setFault(vboat::LoaderFault(fault), 2);
        loader.setReRequestEvery(reRequest);
        loader.enter();
        const auto block = [&](int index, bool corrupt) {
            const QByteArray b = image.mid(index * 128, 128).leftJustified(128, '\xFF');
            return answer(loader, KBoot::block(uint16_t(index), raw(b), 128), corrupt);
        };
        QStringList got;
        for (const QString& step : script.split(' ')) {
            if (step == "hb") got << answer(loader, KBoot::heartbeat());
            if (step.startsWith("start"))
                got << answer(loader, KBoot::startOfTransfer(300, step.endsWith("48") ? 48 : 128,
                                                             xorOf(image) ^ step.endsWith('!')));
            if (step.startsWith('b')) got << block(step.mid(1, 1).toInt(), step.endsWith('*'));
            while (step == "next" && got.last().startsWith('!') && got.size() < 20)
                got << block(got.last().mid(1).toInt(), false);
        }
        QCOMPARE(got.replaceInStrings(QRegularExpression("^$"), "-").join(' '), answers);
        QCOMPARE(loader.done(), answers.endsWith('4') || answers.endsWith('5'));
        if (answers.endsWith('4')) QCOMPARE(loader.stats().image, image);
    }

    // The program: a log of the boat's first half minute that is the handset's built-in
    // recording byte for byte, an update file, refusals of bad arguments.
    void program_writesFiles() {
        QTemporaryDir dir;
        const auto run = [&](QStringList args) {
            return QProcess::execute(KORVEL_VBOAT_BINARY, args);
        };
        const QString log = dir.filePath("0121-1759.kvlw");
        QCOMPARE(run({"--record-log", log, "--minutes", "0.5", "--start", "2019-01-21T09:59:13"}),
                 0);
        korvelInitResources();
        QFile recorded(log), builtIn(":/sim/0121-1759.kvlw");
        QVERIFY(recorded.open(QIODevice::ReadOnly) && builtIn.open(QIODevice::ReadOnly));
        QCOMPARE(recorded.readAll(), builtIn.read(64 + 180 * 276));
        const QString rdup = dir.filePath("x.rdup");
        QCOMPARE(run({"--make-rdup", rdup, "--sonar-version", "107", "--ap-version", "1.02"}), 0);
        QFile update(rdup);
        QVERIFY(update.open(QIODevice::ReadOnly));
        const QByteArray file = update.readAll();
        QCOMPARE(file, vboat::makeUpdateFile(107, 102));
        // The handset's own reader takes it: two images that end in a short block.
        const StructRdupFile read = RdupFile::parse(file);
        QVERIFY(read.ok && read.sonarVersion == 107 && read.apVersion == 102);
        QVERIFY(read.sonarImage.size() % 128 && read.apImage.size() % 48);
        QCOMPARE(run({"--record-log", dir.filePath("no/x")}), 1);
        QCOMPARE(run({"--socket", dir.filePath("s"), "--rate", "0"}), 2);
        QCOMPARE(run({"--make-rdup", rdup, "--ap-version", "1.2"}), 2);
        QCOMPARE(run({"--socket", dir.filePath("s"), "--fault", "fog"}), 2);
    }

    // The program serves a handset on its socket (switched on for the first one: its hello,
    // then frames), takes control commands, traces what it hears while it runs, and removes
    // its socket and control path when it ends.
    void program_servesAHandsetAndTakesControlCommands() {
        QTemporaryDir dir;
        const QString socket = dir.filePath("boat.sock");
        const QString control = dir.filePath("boat.ctl");
        const QString trace = dir.filePath("trace.txt");
        QProcess boat;
        boat.start(KORVEL_VBOAT_BINARY,
                   {"--socket", socket, "--control", control, "--trace", trace, "--fault", "weak"});
        QVERIFY(boat.waitForStarted());
        QTRY_VERIFY(QFile::exists(socket) && QFile::exists(control));
        SpiDevice dev(std::make_unique<SpiBusVirtual>(socket));
        dev.setPacing({0, 0, 0});
        QTRY_VERIFY((dev.pollOnce(), dev.haveNewFrame()));
        QCOMPARE(int(dev.state().flag_getData_sonar_hello), 1);
        QFile traced(trace);
        QVERIFY(traced.open(QIODevice::ReadOnly));
        QByteArray lines;
        dev.ss_askSnrInfo_tst();
        QTRY_VERIFY((dev.pollOnce(), lines += traced.readAll(), lines.contains(" boat 0xA3\n")));

        QString answer;
        QVERIFY(BoatControl::send("status", &answer, nullptr, control));
        QVERIFY2(answer.contains("power=on") && answer.contains("link=weak"), qPrintable(answer));
        // A script's boat lines; the one the boat refuses is reported and the script goes on.
        qputenv("KORVEL_VBOAT_CONTROL", control.toLocal8Bit());
        ScriptRunner script(nullptr);
        QSignalSpy done(&script, &ScriptRunner::finished);
        {
            KorvelTest::ExpectedMessage refused("script line 2: boat fault fog: error: unknown");
            QVERIFY(script.parse("boat fault none\nboat fault fog\nboat  power   off\n"));
            script.start();
            QVERIFY(done.wait());
            QCOMPARE(refused.seen(), 1);
        }
        QVERIFY(BoatControl::send("status", &answer, nullptr, control));
        QVERIFY2(answer.contains("power=off") && answer.contains("link=none"), qPrintable(answer));
        // No boat at the path: the line is reported all the same.
        qputenv("KORVEL_VBOAT_CONTROL", dir.filePath("none.ctl").toLocal8Bit());
        {
            KorvelTest::ExpectedMessage missing("script line 1: boat status: no virtual boat at");
            QVERIFY(script.parse("boat status\nwait 1\n"));
            script.start();
            QVERIFY(done.wait());
            QCOMPARE(missing.seen(), 1);
        }
        qunsetenv("KORVEL_VBOAT_CONTROL");
        QCOMPARE(done.size(), 2);
        QCOMPARE(done.at(1).at(0).toInt(), 0);
        boat.terminate();
        QVERIFY(boat.waitForFinished(3000));
        QCOMPARE(boat.exitCode(), 0);
        QVERIFY(!QFile::exists(socket) && !QFile::exists(control));
    }
};

KORVEL_TEST_MAIN(TestVboat)
#include "test_vboat.moc"
