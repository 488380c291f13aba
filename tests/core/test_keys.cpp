#include "base/global.h"
#include "core/key_router.h"
#include "core/korvel.h"
#include "core/script_runner.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "sonar/item_text.h"
#include "sonar/ux_sonar.h"
#include "test_root.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/status_icons.h"

#include <QGraphicsPixmapItem>
#include <QLineEdit>
#include <QtTest>

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

    // A script of desktop keys: +Key press, -Key release, *Key the keyboard's own repeat (a
    // release and press pair), tN N main ticks, blur/back the focus to another window and back;
    // after "=>" the scene's clicks by name and its long presses as !name.
    void scene_keyNamesClicksAndLongPresses_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("arrows on press") << "+Up +Down +Left +Right => up down left right";
        QTest::newRow("on press") << "+Return +Enter +M +O +A => enter enter menu zoom";
        QTest::newRow("on release")
            << "+Esc +Up -Esc +C +Up -C +I +Up -I => up esc up change up ap";
        QTest::newRow("esc click up to 6 ticks") << "+Esc t6 -Esc => esc";
        QTest::newRow("esc long at 7, once, no click") << "+Esc t7 t20 -Esc => !esc";
        QTest::newRow("ap click, then long") << "+I -I +I t7 -I => ap !ap";
        QTest::newRow("both long, esc first") << "+Esc +I t7 -I -Esc => !esc !ap";
        QTest::newRow("change has no long press") << "+C t7 -C => change";
        QTest::newRow("change then menu") << "+C +M -M -C +C -C => apWindow change";
        QTest::newRow("a release ends the hold") << "+Esc +Up -Up t10 -Esc => up esc";
        QTest::newRow("keyboard repeat")
            << "+Esc *Esc t2 *Esc t2 *Esc t3 -Esc *Down *Down => !esc down down";
        QTest::newRow("no repeat of c or i") << "+C *C -C +I *I -I => change ap";
        QTest::newRow("focus loss clears") << "+Esc t4 blur t10 back -Esc +C blur back -C => ";
    }
    void scene_keyNamesClicksAndLongPresses() {
        QFETCH(QString, script);
        QStringList got;
        connect(scene, &UxScene::signal_keyClick, this, [&](QString k) { got << k; });
        connect(scene, &UxScene::signal_keyPress, this, [&](QString k) { got << "!" + k; });
        QLineEdit other;  // stands for a menu that takes the focus
        for (const QString& step : script.section(" => ", 0, 0).split(' ')) {
            const int key = QKeySequence::fromString(step.mid(1))[0];
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
        QCOMPARE(got.join(' '), script.section(" => ", 1));
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

    // What a click does on the main screen: key, selected panel (-1: none), layout, and "ap"
    // while the autopilot runs; the panel a SelectPanel moves to.
    void router_followsThePanelAndLayout_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("newPanel");
        using A = EnumKeyAction;
        const auto row = [](const char* situation, A action, int newPanel = -1) {
            QTest::newRow(situation) << QString(situation) << int(action) << newPanel;
        };
        row("change -1 2", A::NextScreenMode);
        row("change 1 2", A::None);
        row("enter -1 0", A::OpenQuickMenu);
        row("enter 2 2", A::OpenSmallMenu);
        row("menu -1 2", A::OpenMainMenu);
        row("menu 0 2", A::UnselectPanel);
        row("esc 3 3", A::UnselectPanel);
        row("esc -1 2", A::None);
        row("up -1 2", A::MoveMapCursor);
        row("left -1 1", A::MoveMapCursor);
        row("right -1 0", A::None);
        row("down -1 3", A::None);
        row("up 2 2", A::SelectPanel, 1);
        row("up 0 2", A::None);
        row("down 0 3", A::SelectPanel, 1);
        row("down 3 3", A::None);
        row("ap -1 2 ap", A::AskStopAutopilot);
        row("ap 2 2", A::ChooseTarget);
        row("apWindow 1 0", A::ShowDebugWindow);
    }
    void router_followsThePanelAndLayout() {
        QFETCH(QString, situation);
        QFETCH(int, action);
        QFETCH(int, newPanel);
        const QStringList w = situation.split(' ');
        const StructKeyRoute r = KeyRouter::route(w[0], w[1].toInt(), w[2].toInt(), w.size() > 3);
        QCOMPARE(int(r.action), action);
        if (r.action == EnumKeyAction::SelectPanel) QCOMPARE(r.panel, newPanel);
    }

    // Each press of the change key lays the screen out anew, the fourth the start layout. In
    // every layout the status icons stand side by side on the echogram, clear of the
    // developer overlay and the read-outs, and the zoom key acts on the map only where the map
    // is shown. The start-up picture is gone from behind the working screen.
    void changeKey_laysTheScreenOutAndComesBack() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.devMode = 1;
        Korvel k;
        k.mainTimer()->stop();
        k.system_checkState();
        QVERIFY(k.view()->backgroundBrush().texture().isNull());
        const QRectF readouts = k.sonar()->itemText()->sceneBoundingRect();
        const auto icon = [&k](int i) { return k.statusIcons().icon(i)->sceneBoundingRect(); };
        QList<int> modes;
        QSet<qreal> iconRows;
        activate(k.view());
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(k.view(), Qt::Key_C);
            k.system_checkState();
            const int mode = Global::configuration.screenMode;
            modes << mode;
            iconRows << icon(0).y();
            const QRectF echogram(0, 0, 272, k.sonar()->image_hight());
            const QRectF overlay = k.devModeItem()->sceneBoundingRect();
            QVERIFY(echogram.contains(overlay));
            bool overlayClear = true;
            for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
                QVERIFY(echogram.contains(icon(i)));
                overlayClear =
                    overlayClear && !icon(i).intersects(overlay) && !icon(i).intersects(readouts);
                for (int j = 0; j < i; ++j) {
                    const bool shared = j == ScreenLayout::IconGoBack;  // never shown together
                    QCOMPARE(icon(i).intersects(icon(j)), shared);
                }
            }
            QVERIFY(overlayClear);
            QCOMPARE(KeyRouter::route("zoom", KeyRouter::kNoPanel, mode, false).action ==
                         EnumKeyAction::ZoomMap,
                     ScreenLayout::forMode(mode).mapVisible);
        }
        QCOMPARE(modes, (QList<int>{3, 0, 1, 2}));
        Global::configuration.screenMode = 7;  // not a layout: the key leaves it alone
        k.system_changeScreenMode();
        QCOMPARE(Global::configuration.screenMode, 7);
        QVERIFY(iconRows.size() > 1);  // the icons move with the layout
        Global::configuration.devMode = 0;
    }
};

KORVEL_TEST_MAIN(TestKeys)
#include "test_keys.moc"
