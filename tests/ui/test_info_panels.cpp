#include "app_font.h"
#include "core/base/global.h"
#include "core/base/screen_layout.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "data/kvlw_time.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/info_pan_content.h"
#include "ui/info_panels.h"
#include "ui/item_dev_mode.h"
#include "ui/item_full_info.h"
#include "ui/item_info_pan.h"
#include "ui/item_logo.h"
#include "ui/menu_host.h"
#include "ui/screen_overlays.h"
#include "ui/ux_dialog_hint.h"
#include "ui/ux_small_menu.h"

#include <QDir>
#include <QMovie>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QtTest>

namespace {

QImage rendered(ItemInfoPan* panel) {
    QImage img(panel->boundingRect().size().toSize(), QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    panel->paint(&p, nullptr, nullptr);
    return img;
}

// The yellow selection bar.
bool marked(ItemInfoPan* panel) {
    const QImage img = rendered(panel);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 212, 0)) return true;
    return false;
}

// The height of the white value's ink under the 20-pixel title band, right of fromX.
int valueInkHeight(const QImage& img, int fromX) {
    int top = -1, bottom = -1;
    for (int y = 20; y < img.height(); ++y)
        for (int x = fromX; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::min({c.red(), c.green(), c.blue()}) < 180) continue;
            if (top < 0) top = y;
            bottom = y;
        }
    return top < 0 ? 0 : bottom - top + 1;
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
    void initTestCase() {
        QString why;
        QFont font;
        if (!TestAppFont::load(&font, &why)) QSKIP(qPrintable(why));
    }
    void init() {
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
        const auto row = [](const char* name, int code, int hourSystem, int hour, bool measured,
                            const char* title, const char* value, bool icon) {
            QTest::newRow(name) << code << hourSystem << hour << measured << QString(title)
                                << QString(value) << icon;
        };
        row("24-hour", 0, 1, 13, true, "Time of Day", "13:05:09", false);
        row("12-hour 13", 0, 0, 13, true, "Time of Day", "01:05:09 PM", false);
        row("12-hour 12", 0, 0, 12, true, "Time of Day", "12:05:09 PM", false);
        row("12-hour 0", 0, 0, 0, true, "Time of Day", "12:05:09 AM", false);
        row("12-hour 9", 0, 0, 9, true, "Time of Day", "09:05:09 AM", false);
        row("no frame yet", 0, 1, 13, false, "Time of Day", "-.-", false);
        row("heading", 1, 1, 0, true, "Heading: °", "123", false);
        row("speed, knots", 2, 1, 0, true, "Speed: Knot", "1.9", false);
        row("date", 3, 1, 0, true, "Date", "24-03-07", false);
        row("target, yards", 4, 1, 0, true, "Dst. to Target: Yard", "273.4", true);
        row("home above 999 m", 5, 1, 0, true, "From Home: Yard", "-.-", false);
        row("satellites", 7, 1, 0, true, "Satellite", "7", true);
        row("no frame, satellites", 7, 1, 0, false, "Satellite", "-.-", true);
        row("handset battery", 8, 1, 0, false, "Main Bat.: v", "10.6", false);
        row("unused code 6", 6, 1, 0, true, "", "", false);
        row("code 9", 9, 1, 0, true, "", "", false);
    }
    void content() {
        QFETCH(int, code);
        QFETCH(int, hourSystem);
        QFETCH(int, hour);
        QFETCH(bool, measured);
        Global::configuration.hourSystem = hourSystem;
        Global::configuration.speedUnit = 1;
        Global::configuration.distanceUnit = 1;
        StructInfoPanSource s;
        s.boat.measured = measured;
        s.boat.boat_time = KvlwTime::pack({2024, 3, 7, hour, 5, 9});
        s.boat.boat_heading = 123.4f;
        s.boat.boat_speed = 1;
        s.boat.gps_satellites = 7;
        s.boat.handset_voltage = 10.57f;
        s.dstToTarget = 250;
        s.dstFromHome = 1500;
        QFETCH(QString, title);
        StructInfoPan info;
        QCOMPARE(InfoPanContent::build(code, s, &info), !title.isEmpty());
        QCOMPARE(info.title, title);
        QTEST(info.value, "value");
        QTEST(!info.icon.isNull(), "icon");
    }

    // Short values large, long ones small; beside an icon a size between.
    void valueFont_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("icon");
        QTest::addColumn<int>("pixels");
        QTest::newRow("5 characters") << "12345" << false << 30;
        QTest::newRow("8 characters") << "12:34:56" << false << 26;
        QTest::newRow("9 characters") << "123456789" << false << 18;
        QTest::newRow("11 characters") << "01:05:09 PM" << false << 18;
        QTest::newRow("icon, 2 characters") << "12" << true << 30;
        QTest::newRow("icon, 3 characters") << "123" << true << 24;
    }
    void valueFont() {
        QFETCH(QString, value);
        QFETCH(bool, icon);
        QFETCH(int, pixels);
        ItemInfoPan panel(129, 60, 20, 40);
        QPixmap picture(8, 8);
        picture.fill(Qt::white);
        panel.setInfoPan({"Title", value, icon ? picture : QPixmap()});
        QFont font;
        font.setPixelSize(pixels);
        const int expected = QFontMetrics(font).tightBoundingRect(value).height();
        const int ink = valueInkHeight(rendered(&panel), icon ? 8 + 30 + 1 : 0);
        QVERIFY2(
            qAbs(ink - expected) <= 1,
            qPrintable(
                QStringLiteral("ink %1 px, %2 px font: %3").arg(ink).arg(pixels).arg(expected)));
    }

    // A fresh configuration, once every panel had its turn: the default contents, the map's
    // distances unknown. Each tick refreshes the next panel only.
    void controller_freshPanelsInTurn() {
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);  // its last tick has refreshed the first panel
        const QStringList defaults{"Speed: m/s",   "From Home: m", "Time of Day",
                                   "Main Bat.: v", "Satellite",    "Dst. to Target: m"};
        for (int tick = 1; tick <= 6; ++tick) {
            if (tick > 1) k.slot_timeout_main();
            QStringList expected = defaults.mid(0, tick);
            while (expected.size() < 6)
                expected << QString();
            QCOMPARE(panelTitles(k), expected);
        }
        QCOMPARE(k.infoPanels().panel(1)->infoPan().value, QString("-.-"));
        QCOMPARE(k.infoPanels().panel(5)->infoPan().value, QString("-.-"));
        QCOMPARE(k.overlays().fullInfo()->homeText(), QString("-.- m"));
        std::fill(std::begin(Global::configuration.textDataToShow),
                  std::end(Global::configuration.textDataToShow), int(InfoPanContent::CodeDate));
        k.slot_timeout_main();
        QCOMPARE(panelTitles(k), QStringList{"Date"} + defaults.mid(1));
        QVERIFY(k.infoPanels().panel(0)->isVisible() && !k.infoPanels().panel(4)->isVisible());
    }

    // Enter on the selected panel opens the contents; "Main Bat." is stored as code 8 and in
    // the file at once. Down and escape move and drop the mark.
    void controller_choosePanelContent() {
        Korvel k;
        k.mainTimer()->stop();
        k.info_selectPanel(0);
        k.system_keyClick("down");
        QCOMPARE(k.selectedPanel(), 1);
        QVERIFY(marked(k.infoPanels().panel(1)) && !marked(k.infoPanels().panel(0)));
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
        k.system_keyClick("esc");
        QCOMPARE(k.selectedPanel(), -1);
        QVERIFY(!marked(k.infoPanels().panel(1)));
    }

    void controller_invalidRowBoxClosesOnAKey_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::newRow("row 8, down") << 8 << int(Qt::Key_Down);
        QTest::newRow("row -1, escape") << -1 << int(Qt::Key_Escape);
        QTest::newRow("row 12, change") << 12 << int(Qt::Key_C);
    }
    void controller_invalidRowBoxClosesOnAKey() {
        QFETCH(int, row);
        QFETCH(int, key);
        Korvel k;
        k.mainTimer()->stop();
        k.info_selectPanel(2);
        k.slot_infoPan_change(row);
        UxDialogHint* hint = k.dialogs().hint();
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->titleText(), QString("Invalid Item"));
        QCOMPARE(hint->text(), "Code: Small-IP-00" + QString::number(row));
        QCOMPARE(Global::configuration.textDataToShow[2], 0);
        QVERIFY(QFile::exists(m_root->path("/opt/configuration.kcg")));
        QCoreApplication::processEvents();             // the window system activates the box
        QVERIFY(QApplication::focusWidget() == hint);  // the keypad reaches it
        QTest::keyClick(hint, Qt::Key(key));
        QVERIFY(!hint->isVisible());
    }

    // The developer overlay stays on the screen in every layout with the longest values; the
    // picture is kept for the record when KORVEL_SHOT_DIR names a folder.
    void devOverlay_fitsEveryLayout() {
        m_root->writeFile("/dev/magic-adc", "1500");  // a charged handset battery
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        Global::configuration.devMode = 1;
        k.devModeItem()->updatePara({"-100", "-100", "100", "4x", "R", "100"});
        for (int mode : {0, 1, 3, 2}) {
            Global::configuration.screenMode = mode;
            k.system_checkState();
            QVERIFY(k.devModeItem()->isVisible());
            QCOMPARE(k.devModeItem()->y(), qreal(ScreenLayout::forMode(mode).devOverlayY));
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
