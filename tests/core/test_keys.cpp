#include "core/base/global.h"
#include "core/key_router.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "test_root.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {
QStringList names(const QSignalSpy& spy) {
    QStringList out;
    for (const auto& call : spy)
        out << call.at(0).toString();
    return out;
}
}  // namespace

class TestKeys : public QObject {
    Q_OBJECT
private:
    UxScene* scene = nullptr;
    UxView* view = nullptr;

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            scene->do_timer();
    }

private slots:
    void init() {
        scene = new UxScene;
        view = new UxView(scene);
        view->activateWindow();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(view));
    }
    void cleanup() {
        delete view;
        delete scene;
    }

    void pressKeys_giveTheirNamesAtOnce() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return,
                        Qt::Key_Enter, Qt::Key_M, Qt::Key_O}) {
            QTest::keyPress(view, Qt::Key(key));
            QTest::keyRelease(view, Qt::Key(key));
        }
        QTest::keyClick(view, Qt::Key_A);  // not a keypad key
        QCOMPARE(names(click),
                 (QStringList{"up", "down", "left", "right", "enter", "enter", "menu", "zoom"}));
    }

    void menuKey_clicksOnPressNotRelease() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QTest::keyPress(view, Qt::Key_M);
        QCOMPARE(names(click), QStringList{"menu"});
        QTest::keyRelease(view, Qt::Key_M);
        QCOMPARE(click.count(), 1);
    }

    void escape_isAClickUpTo6TicksAndALongPressAt7() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QSignalSpy press(scene, &UxScene::signal_keyPress);
        QTest::keyPress(view, Qt::Key_Escape);
        ticks(6);
        QTest::keyRelease(view, Qt::Key_Escape);
        QCOMPARE(names(click), QStringList{"esc"});
        QCOMPARE(press.count(), 0);

        click.clear();
        QTest::keyPress(view, Qt::Key_Escape);
        ticks(7);
        QCOMPARE(names(press), QStringList{"esc"});
        ticks(20);  // held on: no second long press
        QTest::keyRelease(view, Qt::Key_Escape);
        QCOMPARE(press.count(), 1);
        QCOMPARE(click.count(), 0);
    }

    void apKey_clickOrLongPress() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QSignalSpy press(scene, &UxScene::signal_keyPress);
        QTest::keyClick(view, Qt::Key_I);
        QCOMPARE(names(click), QStringList{"ap"});
        QTest::keyPress(view, Qt::Key_I);
        ticks(7);
        QTest::keyRelease(view, Qt::Key_I);
        QCOMPARE(names(press), QStringList{"ap"});
        QCOMPARE(click.count(), 1);
    }

    void changeThenMenu_givesApWindowOnly() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QTest::keyPress(view, Qt::Key_C);
        QTest::keyPress(view, Qt::Key_M);
        QTest::keyRelease(view, Qt::Key_M);
        QTest::keyRelease(view, Qt::Key_C);
        QCOMPARE(names(click), QStringList{"apWindow"});
        QTest::keyClick(view, Qt::Key_C);
        QCOMPARE(names(click), (QStringList{"apWindow", "change"}));
    }

    void autoRepeat_repeatsArrowsButNotEscape() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QSignalSpy press(scene, &UxScene::signal_keyPress);
        QTest::keyPress(view, Qt::Key_Escape);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent rel(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(view, &rel);
            QKeyEvent rep(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(view, &rep);
            ticks(2);
        }
        ticks(1);
        QCOMPARE(names(press), QStringList{"esc"});
        QCOMPARE(click.count(), 0);
        QTest::keyRelease(view, Qt::Key_Escape);

        QKeyEvent rep(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(view, &rep);
        QApplication::sendEvent(view, &rep);
        QCOMPARE(names(click), (QStringList{"down", "down"}));
    }

    void focusLoss_cancelsALongPress() {
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QSignalSpy press(scene, &UxScene::signal_keyPress);
        QLineEdit menu;  // stands for a menu that takes the focus
        menu.show();
        QTest::keyPress(view, Qt::Key_Escape);
        ticks(4);
        menu.activateWindow();
        menu.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        ticks(10);
        QCOMPARE(press.count(), 0);
        view->activateWindow();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(view));
        QTest::keyRelease(view, Qt::Key_Escape);
        QCOMPARE(click.count(), 0);
    }

    void router_followsThePanelAndLayout_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("apRunning");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("newPanel");
        using A = EnumKeyAction;
        auto row = [](const char* name, const char* key, int panel, int mode, bool ap, A action,
                      int newPanel = -1) {
            QTest::newRow(name) << QString(key) << panel << mode << ap << int(action) << newPanel;
        };
        row("change free", "change", -1, 2, false, A::NextScreenMode);
        row("change on panel", "change", 1, 2, false, A::None);
        row("enter free", "enter", -1, 0, false, A::OpenQuickMenu);
        row("enter on panel", "enter", 2, 2, false, A::OpenSmallMenu);
        row("menu free", "menu", -1, 2, false, A::OpenMainMenu);
        row("menu on panel", "menu", 0, 2, false, A::UnselectPanel);
        row("esc on panel", "esc", 3, 3, false, A::UnselectPanel);
        row("esc free", "esc", -1, 2, false, A::None);
        row("zoom map", "zoom", -1, 1, false, A::ZoomMap);
        row("zoom no map", "zoom", -1, 3, false, A::None);
        row("up map", "up", -1, 2, false, A::MoveMapCursor);
        row("left map", "left", -1, 1, false, A::MoveMapCursor);
        row("right mode 0", "right", -1, 0, false, A::None);
        row("down mode 3 free", "down", -1, 3, false, A::None);
        row("up mode 0 free", "up", -1, 0, false, A::None);
        row("up from 2", "up", 2, 2, false, A::SelectPanel, 1);
        row("up from 0", "up", 0, 2, false, A::None);
        row("down from 0", "down", 0, 3, false, A::SelectPanel, 1);
        row("down from 3", "down", 3, 3, false, A::None);
        row("ap running", "ap", -1, 2, true, A::AskStopAutopilot);
        row("ap idle", "ap", 2, 2, false, A::ChooseTarget);
        row("apWindow", "apWindow", 1, 0, false, A::ShowDebugWindow);
    }
    void router_followsThePanelAndLayout() {
        QFETCH(QString, key);
        QFETCH(int, panel);
        QFETCH(int, mode);
        QFETCH(bool, apRunning);
        QFETCH(int, action);
        QFETCH(int, newPanel);
        const StructKeyRoute r = KeyRouter::route(key, panel, mode, apRunning);
        QCOMPARE(int(r.action), action);
        if (r.action == EnumKeyAction::SelectPanel) QCOMPARE(r.panel, newPanel);
    }

    void controller_changeKeyCyclesTheLayoutBackTo2() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.view()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(k.view()));
        QList<int> seen;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(k.view(), Qt::Key_C);
            seen << Global::configuration.screenMode;
        }
        QCOMPARE(seen, (QList<int>{3, 0, 1, 2}));
        Global::configuration.screenMode = 7;  // not a layout: left alone
        k.system_changeScreenMode();
        QCOMPARE(Global::configuration.screenMode, 7);
        Global::configuration.screenMode = 2;
    }
};

KORVEL_TEST_MAIN(TestKeys)
#include "test_keys.moc"
