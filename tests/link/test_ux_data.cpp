#include "core/base/global.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/history_log_reader.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "test_root.h"

#include <QtTest>

namespace {

QByteArray frame(uint8_t tag, bool good = true) {
    QByteArray f(276, '\0');
    f[0] = '#';
    f[4] = char(0xE8);
    f[5] = 0x03;
    f[33] = char(tag);
    f[100] = char(tag * 3);
    uint8_t x = 0;
    for (int i = 3; i < 275; ++i)
        x ^= uint8_t(f[i]);
    f[275] = char(good ? x : x ^ 1);
    return f;
}

QByteArray packet(uint8_t type, const QByteArray& payload) {
    QByteArray p("#sbus");
    p += char(type);
    p += char(0);
    p += char(0);
    p += char(payload.size() & 0xff);
    p += char(payload.size() >> 8);
    uint8_t x = 0;
    for (int i = 5; i < 10; ++i)
        x ^= uint8_t(p[i]);
    return p + char(x) + '*' + payload;
}

QByteArray logFile(const QList<QByteArray>& frames, const QByteArray& tail = QByteArray()) {
    QByteArray log(64, '*');
    for (const QByteArray& f : frames)
        log += f;
    return log + tail;
}

int tagOf(const kvl_w& f) {
    return f.bytes[33];
}

}  // namespace

class TestUxData : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<FakeSpiBus::State> bus;

    std::unique_ptr<UxData> makeData() {
        bus = std::make_shared<FakeSpiBus::State>();
        auto d = std::make_unique<UxData>(std::make_unique<FakeSpiBus>(bus));
        d->thread()->device().setPacing({0, 0, 0});
        return d;
    }

    QByteArray written() {
        std::lock_guard<std::mutex> lock(bus->mutex);
        return bus->written;
    }

private slots:
    void logReading_keepsWholeValidRecords() {
        const QByteArray log = logFile({frame(1), frame(2, false), frame(3)}, QByteArray(100, 'x'));
        QCOMPARE(log.size(), 64 + 3 * 276 + 100);
        const QVector<kvl_w> frames = HistoryLogReader::framesFromBytes(log);
        QCOMPARE(frames.size(), 2);
        QCOMPARE(tagOf(frames[0]), 1);
        QCOMPARE(tagOf(frames[1]), 3);
        QVERIFY(HistoryLogReader::framesFromBytes(QByteArray(64, '*')).isEmpty());
        QVERIFY(HistoryLogReader::framesFromBytes(QByteArray(10, '*')).isEmpty());
        QVERIFY(HistoryLogReader::framesFromFile("/nonexistent/x.kvlw").isEmpty());
    }

    void logCutByAPowerLoss_keepsEveryCompleteRecord() {
        const QByteArray whole = logFile({frame(1), frame(2), frame(3)});
        const QVector<kvl_w> cut = HistoryLogReader::framesFromBytes(whole.left(whole.size() - 5));
        QCOMPARE(cut.size(), 2);
    }

    void simulator_playsTheBuiltInRecordingInACycle() {
        TestRoot root;
        auto d = makeData();
        QVERIFY(d->simListSize() > 100);
        const kvl_w first = d->getOnePkgData("sim");
        QVERIFY(first.isValid());
        for (int i = 1; i < d->simListSize(); ++i)
            d->getOnePkgData("sim");
        QCOMPARE(d->getCurrentSimIdx(), d->simListSize());
        QVERIFY(d->getOnePkgData("sim") == first);
        QCOMPARE(d->getCurrentSimIdx(), 1);
    }

    void playback_cyclesAndFallsBackToZero() {
        TestRoot root;
        QVERIFY(root.writeFile("/mnt/sd/Korvel/Record/one.kvlw", logFile({frame(9)})));
        auto d = makeData();
        QVERIFY(d->getOnePkgData("play") == d->zeroFrame());
        d->loadPlayList(root.path("/mnt/sd/Korvel/Record/one.kvlw"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tagOf(d->getOnePkgData("play")), 9);
        d->clearPlayList();
        QVERIFY(d->getOnePkgData("play") == d->zeroFrame());
        QVERIFY(d->getOnePkgData("unknown") == d->zeroFrame());
        const kvl_w z = d->getOnePkgData("zero");
        QCOMPARE(int(z.bytes[4] | (z.bytes[5] << 8)), 1000);
    }

    void silentLink_repeatsTheLastFrameFor20Requests() {
        TestRoot root;
        auto d = makeData();
        {
            std::lock_guard<std::mutex> lock(bus->mutex);
            bus->incoming = packet(0x12, frame(33));
        }
        QTRY_VERIFY(d->thread()->haveGetNewKvlwData());
        QCOMPARE(tagOf(d->getOnePkgData("spi")), 33);
        for (int i = 1; i <= 20; ++i)
            QCOMPARE(tagOf(d->getOnePkgData("spi")), 33);
        QVERIFY(d->getOnePkgData("spi") == d->zeroFrame());  // the 21st request
        {
            std::lock_guard<std::mutex> lock(bus->mutex);
            bus->incoming = packet(0x12, frame(34));
        }
        QTRY_VERIFY(d->thread()->haveGetNewKvlwData());
        QCOMPARE(tagOf(d->getOnePkgData("spi")), 34);
    }

    void commands_goOutAsTheirPackets() {
        TestRoot root;
        auto d = makeData();
        d->sendCmd_sonarCfg(",Sens=5*");
        d->sendCmd_ap(QString::fromUtf8("$HMSTP*00\r\n"));
        d->sendCmd_bind();
        // The reading thread writes them, in the order given.
        QTRY_COMPARE(written().count("#sbus"), 3);
        const QByteArray w = written();
        const QByteArray cfg =
            QByteArray(",Sens=5*") + char(',' ^ 'S' ^ 'e' ^ 'n' ^ 's' ^ '=' ^ '5');
        QCOMPARE(w.mid(12, 2), QByteArray("\xB1\x4E", 2));
        QCOMPARE(w.mid(14, cfg.size()), cfg);
        const int second = 12 + 2 + cfg.size();
        QCOMPARE(w.mid(second + 5, 1), QByteArray(1, 0x11));
        QCOMPARE(w.mid(second + 12, 3), QByteArray("\xC2\x3D\x0B", 3));
        QCOMPARE(w.mid(second + 15, 11), QByteArray("$HMSTP*00\r\n"));
        const int third = second + 15 + 11;
        QCOMPARE(w.mid(third + 5, 1), QByteArray(1, 0x10));
        QCOMPARE(w.mid(third + 12), QByteArray("\xA1\x5E", 2));
    }

    void heartbeatTimers_countMissesAndDropTheAck() {
        TestRoot root;
        auto d = makeData();
        std::atomic<uint8_t>& comAck = d->linkState().flag_getData_update_comAck;
        comAck = 1;
        for (int i = 0; i < 20; ++i)
            d->thread()->slot_TimeOutUpdateHB_Snr();
        QCOMPARE(int(comAck), 1);
        d->thread()->slot_TimeOutUpdateHB_Ap();
        QCOMPARE(int(comAck), 0);
        for (int i = 0; i < 200; ++i)
            d->thread()->slot_TimeOutUpdateHB_Ap();
        QCOMPARE(d->thread()->device().heartbeatMiss.load(), 100);
        d->clearComAck();
        QCOMPARE(d->thread()->device().heartbeatMiss.load(), 0);
        QCOMPARE(d->getNowReqIndex(), -1);
        d->startTimer_sonarHB();
        QVERIFY(d->thread()->heartbeatTimerSonar()->isActive());
        d->stopTimer_sonarHB();
        QVERIFY(!d->thread()->heartbeatTimerSonar()->isActive());
    }
};

KORVEL_TEST_MAIN(TestUxData)
#include "test_ux_data.moc"
