// The sonar history: the median depth filter, local time, file names, the data-logger line,
// the history at both chart speeds, and recording to and replaying from a log file.
#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "data/data_logger_line.h"
#include "data/depth_median_filter.h"
#include "data/kvlw_time.h"
#include "data/record_naming.h"
#include "data/recorder.h"
#include "data/sonar_history.h"
#include "korvel_test.h"
#include "link/history_log_reader.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_hint.h"

#include <sys/resource.h>
#include <QDir>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <csignal>

namespace {

uint32_t word(int y, int mo, int d, int h, int mi, int s) {
    KvlwTime::StructDateTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return KvlwTime::pack(t);
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
    uint8_t x = 0;
    for (int i = 3; i < 275; ++i)
        x ^= f.bytes[i];
    f.bytes[275] = x;
    return f;
}

QByteArray logOf(const QList<kvl_w>& frames) {
    QByteArray b(64, '*');
    for (const kvl_w& f : frames)
        b.append(reinterpret_cast<const char*>(f.bytes), kvl_w::kSize);
    return b;
}

// Lets no file of this process grow beyond bytes, as a full card would (writes fail instead of
// raising SIGXFSZ), until it goes out of scope.
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes) {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
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
        QTest::newRow("+8 same day")
            << word(2019, 1, 21, 9, 59, 13) << 8.0f << word(2019, 1, 21, 17, 59, 13);
        QTest::newRow("+1 into the new year")
            << word(2018, 12, 31, 23, 30, 0) << 1.0f << word(2019, 1, 1, 0, 30, 0);
        QTest::newRow("-1 back into the old year")
            << word(2019, 1, 1, 0, 30, 0) << -1.0f << word(2018, 12, 31, 23, 30, 0);
        QTest::newRow("leap year: 28 Feb to 29 Feb")
            << word(2020, 2, 28, 23, 0, 0) << 2.0f << word(2020, 2, 29, 1, 0, 0);
        QTest::newRow("common year: 28 Feb to 1 Mar")
            << word(2019, 2, 28, 23, 0, 0) << 2.0f << word(2019, 3, 1, 1, 0, 0);
        QTest::newRow("-2 back to 29 Feb")
            << word(2020, 3, 1, 1, 0, 0) << -2.0f << word(2020, 2, 29, 23, 0, 0);
        QTest::newRow("month end +12")
            << word(2021, 4, 30, 12, 0, 5) << 12.0f << word(2021, 5, 1, 0, 0, 5);
        QTest::newRow("-12") << word(2021, 5, 1, 3, 4, 5) << -12.0f << word(2021, 4, 30, 15, 4, 5);
        QTest::newRow("half hours truncated (+5.5)")
            << word(2021, 6, 1, 10, 0, 0) << 5.5f << word(2021, 6, 1, 15, 0, 0);
        QTest::newRow("half hours truncated (-3.7)")
            << word(2021, 6, 1, 10, 0, 0) << -3.7f << word(2021, 6, 1, 7, 0, 0);
        QTest::newRow("no calendar date") << uint32_t(0) << 8.0f << uint32_t(0);
        QTest::newRow("before 2000") << word(2000, 1, 1, 0, 30, 0) << -1.0f << uint32_t(0);
    }
    void utc2Local() {
        QFETCH(uint32_t, utc);
        QFETCH(float, zone);
        QFETCH(uint32_t, local);
        QCOMPARE(KvlwTime::utc2Local(utc, zone), local);
        Global::configuration.timeZone = zone;
        TestRoot root;
        Korvel k;
        k.mainTimer()->stop();
        QCOMPARE(k.data_utc2Local(utc), local);
    }

    void kvlwWord_unpacksAsGlobalHelpers() {
        const uint32_t w = word(2019, 1, 21, 17, 59, 13);
        quint16 y;
        quint8 mo, d, h, mi, s;
        Global::getKvlwDate(w, y, mo, d);
        Global::getKvlwTime(w, h, mi, s);
        QCOMPARE(QList<int>({y, mo, d, h, mi, s}), QList<int>({19, 1, 21, 17, 59, 13}));
    }

    void recordNames_data() {
        QTest::addColumn<uint32_t>("time");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        const QString dir = QStringLiteral("/r/");
        QTest::newRow("stamp") << word(2019, 1, 21, 17, 59, 13) << QStringList()
                               << dir + "Sablo_History_0121-1759.kvlw";
        QTest::newRow("stamp padded")
            << word(2019, 3, 5, 4, 7, 0) << QStringList() << dir + "Sablo_History_0305-0407.kvlw";
        QTest::newRow("stamp taken: numbered")
            << word(2019, 1, 21, 17, 59, 13) << QStringList{dir + "Sablo_History_0121-1759.kvlw"}
            << dir + "Sablo_History_0121-1759-1.kvlw";
        QTest::newRow("no GPS time: 0") << 0u << QStringList() << dir + "Sablo_History_0.kvlw";
        QTest::newRow("no GPS time: next free")
            << 0u << QStringList{dir + "Sablo_History_0.kvlw", dir + "Sablo_History_1.kvlw"}
            << dir + "Sablo_History_2.kvlw";
    }
    void recordNames() {
        QFETCH(uint32_t, time);
        QFETCH(QStringList, existing);
        QFETCH(QString, name);
        const auto exists = [&](const QString& n) { return existing.contains(n); };
        QCOMPARE(RecordNaming::fileName(QStringLiteral("/r/"), QStringLiteral("Sablo_History_"),
                                        QStringLiteral(".kvlw"), time, exists),
                 name);
    }

    void recordNames_allTakenGivesNone() {
        const auto all = [](const QString&) { return true; };
        QVERIFY(RecordNaming::fileName("/r/", "X_", ".csv", 0, all).isEmpty());
        QVERIFY(
            RecordNaming::fileName("/r/", "X_", ".csv", word(2019, 1, 1, 1, 1, 1), all).isEmpty());
    }

    void loggerLine_data() {
        QTest::addColumn<int>("lat");
        QTest::addColumn<int>("lon");
        QTest::addColumn<float>("depth");
        QTest::addColumn<uint32_t>("time");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("example") << 102500000 << 205000000 << 6.2f << word(2019, 1, 21, 17, 59, 13)
                                 << QByteArray("10.250000,20.500000,6.2,19-01-21,17:59:13,\r\n");
        QTest::newRow("south west, padded")
            << -337512345 << -1510000001 << 0.04f << word(2003, 2, 3, 4, 5, 6)
            << QByteArray("-33.751235,-151.000000,0.0,03-02-03,04:05:06,\r\n");
    }
    void loggerLine() {
        QFETCH(int, lat);
        QFETCH(int, lon);
        QFETCH(float, depth);
        QFETCH(uint32_t, time);
        QFETCH(QByteArray, line);
        QCOMPARE(DataLoggerLine::build(lat, lon, depth, time), line);
    }

    void history_interpolatesAtChartSpeed() {
        QList<kvl_w> h;
        for (int i = 0; i < SonarHistory::kColumns; ++i)
            h.append(kvl_w::zero());
        uint8_t last[SonarHistory::kSamples] = {};
        SonarHistory::take(h, frameWith(1), 0, last);
        QCOMPARE(h.size(), SonarHistory::kColumns);
        QVERIFY(h.last() == frameWith(1));
        SonarHistory::take(h, frameWith(3), 1, last);
        QCOMPARE(h.size(), SonarHistory::kColumns);
        QVERIFY(h.last() == frameWith(3));
        const kvl_w& mid = h.at(h.size() - 2);
        for (int i = 0; i < SonarHistory::kSamples; ++i) {
            const int a = frameWith(1).bytes[35 + i], b = frameWith(3).bytes[35 + i];
            QCOMPARE(int(mid.bytes[35 + i]), (a + b) / 2);
        }
        QList<kvl_w> empty;
        SonarHistory::take(empty, frameWith(1), 1, last);
        QVERIFY(empty.isEmpty());
    }

    void history_246AfterEveryTick_data() {
        QTest::addColumn<float>("chartSpeed");
        QTest::newRow("speed 0") << 0.0f;
        QTest::newRow("speed 1") << 1.0f;
        QTest::newRow("speed 3") << 3.0f;
    }
    void history_246AfterEveryTick() {
        QFETCH(float, chartSpeed);
        TestRoot root;
        Global::configuration.simulator = 1;
        Global::configuration.chartSpeed = chartSpeed;
        Korvel k;
        k.mainTimer()->stop();
        QCOMPARE(k.history().records().size(), 246);
        QVERIFY(k.data()->simListSize() > 0);
        for (int i = 0; i < 300; ++i) {
            k.slot_timeout_main();
            QCOMPARE(k.history().records().size(), 246);
        }
        // The newest record is the simulator's frame, so its values reached the controller.
        QVERIFY(k.history().records().last().isValid());
        QVERIFY(k.values().sonar_range >= 3 && k.values().sonar_range <= 50);
        QVERIFY(k.values().boat_time != 0);
    }

    void currentValues_followTheNewestFrame() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Global::configuration.gpsFilter = 20;  // accept the recording's fixes
        Korvel k;
        k.mainTimer()->stop();
        kvl_w last{};
        for (int i = 0; i < 10; ++i) {
            k.slot_timeout_main();
            last = k.history().records().last();
        }
        QCOMPARE(k.values().sonar_status, int(last.bytes[3]));
        QCOMPARE(k.values().gps_satellites, int(last.bytes[24]));
        QCOMPARE(k.values().water_temp, (last.bytes[32] - 32) / 1.8f);
    }

    void truncatedLog_replaysEveryCompleteRecord() {
        QList<kvl_w> frames;
        for (int i = 0; i < 5; ++i)
            frames << frameWith(i + 10);
        QByteArray log = logOf(frames);
        log.chop(100);  // the power went while the fifth record was written
        const QVector<kvl_w> read = HistoryLogReader::framesFromBytes(log);
        QCOMPARE(read.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(read[i] == frames[i]);
    }

    void record_thenReplayByteForByte() {
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Record")));
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.workMode = 1;
        k.system_checkState();
        QVERIFY(k.recordMarkShown());
        const QString name = k.recorder().recordFileName();
        QCOMPARE(name, QStringLiteral("/mnt/sd/Korvel/Record/Sablo_History_0.kvlw"));
        QCOMPARE(root.readFile(name), QByteArray(64, '*'));

        QList<kvl_w> frames;
        for (int i = 0; i < 6; ++i) {
            frames << frameWith(i + 1);
            k.data()->thread()->device().dispatch(0x12, frames.last().bytes, kvl_w::kSize, 0);
        }
        // A frame whose checksum fails is not recorded.
        kvl_w bad = frameWith(50);
        bad.bytes[100] ^= 1;
        k.data()->thread()->device().dispatch(0x12, bad.bytes, kvl_w::kSize, 0);
        k.data_getOrigin_kvlw();  // the tick hands every new frame to the recorder
        QCOMPARE(root.readFile(name), logOf(frames));

        Global::configuration.workMode = 0;
        k.system_checkState();
        QVERIFY(!k.recordMarkShown());
        k.data()->thread()->device().dispatch(0x12, frameWith(99).bytes, kvl_w::kSize, 0);
        k.data_getOrigin_kvlw();
        QCOMPARE(root.readFile(name), logOf(frames));  // nothing after the recording ended

        // Replay: the file dialog hands the chosen log to playback.
        Global::configuration.workMode = 2;
        k.system_checkState();
        k.dialog_file_nameGet(QStringLiteral("kvlw"), name);
        QCOMPARE(k.data()->playListSize(), frames.size());
        for (int i = 0; i < frames.size(); ++i) {
            k.slot_timeout_main();
            QVERIFY2(k.history().records().last() == frames[i], qPrintable(QString::number(i)));
        }

        // A second recording without a GPS time takes the next number.
        Global::configuration.workMode = 1;
        k.system_checkState();
        QCOMPARE(k.recorder().recordFileName(),
                 QStringLiteral("/mnt/sd/Korvel/Record/Sablo_History_1.kvlw"));
    }

    void record_cardFull_stopsAndTellsTheUser() {
        KorvelTest::ExpectedMessage said("^recording stopped: cannot write");
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Record")));
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.workMode = 1;
        k.system_checkState();
        const QString name = k.recorder().recordFileName();
        QList<kvl_w> frames;
        for (int i = 0; i < 3; ++i) {
            frames << frameWith(i + 1);
            k.data()->thread()->device().dispatch(0x12, frames.last().bytes, kvl_w::kSize, 0);
        }
        k.data_getOrigin_kvlw();
        // The card fills up: no file may grow any more.
        {
            FileSizeLimit full(QFileInfo(root.path(name)).size());
            k.data()->thread()->device().dispatch(0x12, frameWith(7).bytes, kvl_w::kSize, 0);
            k.data_getOrigin_kvlw();
        }
        QVERIFY(!k.recorder().recording());
        k.system_checkState();
        QVERIFY(!k.recordMarkShown());
        QCOMPARE(Global::configuration.workMode, 0);
        QVERIFY(k.dialogs().hint()->isVisible());
        QCOMPARE(k.dialogs().hint()->text(), TrResource::getTrString(TR_SaveFileFailed));
        // What was written before stays a readable log.
        const QVector<kvl_w> read = HistoryLogReader::framesFromFile(root.path(name));
        QCOMPARE(read.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(read[i] == frames[i]);
    }

    void record_noCard_isNotReportedAsRecording() {
        KorvelTest::ExpectedMessage said("^recording stopped: cannot write");
        TestRoot root;  // no card: the record folder does not exist
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.workMode = 1;
        k.system_checkState();
        QVERIFY(!k.recordMarkShown());
        QVERIFY(k.recorder().recordFileName().isEmpty());
        QCOMPARE(Global::configuration.workMode, 0);
        QVERIFY(k.dialogs().hint()->isVisible());
    }

    void dataLogger_writesOneLinePerGpsSecond() {
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Export")));
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.dataExport = 2;
        k.values().boat_time = word(2019, 1, 21, 17, 59, 13);
        k.system_checkState();
        QVERIFY(k.exportMarkShown());
        const QString name = k.recorder().loggerFileName();
        QCOMPARE(name, QStringLiteral("/mnt/sd/Korvel/Export/Sablo_Data_0121-1759.csv"));
        k.values().boat_lat = 102500000;
        k.values().boat_lon = 205000000;
        k.values().current_depth = 6.2f;
        k.data_exportCurrentData();
        k.data_exportCurrentData();  // the same second: no second line
        k.values().boat_time = word(2019, 1, 21, 17, 59, 14);
        k.data_exportCurrentData();
        QCOMPARE(root.readFile(name), QByteArray("10.250000,20.500000,6.2,19-01-21,17:59:13,\r\n"
                                                 "10.250000,20.500000,6.2,19-01-21,17:59:14,\r\n"));
    }

    void dataLogger_cardPulled_stopsAndTellsTheUser() {
        KorvelTest::ExpectedMessage said("^data logger stopped: cannot write");
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/mnt/sd/Korvel/Export")));
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.dataExport = 2;
        k.values().boat_time = word(2019, 1, 21, 17, 59, 13);
        k.system_checkState();
        QVERIFY(k.exportMarkShown());
        QVERIFY(QDir(root.path("/mnt/sd/Korvel")).removeRecursively());  // the card is gone
        k.values().boat_time = word(2019, 1, 21, 17, 59, 14);
        k.data_exportCurrentData();
        QVERIFY(!k.exportMarkShown());
        QCOMPARE(Global::configuration.dataExport, 0);
        QVERIFY(k.recorder().loggerFileName().isEmpty());
        QVERIFY(k.dialogs().hint()->isVisible());
    }
};

KORVEL_TEST_MAIN(TestDataHistory)
#include "test_data_history.moc"
