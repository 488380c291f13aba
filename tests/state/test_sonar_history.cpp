// The sonar history kept for browsing: half an hour of live frames, a log opened for replay
// with its index (cut, empty, damaged and huge files included), the replay's speeds, direction
// and seeks, and the cursor and window over both.
#include "base/global.h"
#include "korvel_test.h"
#include "link/sonar_frame_values.h"
#include "navi/convert.h"
#include "state/sonar_history_state.h"
#include "test_root.h"

#include <QtTest>

namespace {

constexpr int kPerSecond = 8;

// Record i of a test log: eight a second from 10:00:00 UTC, the boat going north one
// hundred-thousandth of a minute a record, the depth stepping with i.
kvl_w record(int i) {
    kvl_w f = kvl_w::zero();
    f.bytes[0] = '#';
    const auto put = [&f](int at, uint32_t v, int n) {
        for (int k = 0; k < n; ++k)
            f.bytes[at + k] = uint8_t(v >> (8 * k));
    };
    put(8, uint32_t(223312000 + i), 4);  // 22 33.12 N, ddmm x 100000
    put(12, 1135644000u, 4);
    const int s = i / kPerSecond;
    put(16,
        (26u << 26) | (6u << 22) | (3u << 17) | ((10u + s / 3600) << 12) |
            (uint32_t(s / 60 % 60) << 6) | uint32_t(s % 60),
        4);
    put(22, 100, 2);
    f.bytes[24] = 9;
    put(33, uint32_t(200 + i % 500), 2);
    f.bytes[275] = Global::XOR_chk(f.bytes + 3, 272);
    return f;
}

QByteArray bytesOf(const kvl_w& f) {
    return QByteArray(reinterpret_cast<const char*>(f.bytes), kvl_w::kSize);
}

QByteArray logOf(int records, int from = 0) {
    QByteArray log(64, 'H');
    for (int i = from; i < from + records; ++i)
        log += bytesOf(record(i));
    return log;
}

int latitudeOf(const kvl_w& f) {
    return SonarFrameValues::fields(f).latitudeDm;
}

}  // namespace

class TestSonarHistory : public QObject {
    Q_OBJECT
private slots:
    // What a file to replay gives: its records in order, or why there are none.
    void logIndex_opensWhatTheFileHolds_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("maxFrames");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("records");
        const int ok = int(EnumLogOpen::Ok);
        QByteArray damaged = logOf(30);
        damaged[64 + 12 * kvl_w::kSize + 40] = char(damaged[64 + 12 * kvl_w::kSize + 40] ^ 0x5a);
        QTest::newRow("whole") << logOf(300) << 1000 << ok << 300;
        QTest::newRow("cut in a record")
            << logOf(20).left(64 + 19 * kvl_w::kSize + 100) << 1000 << ok << 19;
        QTest::newRow("one record damaged") << damaged << 1000 << ok << 29;
        QTest::newRow("bytes lost")
            << logOf(10) + QByteArray("##x") + logOf(10, 10) << 1000 << ok << 20;
        QTest::newRow("header only")
            << QByteArray(64, 'H') << 1000 << int(EnumLogOpen::NoRecords) << 0;
        QTest::newRow("shorter than a header")
            << QByteArray("#") << 1000 << int(EnumLogOpen::NoRecords) << 0;
        QTest::newRow("longer than kept") << logOf(300) << 200 << int(EnumLogOpen::Cut) << 200;
    }
    void logIndex_opensWhatTheFileHolds() {
        QFETCH(QByteArray, file);
        QFETCH(int, maxFrames);
        QFETCH(int, result);
        QFETCH(int, records);
        TestRoot root;
        root.writeFile("/log.kvlw", file);
        LogIndex index;
        QCOMPARE(int(index.open(root.path("/log.kvlw"), maxFrames)), result);
        QCOMPARE(index.count(), records);
        // Every record read through the index is a record of the file, in its order.
        const QVector<kvl_w> all = index.frames(0, records);
        for (int i = 1; i < records; ++i)
            QVERIFY(latitudeOf(all[i]) > latitudeOf(all[i - 1]));
        if (records > 0) QCOMPARE(index.frame(records - 1), all.last());
        QCOMPARE(index.frame(records), kvl_w::zero());  // past the end
    }

    void logIndex_refusesWhatIsNoLog() {
        TestRoot root;
        QDir().mkpath(root.path("/folder.kvlw"));
        LogIndex index;
        QCOMPARE(index.open(root.path("/folder.kvlw")), EnumLogOpen::Unreadable);
        QCOMPARE(index.open(root.path("/missing.kvlw")), EnumLogOpen::Unreadable);
    }

    // A 2 GB file (ten records, then nothing): the scan stops at its bound, the ten play.
    void logIndex_hugeFileIsCut() {
        TestRoot root;
        root.writeFile("/huge.kvlw", logOf(10));
        QFile f(root.path("/huge.kvlw"));
        QVERIFY(f.resize(qint64(2) << 30));
        LogIndex index;
        QCOMPARE(index.open(f.fileName()), EnumLogOpen::Cut);
        QCOMPARE(index.count(), 10);
        QCOMPARE(index.frame(9), record(9));
    }

    // Records per tick at each speed, both ways round the loop, and the seeks.
    void player_speedsDirectionAndSeeks() {
        TestRoot root;
        root.writeFile("/log.kvlw", logOf(80 * kPerSecond));
        LogPlayer p;
        QCOMPARE(p.open(root.path("/log.kvlw")), EnumLogOpen::Ok);
        QCOMPARE(p.index().totalSeconds(), 79.0f);
        const int expected[LogPlayer::kSpeedCount] = {1, 2, 4, 8, 16, 32};  // in four ticks
        while (p.speedIndex() != 0)
            p.nextSpeed();
        for (int s = 0; s < LogPlayer::kSpeedCount; ++s) {
            int got = 0;
            for (int t = 0; t < 4; ++t)
                got += p.tick().size();
            QCOMPARE(got, expected[s]);
            p.nextSpeed();
        }
        QCOMPARE(p.speedIndex(), 0);
        while (p.speedIndex() != LogPlayer::kNormalSpeed)
            p.nextSpeed();
        p.seek(p.index().count() + 5);  // past the end: the last record
        QCOMPARE(p.position(), p.index().count() - 1);
        QCOMPARE(p.tick().first(), record(0));  // and round to the first
        p.setReverse(true);
        QCOMPARE(p.tick().first(), record(p.index().count() - 1));
        p.setReverse(false);
        p.jumpToPercent(50);
        QCOMPARE(p.position(), (p.index().count() - 1) / 2);
        p.skipSeconds(10);  // from 39 s to the first record of 49 s
        QCOMPARE(p.position(), 49 * kPerSecond);
        p.skipSeconds(-30);
        QCOMPARE(p.position(), 19 * kPerSecond);
        p.skipSeconds(-600);
        QCOMPARE(p.position(), 0);
        p.setPaused(true);
        QVERIFY(p.tick().isEmpty());
    }

    // The ring keeps half an hour; the cursor keeps its frame while newer ones arrive, and
    // moving it past the window's edge moves the window.
    void live_cursorAndWindow() {
        SonarHistoryState h;
        for (int i = 0; i < SonarHistoryState::kLiveFrames + 100; ++i)
            h.takeLive(record(i));
        QCOMPARE(h.live().size(), SonarHistoryState::kLiveFrames);
        QCOMPARE(h.live().first(), qint64(100));
        h.open(EnumHistorySource::Live, 246);
        QVERIFY(h.frozen());
        QVERIFY(!h.moveCursor(-60));
        QCOMPARE(h.cursorBack(), 60);
        h.takeLive(record(99999));  // arrives while paused: the cursor stays on its frame
        QCOMPARE(h.cursorFrame(), record(SonarHistoryState::kLiveFrames + 100 - 61));
        QVERIFY(h.moveCursor(-200));
        QCOMPARE(h.cursorBack(), 245);
        QCOMPARE(h.windowFrames().first(), h.cursorFrame());
        QVERIFY(h.moveCursor(-100000));  // no further than the oldest kept
        QCOMPARE(h.cursorFrame(), record(101));
        QVERIFY(h.moveCursor(100000));
        QCOMPARE(h.cursorFrame(), record(99999));
        StructConfiguration cfg{};
        Configuration::applyDefaults(cfg);
        const StructBoatValues v = h.cursorValues(cfg);
        QCOMPARE(v.boat_lat, Convert::dmS32_to_ddS32(latitudeOf(record(99999))));
        QCOMPARE(v.current_depth, (200 + 99999 % 500) / 100.0f);
    }

    // Paused replay: the window is the log's; playing on starts from the window's end.
    void replay_pauseBrowseAndPlayOn() {
        TestRoot root;
        root.writeFile("/log.kvlw", logOf(1000));
        SonarHistoryState h;
        QCOMPARE(h.player().open(root.path("/log.kvlw")), EnumLogOpen::Ok);
        for (int t = 0; t < 500; ++t)
            h.player().tick();
        h.open(EnumHistorySource::Replay, 100);
        QVERIFY(h.frozen());
        QVERIFY(h.player().tick().isEmpty());
        h.moveCursor(-150);
        QCOMPARE(h.cursorFrame(), record(349));
        QCOMPARE(h.windowFrames().last(), record(448));
        h.setReplayPaused(false);
        QVERIFY(!h.frozen());
        QCOMPARE(h.player().tick().first(), record(449));
    }
};

QTEST_MAIN(TestSonarHistory)
#include "test_sonar_history.moc"
