// The GGA sentence: its fields, the fix quality, the checksum. The chart plotter's sentences:
// empty fields for what the handset does not know, and gpsdecode's and gpsbabel's reading.
#include "data/kvlw_time.h"
#include "data/nmea_gga.h"
#include "data/nmea_plotter.h"
#include "korvel_test.h"
#include "peer_tools.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// 10 December 2026 09:07:30 UTC at 48°07.12345' N 11°34.56789' E, 1.2 m/s on 45°, 3.25 m
// under the transducer (0.1 m offset), water 16.1 °C, the handset heading 123.4°.
NmeaPlotter::StructValues everything() {
    NmeaPlotter::StructValues v;
    v.utc = KvlwTime::pack({2026, 12, 10, 9, 7, 30});
    v.fix = true;
    v.latitudeDm = 480712345;
    v.longitudeDm = 113456789;
    v.speedMs = 1.2f;
    v.courseDegrees = 45.0f;
    v.depthMetres = 3.25f;
    v.offsetMetres = 0.1f;
    v.waterCelsius = 16.1f;
    v.headingDegrees = 123.4f;
    return v;
}

}  // namespace

class TestNmea : public QObject {
    Q_OBJECT
private slots:
    void sentence_data() {
        QTest::addColumn<QString>("fix");  // hh mm ss latitude longitude satellites hdop
        QTest::addColumn<QString>("sentence");
        QTest::newRow("north east, 8 satellites, HDOP 0.86")
            << "9 59 13 451234567 1234567890 8 86"
            << "$GPGGA,095913,4512.3456,N,12345.6789,E,1,08,0.9,,,,,*5F\r\n";
        QTest::newRow("south, 5 degrees east")
            << "23 0 5 -451234567 50000000 12 123"
            << "$GPGGA,230005,4512.3456,S,00500.0000,E,1,12,1.2,,,,,*44\r\n";
        QTest::newRow("west, 2 satellites: no fix")
            << "0 0 0 100000 -5000000 2 2999"
            << "$GPGGA,000000,0001.0000,N,00050.0000,W,0,02,30.0,,,,,*78\r\n";
    }
    void sentence() {
        QFETCH(QString, fix);
        QFETCH(QString, sentence);
        const QStringList f = fix.split(' ');
        const uint32_t utc =
            KvlwTime::pack({2019, 1, 21, f[0].toInt(), f[1].toInt(), f[2].toInt()});
        QCOMPARE(NmeaGga::sentence({utc, f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt()}),
                 sentence);
    }

    void plotter_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("sentences");
        QTest::newRow("everything known")
            << ""
            << QStringList{"$GPRMC,090730.00,A,4807.1234,N,01134.5678,E,2.3,45.0,101226,,,A*61",
                           "$GPVTG,45.0,T,,M,2.3,N,4.3,K,A*3A",
                           "$SDDPT,3.25,0.10,*7E",
                           "$SDDBT,10.7,f,3.25,M,1.8,F*0D",
                           "$YXMTW,16.1,C*14",
                           "$HCHDG,123.4,,,,*46"};
        QTest::newRow("no fix: time only, no course")
            << "nofix"
            << QStringList{"$GPRMC,090730.00,V,,,,,,,101226,,,N*76", "$SDDPT,3.25,0.10,*7E",
                           "$SDDBT,10.7,f,3.25,M,1.8,F*0D", "$YXMTW,16.1,C*14",
                           "$HCHDG,123.4,,,,*46"};
        QTest::newRow("nothing known but the water")
            << "nofix notime nodepth noheading" << QStringList{"$YXMTW,16.1,C*14"};
        QTest::newRow("no speed: no VTG, RMC without it")
            << "nospeed"
            << QStringList{"$GPRMC,090730.00,A,4807.1234,N,01134.5678,E,,45.0,101226,,,A*4E",
                           "$SDDPT,3.25,0.10,*7E", "$SDDBT,10.7,f,3.25,M,1.8,F*0D",
                           "$YXMTW,16.1,C*14", "$HCHDG,123.4,,,,*46"};
    }
    void plotter() {
        QFETCH(QString, change);
        QFETCH(QStringList, sentences);
        NmeaPlotter::StructValues v = everything();
        if (change.contains("nofix")) v.fix = false;
        if (change.contains("notime")) v.utc = 0;
        if (change.contains("nodepth")) v.depthMetres = NAN;
        if (change.contains("noheading")) v.headingDegrees = NAN;
        if (change.contains("nospeed")) v.speedMs = NAN;
        QStringList got = NmeaPlotter::sentences(v);
        for (QString& g : got) {
            QVERIFY(g.endsWith("\r\n"));
            g.chop(2);
        }
        QCOMPARE(got, sentences);
    }

    // gpsd's decoder takes the date from RMC and the depth from DPT; gpsbabel reads a track
    // with its date without being told one.
    void plotterPeers() {
        REQUIRE_TOOL("gpsdecode");
        REQUIRE_TOOL("gpsbabel");
        QTemporaryDir dir;
        QFile f(dir.filePath("run.nmea"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        NmeaPlotter::StructValues v = everything();
        for (int i = 0; i < 3; ++i) {
            v.utc = KvlwTime::pack({2026, 12, 10, 9, 7, 30 + i});
            v.latitudeDm += 100;
            f.write(NmeaPlotter::sentences(v).join("").toLatin1());
        }
        f.close();
        QProcess p;
        p.setStandardInputFile(f.fileName());
        p.start("gpsdecode", QStringList());
        QVERIFY(p.waitForFinished(30000));
        const QString tpv =
            QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).last();
        QVERIFY2(tpv.contains("\"time\":\"2026-12-10T09:07:32.000Z\"") &&
                     tpv.contains("\"lat\":48.118773333") && tpv.contains("\"depth\":3.250") &&
                     tpv.contains("\"track\":45.0000") && tpv.contains("\"magtrack\":123.4000") &&
                     tpv.contains("\"speed\":1.183"),
                 qPrintable(tpv));
        QCOMPARE(
            runTool("gpsbabel", {"-t", "-i", "nmea", "-f", f.fileName(), "-o", "unicsv", "-F", "-"})
                .split("\r\n")
                .value(3),
            QString("3,48.118773,11.576130,1.19,45.0,2026/12/10,09:07:32"));
    }

    void checksum_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("sum");
        QTest::newRow("below 16: zero-filled") << "$ab*"
                                               << "03";
        QTest::newRow("only between $ and *") << "x$A*B"
                                              << "41";
        QTest::newRow("beyond Latin-1 counts 0") << QString::fromUtf8("$\u0100A*") << "41";
    }
    void checksum() {
        QFETCH(QString, body);
        QFETCH(QString, sum);
        QCOMPARE(NmeaGga::checksum(body), sum);
    }
};

KORVEL_TEST_MAIN(TestNmea)
#include "test_nmea.moc"
