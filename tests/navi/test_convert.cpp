#include "korvel_test.h"
#include "navi/convert.h"
#include "navi/geodesy.h"

#include <QtTest>
#include <cmath>
#include <cstdlib>

class TestConvert : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Convert::navi_startPoint = QPoint(0, 0);
        Convert::current_lat_cos = 0.0f;
    }

    void format_data() {
        QTest::addColumn<bool>("longitude");
        QTest::addColumn<int>("ddS32");
        QTest::addColumn<QString>("text");
        QTest::newRow("north") << false << 481187233 << "N  48°07.1233′";
        QTest::newRow("latitude zero is south") << false << 0 << "S  00°00.0000′";
        QTest::newRow("tiny north truncates to south") << false << 1 << "S  00°00.0000′";
        QTest::newRow("smallest north") << false << 2 << "N  00°00.0000′";
        QTest::newRow("fifth decimal dropped") << false << 100000166 << "N  10°00.0009′";
        QTest::newRow("east") << true << 115762795 << "E 011°34.5767′";
        QTest::newRow("west") << true << -115762795 << "W 011°34.5767′";
        QTest::newRow("longitude zero is west") << true << 0 << "W 000°00.0000′";
        QTest::newRow("just short of the date line") << true << -1799999999 << "W 179°59.9999′";
    }
    void format() {
        QFETCH(bool, longitude);
        QFETCH(int, ddS32);
        QFETCH(QString, text);
        QCOMPARE(longitude ? Convert::ddS32_to_dmString_lon(ddS32)
                           : Convert::ddS32_to_dmString_lat(ddS32),
                 text);
    }

    // Malformed texts give 0 (before the sign) and are never read past their end.
    void parse_data() {
        QTest::addColumn<bool>("longitude");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ddS32");
        const int east = Convert::dmS32_to_ddS32(113456770);
        QTest::newRow("north") << false << "N  48°07.1234′" << 481187233;
        QTest::newRow("east") << true << "E 011°34.5677′" << east;
        // Back from degrees and minutes lands one unit short: both directions truncate.
        QTest::newRow("half degree") << false << "N  00°30.0000′" << 4999999;
        QTest::newRow("empty") << false << QString() << 0;
        QTest::newRow("ten characters") << false << "N  48°07.1" << 0;
        QTest::newRow("eleven characters reads what is there")
            << false << "N  48°07.12" << Convert::dmS32_to_ddS32(480712000);
        QTest::newRow("letters") << true << "W abc°de.fghi′" << 0;
        QTest::newRow("comma decimal") << false << "N  48°07,1234′" << 0;
        QTest::newRow("lower case n is south") << false << "n  48°07.1234′" << -481187233;
        QTest::newRow("N is west for a longitude") << true << "N 011°34.5677′" << -east;
        QTest::newRow("not a number") << false << "N  na°n      " << 0;
        QTest::newRow("infinite") << true << "E inf°       " << 0;
        QTest::newRow("too large for the encoding") << true << "E 999°99999.9" << 0;
    }
    void parse() {
        QFETCH(bool, longitude);
        QFETCH(QString, text);
        QFETCH(int, ddS32);
        QCOMPARE(
            longitude ? Convert::dmString_to_ddS32_Lon(text) : Convert::dmString_to_ddS32_Lat(text),
            ddS32);
    }

    // The origin is unset at (0, 0), also when a position within half a metre of it is given.
    void startPoint() {
        QVERIFY(!Convert::haveSetStartPoint());
        Convert::setStartPoint(45, -45);
        QVERIFY(!Convert::haveSetStartPoint());
        Convert::setStartPoint(0, 46);
        QCOMPARE(Convert::getStartPoint(), QPoint(0, 1));
        QVERIFY(Convert::haveSetStartPoint());
        Convert::setStartPoint(-115000000, -481000000);
        QCOMPARE(Convert::getStartPoint(), QPoint(-2553000, -10678200));
    }

    void relative_fromTheStartPointOrAGivenOrigin() {
        Convert::setStartPoint(115000000, 481000000);
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115000000, 481000000), QPoint(0, 0));
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115000000, 481001000), QPoint(0, -22));
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115010000, 481000000), QPoint(148, 0));
        // South and west of the origin; truncation goes toward zero on both axes.
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(114990000, 480999000), QPoint(-148, 22));
        // At the equator the cosine is 1: 0.001 deg east is 22.2 units.
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(10000, 0, QPoint()), QPoint(222, 0));
        QCOMPARE(Convert::navi_ddS32_to_relativeCoor(0, -10000, QPoint()), QPoint(0, 222));
    }

    // Latitude back from a map point subtracts in single precision; longitude divides by the
    // cosine of the last position converted forward, not that of the point.
    void inverse_latitudeInSinglePrecisionLongitudeByTheLastCosine() {
        Convert::setStartPoint(115000000, 481000000);
        QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lat(QPointF(0, -22)), 481000990);
        const QPoint east = Convert::navi_ddS32_to_relativeCoor(115010000, 481000000);
        QVERIFY(std::abs(Convert::navi_relativeCoor_to_ddS32_lon(east) - 115010000) < 100);
        Convert::navi_ddS32_to_relativeCoor(0, 0, QPoint());  // now the cosine of the equator
        QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lon(east), 115006666);
        // Above 2^24 units the single-precision origin loses its last bit: 16777217 -> 16777216.
        Convert::navi_startPoint = QPoint(0, 16777217);
        QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lat(QPointF(0, 0)), 755730450);
    }

    // Distance in metres and direction (0 south, 90 west, -90 east, +-180 north) between map
    // points; single precision throughout.
    void pixDistanceAndDirection_data() {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<float>("metres");
        QTest::addColumn<int>("direction");
        QTest::newRow("south") << QPointF(100, 210) << 5.0f << 0;
        QTest::newRow("west") << QPointF(90, 200) << 5.0f << 90;
        // Exact only because the product stays in single precision (-89.9999976 in double).
        QTest::newRow("east") << QPointF(110, 200) << 5.0f << -90;
        QTest::newRow("north") << QPointF(100, 190) << 5.0f << 180;
        QTest::newRow("south-east, truncated") << QPointF(106, 208) << 5.0f << -36;
        QTest::newRow("north-west, truncated") << QPointF(94, 192) << 5.0f << 143;
        QTest::newRow("same point") << QPointF(100, 200) << 0.0f << 0;
        // 16777217 is 16777216 as a float: half a metre less than in double.
        QTest::newRow("single precision") << QPointF(16777217, 200) << 8388558.0f << -90;
    }
    void pixDistanceAndDirection() {
        QFETCH(QPointF, to);
        QFETCH(float, metres);
        QFETCH(int, direction);
        const QPointF from(100, 200);
        QCOMPARE(double(Global::calc_pixDst(from, to)), double(metres));  // exactly
        QCOMPARE(double(Global::calc_pixDst(to, from)), double(metres));
        const int got = Global::calc_pixDir(from, to);
        QCOMPARE(direction == 180 ? std::abs(got) : got, direction);
    }

    void bytes_littleEndian_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("position") << 481187233 << QByteArray::fromHex("a155ae1c");
        QTest::newRow("negative") << -481187233 << QByteArray::fromHex("5faa51e3");
    }
    void bytes_littleEndian() {
        QFETCH(int, value);
        QFETCH(QByteArray, bytes);
        // Guard bytes either side show that exactly four (or two) bytes are written.
        QByteArray buf(6, '\xAA');
        auto* b = reinterpret_cast<unsigned char*>(buf.data()) + 1;
        Convert::s32_to_u8(value, b);
        QCOMPARE(buf, '\xAA' + bytes + '\xAA');
        QCOMPARE(Convert::u8_to_s32(b), value);
        QCOMPARE(Convert::u8_to_u32(b), unsigned(value));
        buf.fill('\xAA');
        Convert::u16_to_u8(static_cast<unsigned short>(value), b);
        QCOMPARE(buf.mid(1, 3), bytes.left(2) + '\xAA');
        QCOMPARE(Convert::u8_to_u16(b), static_cast<unsigned short>(value));
    }
};

KORVEL_TEST_MAIN(TestConvert)
#include "test_convert.moc"
