#include "sonar/sonar_column.h"
#include "sonar/sonar_readout.h"
#include "sonar/sonar_state_check.h"
#include "sonar_test_frames.h"

#include <QtTest>
#include <cmath>
#include <limits>

namespace {
SonarColumnSettings settings(float displayRange = 10) {
    SonarColumnSettings s;
    s.displayRange = displayRange;
    return s;
}

SonarColumn extract(const kvl_w& f, const SonarColumnSettings& s) {
    SonarColumnState state;
    return sonar_extractColumn(f, s, state, nullptr);
}
}  // namespace

class TestSonarColumn : public QObject {
    Q_OBJECT
private slots:
    void autoThreshold_data() {
        QTest::addColumn<int>("rowsAt10");
        QTest::addColumn<int>("rowsAt20");
        QTest::addColumn<int>("rowsAt100");
        QTest::addColumn<int>("expected");
        // 100 water rows: at most 20 may reach the threshold.
        QTest::newRow("quiet water") << 0 << 0 << 0 << 5;
        QTest::newRow("15 rows of 10 fit under 5") << 15 << 0 << 0 << 5;
        QTest::newRow("noise of 10 needs 15") << 30 << 15 << 0 << 15;
        QTest::newRow("25 rows of 20 need 25") << 0 << 25 << 0 << 25;
        QTest::newRow("nothing qualifies: 75") << 0 << 0 << 100 << 75;
    }
    void autoThreshold() {
        QFETCH(int, rowsAt10);
        QFETCH(int, rowsAt20);
        QFETCH(int, rowsAt100);
        QFETCH(int, expected);
        uint8_t s[240] = {};
        int r = 10;
        for (int i = 0; i < rowsAt10; ++i)
            s[r++] = 10;
        for (int i = 0; i < rowsAt20; ++i)
            s[r++] = 20;
        for (int i = 0; i < rowsAt100; ++i)
            s[r++] = 100;
        QCOMPARE(SonarColumnRules::noiseThreshold(s, 10, 110, 0), expected);
    }

    void fixedThreshold() {
        uint8_t s[240] = {};
        QCOMPARE(SonarColumnRules::noiseThreshold(s, 0, 100, 9), 5);
        QCOMPARE(SonarColumnRules::noiseThreshold(s, 0, 100, 1), 85);
        QCOMPARE(SonarColumnRules::noiseThreshold(s, 0, 100, 5), 45);
        QCOMPARE(SonarColumnRules::noiseThreshold(s, 50, 20, 0), 5);  // no water rows
    }

    void threshold_clearsWaterAndBelowBottomByBeam() {
        kvl_w f = sonarTestFrame(1000, 459, 10);  // bottom row 110
        uint8_t* s = sonarTestSamples(f);
        for (int r = 10; r < 40; ++r)
            s[r] = 10;
        for (int r = 40; r < 55; ++r)
            s[r] = 20;
        for (int r = 110; r < 240; ++r)
            s[r] = 6;
        SonarColumnSettings wide = settings();
        const SonarColumn w = extract(f, wide);
        QCOMPARE(w.surfaceRow, 10);
        QCOMPARE(w.bottomRow, 110);
        QCOMPARE(int(w.samples[20]), 0);   // 10 < T = 15
        QCOMPARE(int(w.samples[45]), 20);  // kept
        QCOMPARE(int(w.samples[150]), 0);  // 6 < T/2 = 7
        QCOMPARE(w.colorOffset, 80);       // nothing left below the bottom
        SonarColumnSettings narrow = settings();
        narrow.sonarFreq = 1;
        const SonarColumn n = extract(f, narrow);
        QCOMPARE(int(n.samples[150]), 6);  // 6 >= T/4 = 3
        QCOMPARE(n.colorOffset, 74);       // 80 - 6
    }

    void rateLimit_data() {
        QTest::addColumn<float>("last");
        QTest::addColumn<float>("depth");
        QTest::addColumn<float>("expected");
        QTest::newRow("10.00 to 10.40 m: 10.25") << 1000.f << 1040.f << 1025.f;
        QTest::newRow("exactly 25 cm: taken") << 1000.f << 1025.f << 1025.f;
        QTest::newRow("26 cm: limited") << 1000.f << 1026.f << 1025.f;
        QTest::newRow("249 cm: limited") << 1000.f << 1249.f << 1025.f;
        QTest::newRow("250 cm: taken at once") << 1000.f << 1250.f << 1250.f;
        QTest::newRow("13.00 m: taken at once") << 1000.f << 1300.f << 1300.f;
        QTest::newRow("shallower by 40 cm") << 1000.f << 960.f << 975.f;
        QTest::newRow("shallower by 300 cm") << 1000.f << 700.f << 700.f;
    }
    void rateLimit() {
        QFETCH(float, last);
        QFETCH(float, depth);
        QFETCH(float, expected);
        QCOMPARE(SonarColumnRules::limitDepth(depth, last), expected);
    }

    void rateLimit_movesTheBottomRow() {
        SonarColumnState state;
        const SonarColumnSettings s = settings(20);  // 20 m range on 20 m: scale 1
        QList<int> rows;
        for (uint16_t depth : {1000, 1040, 1300, 1200})
            rows
                << sonar_extractColumn(sonarTestFrame(2000, depth, 0), s, state, nullptr).bottomRow;
        // 10.00, 10.25 (limited), 13.00 (jump), 12.75 (limited) of 20 m over 240 rows.
        QCOMPARE(rows, (QList<int>{120, 123, 156, 153}));
        QCOMPARE(state.last_depth, 1275.f);
    }

    void bottomRefinement() {
        // Echo from row 150 down, depth row 160: the bottom moves up to the row above it.
        kvl_w f = sonarTestFrame(1000, 667, 10);
        for (int r = 150; r < 240; ++r)
            sonarTestSamples(f)[r] = 200;
        QCOMPARE(extract(f, settings()).bottomRow, 149);

        // No quiet run at all above the bottom: it goes to the top row + 3.
        kvl_w loud = sonarTestFrame(1000, 417, 10);
        for (int r = 14; r < 240; ++r)
            sonarTestSamples(loud)[r] = 200;
        const SonarColumn c = extract(loud, settings());
        QCOMPARE(c.bottomRow, 13);
        QCOMPARE(c.colorOffset, 125 - 200);

        // A bottom of row 20 or less is not refined.
        kvl_w shallow = sonarTestFrame(5000, 400, 0);  // 4 m of 50 m: row 19
        for (int r = 5; r < 240; ++r)
            sonarTestSamples(shallow)[r] = 200;
        QCOMPARE(extract(shallow, settings(50)).bottomRow, 19);
    }

    void colorOffset() {
        QCOMPARE(extract(sonarTestFrame(1000, 999, 0), settings()).colorOffset, 80);  // row 239
        kvl_w weak = sonarTestFrame(1000, 500, 0);  // bottom row 120, refined to 119
        for (int r = 120; r < 240; ++r)
            sonarTestSamples(weak)[r] = 50;
        const SonarColumn c = extract(weak, settings());
        QCOMPARE(c.bottomRow, 119);
        QCOMPARE(c.colorOffset, 30);  // 80 - 50
    }

    void surfaceClarify() {
        kvl_w f = sonarTestFrame(1000, 833, 20);  // bottom row 199
        for (int r = 0; r < 30; ++r)
            sonarTestSamples(f)[r] = 100;
        SonarColumnSettings s = settings();
        s.surfaceClarify = 1;
        SonarColumn c = extract(f, s);
        QCOMPARE(int(c.samples[2]), 100);
        QCOMPARE(int(c.samples[3]), 0);
        QCOMPARE(int(c.samples[19]), 0);
        QCOMPARE(int(c.samples[20]), 100);  // clarify 1 stops at the top row
        s.surfaceClarify = 2;
        c = extract(f, s);
        QCOMPARE(int(c.samples[2]), 100);
        QCOMPARE(int(c.samples[29]), 0);  // 2 follows the clutter to the first quiet run
        s.surfaceClarify = 0;
        QCOMPARE(int(extract(f, s).samples[10]), 100);

        // Clutter down to the bottom: cleared up to bottom - 3.
        kvl_w deep = sonarTestFrame(1000, 833, 20);
        for (int r = 0; r < 240; ++r)
            sonarTestSamples(deep)[r] = 100;
        s.surfaceClarify = 2;
        c = extract(deep, s);
        QCOMPARE(int(c.samples[195]), 0);
        QCOMPARE(int(c.samples[196]), 100);
    }

    void fishSpacing_oneFishPer60Columns() {
        SonarColumnState state;
        const kvl_w f = sonarTestFrame(1000, 833, 10, 100, 200);
        QList<int> found;
        for (int i = 1; i <= 130; ++i) {
            SonarFishHit hit;
            sonar_extractColumn(f, settings(), state, &hit);
            if (hit.found) found << i;
        }
        QCOMPARE(found, (QList<int>{60, 120}));
    }

    void fishBounds_data() {
        QTest::addColumn<float>("sensitivity");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("strength");
        QTest::addColumn<bool>("found");
        // Top row 10, bottom row 199: a fish must lie in rows 31..188.
        QTest::newRow("20 rows below the top") << 6.f << 30 << 200 << false;
        QTest::newRow("21 rows below the top") << 6.f << 31 << 200 << true;
        QTest::newRow("11 rows above the bottom") << 6.f << 188 << 200 << true;
        QTest::newRow("10 rows above the bottom") << 6.f << 189 << 200 << false;
        QTest::newRow("sensitivity 9 needs above 10") << 9.f << 100 << 11 << true;
        QTest::newRow("sensitivity 9, strength 10") << 9.f << 100 << 10 << false;
        QTest::newRow("sensitivity 1 needs above 90") << 1.f << 100 << 91 << true;
        QTest::newRow("sensitivity 1, strength 90") << 1.f << 100 << 90 << false;
        QTest::newRow("OFF") << 0.f << 100 << 255 << false;
    }
    void fishBounds() {
        QFETCH(float, sensitivity);
        QFETCH(int, row);
        QFETCH(int, strength);
        QFETCH(bool, found);
        SonarColumnState state;
        state.count_fishPixWait = 59;
        SonarColumnSettings s = settings();
        s.fishSensitivity = sensitivity;
        SonarFishHit hit;
        sonar_extractColumn(sonarTestFrame(1000, 833, 10, row, strength), s, state, &hit);
        QCOMPARE(hit.found, found);
        QCOMPARE(state.count_fishPixWait, found ? 0 : 60);
    }

    void fishScaledToTheDisplay() {
        SonarColumnState state;
        state.count_fishPixWait = 59;
        SonarFishHit hit;
        // 20 m of sonar on a 10 m display: the fish row doubles.
        sonar_extractColumn(sonarTestFrame(2000, 1900, 10, 100, 200), settings(10), state, &hit);
        QVERIFY(hit.found);
        QCOMPARE(hit.row, 200);
        QCOMPARE(int(hit.strength), 200);
        QVERIFY(std::fabs(hit.depth - 20.0f * 100 / 240) < 1e-4);
        state.count_fishPixWait = 59;
        sonar_extractColumn(sonarTestFrame(2000, 1900, 10, 150, 200), settings(10), state, &hit);
        QCOMPARE(hit.row, 239);
    }

    void resample_stretch() {
        kvl_w f = sonarTestFrame(2000, 0, 0);  // 20 m on 10 m: scale 2
        for (int r = 0; r < 240; ++r)
            sonarTestSamples(f)[r] = static_cast<uint8_t>(r);
        const SonarColumn c = extract(f, settings(10));
        QCOMPARE(int(c.samples[10]), 5);
        QCOMPARE(int(c.samples[11]), 5);
        QCOMPARE(int(c.samples[239]), 119);
        QCOMPARE(int(c.samples[2]), 0);  // sample 1 is below T/2 and cleared
    }

    void resample_compress() {
        kvl_w f = sonarTestFrame(2000, 0, 0);  // 20 m on 40 m: scale 0.5
        for (int r = 0; r < 240; ++r)
            sonarTestSamples(f)[r] = static_cast<uint8_t>(r);
        const SonarColumn c = extract(f, settings(40));
        QCOMPARE(int(c.samples[10]), 21);  // the later of samples 20 and 21
        QCOMPARE(int(c.samples[119]), 239);
        for (int r = 120; r < 240; ++r)
            QCOMPARE(int(c.samples[r]), 0);

        kvl_w rows = sonarTestFrame(1000, 800, 40);  // bottom row 192 on a 20 m display
        const SonarColumn r = extract(rows, settings(20));
        QCOMPARE(r.surfaceRow, 20);
        QCOMPARE(r.bottomRow, 96);
    }

    // A display range or a frame range that cannot scale shows the column at its own scale.
    void scale_neverDividesByNothing_data() {
        QTest::addColumn<uint32_t>("rangeCm");
        QTest::addColumn<float>("displayRange");
        QTest::newRow("display 0") << 1000u << 0.f;
        QTest::newRow("display negative") << 1000u << -5.f;
        QTest::newRow("display NaN") << 1000u << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("display infinite") << 1000u << std::numeric_limits<float>::infinity();
        QTest::newRow("frame range 0") << 0u << 10.f;
    }
    void scale_neverDividesByNothing() {
        QFETCH(uint32_t, rangeCm);
        QFETCH(float, displayRange);
        QCOMPARE(SonarColumnRules::scale(rangeCm, displayRange), 1.0f);
        kvl_w f = sonarTestFrame(rangeCm, 0, 0);
        for (int r = 0; r < 240; ++r)
            sonarTestSamples(f)[r] = static_cast<uint8_t>(r / 2 + 10);
        const SonarColumn c = extract(f, settings(displayRange));
        for (int r = 0; r < 240; r += 37)
            QCOMPARE(int(c.samples[r]), r / 2 + 10);
        QCOMPARE(c.bottomRow, 0);
    }

    void autoRange_deeperAfter6_shallowerAfter21() {
        StructConfiguration cfg;
        Configuration::applyDefaults(cfg);
        SonarStateCheck check;
        float display = 10;
        QVERIFY(!check.check(cfg, 10, display));  // first look: remembers, no change
        for (int i = 1; i <= 5; ++i)
            QVERIFY2(!check.check(cfg, 20, display), qPrintable(QString::number(i)));
        QCOMPARE(display, 10.f);
        QVERIFY(check.check(cfg, 20, display));
        QCOMPARE(display, 20.f);
        for (int i = 1; i <= 20; ++i)
            QVERIFY(!check.check(cfg, 5, display));
        QCOMPARE(display, 20.f);
        QVERIFY(check.check(cfg, 5, display));
        QCOMPARE(display, 5.f);
        // An equal range clears the count.
        for (int i = 0; i < 5; ++i)
            check.check(cfg, 30, display);
        check.check(cfg, 5, display);
        for (int i = 0; i < 5; ++i)
            QVERIFY(!check.check(cfg, 30, display));
        QCOMPARE(display, 5.f);
    }

    void manualRangeAndSettingsRedraw() {
        StructConfiguration cfg;
        Configuration::applyDefaults(cfg);
        SonarStateCheck check;
        float display = 10;
        QVERIFY(!check.check(cfg, 10, display));
        cfg.depthRange = 30;
        QVERIFY(check.check(cfg, 10, display));
        QCOMPARE(display, 30.f);
        QVERIFY(!check.check(cfg, 10, display));
        cfg.colorScheme = 0;
        QVERIFY(check.check(cfg, 10, display));
        QVERIFY(!check.check(cfg, 10, display));
        cfg.colorLine = 0.0005f;  // within the tolerance
        QVERIFY(!check.check(cfg, 10, display));
        cfg.surfaceClarify = 2;
        QVERIFY(check.check(cfg, 10, display));
        cfg.bottomLine = 0;
        QVERIFY(check.check(cfg, 10, display));
        QVERIFY(!check.check(cfg, 10, display));
    }

    void readoutDigits_data() {
        QTest::addColumn<float>("depth");
        QTest::addColumn<float>("temp");
        QTest::addColumn<float>("volts");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QList<int>>("expected");  // 4 depth, 5 temperature, 3 battery
        QTest::newRow("metric") << 12.3f << 21.5f << 12.6f << 0
                                << QList<int>{0, 1, 2, 3, 1, 0, 2, 1, 5, 1, 2, 6};
        QTest::newRow("below freezing")
            << 0.f << -1.5f << 0.f << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1, 5, 0, 0, 0};
        QTest::newRow("feet and Fahrenheit")
            << 12.3f << 21.5f << 8.f << 3 << QList<int>{0, 4, 0, 5, 1, 0, 7, 0, 7, 0, 8, 0};
        QTest::newRow("held at four digits")
            << 5000.f << 0.f << 150.f << 0 << QList<int>{9, 9, 9, 9, 1, 0, 0, 0, 0, 9, 9, 9};
    }
    void readoutDigits() {
        QFETCH(float, depth);
        QFETCH(float, temp);
        QFETCH(float, volts);
        QFETCH(int, unit);
        QFETCH(QList<int>, expected);
        const StructSonarReadout r =
            SonarReadout::digits(depth, temp, volts, unit >= 2, unit == 1 || unit == 3);
        QList<int> got;
        for (int d : r.depth)
            got << d;
        for (int d : r.temperature)
            got << d;
        for (int d : r.battery)
            got << d;
        QCOMPARE(got, expected);
    }
};

QObject* makeSonarColumnTest() {
    return new TestSonarColumn;
}

#include "test_sonar_column.moc"
