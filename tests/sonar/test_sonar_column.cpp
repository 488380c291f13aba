#include "base/configuration.h"
#include "korvel_test.h"
#include "link/kvl_frame.h"
#include "sonar/sonar_column.h"
#include "sonar/sonar_state_check.h"

#include <QtTest>
#include <algorithm>
#include <limits>
#include <numeric>
#include <tuple>

namespace {
// A hand-made sonar frame: range and depth in cm, the top row, a fish, and samples of the
// given level in rows from .. to-1.
kvl_w sonarTestFrame(uint32_t rangeCm, uint16_t depthCm, int topRow, int fishRow = 0,
                     int fishStrength = 0, int from = 0, int to = 0, int level = 0) {
    kvl_w f{};
    f.bytes[0] = '#';
    for (int i = 0; i < 4; ++i)
        f.bytes[4 + i] = static_cast<uint8_t>(rangeCm >> (8 * i));
    f.bytes[28] = static_cast<uint8_t>(fishRow);
    f.bytes[29] = static_cast<uint8_t>(fishStrength);
    f.bytes[30] = static_cast<uint8_t>(topRow);
    f.bytes[33] = static_cast<uint8_t>(depthCm & 0xff);
    f.bytes[34] = static_cast<uint8_t>(depthCm >> 8);
    for (int r = from; r < to && r < 240; ++r)
        f.bytes[35 + r] = static_cast<uint8_t>(level);
    return f;
}

uint8_t* sonarTestSamples(kvl_w& f) {
    return f.bytes + 35;
}

SonarColumn extract(const kvl_w& f, float displayRange = 10, int beam = 0, float clarify = 0) {
    const SonarColumnSettings s{0, 6, clarify, beam, displayRange};
    SonarColumnState state;
    state.last_depth = SonarFrame::depth(f);  // a steady depth, not limited
    return sonar_extractColumn(f, s, state, nullptr);
}
}  // namespace

class TestSonarColumn : public QObject {
    Q_OBJECT
private slots:
    void noiseThreshold_data() {
        QTest::addColumn<float>("sensitivity");
        QTest::addColumn<int>("bottom");     // the water: rows 10 .. bottom-1
        QTest::addColumn<QString>("noise");  // level x rows, from row 10 down
        QTest::addColumn<int>("expected");
        // AUTO: at most a fifth of the water rows (20 of 100) may reach the threshold.
        QTest::newRow("AUTO, quiet water") << 0.f << 110 << "" << 5;
        QTest::newRow("AUTO, 20 rows of 10 still under 5") << 0.f << 110 << "10x20" << 5;
        QTest::newRow("AUTO, noise of 10 needs 15") << 0.f << 110 << "10x30 20x15" << 15;
        QTest::newRow("AUTO, 25 rows of 20 need 25") << 0.f << 110 << "20x25" << 25;
        QTest::newRow("AUTO, nothing qualifies: 75") << 0.f << 110 << "100x100" << 75;
        QTest::newRow("AUTO, no water rows") << 0.f << 5 << "" << 5;
        QTest::newRow("sensitivity 9") << 9.f << 110 << "100x100" << 5;
        QTest::newRow("sensitivity 1") << 1.f << 110 << "" << 85;
    }
    void noiseThreshold() {
        QFETCH(float, sensitivity);
        QFETCH(int, bottom);
        QFETCH(QString, noise);
        uint8_t s[240] = {};
        int r = 10;
        for (const QString& run : noise.split(' ', Qt::SkipEmptyParts))
            for (int i = 0; i < run.section('x', 1).toInt(); ++i)
                s[r++] = static_cast<uint8_t>(run.section('x', 0, 0).toInt());
        QTEST(SonarColumnRules::noiseThreshold(s, 10, bottom, sensitivity), "expected");
    }

    void threshold_clearsQuietWater() {
        kvl_w f = sonarTestFrame(1000, 459, 10, 0, 0, 10, 40, 10);          // bottom row 110
        std::fill(sonarTestSamples(f) + 40, sonarTestSamples(f) + 55, 15);  // AUTO threshold 15
        const SonarColumn c = extract(f);
        QCOMPARE(int(c.samples[20]), 0);
        QCOMPARE(int(c.samples[45]), 15);
    }

    // After 10.00 m, 20 m of sonar on a 40 m display: every row halves.
    void rateLimit_data() {
        QTest::addColumn<int>("depthCm");
        QTest::addColumn<float>("taken");
        QTest::addColumn<int>("bottomRow");
        QTest::newRow("exactly 25 cm deeper: taken") << 1025 << 1025.f << 61;
        QTest::newRow("26 cm deeper: limited") << 1026 << 1025.f << 61;
        QTest::newRow("249 cm deeper: limited") << 1249 << 1025.f << 61;
        QTest::newRow("250 cm deeper: taken at once") << 1250 << 1250.f << 75;
        QTest::newRow("249 cm shallower: limited") << 751 << 975.f << 58;
        QTest::newRow("250 cm shallower: taken at once") << 750 << 750.f << 45;
    }
    void rateLimit() {
        QFETCH(int, depthCm);
        SonarColumnState state;
        state.last_depth = 1000;
        const SonarColumn c = sonar_extractColumn(sonarTestFrame(2000, uint16_t(depthCm), 40),
                                                  {0, 6, 0, 0, 40}, state, nullptr);
        QTEST(state.last_depth, "taken");  // what the next column starts from
        QTEST(c.bottomRow, "bottomRow");
    }

    // Top row 10 of a 10 m range; samples of one level from a row down to the end.
    void bottomAndColorOffset_data() {
        QTest::addColumn<int>("depthCm");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("beam");
        QTest::addColumn<int>("bottomRow");
        QTest::addColumn<int>("colorOffset");
        QTest::newRow("echo from 150, depth row 160: 149") << 667 << 150 << 200 << 0 << 149 << -75;
        QTest::newRow("no quiet run above: top row + 3") << 417 << 14 << 200 << 0 << 13 << -75;
        QTest::newRow("bottom at row 20: not refined") << 84 << 14 << 200 << 0 << 20 << -75;
        QTest::newRow("nothing below the bottom") << 999 << 0 << 0 << 0 << 239 << 80;
        QTest::newRow("echo 5 below, at the threshold") << 500 << 120 << 5 << 0 << 119 << 75;
        QTest::newRow("echo 59 below: 80 - 59") << 500 << 120 << 59 << 0 << 119 << 21;
        QTest::newRow("echo 60 below: 125 - 60") << 500 << 120 << 60 << 0 << 119 << 65;
        QTest::newRow("echo 1 below, wide beam: cleared") << 500 << 120 << 1 << 0 << 120 << 80;
        QTest::newRow("echo 1 below, narrow beam: kept") << 500 << 120 << 1 << 1 << 120 << 79;
    }
    void bottomAndColorOffset() {
        QFETCH(int, depthCm);
        QFETCH(int, from);
        QFETCH(int, level);
        QFETCH(int, beam);
        const SonarColumn c =
            extract(sonarTestFrame(1000, uint16_t(depthCm), 10, 0, 0, from, 240, level), 10, beam);
        QTEST(c.bottomRow, "bottomRow");
        QTEST(c.colorOffset, "colorOffset");
    }

    // Bottom row 199, clutter of 100 in the rows above `clutter` and weak echoes of 9 in the ten
    // rows below it: rows 3 .. clearedTo-1 are cleared, the others keep their echo.
    void surfaceClarify_data() {
        QTest::addColumn<float>("clarify");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("clutter");
        QTest::addColumn<int>("clearedTo");
        QTest::newRow("off") << 0.f << 20 << 30 << 0;
        QTest::newRow("1: down to the top row") << 1.f << 20 << 30 << 20;
        QTest::newRow("1, top row past the screen: the last") << 1.f << 250 << 240 << 239;
        QTest::newRow("2: down to the first quiet run") << 2.f << 20 << 30 << 30;
        QTest::newRow("2, clutter to the bottom: down to it - 3") << 2.f << 20 << 240 << 196;
    }
    void surfaceClarify() {
        QFETCH(float, clarify);
        QFETCH(int, top);
        QFETCH(int, clutter);
        QFETCH(int, clearedTo);
        kvl_w f = sonarTestFrame(1000, 833, top, 0, 0, clutter, clutter + 10, 9);
        std::fill_n(sonarTestSamples(f), clutter, 100);
        const SonarColumn c = extract(f, 10, 0, clarify);
        for (int r = 0; r < std::min(clutter + 10, 240); ++r) {
            const int kept = r < clutter ? 100 : 9;
            QVERIFY2(c.samples[r] == (r >= 3 && r < clearedTo ? 0 : kept),
                     qPrintable(QString::number(r)));
        }
    }

    // Top row 10, bottom row 199 of the frame: a fish must lie in rows 31..188, be strong enough
    // for the sensitivity, and come 60 columns after the last one at the soonest. With a 20 m
    // range on the 10 m display it shows twice as deep, held at the last row.
    void fish_data() {
        QTest::addColumn<float>("sensitivity");
        QTest::addColumn<uint>("rangeCm");  // shown on a 10 m display
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("strength");
        QTest::addColumn<int>("columnsSince");  // columns since the last fish
        QTest::addColumn<int>("shownRow");      // -1: no fish
        QTest::addColumn<int>("depthCm");
        QTest::newRow("20 rows below the top") << 6.f << 1000u << 30 << 200 << 59 << -1 << 0;
        QTest::newRow("21 rows below the top") << 6.f << 1000u << 31 << 200 << 59 << 31 << 129;
        QTest::newRow("11 rows above the bottom") << 6.f << 1000u << 188 << 200 << 59 << 188 << 783;
        QTest::newRow("10 rows above the bottom") << 6.f << 1000u << 189 << 200 << 59 << -1 << 0;
        QTest::newRow("sensitivity 9: 11") << 9.f << 1000u << 100 << 11 << 59 << 100 << 417;
        QTest::newRow("sensitivity 9: 10, too weak") << 9.f << 1000u << 100 << 10 << 59 << -1 << 0;
        QTest::newRow("sensitivity 1: 91") << 1.f << 1000u << 100 << 91 << 59 << 100 << 417;
        QTest::newRow("sensitivity 1: 90, too weak") << 1.f << 1000u << 100 << 90 << 59 << -1 << 0;
        QTest::newRow("OFF") << 0.f << 1000u << 100 << 255 << 59 << -1 << 0;
        QTest::newRow("58 columns since the last") << 6.f << 1000u << 100 << 200 << 58 << -1 << 0;
        QTest::newRow("long since the last") << 6.f << 1000u << 100 << 200 << 60 << 100 << 417;
        QTest::newRow("20 m range: deeper") << 6.f << 2000u << 100 << 200 << 59 << 200 << 833;
        QTest::newRow("20 m range: held") << 6.f << 2000u << 150 << 200 << 59 << 239 << 1250;
    }
    void fish() {
        QFETCH(float, sensitivity);
        QFETCH(uint, rangeCm);
        QFETCH(int, row);
        QFETCH(int, strength);
        QFETCH(int, columnsSince);
        QFETCH(int, shownRow);
        SonarColumnState state;
        state.count_fishPixWait = columnsSince;
        SonarFishHit hit;
        const kvl_w f = sonarTestFrame(rangeCm, uint16_t(rangeCm * 5 / 6), 10, row, strength);
        sonar_extractColumn(f, {0, sensitivity}, state, &hit);
        QCOMPARE(hit.found ? hit.row : -1, shownRow);
        if (!hit.found) return;
        QTEST(qRound(hit.depth * 100), "depthCm");
        QCOMPARE(state.count_fishPixWait, 0);  // the next one 60 columns later
    }

    // Samples equal to their row, depth 1 m. A display range or a frame range that cannot scale
    // shows the column at its own scale.
    void resample_data() {
        QTest::addColumn<uint>("rangeCm");
        QTest::addColumn<float>("displayRange");
        QTest::addColumn<QString>("rows");                         // shown row:sample
        const QString own = QStringLiteral("23:0 24:24 239:239");  // bottom row 24, threshold 25
        QTest::newRow("20 m on 10 m: stretched") << 2000u << 10.f << "10:0 30:15 31:15 239:119";
        QTest::newRow("20 m on 40 m: the later of two") << 2000u << 40.f << "10:21 119:239 120:0";
        QTest::newRow("display 0") << 1000u << 0.f << own;
        QTest::newRow("display negative") << 1000u << -5.f << own;
        QTest::newRow("display NaN") << 1000u << std::numeric_limits<float>::quiet_NaN() << own;
        QTest::newRow("display infinite") << 1000u << std::numeric_limits<float>::infinity() << own;
        QTest::newRow("frame range 0: no bottom") << 0u << 10.f << "1:0 2:2 239:239";
    }
    void resample() {
        QFETCH(uint, rangeCm);
        QFETCH(float, displayRange);
        QFETCH(QString, rows);
        kvl_w f = sonarTestFrame(rangeCm, 100, 0);
        std::iota(sonarTestSamples(f), sonarTestSamples(f) + 240, 0);
        const SonarColumn c = extract(f, displayRange);
        for (const QString& pair : rows.split(' '))
            QCOMPARE(int(c.samples[pair.section(':', 0, 0).toInt()]), pair.section(':', 1).toInt());
    }

    // The picture is redrawn when the display range follows the sonar's, after 6 deeper or 21
    // shallower looks in a row; when a setting that shapes it changes, each one and all at once;
    // and a manual range is taken at once.
    void stateCheck_redraws() {
        using C = StructConfiguration;
        C cfg;
        Configuration::applyDefaults(cfg);
        SonarStateCheck check;
        float display = 10;
        // range, looks, redrawn at the last look, display range after them
        const std::tuple<float, int, bool, float> steps[] = {
            {10, 1, false, 10}, {20, 5, false, 10}, {20, 1, true, 20}, {5, 20, false, 20},
            {5, 1, true, 5},    {30, 5, false, 5},  {5, 1, false, 5},  {30, 5, false, 5}};
        for (const auto& [range, looks, redrawn, after] : steps) {
            for (int i = 1; i <= looks; ++i)
                QCOMPARE(check.check(cfg, range, display), i == looks && redrawn);
            QCOMPARE(display, after);
        }
        const auto redrawnOnce = [&] {
            return check.check(cfg, 5, display) && !check.check(cfg, 5, display);
        };
        const auto floats = {&C::sonarSensitivity, &C::fishSensitivity, &C::surfaceClarify,
                             &C::colorLine, &C::depthRange};
        const auto ints = {&C::backgroundColor, &C::colorScheme, &C::bottomLine};
        for (float C::*f : floats) {
            cfg.*f += 7;
            QVERIFY(redrawnOnce());
        }
        for (int C::*f : ints) {
            cfg.*f ^= 1;
            QVERIFY(redrawnOnce());
        }
        for (float C::*f : floats)  // all at once: each one is remembered
            cfg.*f += 7;
        for (int C::*f : ints)
            cfg.*f ^= 1;
        QVERIFY(redrawnOnce());
        QCOMPARE(display, 14.f);
        cfg.colorLine += 0.0005f;  // within the tolerance
        QVERIFY(!check.check(cfg, 5, display));
    }
};

KORVEL_TEST_MAIN(TestSonarColumn)
#include "test_sonar_column.moc"
