#include "core/key_router.h"
#include "core/script_runner.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {
// The desktop keys of the tests' key scripts.
int desktopKey(const QString& name) {
    static const QHash<QString, int> keys = {
        {"up", Qt::Key_Up},       {"down", Qt::Key_Down},  {"left", Qt::Key_Left},
        {"right", Qt::Key_Right}, {"ret", Qt::Key_Return}, {"enter", Qt::Key_Enter},
        {"esc", Qt::Key_Escape},  {"c", Qt::Key_C},        {"m", Qt::Key_M},
        {"i", Qt::Key_I},         {"o", Qt::Key_O},        {"a", Qt::Key_A}};
    return keys.value(name);
}
}  // namespace

class TestKeys : public QObject {
    Q_OBJECT
private:
    UxScene* scene = nullptr;
    UxView* view = nullptr;

    void activate(QWidget* w) {
        w->activateWindow();
        w->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private slots:
    void init() {
        scene = new UxScene;
        view = new UxView(scene);
        activate(view);
    }
    void cleanup() {
        delete view;
        delete scene;
    }

    // A key script: +key press, -key release, *key the keyboard's own repeat (a release and
    // press pair), tN N main ticks, blur/back the focus to another window and back. The
    // scene's clicks are listed by name, its long presses as !name.
    void scene_keyNamesClicksAndLongPresses_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("names");
        const auto row = [](const char* name, const char* a, const char* b) {
            QTest::newRow(name) << QString(a) << QString(b);
        };
        row("on press", "+up +down +left +right +ret +enter +m +o +a",
            "up down left right enter enter menu zoom");
        row("on release", "+esc +up -esc +c +up -c +i +up -i", "up esc up change up ap");
        row("esc click up to 6 ticks", "+esc t6 -esc", "esc");
        row("esc long at 7, once, no click", "+esc t7 t20 -esc", "!esc");
        row("ap click, then long", "+i -i +i t7 -i", "ap !ap");
        row("both long, esc first", "+esc +i t7 -i -esc", "!esc !ap");
        row("change has no long press", "+c t7 -c", "change");
        row("change then menu", "+c +m -m -c +c -c", "apWindow change");
        row("a release ends the hold", "+esc +up -up t10 -esc", "up esc");
        row("keyboard repeat", "+esc *esc t2 *esc t2 *esc t3 -esc *down *down", "!esc down down");
        row("no repeat of c or i", "+c *c -c +i *i -i", "change ap");
        row("focus loss clears", "+esc t4 blur t10 back -esc +c blur back -c", "");
    }
    void scene_keyNamesClicksAndLongPresses() {
        QFETCH(QString, script);
        QFETCH(QString, names);
        QStringList got;
        connect(scene, &UxScene::signal_keyClick, this, [&](QString k) { got << k; });
        connect(scene, &UxScene::signal_keyPress, this, [&](QString k) { got << "!" + k; });
        QLineEdit other;  // stands for a menu that takes the focus
        for (const QString& step : script.split(' ')) {
            const int key = desktopKey(step.mid(1));
            if (step.startsWith('t')) {
                for (int i = step.mid(1).toInt(); i > 0; --i)
                    scene->do_timer();
            } else if (step == "blur" || step == "back") {
                other.show();
                activate(step == "blur" ? static_cast<QWidget*>(&other) : view);
            } else if (step.startsWith('+')) {
                QTest::keyPress(view, Qt::Key(key));
            } else if (step.startsWith('-')) {
                QTest::keyRelease(view, Qt::Key(key));
            } else {
                QKeyEvent rel(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(view, &rel);
                QKeyEvent rep(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(view, &rep);
            }
        }
        QCOMPARE(got.join(' '), names);
    }

    // A script's key names reach the main screen as the same names.
    void script_keyNamesReachTheScene() {
        const QStringList all{"up",     "down", "left", "right",    "enter", "esc",
                              "change", "menu", "ap",   "apWindow", "zoom"};
        ScriptRunner runner(view);
        QVERIFY(runner.parse("key " + all.join("\nkey ")));
        QSignalSpy click(scene, &UxScene::signal_keyClick);
        QSignalSpy done(&runner, &ScriptRunner::finished);
        runner.start();
        QVERIFY(done.wait());
        QStringList got;
        for (const auto& call : click)
            got << call.at(0).toString();
        QCOMPARE(got, all);
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
        row("up map", "up", -1, 2, false, A::MoveMapCursor);
        row("left map", "left", -1, 1, false, A::MoveMapCursor);
        row("right mode 0", "right", -1, 0, false, A::None);
        row("down mode 3 free", "down", -1, 3, false, A::None);
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
};

KORVEL_TEST_MAIN(TestKeys)
#include "test_keys.moc"
