#include "base/global.h"
#include "base/resources.h"
#include "korvel_test.h"
#include "ui/map/target_icon.h"

#include <QtTest>
#include <limits>

namespace {
const float kNan = std::numeric_limits<float>::quiet_NaN();

void setUnits(int unit, int distanceUnit, int speedUnit) {
    Global::configuration.unit = unit;
    Global::configuration.distanceUnit = distanceUnit;
    Global::configuration.speedUnit = speedUnit;
}
}  // namespace

// Display texts of depths, temperatures, distances and speeds in every unit choice.
class TestUnits : public QObject {
    Q_OBJECT
private slots:
    void unitLabels_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("labels");
        QTest::newRow("0") << 0 << QString::fromUtf8("m ℃ KM KPH");
        QTest::newRow("1") << 1 << QString::fromUtf8("m ℉ Yard Knot");
        QTest::newRow("2") << 2 << QString::fromUtf8("ft ℃ m m/s");
        QTest::newRow("3") << 3 << QString::fromUtf8("ft ℉ ft ft/s");
        QTest::newRow("out of range shows metres") << -1 << QString::fromUtf8("m ℃ m m/s");
    }
    void unitLabels() {
        QFETCH(int, unit);
        QFETCH(QString, labels);
        setUnits(unit, unit, unit);
        QCOMPARE(QStringList({Global::getString_depthUnit(), Global::getString_tempUnit(),
                              Global::getString_dstUnit(), Global::getString_speedUnit()})
                     .join(' '),
                 labels);
    }

    // kind: depth (flag: zero when invalid), temp, dst (flag: limit to 999 m) or speed; the unit
    // column sets the one unit choice that kind reads.
    void valueText_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("unit");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const char* kind, int unit, float value, int decimals,
                            bool flag, const char* text) {
            QTest::newRow(name) << kind << unit << value << decimals << flag << text;
        };
        row("10 m in feet", "depth", 2, 10, 1, false, "33.0");
        row("99 m in feet, unit 3", "depth", 3, 99, 0, false, "327");
        row("depth lower bound", "depth", 0, -2, 1, false, "-2.0");
        row("below the lower bound", "depth", 0, -2.01f, 1, false, "-.-");
        row("depth upper bound", "depth", 0, 99, 1, false, "99.0");
        row("120 m, zero asked", "depth", 0, 120, 1, true, "0");
        row("depth not a number", "depth", 2, kNan, 1, false, "-.-");
        // Multiplied in double and narrowed to float: 1.48499996 in double, 1.485 once narrowed.
        row("0.45 m in feet, float step", "depth", 2, 0.45f, 2, false, "1.49");

        row("5 C in Fahrenheit", "temp", 1, 5, 1, false, "41.0");
        row("lower bound in Fahrenheit", "temp", 3, -99, 1, false, "-146.2");
        row("temperature upper bound", "temp", 0, 99, 0, false, "99");
        row("above the upper bound", "temp", 0, 99.5f, 1, false, "-.-");
        row("below the lower bound", "temp", 1, -100, 1, false, "-.-");
        row("temperature not a number", "temp", 0, kNan, 1, false, "-.-");

        row("1500 m in km", "dst", 0, 1500, 2, false, "1.50");
        row("1500 m in km, limited", "dst", 0, 1500, 2, true, "-.-");
        row("999 m limited", "dst", 2, 999, 0, true, "999");
        row("999.5 m limited", "dst", 2, 999.5f, 0, true, "-.-");
        row("negative distance", "dst", 2, -0.1f, 1, false, "-.-");
        row("100 m in feet", "dst", 3, 100, 1, false, "330.0");
        row("distance unit out of range", "dst", 7, 12.34f, 2, false, "12.34");
        // Yards are divided in double and narrowed: the double, or a float divisor, gives 154.97.
        row("141.7 m in yards, float step", "dst", 1, 141.7f, 2, false, "154.96");
        row("infinite distance", "dst", 2, std::numeric_limits<float>::infinity(), 1, false, "-.-");

        row("1 m/s in knots", "speed", 1, 1, 1, false, "1.9");
        row("9.5 m/s", "speed", 1, 9.5f, 1, false, "-.-");
        row("9 m/s in km/h", "speed", 0, 9, 2, false, "32.40");
        row("2 m/s in ft/s", "speed", 3, 2, 1, false, "6.6");
        row("zero speed", "speed", 1, 0, 1, false, "0.0");
        row("negative speed", "speed", 0, -0.1f, 1, false, "-.-");
        row("speed unit out of range", "speed", 5, 2.5f, 1, false, "2.5");
        row("speed not a number", "speed", 2, kNan, 1, false, "-.-");
    }
    void valueText() {
        QFETCH(QString, kind);
        QFETCH(int, unit);
        QFETCH(float, value);
        QFETCH(int, decimals);
        QFETCH(bool, flag);
        QFETCH(QString, text);
        // The other choices are set to what would show a wrong unit.
        setUnits(kind == "depth" || kind == "temp" ? unit : 3, kind == "dst" ? unit : 3,
                 kind == "speed" ? unit : 3);
        QString got;
        if (kind == "depth") got = Global::getString_depthValue(value, decimals, flag);
        if (kind == "temp") got = Global::getString_tempValue(value, decimals);
        if (kind == "dst") got = Global::getString_dstValue(value, decimals, flag);
        if (kind == "speed") got = Global::getString_speedValue(value, decimals);
        QCOMPARE(got, text);
    }

    void enteredDepth_isMetresToOneDecimal_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("metres");
        QTest::newRow("10 ft") << 2 << "10" << 3.0f;
        QTest::newRow("33 ft") << 3 << "33" << 10.0f;
        QTest::newRow("12.34 m rounds down") << 1 << "12.34" << 12.3f;
        QTest::newRow("12.36 m rounds up") << 0 << "12.36" << 12.4f;
        QTest::newRow("negative feet") << 2 << "-5" << -1.5f;
        QTest::newRow("not a number") << 2 << "abc" << 0.0f;
    }
    void enteredDepth_isMetresToOneDecimal() {
        QFETCH(int, unit);
        QFETCH(QString, text);
        QFETCH(float, metres);
        Global::configuration.unit = unit;
        QCOMPARE(Global::getValue_depth(text), metres);
    }

    // Three pictures of their own (ring, fish, anchor); any other index shows the first.
    void targetIcons_oneEachAndTheRingOtherwise() {
        korvelInitResources();
        const auto icon = [](int index) { return Global::getIcon_target(index).toImage(); };
        QCOMPARE(icon(0).size(), QSize(25, 25));
        QVERIFY(icon(0) != icon(1) && icon(1) != icon(2) && icon(0) != icon(2));
        QCOMPARE(icon(3), icon(0));
        QCOMPARE(icon(-1), icon(0));
    }
};

KORVEL_TEST_MAIN(TestUnits)
#include "test_units.moc"
