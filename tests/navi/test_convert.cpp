#include "korvel_test.h"
#include "navi/convert.h"
#include "navi/geodesy.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>
#include <cstdlib>

namespace {

const char* const kDebugOff = "korvel.navi.convert.debug=false";

// A display text built independently of the code under test. tenThousandths counts the
// minutes in units of 0.0001' (0 .. 599999).
QString dmText(char hemisphere, int degrees, int tenThousandths, bool longitude) {
    const QString head =
        longitude ? QStringLiteral("%1 %2").arg(hemisphere).arg(degrees, 3, 10, QChar('0'))
                  : QStringLiteral("%1  %2").arg(hemisphere).arg(degrees, 2, 10, QChar('0'));
    return head + QString::fromUtf8("°") +
           QStringLiteral("%1.%2")
               .arg(tenThousandths / 10000, 2, 10, QChar('0'))
               .arg(tenThousandths % 10000, 4, 10, QChar('0')) +
           QString::fromUtf8("′");
}

// The same position one unit (0.0001') nearer to zero, borrowing from minutes and degrees.
QString oneUnitLess(char hemisphere, int degrees, int tenThousandths, bool longitude) {
    const int total = degrees * 600000 + tenThousandths - 1;
    return dmText(hemisphere, total / 600000, total % 600000, longitude);
}

}  // namespace

class TestConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(kDebugOff); }
    void init() {
        Convert::navi_startPoint = QPoint(0, 0);
        Convert::current_lat_cos = 0.0f;
    }

    void dmEncoding_truncatesBothWays_data();
    void dmEncoding_truncatesBothWays();
    void format_data();
    void format();
    void format_alwaysFourteenCharacters();
    void parse_data();
    void parse();
    void roundTrip_textLosesAtMostOneUnit_data();
    void roundTrip_textLosesAtMostOneUnit();
    void roundTrip_positionStaysWithinTextResolution();

    void startPoint_unsetUntilSet();
    void startPoint_nearZeroCountsAsUnset();
    void relative_workedExamples();
    void relative_explicitOrigin_leavesStartPoint();
    void relative_remembersLatitudeAngle();
    void relative_writesDebugLine();
    void inverse_latitudeSubtractsInSinglePrecision();
    void inverse_longitudeUsesLastForwardLatitude();
    void inverse_roundTripWithinHalfMetre_data();
    void inverse_roundTripWithinHalfMetre();

    void pixDst_data();
    void pixDst();
    void pixDir_data();
    void pixDir();

    void bytes_readLittleEndian();
    void bytes_writeLittleEndian_data();
    void bytes_writeLittleEndian();
};

void TestConvert::dmEncoding_truncatesBothWays_data() {
    QTest::addColumn<int>("ddS32");
    QTest::addColumn<int>("dmS32");
    QTest::addColumn<int>("ddBack");

    // 48.1187233 deg -> 48 deg 07.123398' -> back one unit short.
    QTest::newRow("north") << 481187233 << 480712339 << 481187231;
    QTest::newRow("south") << -481187233 << -480712339 << -481187231;
    QTest::newRow("zero") << 0 << 0 << 0;
    QTest::newRow("whole degrees") << 1790000000 << 1790000000 << 1790000000;
    QTest::newRow("half degree") << 5000000 << 3000000 << 4999999;
}

void TestConvert::dmEncoding_truncatesBothWays() {
    QFETCH(int, ddS32);
    QFETCH(int, dmS32);
    QFETCH(int, ddBack);
    QCOMPARE(Convert::ddS32_to_dmS32(ddS32), dmS32);
    QCOMPARE(Convert::dmS32_to_ddS32(dmS32), ddBack);
    QCOMPARE(Convert::dmS32_to_ddS32(480712340), 481187233);
}

void TestConvert::format_data() {
    QTest::addColumn<bool>("longitude");
    QTest::addColumn<int>("ddS32");
    QTest::addColumn<QString>("text");

    const auto u = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("north") << false << 481187233 << u("N  48°07.1233′");
    QTest::newRow("south") << false << -481187233 << u("S  48°07.1233′");
    QTest::newRow("latitude zero is south") << false << 0 << u("S  00°00.0000′");
    QTest::newRow("tiny north truncates to south") << false << 1 << u("S  00°00.0000′");
    QTest::newRow("smallest north") << false << 2 << u("N  00°00.0000′");
    QTest::newRow("pole") << false << 900000000 << u("N  90°00.0000′");
    QTest::newRow("fifth decimal dropped") << false << 100000166 << u("N  10°00.0009′");
    QTest::newRow("east") << true << 115762795 << u("E 011°34.5767′");
    QTest::newRow("west") << true << -115762795 << u("W 011°34.5767′");
    QTest::newRow("longitude zero is west") << true << 0 << u("W 000°00.0000′");
    QTest::newRow("date line east") << true << 1800000000 << u("E 180°00.0000′");
    QTest::newRow("just short of the date line") << true << -1799999999 << u("W 179°59.9999′");
}

void TestConvert::format() {
    QFETCH(bool, longitude);
    QFETCH(int, ddS32);
    QFETCH(QString, text);
    const QString got =
        longitude ? Convert::ddS32_to_dmString_lon(ddS32) : Convert::ddS32_to_dmString_lat(ddS32);
    QCOMPARE(got, text);
}

void TestConvert::format_alwaysFourteenCharacters() {
    for (int v = -1800000000; v <= 1800000000; v += 7654321) {
        const QString lon = Convert::ddS32_to_dmString_lon(v);
        QCOMPARE(lon.length(), 14);
        QCOMPARE(lon.at(5), QChar(0x00B0));
        QCOMPARE(lon.at(8), QChar('.'));
        QCOMPARE(lon.at(13), QChar(0x2032));
        if (std::abs(v) > 900000000) continue;
        const QString lat = Convert::ddS32_to_dmString_lat(v);
        QCOMPARE(lat.length(), 14);
        QCOMPARE(lat.at(5), QChar(0x00B0));
        QCOMPARE(lat.at(13), QChar(0x2032));
    }
}

void TestConvert::parse_data() {
    QTest::addColumn<bool>("longitude");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ddS32");

    const auto u = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("north") << false << u("N  48°07.1234′") << 481187233;
    QTest::newRow("south") << false << u("S  48°07.1234′") << -481187233;
    QTest::newRow("east") << true << u("E 011°34.5677′") << Convert::dmS32_to_ddS32(113456770);
    QTest::newRow("west") << true << u("W 011°34.5677′") << -Convert::dmS32_to_ddS32(113456770);
    QTest::newRow("whole degrees") << true << u("E 179°00.0000′") << 1790000000;
    // Malformed texts: the agreed fallback values, and no read past the end.
    QTest::newRow("empty") << false << QString() << 0;
    QTest::newRow("ten characters") << false << u("N  48°07.1") << 0;
    QTest::newRow("ten characters lon") << true << u("E 011°34.5") << 0;
    QTest::newRow("eleven characters reads what is there")
        << false << u("N  48°07.12") << Convert::dmS32_to_ddS32(480712000);
    QTest::newRow("letters in the degrees") << false << u("N  4x°07.1234′") << 0;
    QTest::newRow("letters everywhere") << true << u("W abc°de.fghi′") << 0;
    QTest::newRow("comma decimal") << false << u("N  48°07,1234′") << 0;
    QTest::newRow("other letter is south") << false << u("X  48°07.1234′") << -481187233;
    QTest::newRow("lower case n is south") << false << u("n  48°07.1234′") << -481187233;
    QTest::newRow("N is west for a longitude")
        << true << u("N 011°34.5677′") << -Convert::dmS32_to_ddS32(113456770);
    QTest::newRow("leading space is south") << false << u(" N 48°07.1234′") << -481187233;
    QTest::newRow("not a number") << false << u("N  na°n      ") << 0;
    QTest::newRow("infinite") << true << u("E inf°       ") << 0;
    QTest::newRow("too large for the encoding") << true << u("E 999°99999.9") << 0;
    QTest::newRow("too large without a point") << false << u("N  99°9999999") << 0;
}

void TestConvert::parse() {
    QFETCH(bool, longitude);
    QFETCH(QString, text);
    QFETCH(int, ddS32);
    const int got =
        longitude ? Convert::dmString_to_ddS32_Lon(text) : Convert::dmString_to_ddS32_Lat(text);
    QCOMPARE(got, ddS32);
}

void TestConvert::roundTrip_textLosesAtMostOneUnit_data() {
    QTest::addColumn<char>("hemisphere");
    QTest::addColumn<bool>("longitude");
    QTest::addColumn<int>("maxDegrees");

    QTest::newRow("N") << 'N' << false << 89;
    QTest::newRow("S") << 'S' << false << 89;
    QTest::newRow("E") << 'E' << true << 179;
    QTest::newRow("W") << 'W' << true << 179;
}

// Both conversions truncate, so a text that is not whole degrees comes back exactly one unit
// (0.0001') nearer to zero; whole degrees come back unchanged, except that zero turns
// south/west.
void TestConvert::roundTrip_textLosesAtMostOneUnit() {
    QFETCH(char, hemisphere);
    QFETCH(bool, longitude);
    QFETCH(int, maxDegrees);
    const char negative = longitude ? 'W' : 'S';
    const auto trip = [longitude](const QString& text) {
        return longitude ? Convert::ddS32_to_dmString_lon(Convert::dmString_to_ddS32_Lon(text))
                         : Convert::ddS32_to_dmString_lat(Convert::dmString_to_ddS32_Lat(text));
    };
    const int edges[] = {1, 2, 9999, 10000, 10001, 299999, 300000, 590001, 599998, 599999};

    int lost = 0;
    for (int degrees = 0; degrees <= maxDegrees; ++degrees) {
        QVector<int> minutes(std::begin(edges), std::end(edges));
        for (int m = 37; m < 600000; m += 4099)
            minutes.append(m);
        for (int m : minutes) {
            const QString text = dmText(hemisphere, degrees, m, longitude);
            const QString back = trip(text);
            if (back != text) ++lost;
            QCOMPARE(back, oneUnitLess(hemisphere, degrees, m, longitude));
        }
        const QString whole = dmText(hemisphere, degrees, 0, longitude);
        QCOMPARE(trip(whole), degrees == 0 ? dmText(negative, 0, 0, longitude) : whole);
    }
    QVERIFY(lost > 0);
    // The loss repeats on every trip: a text is not a stable store for a position.
    const QString text = dmText(hemisphere, 12, 345678, longitude);
    QCOMPARE(trip(trip(text)), dmText(hemisphere, 12, 345676, longitude));
}

// Position -> text -> position keeps the hemisphere and loses less than one text unit
// (16.7 ddS32 units) plus the two truncations: never more than 19 units, always toward zero.
void TestConvert::roundTrip_positionStaysWithinTextResolution() {
    int worst = 0;
    for (qint64 v = -1800000000; v <= 1800000000; v += 9973) {
        const int lon = int(v);
        const int lonBack = Convert::dmString_to_ddS32_Lon(Convert::ddS32_to_dmString_lon(lon));
        const int lonLoss = std::abs(lon) - std::abs(lonBack);
        QVERIFY2(lonLoss >= 0 && lonLoss <= 19, qPrintable(QString::number(lon)));
        QVERIFY(qint64(lon) * lonBack >= 0);
        worst = std::max(worst, lonLoss);

        const int lat = lon / 2;
        const int latBack = Convert::dmString_to_ddS32_Lat(Convert::ddS32_to_dmString_lat(lat));
        const int latLoss = std::abs(lat) - std::abs(latBack);
        QVERIFY2(latLoss >= 0 && latLoss <= 19, qPrintable(QString::number(lat)));
        QVERIFY(qint64(lat) * latBack >= 0);
    }
    QVERIFY(worst >= 17);
}

void TestConvert::startPoint_unsetUntilSet() {
    QVERIFY(!Convert::haveSetStartPoint());
    Convert::setStartPoint(115000000, 481000000);
    QVERIFY(Convert::haveSetStartPoint());
    QCOMPARE(Convert::getStartPoint(), QPoint(2553000, 10678200));
    QCOMPARE(Convert::navi_startPoint, QPoint(2553000, 10678200));
}

void TestConvert::startPoint_nearZeroCountsAsUnset() {
    // 45 ddS32 units (0.0000045 deg) are less than one half-metre unit; 46 are not.
    Convert::setStartPoint(45, -45);
    QCOMPARE(Convert::getStartPoint(), QPoint(0, 0));
    QVERIFY(!Convert::haveSetStartPoint());
    Convert::setStartPoint(0, 46);
    QCOMPARE(Convert::getStartPoint(), QPoint(0, 1));
    QVERIFY(Convert::haveSetStartPoint());
    Convert::setStartPoint(-115000000, -481000000);
    QCOMPARE(Convert::getStartPoint(), QPoint(-2553000, -10678200));
}

void TestConvert::relative_workedExamples() {
    Convert::setStartPoint(115000000, 481000000);
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115000000, 481000000), QPoint(0, 0));
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115000000, 481001000), QPoint(0, -22));
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(115010000, 481000000), QPoint(148, 0));
    // South and west of the origin; truncation goes toward zero on both axes.
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(114990000, 480999000), QPoint(-148, 22));
}

void TestConvert::relative_explicitOrigin_leavesStartPoint() {
    Convert::setStartPoint(115000000, 481000000);
    const QPoint origin(0, 0);
    // At the equator the cosine is 1: 0.001 deg east is 22.2 units.
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(10000, 0, origin), QPoint(222, 0));
    QCOMPARE(Convert::navi_ddS32_to_relativeCoor(0, 10000, origin), QPoint(0, -222));
    QCOMPARE(Convert::getStartPoint(), QPoint(2553000, 10678200));
}

void TestConvert::relative_remembersLatitudeAngle() {
    Convert::navi_ddS32_to_relativeCoor(0, 481000000, QPoint());
    QCOMPARE(Convert::current_lat_cos, float(48.1 / 180.0 * double(float(M_PI))));
    Convert::navi_ddS32_to_relativeCoor(0, -300000000, QPoint());
    QCOMPARE(Convert::current_lat_cos, float(-30.0 / 180.0 * double(float(M_PI))));
}

void TestConvert::relative_writesDebugLine() {
    QLoggingCategory::setFilterRules(QStringLiteral("korvel.navi.convert.debug=true"));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("481001000.*QPoint\\(0,-22\\)"));
    Convert::setStartPoint(115000000, 481000000);
    Convert::navi_ddS32_to_relativeCoor(115000000, 481001000);
    QLoggingCategory::setFilterRules(kDebugOff);
}

void TestConvert::inverse_latitudeSubtractsInSinglePrecision() {
    Convert::setStartPoint(115000000, 481000000);
    QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lat(QPointF(0, 0)), 481000000);
    QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lat(QPointF(0, -22)), 481000990);
    // Above 2^24 units the single-precision origin loses its last bit: 16777217 -> 16777216.
    Convert::navi_startPoint = QPoint(0, 16777217);
    QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lat(QPointF(0, 0)), 755730450);
}

void TestConvert::inverse_longitudeUsesLastForwardLatitude() {
    Convert::setStartPoint(115000000, 481000000);
    const QPoint east = Convert::navi_ddS32_to_relativeCoor(115010000, 481000000);
    const int atStart = Convert::navi_relativeCoor_to_ddS32_lon(east);
    QVERIFY2(std::abs(atStart - 115010000) < 100, qPrintable(QString::number(atStart)));
    // A forward conversion at the equator changes the cosine the inverse uses.
    Convert::navi_ddS32_to_relativeCoor(0, 0, QPoint());
    QCOMPARE(Convert::navi_relativeCoor_to_ddS32_lon(east), 115006666);
}

void TestConvert::inverse_roundTripWithinHalfMetre_data() {
    QTest::addColumn<int>("lon");
    QTest::addColumn<int>("lat");

    QTest::newRow("NE") << 115000000 << 481000000;
    QTest::newRow("NW") << -731234567 << 405678901;
    QTest::newRow("SE") << 1512345678 << -338765432;
    QTest::newRow("SW") << -585432100 << -346543210;
}

void TestConvert::inverse_roundTripWithinHalfMetre() {
    QFETCH(int, lon);
    QFETCH(int, lat);
    Convert::setStartPoint(lon, lat);
    for (int dy = -5000; dy <= 5000; dy += 1250) {
        for (int dx = -5000; dx <= 5000; dx += 1250) {
            const int pLon = lon + dx * 10;
            const int pLat = lat + dy * 10;
            const QPoint p = Convert::navi_ddS32_to_relativeCoor(pLon, pLat);
            // One unit is half a metre: 45 ddS32 units of latitude, more of longitude.
            QVERIFY(std::abs(Convert::navi_relativeCoor_to_ddS32_lat(p) - pLat) <= 46);
            QVERIFY(std::abs(Convert::navi_relativeCoor_to_ddS32_lon(p) - pLon) <= 80);
        }
    }
}

void TestConvert::pixDst_data() {
    QTest::addColumn<QPointF>("p1");
    QTest::addColumn<QPointF>("p2");
    QTest::addColumn<float>("metres");

    QTest::newRow("3-4-5") << QPointF(0, 0) << QPointF(6, 8) << 5.0f;
    QTest::newRow("reversed") << QPointF(6, 8) << QPointF(0, 0) << 5.0f;
    QTest::newRow("same point") << QPointF(-3.5, 7) << QPointF(-3.5, 7) << 0.0f;
    QTest::newRow("negative quadrant") << QPointF(-10, -10) << QPointF(-40, 30) << 25.0f;
    // Points are single precision: 16777217 is 16777216 as a float.
    QTest::newRow("single precision") << QPointF(16777217, 0) << QPointF(0, 0) << 8388608.0f;
}

void TestConvert::pixDst() {
    QFETCH(QPointF, p1);
    QFETCH(QPointF, p2);
    QFETCH(float, metres);
    QCOMPARE(Global::calc_pixDst(p1, p2), metres);
}

void TestConvert::pixDir_data() {
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("direction");

    QTest::newRow("south") << QPointF(0, 10) << 0;
    QTest::newRow("west") << QPointF(-10, 0) << 90;
    // Exact only because the product stays in single precision (-89.9999976 in double).
    QTest::newRow("east") << QPointF(10, 0) << -90;
    QTest::newRow("north") << QPointF(0, -10) << -180;
    QTest::newRow("north-east") << QPointF(10, -10) << -135;
    QTest::newRow("south-east") << QPointF(10, 10) << -45;
    QTest::newRow("south-west") << QPointF(-10, 10) << 45;
    QTest::newRow("north-west") << QPointF(-10, -10) << 135;
    QTest::newRow("same point") << QPointF(0, 0) << 0;
    // 30.96 degrees either side of south truncate toward zero.
    QTest::newRow("truncated west") << QPointF(-6, 10) << 30;
    QTest::newRow("truncated east") << QPointF(6, 10) << -30;
}

void TestConvert::pixDir() {
    QFETCH(QPointF, to);
    QFETCH(int, direction);
    const QPointF from(100, 200);
    const int got = Global::calc_pixDir(from, from + to);
    if (direction == -180)
        QVERIFY2(got == -180 || got == 180, qPrintable(QString::number(got)));
    else
        QCOMPARE(got, direction);
    // Plus 180 is the compass bearing.
    if (direction == -90) QCOMPARE(got + 180, 90);
}

void TestConvert::bytes_readLittleEndian() {
    const unsigned char b[] = {0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF,
                               0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
    QCOMPARE(Convert::u8_to_u32(b), 0x12345678u);
    QCOMPARE(Convert::u8_to_s32(b), 0x12345678);
    QCOMPARE(Convert::u8_to_u32(b + 4), 0xFFFFFFFFu);
    QCOMPARE(Convert::u8_to_s32(b + 4), -1);
    QCOMPARE(Convert::u8_to_s32(b + 8), int(0x80000000u));
    QCOMPARE(Convert::u8_to_u16(b), static_cast<unsigned short>(0x5678));
    QCOMPARE(Convert::u8_to_u16(b + 3), static_cast<unsigned short>(0xFF12));
}

void TestConvert::bytes_writeLittleEndian_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("position") << qint64(481187233) << QByteArray::fromHex("a1 55 ae 1c");
    QTest::newRow("negative") << qint64(-481187233) << QByteArray::fromHex("5f aa 51 e3");
    QTest::newRow("minus one") << qint64(-1) << QByteArray::fromHex("ff ff ff ff");
    QTest::newRow("smallest") << qint64(INT_MIN) << QByteArray::fromHex("00 00 00 80");
    QTest::newRow("one") << qint64(1) << QByteArray::fromHex("01 00 00 00");
}

void TestConvert::bytes_writeLittleEndian() {
    QFETCH(qint64, value);
    QFETCH(QByteArray, bytes);
    // A guard byte either side shows that exactly four bytes are written.
    unsigned char buf[6] = {0xAA, 0, 0, 0, 0, 0xAA};
    Convert::s32_to_u8(int(value), buf + 1);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(buf + 1), 4), bytes);
    QCOMPARE(buf[0], static_cast<unsigned char>(0xAA));
    QCOMPARE(buf[5], static_cast<unsigned char>(0xAA));
    QCOMPARE(Convert::u8_to_s32(buf + 1), int(value));

    unsigned char ubuf[4] = {};
    Convert::u32_to_u8(unsigned(int(value)), ubuf);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(ubuf), 4), bytes);

    unsigned char sbuf[4] = {0xAA, 0, 0, 0xAA};
    Convert::u16_to_u8(static_cast<unsigned short>(value), sbuf + 1);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sbuf + 1), 2), bytes.left(2));
    QCOMPARE(sbuf[3], static_cast<unsigned char>(0xAA));
    QCOMPARE(Convert::u8_to_u16(sbuf + 1), static_cast<unsigned short>(value));
}

KORVEL_TEST_MAIN(TestConvert)
#include "test_convert.moc"
