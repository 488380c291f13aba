#include "app_font.h"
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "data/kvlw_time.h"
#include "golden.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/screens/info_pan_content.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/item_full_info.h"
#include "ui/screens/item_info_pan.h"
#include "ui/screens/item_logo.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/ux_small_menu.h"

#include <QDir>
#include <QMovie>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QtTest>

namespace {

// What the panels are built from: a boat at 1 knot heading 123 degrees, 7 satellites, the
// target 250 m away and home 1500 m, at hour:05:09 on 2024-03-07.
StructInfoPanSource source(bool measured, int hour) {
    StructInfoPanSource s;
    s.boat.measured = measured;
    s.boat.boat_time = KvlwTime::pack({2024, 3, 7, hour, 5, 9});
    s.boat.boat_heading = 123.4f;
    s.boat.boat_speed = 1;
    s.boat.gps_satellites = 7;
    s.boat.handset_voltage = 10.57f;
    s.dstToTarget = 250;
    s.dstFromHome = 1500;
    return s;
}

QStringList panelTitles(Korvel& k) {
    QStringList titles;
    for (int i = 0; i < InfoPanels::kCount; ++i)
        titles << k.infoPanels().panel(i)->infoPan().title;
    return titles;
}

}  // namespace

class TestInfoPanels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { KORVEL_REQUIRE_APP_FONT(); }
    void init() {
        m_root.reset();  // the old root restores the one before it: first, not after the new
        m_root.reset(new TestRoot);
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.keyTone = 0;
        Global::configuration.systemLanguage = 0;
        QDir().mkpath(m_root->path("/sys/class/leds/beep"));
    }
    void cleanup() { m_root.reset(); }

    void content_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("hourSystem");  // 0: 12-hour
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("measured");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("icon");
        QTest::addColumn<int>("language");
        const auto row = [](const char* name, int code, int hourSystem, int hour, bool measured,
                            const char* title, const char* value, bool icon, int language = 0) {
            QTest::newRow(name) << code << hourSystem << hour << measured
                                << QString::fromUtf8(title) << QString(value) << icon << language;
        };
        row("24-hour", 0, 1, 13, true, "Time of Day", "13:05:09", false);
        row("12-hour 13", 0, 0, 13, true, "Time of Day", "01:05:09 PM", false);
        row("12-hour 12", 0, 0, 12, true, "Time of Day", "12:05:09 PM", false);
        row("12-hour 0", 0, 0, 0, true, "Time of Day", "12:05:09 AM", false);
        row("no frame yet", 0, 1, 13, false, "Time of Day", "-.-", false);
        row("heading", 1, 1, 0, true, "Heading: °", "123", false);
        row("speed, knots", 2, 1, 0, true, "Speed: Knot", "1.9", false);
        row("date", 3, 1, 0, true, "Date", "24-03-07", false);
        row("target, yards", 4, 1, 0, true, "Dst. to Target: Yard", "273.4", true);
        row("home above 999 m", 5, 1, 0, true, "From Home: Yard", "-.-", false);
        row("satellites", 7, 1, 0, true, "Satellite", "7", true);
        row("no frame, satellites", 7, 1, 0, false, "Satellite", "-.-", true);
        row("handset battery", 8, 1, 0, false, "Main Bat.: v", "10.6", false);
        row("units in Russian", 2, 1, 0, true, "Скорость: уз", "1.9", false, LanguageRussian);
        row("battery in Russian", 8, 1, 0, false, "Осн. бат.: В", "10.6", false, 1);
        row("units in Chinese", 5, 1, 0, true, "离原点距离: 码", "-.-", false, LanguageChinese);
        row("unused code 6", 6, 1, 0, true, "", "", false);
        row("code 9", 9, 1, 0, true, "", "", false);
    }
    void content() {
        QFETCH(int, code);
        QFETCH(int, hour);
        QFETCH(bool, measured);
        QFETCH(QString, title);
        QFETCH(int, hourSystem);
        QFETCH(int, language);
        Global::configuration.systemLanguage = language;
        Global::configuration.hourSystem = hourSystem;
        Global::configuration.speedUnit = 1;
        Global::configuration.distanceUnit = 1;
        StructInfoPan info;
        QCOMPARE(InfoPanContent::build(code, source(measured, hour), &info), !title.isEmpty());
        QCOMPARE(info.title, title);
        QTEST(info.value, "value");
        QTEST(!info.icon.isNull(), "icon");
    }

    // Panels as drawn, one of them selected: short values stand large, long ones (a 12-hour
    // time, a date) smaller, beside an icon a size between. The panels share their pictures:
    // one panel shown each content again in turn (each found among the kept pictures) draws
    // the same sheet.
    void panels_picture() {
        Global::configuration.hourSystem = 0;
        const auto pictures = std::make_shared<InfoPanPictures>();
        ItemInfoPan again(129, 60, 20, 40, pictures);
        for (bool shared : {false, true}) {
            QImage sheet(2 * 129, 3 * 60, QImage::Format_RGB32);
            QPainter p(&sheet);
            for (int i = 0, codes[] = {0, 3, 1, 7, 4, 8}; i < 6; ++i) {
                ItemInfoPan own(129, 60, 20, 40, pictures);
                ItemInfoPan& panel = shared ? again : own;
                StructInfoPan info;
                InfoPanContent::build(codes[i], source(true, 13), &info);
                panel.setInfoPan(info);
                panel.setSelected(i == 5);
                p.resetTransform();
                p.translate(i % 2 * 129, i / 2 * 60);
                panel.paint(&p, nullptr, nullptr);
            }
            p.end();
            GOLDEN_COMPARE_IMAGE("ui/info_panels.png", sheet);
        }
        // Another value under the same title is not one of the kept pictures.
        const auto drawn = [](ItemInfoPan& panel, int hour) {
            StructInfoPan info;
            InfoPanContent::build(0, source(true, hour), &info);
            panel.setInfoPan(info);
            panel.setSelected(false);
            QImage image(129, 60, QImage::Format_RGB32);
            QPainter p(&image);
            panel.paint(&p, nullptr, nullptr);
            return image;
        };
        ItemInfoPan own(129, 60, 20, 40);
        QCOMPARE(drawn(again, 14), drawn(own, 14));
    }

    // Each tick refreshes the next panel only. The map's distances, unknown yet, show -.-.
    void controller_panelsRefreshedInTurn_devOverlayFits() {
        m_root->writeFile("/dev/magic-adc", "1500");  // a charged handset battery
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);  // its last tick has refreshed the first panel
        for (int tick = 1; tick < InfoPanels::kCount; ++tick, k.slot_timeout_main())
            QCOMPARE(panelTitles(k).indexOf(QString()), tick);
        // The default contents have the distances on the second and the last panel.
        QCOMPARE(k.infoPanels().panel(1)->infoPan().value, QString("-.-"));
        QCOMPARE(k.infoPanels().panel(5)->infoPan().value, QString("-.-"));
        QCOMPARE(k.overlays().fullInfo()->homeText(), QString("-.- m"));
        const QStringList before = panelTitles(k);
        std::fill(std::begin(Global::configuration.textDataToShow),
                  std::end(Global::configuration.textDataToShow), int(InfoPanContent::CodeDate));
        k.slot_timeout_main();
        QCOMPARE(panelTitles(k), QStringList{"Date"} + before.mid(1));
        // The developer overlay stays on the screen in every layout with the longest values;
        // the picture is kept for the record when KORVEL_SHOT_DIR names a folder.
        Global::configuration.devMode = 1;
        k.devModeItem()->updatePara({"-100", "-100", "100", "4x", "R", "100"});
        for (int mode : {0, 1, 3, 2}) {
            Global::configuration.screenMode = mode;
            k.system_checkState();
            QVERIFY(k.devModeItem()->isVisible());
            QCOMPARE(k.overlays().fullInfo()->isVisible(), mode == 1);  // the full-width map
            const QRectF r = k.devModeItem()->sceneBoundingRect();
            QVERIFY2(QRectF(0, 0, 272, 480).contains(r), qPrintable(QString::number(r.right())));
        }
        const QString dir = qEnvironmentVariable("KORVEL_SHOT_DIR");
        if (dir.isEmpty()) return;
        for (int tick = 0; tick < 12; ++tick)  // every panel filled after a battery reading
            k.slot_timeout_main();
        k.view()->grab().save(dir + "/dev-overlay.png");
    }

    // Enter on the selected panel opens the contents; "Main Bat." is stored as code 8 and in
    // the file at once; a row the menu does not have stores nothing and says so in a box that
    // any key closes. Down and escape move and drop the mark.
    void controller_choosePanelContent() {
        Korvel k;
        k.mainTimer()->stop();
        k.info_selectPanel(0);
        k.system_keyClick("down");
        QCOMPARE(k.selectedPanel(), 1);
        QVERIFY(k.infoPanels().panel(1)->isSelected() && !k.infoPanels().panel(0)->isSelected());
        k.system_keyClick("enter");
        UxSmallMenu* menu = k.menus().small();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->rowText(5).trimmed(), QString("Main Bat."));
        for (int row = 0; row < InfoPanContent::kMenuRows; ++row) {  // each row shows itself
            k.slot_infoPan_change(row);
            const QString title = k.infoPanels().panel(1)->infoPan().title;
            QVERIFY2(title.startsWith(menu->rowText(row).trimmed()), qPrintable(title));
        }
        k.system_keyClick("enter");
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(!menu->isVisible());
        QCOMPARE(Global::configuration.textDataToShow[1], 8);
        QCOMPARE(k.infoPanels().panel(1)->infoPan().title, QString("Main Bat.: v"));
        QSettings file(m_root->path("/opt/configuration.kcg"), QSettings::IniFormat);
        QCOMPARE(file.value("Other/textDataToShow_1").toInt(), 8);
        QCOMPARE(InfoPanContent::codeForMenuRow(-1), -1);
        k.slot_infoPan_change(InfoPanContent::kMenuRows);
        QCOMPARE(Global::configuration.textDataToShow[1], 8);
        UxDialogHint* hint = k.dialogs().hint();
        QCOMPARE(hint->titleText() + ": " + hint->text(),
                 QString("Invalid Item: Code: Small-IP-008"));
        QCoreApplication::processEvents();             // the window system activates the box
        QVERIFY(QApplication::focusWidget() == hint);  // the keypad reaches it
        QTest::keyClick(hint, Qt::Key_C);
        QVERIFY(!hint->isVisible());
        k.system_keyClick("esc");
        QCOMPARE(k.selectedPanel(), -1);
        QVERIFY(!k.infoPanels().panel(1)->isSelected());
    }

    // The start-up line is a playable animation that runs while the logo shows.
    void logo_linePlaysWhileShown() {
        QMovie line(":/logo/bottomline.gif");
        QVERIFY(line.isValid());
        QVERIFY(line.frameCount() > 1);
        ItemLogo logo;
        logo.showLogo('a', 13);
        QCOMPARE(logo.animationFrame(), 0);
        logo.hide();
        QCOMPARE(logo.animationFrame(), -1);
    }

private:
    std::unique_ptr<TestRoot> m_root;
};

KORVEL_TEST_MAIN(TestInfoPanels)
#include "test_info_panels.moc"
