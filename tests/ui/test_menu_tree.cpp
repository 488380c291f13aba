// The menu tree's tables: the pages of each model, the ring, the codes of rows that lead
// nowhere, the editors the rows open and the sliders' value lists; and the boat compass
// calibration's steps.
#include "core/base/global.h"
#include "korvel_test.h"
#include "navi/boat_compass_cali.h"
#include "ui/menu_editors.h"
#include "ui/menu_pages.h"
#include "ui/slider_lists.h"

#include <QtTest>

class TestMenuTree : public QObject {
    Q_OBJECT
private slots:
    void init() { Configuration::applyDefaults(Global::configuration); }

    void pages_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("rows");  // the texts that matter, at their rows
        QTest::newRow("basic") << "basic"
                               << "5"
                               << "0 Sensitivity,7 Advanced Mode,9 Exit";
        QTest::newRow("model 4 sonar: no beam") << "sonar"
                                                << "4"
                                                << "2 Load New Color,9 Next,10 Exit";
        QTest::newRow("model 5 sonar") << "sonar"
                                       << "5"
                                       << "2 Sonar Beam,3 Load New Color,11 Exit";
        QTest::newRow("model d sonar") << "sonar"
                                       << "d"
                                       << "10 Chart Speed -NT,11 Next,12 Exit";
        QTest::newRow("other model: no rows") << "sonar"
                                              << "e"
                                              << "";
        QTest::newRow("gps") << "gps"
                             << "4"
                             << "7 Calibrate Compass of Display,11 Exit";
        QTest::newRow("ap") << "ap"
                            << "d"
                            << "0 Wiring Test,7 Exit";
        QTest::newRow("system") << "system"
                                << "5"
                                << "3 Language,12 Exit";
        QTest::newRow("model 4 quick") << "quick"
                                       << "4"
                                       << "9 Overlap Data";
        QTest::newRow("model 5 quick") << "quick"
                                       << "5"
                                       << "12 Multi-Target Autopilot";
        QTest::newRow("model d quick") << "quick"
                                       << "d" << QString::fromUtf8("13 开发者模式,14 轨迹巡航");
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

    void ring() {
        QStringList withAdvanced{"basic"};
        QStringList without{"basic"};
        for (int i = 0; i < 5; ++i) {
            withAdvanced << MenuPages::next(withAdvanced.last(), 1);
            without << MenuPages::next(without.last(), 0);
        }
        QCOMPARE(withAdvanced.join(' '), QString("basic sonar gps ap system basic"));
        QCOMPARE(without.join(' '), QString("basic system basic system basic system"));
        QCOMPARE(MenuPages::next("quick", 1), QString());
        QCOMPARE(MenuPages::invalidCode("quick", 1), QString("Main-Q-001"));
        QCOMPARE(MenuPages::invalidCode("system", 12), QString("Main-ST-0012"));
    }

    // Each row opens the editor of its field; the slider starts where the field is.
    void editors_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("opens");
        const auto row = [](const char* name, EnumMenuAction a, const char* opens) {
            QTest::newRow(name) << int(a) << opens;
        };
        row("colour adjust", EnumMenuAction::ColorAdjust, "slider 42 -20|0|20");
        row("depth range", EnumMenuAction::DepthRange, "slider 11 AUTO|25|50 m");
        row("battery alarm", EnumMenuAction::BatteryAlarm, "slider 102 OFF|13|18 V");
        row("temperature offset", EnumMenuAction::TempOffset, "slider 41 -2.0|0.0|2.0 \u2103");
        row("steering", EnumMenuAction::SteeringSens, "slider 19 1|5.5|10");
        row("language", EnumMenuAction::Language,
            "single 8 English|P\u0443\u0441\u0441\u043a\u0438\u0439|\u4e2d\u6587");
        row("overlap data", EnumMenuAction::OverlapData, "multi 3 Depth|Temperature|Boat Bat.");
        row("background", EnumMenuAction::Background, "image background");
        row("load new colour", EnumMenuAction::LoadNewColor,
            "file /mnt/sd/Korvel/Color/ *.kct kct");
        row("clear map", EnumMenuAction::ClearMap, "none");
    }
    void editors() {
        QFETCH(int, action);
        QFETCH(QString, opens);
        const StructMenuEditor e =
            MenuEditors::editorFor(EnumMenuAction(action), "T", Global::configuration);
        const auto ends = [](const QStringList& l) {
            return QStringList{l.first(), l.value(l.size() / 2), l.last()}.join('|');
        };
        QString got = "none";
        if (e.kind == EnumEditorKind::Slider)
            got = QStringLiteral("slider %1 %2")
                      .arg(e.slider.values.size())
                      .arg(ends(e.slider.shown)) +
                  (e.slider.unit.isEmpty() ? "" : " " + e.slider.unit);
        if (e.kind == EnumEditorKind::Single)
            got = QStringLiteral("single %1 %2")
                      .arg(e.rows.size())
                      .arg(QStringList{e.rows.first(), e.rows.at(1), e.rows.last()}.join('|'));
        if (e.kind == EnumEditorKind::Multi)
            got = QStringLiteral("multi %1 %2").arg(e.checks.size()).arg(e.rows.join('|'));
        if (e.kind == EnumEditorKind::Image) got = "image " + e.imageKind;
        if (e.kind == EnumEditorKind::File)
            got = "file " + e.folder + ' ' + e.pattern + ' ' + e.tag;
        QCOMPARE(got, opens);
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
