// The menu tree's tables: the pages of each model, the ring, the codes of rows that lead
// nowhere, the editors the rows open and the sliders' value lists; and the boat compass
// calibration's steps.
#include "base/global.h"
#include "korvel_test.h"
#include "navi/boat_compass_cali.h"
#include "ui/screens/menu_editors.h"
#include "ui/screens/menu_pages.h"
#include "ui/screens/slider_lists.h"

#include <QtTest>

class TestMenuTree : public QObject {
    Q_OBJECT
private slots:
    void init() { Configuration::applyDefaults(Global::configuration); }

    void pages_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("rows");  // the texts that matter, at their rows
        const auto row = [](const char* name, const char* type, const char* model,
                            const QString& rows) { QTest::newRow(name) << type << model << rows; };
        row("basic", "basic", "5", "0 Sensitivity,7 Advanced Mode,9 Exit");
        row("model 4 sonar: no beam", "sonar", "4", "2 Load New Color,9 Next,10 Exit");
        row("model 5 sonar", "sonar", "5", "2 Sonar Beam,3 Load New Color,11 Exit");
        row("model d sonar", "sonar", "d", "10 Chart Speed -NT,11 Next,12 Exit");
        row("other model: no rows", "sonar", "e", "");
        row("gps", "gps", "4", "7 Calibrate Compass of Display,11 Exit");
        row("ap", "ap", "d", "0 Wiring Test,7 Exit");
        row("system", "system", "5",
            "3 Language,11 Battery Reserve,13 Reserve Margin,14 NMEA Sentences,16 Exit");
        row("model 4 quick", "quick", "4", "9 Overlap Data,10 Depth Map,11 Sonar History");
        row("model 5 quick", "quick", "5",
            "12 Multi-Target Autopilot,13 Depth Map,14 Sonar History");
        row("model d quick", "quick", "d",
            "13 Developer Mode,14 Course Cruise,15 Depth Map,16 Sonar History");
    }
    void pages() {
        QFETCH(QString, type);
        QFETCH(QString, model);
        QFETCH(QString, rows);
        const StructMenuPage page = MenuPages::page(type, model.at(0).toLatin1());
        QVERIFY(!page.title.isEmpty());
        QStringList got;
        int last = -1;
        for (const QString& want : rows.split(',', Qt::SkipEmptyParts)) {
            last = want.section(' ', 0, 0).toInt();
            got << QStringLiteral("%1 %2").arg(last).arg(page.texts().value(last));
        }
        QCOMPARE(got.join(','), rows);
        QCOMPARE(page.rows.size(), last + 1);  // the last one listed is the last row
    }

    // The sliders' lists: how many values, the first, middle and last shown, the unit.
    void sliderLists_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("shown");
        using L = EnumSliderList;
        QTest::newRow("colour adjust") << int(L::ColorAdjust) << "42 -20|0|20";
        QTest::newRow("depth range") << int(L::DepthRange) << "11 AUTO|25|50 m";
        QTest::newRow("voltage alarm") << int(L::VoltageAlarm) << "102 OFF|13|18 V";
        QTest::newRow("temperature offset") << int(L::TempOffset) << "41 -2.0|0.0|2.0 \u2103";
        QTest::newRow("steering") << int(L::SteeringSens) << "19 1|5.5|10";
    }
    void sliderLists() {
        QFETCH(int, list);
        QFETCH(QString, shown);
        const StructSliderList l = SliderLists::list(EnumSliderList(list));
        QCOMPARE(l.values.size(), l.shown.size());
        const QString got =
            QStringLiteral("%1 %2|%3|%4 %5")
                .arg(l.values.size())
                .arg(l.shown.first(), l.shown.at(l.shown.size() / 2), l.shown.last(), l.unit);
        QCOMPARE(got.trimmed(), shown);
        // The language names, in the table's order; the Russian one begins with a Latin P.
        const StructMenuEditor e =
            MenuEditors::editorFor(EnumMenuAction::Language, "", Global::configuration);
        QCOMPARE(e.rows.value(1), QString("P\u0443\u0441\u0441\u043a\u0438\u0439"));
        QCOMPARE(e.choice, &Global::configuration.systemLanguage);
    }

    // Offsets are differences: in Fahrenheit scaled, not shifted; kilometres keep decimals.
    void sliderTexts_inOtherUnits() {
        Global::configuration.unit = 3;
        Global::configuration.distanceUnit = 0;
        const StructSliderList temp = SliderLists::list(EnumSliderList::TempOffset);
        QCOMPARE(temp.shown.mid(19, 3), QStringList({"-0.2", "0.0", "0.2"}));
        QCOMPARE(temp.values.mid(19, 3), QStringList({"-0.1", "0", "0.1"}));
        QCOMPARE(SliderLists::list(EnumSliderList::DepthRange).shown.at(2), QString("33"));
        const StructSliderList arrive = SliderLists::list(EnumSliderList::ArriveAlarm);
        QCOMPARE(arrive.shown.first() + ' ' + arrive.unit, QString("0.002 KM"));
        QCOMPARE(SliderLists::list(EnumSliderList::ShallowAlarm).values.at(3), QString("0.6"));
    }

    void routeColorLists_data() {
        QTest::addColumn<QList<int>>("limits");  // upper, lower, maxLower
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("narrow") << QList<int>{0, 5, 8} << "0 1 2 3"
                                << "2 3 4 5 6 7 8";
        QTest::newRow("wide: tenths")
            << QList<int>{2, 30, 42} << "0 2 4 6 8 10 12 14 16 18 20 22 24 26 28"
            << "4 8 12 16 20 24 28 32 36 40 42";
        QTest::newRow("nothing between: still one") << QList<int>{0, 1, 1} << "0"
                                                    << "2";
    }
    void routeColorLists() {
        QFETCH(QList<int>, limits);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QCOMPARE(RouteColorLists::upper(limits[0], limits[1]).values.join(' '), upper);
        QCOMPARE(RouteColorLists::lower(limits[0], limits[2]).values.join(' '), lower);
    }

    // Steps until the end: the progress shown at each step (". " unchanged) and how it ends.
    void boatCompassCali_data() {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<int>("report");  // from step 3 on
        QTest::addColumn<QString>("steps");
        QTest::newRow("success") << 123 << 1 << "1 2 3 120 Success";
        QTest::newRow("failure") << 130 << 2 << "1 2 3 4 Fail";
        QTest::newRow("not stored") << 130 << 3 << "1 2 3 4 FlashError";
        QTest::newRow("no report: timeout after 119 polls") << 130 << 0 << "... . . . Timeout";
        QTest::newRow("older box: 120 steps") << 122 << 1 << "... 118 119 120 Done";
    }
    void boatCompassCali() {
        QFETCH(int, firmware);
        QFETCH(int, report);
        QFETCH(QString, steps);
        BoatCompassCali c;
        c.start(firmware);
        QCOMPARE(c.intervalMs(), firmware >= 123 ? 300 : 250);
        QStringList got;
        BoatCompassCali::StructStep s;
        static const char* const kEnds[] = {"", "Done", "Success", "Fail", "FlashError", "Timeout"};
        for (int i = 0; c.running(); ++i) {
            s = c.step(i >= 3 ? report : 0);
            got << (s.progress < 0 ? QString(".") : QString::number(s.progress));
        }
        got << kEnds[int(s.end)];
        const QString tail = steps.startsWith("...") ? steps.mid(4) : steps;
        QVERIFY2(got.join(' ').endsWith(tail), qPrintable(got.join(' ')));
        QCOMPARE(got.size() - 1,
                 steps.startsWith("...") ? (firmware >= 123 ? 119 : 120) : tail.count(' '));
        QCOMPARE(c.step(1).end, BoatCompassCali::EnumEnd::Running);  // over: nothing more
    }
};

KORVEL_TEST_MAIN(TestMenuTree)
#include "test_menu_tree.moc"
