#include "core/base/global.h"
#include "core/base/screen_layout.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "sonar/ux_sonar.h"
#include "test_root.h"
#include "ui/item_dev_mode.h"
#include "ui/menu_host.h"
#include "ui/status_icons.h"
#include "ui/ux_main_menu.h"

#include <QGraphicsPixmapItem>
#include <QTimer>
#include <QtTest>

namespace {
using Icons = std::array<QPoint, StructScreenLayout::kIcons>;
Icons row(int y) {
    return {QPoint(0, y), QPoint(25, y), QPoint(50, y), QPoint(75, y), QPoint(75, y)};
}
using Panels = std::array<bool, StructScreenLayout::kPanels>;
}  // namespace

class TestSystemLayout : public QObject {
    Q_OBJECT
private slots:
    // A language change translates the system page on screen at once, keeping its row.
    void systemCheck_languageChangeRetranslatesTheSystemPage() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.systemLanguage = 0;
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        UxMainMenu* menu = k.menus().main();
        const QStringList english = k.menus().systemTitles();
        menu->showMainMenu("system", english.last(), english.mid(0, english.size() - 1));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        Global::configuration.systemLanguage = 2;
        k.system_checkState();
        const QStringList german = k.menus().systemTitles();
        QCOMPARE(german.size(), english.size());
        QCOMPARE(german.at(3), TrResource::getTrString(TR_Language, 2));
        QVERIFY(german.at(3) != english.at(3));
        QStringList shown;
        for (const StructTextBox& box : menu->textBoxes())
            shown << box.text.trimmed();
        QVERIFY2(shown.contains(german.at(3)) && shown.contains(german.last()),
                 qPrintable(shown.join('|')));
        QCOMPARE(menu->currentRow(), 3);
    }

    // The developer overlay follows devMode and asks the radio module for its signal strength.
    void systemCheck_developerOverlayFollowsDevMode() {
        auto bus = std::make_shared<FakeSpiBus::State>();
        SpiBus::setFactory([bus] { return std::make_unique<FakeSpiBus>(bus); });
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.devMode = 0;
        Korvel k;
        k.mainTimer()->stop();
        k.data()->thread()->device().setPacing({0, 0, 0});
        // The radio module's information request: a packet of type 0x10 carrying A3 5C.
        const auto askedRssi = [bus] {
            std::lock_guard<std::mutex> lock(bus->mutex);
            const QByteArray& w = bus->written;
            for (int at = w.indexOf("#sbus"); at >= 0; at = w.indexOf("#sbus", at + 1)) {
                if (w.mid(at + 5, 1) == "\x10" && w.mid(at + 12, 2) == "\xA3\x5C") return true;
            }
            return false;
        };
        k.system_checkState();
        QVERIFY(!k.devModeItem()->isVisible());
        Global::configuration.devMode = 1;
        k.system_checkState();
        QVERIFY(k.devModeItem()->isVisible());
        QVERIFY(k.devModeItem()->text().startsWith("mR:"));
        QTRY_VERIFY(askedRssi());
        Global::configuration.devMode = 0;
        k.system_checkState();
        QVERIFY(!k.devModeItem()->isVisible());
        SpiBus::setFactory(nullptr);
    }

    void layout_describesEachMode() {
        const auto l0 = ScreenLayout::forMode(0);
        QVERIFY(l0.valid);
        QCOMPARE(l0.echogramHeight, 480);
        QVERIFY(l0.iconPos == row(332));
        QCOMPARE(l0.devOverlayY, 312);
        QVERIFY(!l0.mapVisible && !l0.compassVisible && l0.largeCompassVisible);
        QVERIFY(l0.panelVisible == Panels{});

        const auto l1 = ScreenLayout::forMode(1);
        QCOMPARE(l1.echogramHeight, 240);
        QVERIFY(l1.iconPos == row(0));
        QVERIFY(l1.mapVisible);
        QCOMPARE(l1.mapPos.x(), 0);
        QCOMPARE(l1.mapBound, QSize(272, 240));
        QVERIFY(!l1.compassVisible && !l1.largeCompassVisible);
        QVERIFY(l1.panelVisible == Panels{});

        const auto l2 = ScreenLayout::forMode(2);
        QCOMPARE(l2.echogramHeight, 240);
        QVERIFY(l2.iconPos == row(215));
        QCOMPARE(l2.devOverlayY, 195);
        QVERIFY(l2.mapVisible);
        QCOMPARE(l2.mapPos, QPoint(133, 244));
        QCOMPARE(l2.mapBound, QSize(140, 240));
        QVERIFY(!l2.compassVisible && !l2.largeCompassVisible);
        QVERIFY((l2.panelVisible == Panels{true, true, true, true, false, false}));

        const auto l3 = ScreenLayout::forMode(3);
        QCOMPARE(l3.echogramHeight, 240);
        QVERIFY(!l3.mapVisible);
        QVERIFY(l3.compassVisible && !l3.largeCompassVisible);
        QVERIFY((l3.panelVisible == Panels{true, true, true, true, true, true}));

        QVERIFY(!ScreenLayout::forMode(4).valid);
        QVERIFY(!ScreenLayout::forMode(-1).valid);
    }

    void changeKey_cyclesFromTwoBackToTwoAndMovesTheIcons() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        QCOMPARE(Global::configuration.screenMode, 2);
        QCOMPARE(k.statusIcons().icon(ScreenLayout::IconSignal)->pos(), QPointF(0, 215));

        const QList<int> modes = {3, 0, 1, 2};
        const QList<int> iconRow = {215, 332, 0, 215};
        const QList<int> echogramHeight = {240, 480, 240, 240};
        for (int press = 0; press < 4; ++press) {
            k.slot_key_click("change");
            k.system_checkState();
            QCOMPARE(Global::configuration.screenMode, modes[press]);
            for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
                const int x = 25 * (i < ScreenLayout::IconMultiTarget ? i : 3);
                QCOMPARE(k.statusIcons().icon(i)->pos(), QPointF(x, iconRow[press]));
            }
            QCOMPARE(k.sonar()->image_hight(), echogramHeight[press]);
        }
    }

    void changeScreenMode_leavesAnUnknownModeAlone() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        Global::configuration.screenMode = 7;
        k.system_changeScreenMode();
        QCOMPARE(Global::configuration.screenMode, 7);
        k.system_checkState();  // nothing to lay out: the icons stay
        QCOMPARE(k.statusIcons().icon(ScreenLayout::IconSdCard)->pos(), QPointF(25, 215));
    }
};

KORVEL_TEST_MAIN(TestSystemLayout)
#include "test_system_layout.moc"
