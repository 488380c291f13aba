// The GGA sentence: its fields, the fix quality, the checksum.
#include "data/kvlw_time.h"
#include "data/nmea_gga.h"
#include "korvel_test.h"

#include <QtTest>

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
