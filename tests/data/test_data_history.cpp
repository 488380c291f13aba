// The sonar history: the median depth filter, local time, the history at both chart speeds,
// recording to and replaying from a log file, and the data logger.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "data/kvlw_time.h"
#include "data/record_naming.h"
#include "data/recorder.h"
#include "golden.h"
#include "korvel_test.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "start_check.h"
#include "state/sonar_history_state.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QtTest>
#include <csignal>

namespace {

// The packed word of "yyyy-MM-dd hh:mm:ss"; 0 for anything else.
uint32_t word(const char* text) {
    const QDateTime t = QDateTime::fromString(text, "yyyy-MM-dd hh:mm:ss");
    return KvlwTime::pack({t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                           t.time().minute(), t.time().second()});
}

// A valid frame whose samples and depth carry a seed.
kvl_w frameWith(int seed) {
    kvl_w f = kvl_w::zero();
    f.bytes[0] = '#';
    f.bytes[1] = 0x10;
    f.bytes[2] = 0x01;
    f.bytes[33] = uint8_t(seed);
    for (int i = 0; i < SonarHistory::kSamples; ++i)
        f.bytes[SonarHistory::kSamplesOffset + i] = uint8_t(seed * 7 + i);
    f.bytes[275] = Global::XOR_chk(f.bytes + 3, 272);
    return f;
}

// The handset under a root of its own with a card holding the program's folders; its tick
// is driven by the test.
struct Handset {
    TestRoot root;
    Korvel k;
    Handset() {
        QDir().mkpath(root.path("/mnt/sd/Korvel/Record"));
        QDir().mkpath(root.path("/mnt/sd/Korvel/Export"));
        k.mainTimer()->stop();
        passStartCheck(k);
        k.system_checkState();
    }
    void set(int StructConfiguration::*field, int value) {
        Global::configuration.*field = value;
        k.system_checkState();
    }
    // Frames as the radio hands them over, then the tick that takes them.
    void receive(const QList<kvl_w>& frames) {
        for (const kvl_w& f : frames)
            k.data()->thread()->device().dispatch(0x12, f.bytes, kvl_w::kSize, 0);
        k.data_getOrigin_kvlw();
    }
    // Neither recording nor logging, nor looking so, and the user told why.
    bool stoppedAndTold() {
        k.system_checkState();
        const StructConfiguration& c = Global::configuration;
        return c.workMode == 0 && c.dataExport == 0 && !k.recordMarkShown() &&
               !k.exportMarkShown() && k.dialogs().hint()->isVisible() &&
               k.dialogs().hint()->text() == TrResource::getTrString(TR_SaveFileFailed);
    }
};

}  // namespace

class TestDataHistory : public QObject {
    Q_OBJECT
private slots:
    void init() { Configuration::applyDefaults(Global::configuration); }

    void medianFilter_passesSixThenMedianOfSeven() {
        DepthMedianFilter f;
        const float in[] = {5, 9, 1, 7, 3, 8, 2, 40, 40, 40, 40};
        const float out[] = {5, 9, 1, 7, 3, 8, 5, 7, 7, 8, 40};
        for (int i = 0; i < 11; ++i)
            QCOMPARE(f.push(in[i]), out[i]);
        f.reset();
        QCOMPARE(f.push(12.5f), 12.5f);
    }

    void utc2Local_data() {
        QTest::addColumn<uint32_t>("utc");
        QTest::addColumn<float>("zone");
        QTest::addColumn<uint32_t>("local");
        const auto row = [](const char* name, const char* utc, float zone, const char* local) {
            QTest::newRow(name) << word(utc) << zone << word(local);
        };
        row("+8 same day", "2019-01-21 09:59:13", 8, "2019-01-21 17:59:13");
        row("+1 into the new year", "2018-12-31 23:30:00", 1, "2019-01-01 00:30:00");
        row("leap year: 28 Feb to 29 Feb", "2020-02-28 23:00:00", 2, "2020-02-29 01:00:00");
        row("common year: 28 Feb to 1 Mar", "2019-02-28 23:00:00", 2, "2019-03-01 01:00:00");
        row("half hours truncated (+5.5)", "2021-06-01 10:00:00", 5.5f, "2021-06-01 15:00:00");
        row("half hours truncated (-3.7)", "2021-06-01 10:00:00", -3.7f, "2021-06-01 07:00:00");
        row("no calendar date", "", 8, "");
        row("before 2000", "2000-01-01 00:30:00", -1, "");
    }
    void utc2Local() {
        QFETCH(uint32_t, utc);
        QFETCH(float, zone);
        QFETCH(uint32_t, local);
        QCOMPARE(KvlwTime::utc2Local(utc, zone), local);
    }

    void kvlwWord_takenApartForTheScreens() {
        quint16 y;
        quint8 mo, d, h, mi, s;
        Global::getKvlwDate(word("2019-01-21 17:59:13"), y, mo, d);
        Global::getKvlwTime(word("2019-01-21 17:59:13"), h, mi, s);
        QCOMPARE(QList<int>({y, mo, d, h, mi, s}), QList<int>({19, 1, 21, 17, 59, 13}));
    }

    void recordNames_allTakenGivesNone() {
        const auto taken = [](const QString&) { return true; };
        QVERIFY(RecordNaming::fileName("/r/", "X_", ".kvlw", word("2019-01-21 17:59:13"), taken)
                    .isEmpty());
        QVERIFY(RecordNaming::fileName("/r/", "X_", ".kvlw", 0, taken).isEmpty());
    }

    // At any chart speed the history keeps one record per column, the current values follow
    // its newest record, and at speed 1 an interpolated column goes before each new one.
    void history_246AfterEveryTick_data() {
        QTest::addColumn<float>("chartSpeed");
        QTest::newRow("speed 0") << 0.0f;
        QTest::newRow("speed 1") << 1.0f;
    }
    void history_246AfterEveryTick() {
        QFETCH(float, chartSpeed);
        Global::configuration.simulator = 1;
        Global::configuration.chartSpeed = chartSpeed;
        Handset h;
        const QList<kvl_w>& records = h.k.history().records();
        kvl_w before = records.last();
        for (int i = 0; i < 300; ++i) {
            before = records.last();
            h.k.slot_timeout_main();
            QCOMPARE(records.size(), 246);
        }
        const kvl_w last = records.last();
        QVERIFY(last.isValid());
        for (int i = SonarHistory::kSamplesOffset; i < kvl_w::kSize - 1; ++i)
            QCOMPARE(int(records.at(244).bytes[i]),
                     chartSpeed == 0 ? before.bytes[i] : (before.bytes[i] + last.bytes[i]) / 2);
        QCOMPARE(h.k.values().sonar_status, int(last.bytes[3]));
        QCOMPARE(h.k.values().gps_satellites, int(last.bytes[24]));
        QCOMPARE(h.k.values().water_temp, (last.bytes[32] - 32) / 1.8f);
        QVERIFY(h.k.values().boat_time != 0);
    }

    // A log that cannot be replayed whole says why; what it holds plays, nothing else is
    // touched, and the live echogram takes the radio's frames again once replay ends.
    void replay_badLogs_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<qint64>("size");  // made this long with a hole, when not 0
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("records");
        QByteArray three(64, 'H');
        for (int i = 1; i <= 3; ++i)
            three += QByteArray(reinterpret_cast<const char*>(frameWith(i).bytes), kvl_w::kSize);
        QTest::newRow("cut in a record")
            << three.left(three.size() - 100) << qint64(0) << QString() << 2;
        QTest::newRow("no record") << QByteArray(64, 'H') << qint64(0) << "704" << 0;
        QTest::newRow("2 GB") << three << (qint64(2) << 30) << "705" << 3;
        QTest::newRow("no file") << QByteArray() << qint64(-1) << "101" << 0;
    }
    void replay_badLogs() {
        QFETCH(QByteArray, log);
        QFETCH(qint64, size);
        QFETCH(QString, code);
        QFETCH(int, records);
        Handset h;
        const QString name = QStringLiteral("/mnt/sd/Korvel/Record/bad.kvlw");
        if (size >= 0) h.root.writeFile(name, log);
        if (size > 0) QVERIFY(QFile(h.root.path(name)).resize(size));
        h.set(&StructConfiguration::workMode, 2);
        h.k.dialog_file_nameGet(QStringLiteral("kvlw"), name);
        QCOMPARE(h.k.dialogs().hint()->isVisible() ? h.k.dialogs().hint()->codeText() : QString(),
                 code);
        QCOMPARE(h.k.sonarHistory().player().index().count(), records);
        h.k.slot_timeout_main();
        if (records > 0) QCOMPARE(h.k.history().newest(), frameWith(1));
        h.set(&StructConfiguration::workMode, 0);
        h.receive({frameWith(9)});
        QCOMPARE(h.k.history().newest(), frameWith(9));
        QCOMPARE(h.k.sonarHistory().live().at(h.k.sonarHistory().live().newest()), frameWith(9));
    }

    // The recording holds the header and every valid frame from the radio while the mode is
    // on; the file dialog hands it to playback, which shows the frames in turn.
    void record_thenReplayByteForByte() {
        Handset h;
        h.set(&StructConfiguration::workMode, 1);
        QVERIFY(h.k.recordMarkShown());
        const QString name = h.k.recorder().recordFileName();
        QCOMPARE(name, QStringLiteral("/mnt/sd/Korvel/Record/Sablo_History_0.kvlw"));
        QList<kvl_w> frames;
        for (int i = 0; i < 3; ++i)
            frames << frameWith(i + 1);
        kvl_w bad = frameWith(50);
        bad.bytes[100] ^= 1;  // a checksum that fails: not recorded
        h.receive({frames[0], frames[1], bad, frames[2]});
        h.set(&StructConfiguration::workMode, 0);
        QVERIFY(!h.k.recordMarkShown());
        h.receive({frameWith(99)});  // after the recording ended
        GOLDEN_COMPARE("data/record.kvlw", h.root.readFile(name));

        // Playback skips a damaged record and a record cut short by a power loss.
        QFile log(h.root.path(name));
        QVERIFY(log.open(QIODevice::Append));
        log.write(QByteArray(reinterpret_cast<const char*>(bad.bytes), kvl_w::kSize) +
                  QByteArray(100, '#'));
        log.close();
        h.set(&StructConfiguration::workMode, 2);
        h.k.dialog_file_nameGet(QStringLiteral("kvlw"), name);
        QCOMPARE(h.k.sonarHistory().player().index().count(), frames.size());
        for (int i = 0; i < frames.size(); ++i) {
            h.k.slot_timeout_main();
            QVERIFY2(h.k.history().records().last() == frames[i], qPrintable(QString::number(i)));
        }
        // A second recording without a GPS time takes the next number.
        h.set(&StructConfiguration::workMode, 1);
        QCOMPARE(h.k.recorder().recordFileName(),
                 QStringLiteral("/mnt/sd/Korvel/Record/Sablo_History_1.kvlw"));
    }

    void record_cardFull_stopsAndTellsTheUser() {
        KorvelTest::ExpectedMessage said("^recording stopped: cannot write");
        Handset h;
        h.set(&StructConfiguration::workMode, 1);
        const QString name = h.k.recorder().recordFileName();
        const QList<kvl_w> frames = {frameWith(1), frameWith(2), frameWith(3)};
        h.receive(frames);
        // The card fills up: no file of this process may grow any more, and a write fails
        // instead of raising SIGXFSZ.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit full = saved;
        full.rlim_cur = rlim_t(QFileInfo(h.root.path(name)).size());
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        h.receive({frameWith(7)});
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(h.stoppedAndTold());
        // What was written before stays the log it was.
        GOLDEN_COMPARE("data/record.kvlw", h.root.readFile(name));
    }

    // One line for each new second of GPS time, named after the local time it started.
    void dataLogger_writesOneLinePerGpsSecond() {
        Handset h;
        StructBoatValues& v = h.k.values();
        v.boat_time = word("2003-02-03 04:05:06");
        h.set(&StructConfiguration::dataExport, 2);
        QVERIFY(h.k.exportMarkShown());
        const QString name = h.k.recorder().loggerFileName();
        QCOMPARE(name, QStringLiteral("/mnt/sd/Korvel/Export/Sablo_Data_0203-0405.csv"));
        v.boat_lat = -337512345;
        v.boat_lon = -705000001;
        v.current_depth = 0.04f;
        for (uint32_t second = 0; second < 4; ++second) {
            v.boat_time = word("2003-02-03 04:05:06") + second;  // the seconds are the low bits
            h.k.data_exportCurrentData();
            h.k.data_exportCurrentData();  // the same second: no second line
            v.boat_lat += 1234;
            v.boat_lon -= 987;
            v.current_depth += 2.47f;
        }
        GOLDEN_COMPARE("data/data_logger.csv", h.root.readFile(name));
        // Started again within the same minute: a file of its own.
        h.set(&StructConfiguration::dataExport, 0);
        h.set(&StructConfiguration::dataExport, 2);
        QCOMPARE(h.k.recorder().loggerFileName(), name.left(name.size() - 4) + "-1.csv");
    }

    // With dataExport 1 a GGA sentence for each new GPS second goes out on the serial port,
    // ending in its CR LF and the port's own LF; with 0 nothing does.
    void nmea_onTheWire() {
        Handset h;
        const int fd = ::open(QFile::encodeName(h.root.path("/dev/ttySP0")).constData(),
                              O_RDONLY | O_NONBLOCK | O_NOCTTY);
        QVERIFY(fd >= 0);
        kvl_w f = frameWith(1);
        const uint32_t fields[][2] = {
            {8, 451234567}, {12, 1234567890}, {16, word("2019-01-21 09:59:13")}};
        for (const auto& field : fields)
            qToLittleEndian(field[1], f.bytes + field[0]);
        qToLittleEndian(uint16_t(86), f.bytes + 22);
        f.bytes[24] = 8;
        f.bytes[275] = 0;
        f.bytes[275] = Global::XOR_chk(f.bytes + 3, 273);
        h.receive({f});
        h.k.data_getCurrent_kvlw();
        h.k.data_exportCurrentData();  // dataExport 0
        h.set(&StructConfiguration::dataExport, 1);
        h.k.data_exportCurrentData();
        h.k.data_exportCurrentData();  // the same second
        QByteArray wire;
        pollfd p{fd, POLLIN, 0};
        char buf[512];
        while (!wire.endsWith("\n\n") && ::poll(&p, 1, 5000) > 0)
            wire += QByteArray(buf, int(std::max<ssize_t>(0, ::read(fd, buf, sizeof buf))));
        ::close(fd);
        QCOMPARE(wire, QByteArray("$GPGGA,095913,4512.3456,N,12345.6789,E,1,08,0.9,,,,,*5F\r\n\n"));
    }

    // Without the card neither the data logger nor a recording goes on looking as if it did.
    void cardPulled_loggerAndRecordingStopAndTellTheUser() {
        KorvelTest::ExpectedMessage logger("^data logger stopped: cannot write");
        KorvelTest::ExpectedMessage recording("^recording stopped: cannot write");
        Handset h;
        h.k.values().boat_time = word("2019-01-21 17:59:13");
        h.set(&StructConfiguration::dataExport, 2);
        QVERIFY(h.k.exportMarkShown());
        QVERIFY(QDir(h.root.path("/mnt/sd/Korvel")).removeRecursively());  // the card is gone
        h.k.values().boat_time = word("2019-01-21 17:59:14");
        h.k.data_exportCurrentData();
        QVERIFY(!h.k.exportMarkShown());  // at once, not at the next check
        QVERIFY(h.k.recorder().loggerFileName().isEmpty());
        QVERIFY(h.stoppedAndTold());
        h.k.dialogs().hint()->hide();
        h.set(&StructConfiguration::workMode, 1);
        QVERIFY(h.k.recorder().recordFileName().isEmpty());
        QVERIFY(h.stoppedAndTold());
    }
};

KORVEL_TEST_MAIN(TestDataHistory)
#include "test_data_history.moc"
