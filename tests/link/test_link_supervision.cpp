// The autopilot's sentences and the plain rules of link supervision: the module check's
// timeline, the signal icon, the signal-strength filter, the settings watch and the update
// file reader with its bounds.
#include "base/configuration.h"
#include "korvel_test.h"
#include "link/ap_sentence.h"
#include "link/config_watch.h"
#include "link/module_check.h"
#include "link/rdup_file.h"
#include "link/rssi_filter.h"
#include "link/signal_icon.h"

#include <QtTest>

namespace {

StructConfiguration defaults() {
    StructConfiguration cfg{};
    Configuration::applyDefaults(cfg);
    return cfg;
}

// An update file with a sonar image of sonarSize bytes and an autopilot image of apSize bytes,
// the version texts given, the file cut to fileSize (or whole when -1).
QByteArray rdup(quint32 sonarSize, const QByteArray& sonarVersion, quint32 apSize,
                const QByteArray& apVersion, int fileSize = -1) {
    QByteArray f(RdupFile::kApImage + int(apSize), '\0');
    const auto put32 = [&f](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = char(v >> (8 * i));
    };
    put32(RdupFile::kSonarSize, sonarSize);
    f.replace(RdupFile::kSonarVersion, sonarVersion.size(), sonarVersion);
    put32(RdupFile::kApSize, apSize);
    f.replace(RdupFile::kApVersion, apVersion.size(), apVersion);
    for (quint32 i = 0; i < sonarSize && RdupFile::kSonarImage + int(i) < RdupFile::kApSize; ++i)
        f[RdupFile::kSonarImage + int(i)] = char(i * 7);
    for (quint32 i = 0; i < apSize; ++i)
        f[RdupFile::kApImage + int(i)] = char(i * 3 + 1);
    return fileSize < 0 ? f : f.left(fileSize);
}

}  // namespace

class TestLinkSupervision : public QObject {
    Q_OBJECT
private slots:
    void apSentences_data() {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected");
        StructConfiguration cfg = defaults();
        QTest::newRow("stop: two empty fields") << ApSentence::stop() << "$HMCTL,STOP,,,*46";
        QTest::newRow("start: longitude first, 7 decimals, minus sign")
            << ApSentence::start(1234567891, -125000000)
            << ApSentence::seal("$HMCTL,RUN,123.4567891,-12.5000000");
        cfg.apCh1Speed = 50;
        cfg.apSenitivity = 2.5f;
        cfg.arriveAlarmLevel = 3;
        QTest::newRow("parameters")
            << ApSentence::parameters(cfg) << ApSentence::seal("$HMPRA,O,R,50,N,100,,,,,2.5,3");
        cfg.apMode = 2;
        cfg.apCh1Speed = 37.5f;
        cfg.apCh2Speed = 40;
        QTest::newRow("wiring test: the smaller speed in two-engine mode")
            << ApSentence::wiringTest("left", cfg) << ApSentence::seal("$HMHCK,LEFT,37");
        QTest::newRow("wiring test: an unknown direction sends nothing")
            << ApSentence::wiringTest("back", cfg) << QString();
        cfg.apMode = 0;
        cfg.apCh2Speed = 2;
        QTest::newRow("a checksum below 16 keeps its leading zero")
            << ApSentence::wiringTest("forward", cfg) << "$HMHCK,FORWARD,2,*00";
        QTest::newRow("reset") << ApSentence::reset() << "$HMRST,*7C";
    }
    void apSentences() {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        QCOMPARE(sentence, expected);
        if (sentence.startsWith("$HMPRA")) {
            // Twelve fields between the type and the '*': p1..p5, four empty, p6, p7, empty.
            QCOMPARE(sentence.section('*', 0, 0).split(',').size() - 1, 12);
        }
        // Two upper-case hexadecimal digits, a leading zero kept.
        if (!sentence.isEmpty())
            QVERIFY(QRegularExpression("\\*[0-9A-F]{2}$").match(sentence).hasMatch());
    }

    void moduleCheck_data() {
        QTest::addColumn<bool>("allAnswer");
        QTest::addColumn<QString>(
            "timeline");  // tick:what ('s'how, 'm'ark, 'a'sk, 'v'erdict, 'h'ide)
        QTest::newRow("all five answer: verdict at tick 3, closed at 33")
            << true << "1:s 2:s 3:mav 33:h";
        QTest::newRow("silent modules: asked every third tick, verdict at 30, closed at 60")
            << false << "1:s 2:s 3:ma 6:ma 9:ma 12:ma 15:ma 18:ma 21:ma 24:ma 27:ma 30:v 60:h";
    }
    void moduleCheck() {
        QFETCH(bool, allAnswer);
        QFETCH(QString, timeline);
        ModuleCheck check;
        ModuleCheck::StructAnswered answered;
        answered.compass = answered.radio = answered.sonar = answered.gps = answered.ap = allAnswer;
        QStringList got;
        for (int tick = 1; tick <= 80; ++tick) {
            const ModuleCheck::StructStep s = check.step(answered);
            QString what;
            if (s.showDialog) what += 's';
            if (s.markAnswered) what += 'm';
            if (s.askReport) what += 'a';
            if (s.verdict) what += 'v';
            if (s.hideDialog) what += 'h';
            if (!what.isEmpty()) got << QString::number(tick) + ':' + what;
        }
        QCOMPARE(got.join(' '), timeline);
        QVERIFY(!check.running());
    }

    void signalIcon_data() {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("noData");
        QTest::addColumn<QString>("icon");
        QTest::newRow("26 frames") << 26 << 0 << ":/ico/signal4";
        QTest::newRow("25 frames") << 25 << 0 << ":/ico/signal3";
        QTest::newRow("exactly 16") << 16 << 0 << ":/ico/signal2";
        QTest::newRow("15, frames still arriving") << 15 << 9 << ":/ico/signal1";
        QTest::newRow("15, link lost") << 15 << 10 << ":/ico/signal0";
        QTest::newRow("a lost link whatever the rate") << 30 << 10 << ":/ico/signal0";
    }
    void signalIcon() {
        QFETCH(int, frames);
        QFETCH(int, noData);
        QFETCH(QString, icon);
        QCOMPARE(SignalIcon::pathFor(frames, noData), icon);
    }

    void rssiFilter() {
        const int five[5] = {0, 10, 20, 30, 1000};
        QCOMPARE(RssiFilter::getFliterValue(five, 5), 20);
        const int two[5] = {0, 0, 0, 3, 4};
        QCOMPARE(RssiFilter::getFliterValue(two, 2), 3);
        QCOMPARE(RssiFilter::signedRssi(200), -56);
        QCOMPARE(RssiFilter::signedRssi(128), 128);
        // Fed one pair at a time: the newest alone, then means, then the trimmed mean with the
        // slot not yet filled still 0 at the fourth.
        RssiFilter f;
        QList<int> boat;
        int b = 0;
        int h = 0;
        for (int v : {-60, -70, -80, -90, -100}) {
            f.data_calcAverage_rssi(v, v + 1, b, h);
            boat << b;
        }
        QCOMPARE(boat, (QList<int>{-60, -65, -70, -70, -80}));
        QCOMPARE(h, -79);
    }

    void configWatch() {
        StructConfiguration cfg = defaults();
        ConfigWatch watch;
        auto changes = [&watch, &cfg] {
            const ConfigWatch::StructChanges c = watch.check(cfg);
            return QString("%1%2%3")
                .arg(c.gain ? "g" : "")
                .arg(c.freq ? "f" : "")
                .arg(c.autopilot ? "a" : "");
        };
        QCOMPARE(changes(), QString());  // the first look remembers, sends nothing
        cfg.sonarGain = 1;
        QCOMPARE(changes(), QString("g"));
        QCOMPARE(changes(), QString());
        cfg.sonarFreq = 1;
        cfg.apSenitivity += 0.0005f;  // within the tolerance
        QCOMPARE(changes(), QString("f"));
        cfg.apCh2Reverse = 1;
        QCOMPARE(changes(), QString("a"));
        cfg.arriveAlarmLevel += 0.5f;
        QCOMPARE(changes(), QString("a"));
    }

    void rdupFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("sonarSize");
        QTest::addColumn<int>("sonarVersion");
        QTest::addColumn<int>("apSize");
        QTest::addColumn<int>("apVersion");
        QTest::newRow("both images") << rdup(5000, "SONAR-V105.bin*", 900, "AP-1.23.bin*") << true
                                     << 5000 << 105 << 900 << 123;
        QTest::newRow("2.30 is 230 hundredths, not 229.99")
            << rdup(100, "S104.bin*", 48, "A2.30.bin*") << true << 100 << 104 << 48 << 230;
        QTest::newRow("sonar image over its area: refused")
            << rdup(131073, "S104.bin*", 48, "A1.00.bin*") << false << 0 << 0 << 0 << 0;
        QTest::newRow("autopilot image cut short: refused")
            << rdup(100, "S104.bin*", 900, "A1.00.bin*", RdupFile::kApImage + 500) << false << 0
            << 0 << 0 << 0;
        QTest::newRow("sonar image cut short: refused")
            << rdup(5000, "S104.bin*", 0, "", 3000) << false << 0 << 0 << 0 << 0;
        QTest::newRow("size fields beyond the end read 0: nothing to flash")
            << QByteArray(2, '\x10') << false << 0 << 0 << 0 << 0;
    }
    void rdupFile() {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(int, sonarSize);
        QFETCH(int, sonarVersion);
        QFETCH(int, apSize);
        QFETCH(int, apVersion);
        const StructRdupFile r = RdupFile::parse(file);
        QCOMPARE(r.ok, ok);
        if (!ok) {
            QVERIFY(!r.error.isEmpty());
            QVERIFY(r.sonarImage.isEmpty() && r.apImage.isEmpty());
            return;
        }
        QCOMPARE(r.sonarImage, file.mid(RdupFile::kSonarImage, sonarSize));
        QCOMPARE(r.apImage, file.mid(RdupFile::kApImage, apSize));
        QCOMPARE(r.sonarVersion, sonarVersion);
        QCOMPARE(r.apVersion, apVersion);
    }
};

KORVEL_TEST_MAIN(TestLinkSupervision)
#include "test_link_supervision.moc"
