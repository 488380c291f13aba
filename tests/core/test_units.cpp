#include "core/base/configuration.h"
#include "core/base/global.h"
#include "core/base/resources.h"
#include "korvel_test.h"
#include "ui/target_icon.h"

#include <QtTest>
#include <limits>

// Display texts of depths, temperatures, distances and speeds in every unit choice.
class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void init() { Configuration::applyDefaults(Global::configuration); }

    void unitLabels_followConfiguration_data();
    void unitLabels_followConfiguration();
    void depthValue_data();
    void depthValue();
    void tempValue_data();
    void tempValue();
    void dstValue_data();
    void dstValue();
    void speedValue_data();
    void speedValue();
    void enteredDepth_isMetresToOneDecimal_data();
    void enteredDepth_isMetresToOneDecimal();
    void targetIcon_pathByIndex_data();
    void targetIcon_pathByIndex();
};

void TestUnits::unitLabels_followConfiguration_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("distanceUnit");
    QTest::addColumn<int>("speedUnit");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("dst");
    QTest::addColumn<QString>("speed");

    const QString c = QString::fromUtf8("℃");
    const QString f = QString::fromUtf8("℉");
    QTest::newRow("m C, KM, KPH") << 0 << 0 << 0 << "m" << c << "KM"
                                  << "KPH";
    QTest::newRow("m F, Yard, Knot") << 1 << 1 << 1 << "m" << f << "Yard"
                                     << "Knot";
    QTest::newRow("ft C, m, m/s") << 2 << 2 << 2 << "ft" << c << "m"
                                  << "m/s";
    QTest::newRow("ft F, ft, ft/s") << 3 << 3 << 3 << "ft" << f << "ft"
                                    << "ft/s";
    QTest::newRow("out of range shows metres") << 7 << 9 << -1 << "m" << c << "m"
                                               << "m/s";
}

void TestUnits::unitLabels_followConfiguration() {
    QFETCH(int, unit);
    QFETCH(int, distanceUnit);
    QFETCH(int, speedUnit);
    Global::configuration.unit = unit;
    Global::configuration.distanceUnit = distanceUnit;
    Global::configuration.speedUnit = speedUnit;
    QFETCH(QString, depth);
    QFETCH(QString, temp);
    QFETCH(QString, dst);
    QFETCH(QString, speed);
    QCOMPARE(Global::getString_depthUnit(), depth);
    QCOMPARE(Global::getString_tempUnit(), temp);
    QCOMPARE(Global::getString_dstUnit(), dst);
    QCOMPARE(Global::getString_speedUnit(), speed);
}

void TestUnits::depthValue_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<float>("metres");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("zeroWhenInvalid");
    QTest::addColumn<QString>("text");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("10 m in feet") << 2 << 10.0f << 1 << false << "33.0";
    QTest::newRow("10 m in metres") << 0 << 10.0f << 1 << false << "10.0";
    QTest::newRow("temperature unit leaves metres") << 1 << 10.0f << 2 << false << "10.00";
    QTest::newRow("99 m in feet, no decimals") << 3 << 99.0f << 0 << false << "327";
    QTest::newRow("lower bound") << 0 << -2.0f << 1 << false << "-2.0";
    QTest::newRow("below lower bound") << 0 << -2.01f << 1 << false << "-.-";
    QTest::newRow("upper bound") << 0 << 99.0f << 1 << false << "99.0";
    QTest::newRow("120 m") << 0 << 120.0f << 1 << false << "-.-";
    QTest::newRow("120 m, zero asked") << 0 << 120.0f << 1 << true << "0";
    QTest::newRow("not a number") << 2 << nan << 1 << false << "-.-";
    QTest::newRow("not a number, zero asked") << 2 << nan << 1 << true << "0";
    // Multiplied in double and narrowed to float: 1.48499996 in double, 1.485 once narrowed.
    QTest::newRow("0.45 m in feet, float step") << 2 << 0.45f << 2 << false << "1.49";
}

void TestUnits::depthValue() {
    QFETCH(int, unit);
    QFETCH(float, metres);
    QFETCH(int, decimals);
    QFETCH(bool, zeroWhenInvalid);
    QFETCH(QString, text);
    Global::configuration.unit = unit;
    QCOMPARE(Global::getString_depthValue(metres, decimals, zeroWhenInvalid), text);
}

void TestUnits::tempValue_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<float>("celsius");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("5 C in Fahrenheit") << 1 << 5.0f << 1 << "41.0";
    QTest::newRow("5 C in Celsius") << 0 << 5.0f << 1 << "5.0";
    QTest::newRow("feet with Celsius") << 2 << 25.5f << 1 << "25.5";
    QTest::newRow("feet with Fahrenheit") << 3 << 100.0f / 3 << 0 << "92";
    QTest::newRow("lower bound in Fahrenheit") << 3 << -99.0f << 1 << "-146.2";
    QTest::newRow("upper bound") << 0 << 99.0f << 0 << "99";
    QTest::newRow("above upper bound") << 0 << 99.5f << 1 << "-.-";
    QTest::newRow("below lower bound") << 1 << -100.0f << 1 << "-.-";
    QTest::newRow("not a number") << 0 << std::numeric_limits<float>::quiet_NaN() << 1 << "-.-";
}

void TestUnits::tempValue() {
    QFETCH(int, unit);
    QFETCH(float, celsius);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    Global::configuration.unit = unit;
    QCOMPARE(Global::getString_tempValue(celsius, decimals), text);
}

void TestUnits::dstValue_data() {
    QTest::addColumn<int>("distanceUnit");
    QTest::addColumn<float>("metres");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("limit");
    QTest::addColumn<QString>("text");

    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("1500 m in km") << 0 << 1500.0f << 2 << false << "1.50";
    QTest::newRow("1500 m in km, limited") << 0 << 1500.0f << 2 << true << "-.-";
    QTest::newRow("999 m limited") << 2 << 999.0f << 0 << true << "999";
    QTest::newRow("999.5 m limited") << 2 << 999.5f << 0 << true << "-.-";
    QTest::newRow("5000 m unlimited") << 2 << 5000.0f << 0 << false << "5000";
    QTest::newRow("negative") << 2 << -0.1f << 1 << false << "-.-";
    QTest::newRow("zero") << 0 << 0.0f << 3 << false << "0.000";
    QTest::newRow("100 m in yards") << 1 << 100.0f << 1 << false << "109.4";
    QTest::newRow("100 m in feet") << 3 << 100.0f << 1 << false << "330.0";
    QTest::newRow("unit 2 unchanged") << 2 << 12.34f << 2 << false << "12.34";
    QTest::newRow("unit out of range unchanged") << 7 << 12.34f << 2 << false << "12.34";
    QTest::newRow("negative unit unchanged") << -1 << 12.34f << 2 << false << "12.34";
    // Kilometres are divided in float: 0.005f is 0.00499999989.
    QTest::newRow("5 m in km, float division") << 0 << 5.0f << 2 << false << "0.00";
    // Yards are divided in double and narrowed: the double would print 129.97.
    QTest::newRow("118.84 m in yards, float step") << 1 << 118.84f << 2 << false << "129.96";
    QTest::newRow("not a number") << 2 << std::numeric_limits<float>::quiet_NaN() << 1 << false
                                  << "-.-";
    QTest::newRow("infinite, unlimited") << 2 << inf << 1 << false << "-.-";
}

void TestUnits::dstValue() {
    QFETCH(int, distanceUnit);
    QFETCH(float, metres);
    QFETCH(int, decimals);
    QFETCH(bool, limit);
    QFETCH(QString, text);
    Global::configuration.distanceUnit = distanceUnit;
    QCOMPARE(Global::getString_dstValue(metres, decimals, limit), text);
}

void TestUnits::speedValue_data() {
    QTest::addColumn<int>("speedUnit");
    QTest::addColumn<float>("mps");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("1 m/s in knots") << 1 << 1.0f << 1 << "1.9";
    QTest::newRow("9.5 m/s") << 1 << 9.5f << 1 << "-.-";
    QTest::newRow("1 m/s in km/h") << 0 << 1.0f << 1 << "3.6";
    QTest::newRow("9 m/s in km/h") << 0 << 9.0f << 2 << "32.40";
    QTest::newRow("9 m/s unchanged") << 2 << 9.0f << 1 << "9.0";
    QTest::newRow("2 m/s in ft/s") << 3 << 2.0f << 1 << "6.6";
    QTest::newRow("zero") << 1 << 0.0f << 1 << "0.0";
    QTest::newRow("negative") << 0 << -0.1f << 1 << "-.-";
    QTest::newRow("unit out of range unchanged") << 5 << 2.5f << 1 << "2.5";
    QTest::newRow("not a number") << 2 << std::numeric_limits<float>::quiet_NaN() << 1 << "-.-";
}

void TestUnits::speedValue() {
    QFETCH(int, speedUnit);
    QFETCH(float, mps);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    Global::configuration.speedUnit = speedUnit;
    QCOMPARE(Global::getString_speedValue(mps, decimals), text);
}

void TestUnits::enteredDepth_isMetresToOneDecimal_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("metres");

    QTest::newRow("10 ft") << 2 << "10" << 3.0f;
    QTest::newRow("33 ft") << 3 << "33" << 10.0f;
    QTest::newRow("10 m") << 0 << "10" << 10.0f;
    QTest::newRow("12.34 m rounds down") << 1 << "12.34" << 12.3f;
    QTest::newRow("12.36 m rounds up") << 0 << "12.36" << 12.4f;
    QTest::newRow("negative feet") << 2 << "-5" << -1.5f;
    QTest::newRow("not a number") << 2 << "abc" << 0.0f;
    QTest::newRow("empty") << 0 << "" << 0.0f;
}

void TestUnits::enteredDepth_isMetresToOneDecimal() {
    QFETCH(int, unit);
    QFETCH(QString, text);
    QFETCH(float, metres);
    Global::configuration.unit = unit;
    QCOMPARE(Global::getValue_depth(text), metres);
}

void TestUnits::targetIcon_pathByIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");

    QTest::newRow("1") << 1 << ":/ico/targetIco_1";
    QTest::newRow("2") << 2 << ":/ico/targetIco_2";
    QTest::newRow("0") << 0 << ":/ico/targetIco_0";
    QTest::newRow("3") << 3 << ":/ico/targetIco_0";
    QTest::newRow("-1") << -1 << ":/ico/targetIco_0";
}

void TestUnits::targetIcon_pathByIndex() {
    QFETCH(int, index);
    QFETCH(QString, path);
    korvelInitResources();
    QCOMPARE(Global::getIconPath_target(index), path);
    // A picture of its own, as the icon chooser and the map show it.
    const QImage icon = Global::getIcon_target(index).toImage();
    QCOMPARE(icon.size(), QSize(25, 25));
    const QImage other = Global::getIcon_target(index == 1 ? 2 : 1).toImage();
    QVERIFY(icon != other);
}

KORVEL_TEST_MAIN(TestUnits)
#include "test_units.moc"
