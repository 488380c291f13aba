#include "app_font.h"
#include "core/base/global.h"
#include "core/base/resources.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/menu_host.h"
#include "ui/modal_watch.h"
#include "ui/ux_focus_widgets.h"
#include "ui/ux_line_editor.h"
#include "ui/ux_main_menu.h"
#include "ui/ux_menu_tip.h"
#include "ui/ux_small_menu.h"
#include "ui/ux_sub_menu_image.h"
#include "ui/ux_sub_menu_item.h"
#include "ui/ux_sub_menu_item_multi.h"
#include "ui/ux_sub_menu_item_single.h"
#include "ui/ux_sub_menu_value.h"
#include "ui/ux_title_bar.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <iterator>
#include <memory>

namespace {

// Stands in for the view: the 272 x 480 screen the widgets sit on.
class Screen : public QWidget {
public:
    Screen() {
        setFixedSize(272, 480);
        setFocusPolicy(Qt::StrongFocus);
    }
    QList<int> keys;  // keys that reached the screen

protected:
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};

void press(QWidget* w, int key, bool autoRepeat = false) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}

void release(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier, QString(), false);
    QApplication::sendEvent(w, &e);
}

void clicks(QWidget* w, int key, int count) {
    for (int i = 0; i < count; ++i)
        QTest::keyClick(w, Qt::Key(key));
}

QString trText(int id, int language) {
    return TrResource::getTrString(EnumTrString(id), language);
}

QStringList trList(std::initializer_list<int> ids, int language) {
    QStringList out;
    for (int id : ids)
        out << trText(id, language);
    return out;
}

// The pages of the menu tree as the controller will fill them; the last is the quick menu.
QVector<QStringList> pages(int language) {
    return {trList({8, 9, 10, 11, 12, 13, 14, 15, 1, 2}, language),
            trList({17, 19, 20, 21, 22, 34, 35, 36, 37, 38, 1, 2}, language) << "Chart Speed -NT",
            trList({40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 1, 2}, language),
            trList({51, 56, 60, 63, 64, 65, 1, 2}, language),
            trList({67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 1, 2}, language),
            trList({81, 82, 98, 112, 109, 110, 107, 108, 111, 22, 118, 210, 203}, language)};
}

// The quick menu is the page list shown further right and lower than the main menu.
const QRect kQuickMenu(46, 180, 180, 270);

}  // namespace

class TestMenuWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        korvelInitResources();
        QString why;
        if (!TestAppFont::load(&m_font, &why)) QSKIP(qPrintable(why));
        Global::configuration.keyTone = 0;
    }
    // The widgets are built at their places on a new screen for every test.
    void init() {
        Global::configuration.systemLanguage = LanguageEnglish;
        m_screen.reset(new Screen);
        m_menus.reset(new MenuHost(m_screen.get(), m_modals, {}));
        m_screen->show();
        QApplication::setActiveWindow(m_screen.get());
        m_screen->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    }
    void cleanup() {
        m_menus.reset();
        m_screen.reset();
    }

    void focus_takenWhenShownAndHandedBack() {
        UxMainMenu* menu = m_menus->main();
        UxSubMenuValue* value = m_menus->value();
        menu->showMainMenu("basic", "BASIC", {"Sensitivity", "Exit"});
        QVERIFY(menu->hasFocus());
        float field = 1;
        value->showSubMenu("Sensitivity", QString(), {"0", "1", "2"}, {"AUTO", "1", "2"}, &field);
        QVERIFY(value->hasFocus());
        // The editor closes: the list under it has the keys again.
        press(value, Qt::Key_Escape);
        QVERIFY(!value->isVisible());
        QVERIFY(menu->hasFocus());
        menu->hide();
        QVERIFY(m_screen->hasFocus());
        // Keys given to an open widget never fall through to the screen.
        menu->showMainMenu("basic", "BASIC", {"Sensitivity", "Exit"});
        QTest::keyClick(menu, Qt::Key_Z);
        QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(m_screen->keys.isEmpty());
    }

    void keys_data();
    void keys();

    void mainMenu_rowsTitleAndPageText() {
        UxMainMenu* menu = m_menus->main();
        menu->showMainMenu("system", "SYSTEM", {"Row 0", "Row 1"});
        QCOMPARE(menu->getCurrentType(), QStringLiteral("system"));
        QCOMPARE(menu->rowText(0), QStringLiteral("  Row 0"));  // two leading spaces
        // More than 20 rows: the rest is not shown.
        QStringList many;
        for (int i = 0; i < 25; ++i)
            many << QString::number(i);
        menu->showMainMenu("x", "X", many);
        QCOMPARE(menu->rowCount(), UxMainMenu::kMaxRows);
        menu->refreshTR("Y");
        QCOMPARE(menu->getTitle(), QStringLiteral("Y"));
        // A title bar's second text stands clear to the right of the title.
        UxTitleBar bar(m_screen.get());
        bar.setGeometry(0, 0, 200, 28);
        bar.setTitleText("Waypoint", "1/5");
        const QVector<StructTextBox> boxes = bar.textBoxes();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes.at(1).text, QStringLiteral("1/5"));
        QVERIFY(boxes.at(0).box.right() < boxes.at(1).box.left());
    }

    void mainMenu_scrollsLongPages() {
        UxMainMenu* menu = m_menus->main();
        menu->setGeometry(kQuickMenu);
        const QStringList quick = pages(LanguageEnglish).last();
        menu->showMainMenu("quick", "QUICK OPERATION", quick);
        const int visible = menu->visibleRowCount();
        QVERIFY(visible >= 8 && visible < quick.size());
        clicks(menu, Qt::Key_Down, visible);
        QCOMPARE(menu->currentRow(), visible);
        QCOMPARE(menu->topRow(), 1);
        QVERIFY(menu->rowRect(visible).isValid());
        QVERIFY(!menu->rowRect(0).isValid());
        QVERIFY(menu->rowRect(visible).bottom() < menu->height());
        clicks(menu, Qt::Key_Up, 2);
        QCOMPARE(menu->topRow(), 1);
        clicks(menu, Qt::Key_Up, menu->currentRow());
        QCOMPARE(menu->topRow(), 0);
        // Up from row 0 shows the last rows.
        QTest::keyClick(menu, Qt::Key_Up);
        QCOMPARE(menu->currentRow(), quick.size() - 1);
        QCOMPARE(menu->topRow(), quick.size() - visible);
    }

    void mainMenu_tipShowsLongRowAndForwardsKeys() {
        UxMainMenu* menu = m_menus->main();
        QSignalSpy enter(menu, &UxMainMenu::signal_keyClick_enter);
        QSignalSpy esc(menu, &UxMainMenu::signal_keyClick_esc);
        menu->showMainMenu("gps", "GPS SETTINGS", pages(LanguageEnglish).at(2));
        UxMenuTip* tip = menu->tip();
        QVERIFY(!tip->isVisible());
        clicks(menu, Qt::Key_Down, 7);
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->text(), QStringLiteral("  Calibrate Compass of Display"));
        QVERIFY(tip->hasFocus());
        QCOMPARE(tip->y(), menu->y() + menu->rowRect(7).top());  // laid over the selected row
        // Keys go through the tip to the list.
        QTest::keyClick(tip, Qt::Key_Down);
        QCOMPARE(menu->currentRow(), 8);
        QCOMPARE(tip->text(), QStringLiteral("  Calibrate Compass of Boat"));
        QTest::keyClick(tip, Qt::Key_Right);
        QTest::keyClick(tip, Qt::Key_Return);
        QCOMPARE(enter.size(), 2);
        QCOMPARE(enter.at(0).at(0).toInt(), 8);
        QTest::keyClick(tip, Qt::Key_Down);
        QCOMPARE(menu->currentRow(), 9);
        QVERIFY(!tip->isVisible());
        QVERIFY(menu->hasFocus());
        QTest::keyClick(menu, Qt::Key_Up);
        QVERIFY(tip->isVisible());
        QTest::keyClick(tip, Qt::Key_M);
        QCOMPARE(esc.size(), 1);
        // Held keys keep repeating while the focus passes between the list and its tip, and stop
        // when let go on either.
        press(tip, Qt::Key_Up);
        QCOMPARE(menu->currentRow(), 7);
        for (int i = 0; i < 6; ++i)
            menu->do_timer();
        QCOMPARE(menu->currentRow(), 6);
        QVERIFY(menu->hasFocus());
        release(menu, Qt::Key_Up);
        press(menu, Qt::Key_Down);  // onto a long row: the tip takes the focus
        release(tip, Qt::Key_Down);
        for (int i = 0; i < 6; ++i)
            menu->do_timer();
        QCOMPARE(menu->currentRow(), 7);
        // Hiding the list hides the tip.
        QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(tip->isVisible());
        menu->hide();
        QVERIFY(!tip->isVisible());
        QVERIFY(m_screen->hasFocus());
    }

    void value_opensOnTheFieldAndShowsItsText() {
        UxSubMenuValue* value = m_menus->value();
        float field = 8.0f;
        value->showSubMenu("Battery Alarm", "V", {"7.9", "8", "8.1"}, {"OFF", "8", "8.1"}, &field);
        QCOMPARE(value->getTitle(), QStringLiteral("Battery Alarm"));
        QCOMPARE(value->shownText(), QStringLiteral("8 V"));
        QTest::keyClick(value, Qt::Key_Left);
        QCOMPARE(value->shownText(), QStringLiteral("OFF V"));
        QCOMPARE(field, 7.9f);  // the value, not the text shown for it
        // A value not in the list starts at the first entry; escape puts it back.
        field = 4.5f;
        value->showSubMenu("Backlight", QString(), {"1", "2", "3"}, {"1", "2", "3"}, &field);
        QCOMPARE(value->currentIndex(), 0);
        QCOMPARE(field, 1.0f);
        QTest::keyClick(value, Qt::Key_Escape);
        QCOMPARE(field, 4.5f);
        // An empty list or no field opens nothing.
        value->showSubMenu("Empty", QString(), {}, {}, &field);
        QVERIFY(!value->isVisible());
        value->showSubMenu("No field", QString(), {"1"}, {"1"}, nullptr);
        QVERIFY(!value->isVisible());
    }

    // The pop-up editors show every choice at once; a field outside the choices marks none.
    void editors_showEveryRow_fieldOutsideTheRows() {
        int field = 9, a = 0, b = 1;
        UxSubMenuItemSingle* single = m_menus->single();
        single->showSubMenu("Units", {"a", "b", "c", "d"}, &field);
        QCOMPARE(single->visibleRowCount(), 4);
        QCOMPARE(single->checkedRow(), -1);  // nothing marked, cursor on row 0, nothing written
        QCOMPARE(single->currentRow(), 0);
        QCOMPARE(field, 9);
        m_menus->multi()->showSubMenu("Overlap", {"a", "b"}, {&a, &b});
        QCOMPARE(m_menus->multi()->visibleRowCount(), 2);
        m_menus->item()->showSubMenu("Wiring", "w", {"a", "b", "c", "d"});
        QCOMPARE(m_menus->item()->visibleRowCount(), 4);
    }

    void image_chosenPictureHasTheRedFrame() {
        UxSubMenuImage* image = m_menus->image();
        int field = 2;
        image->showMenuImage("Background", "background", &field);
        QVERIFY(!image->previewImage(0).isNull());
        QVERIFY(!image->previewImage(2).isNull());
        const QImage shot = image->grab().toImage();
        const QRect chosen = image->choiceRect(2);
        QCOMPARE(shot.pixelColor(chosen.left() + 1, chosen.center().y()), QColor(255, 0, 0));
        const QRect other = image->choiceRect(0);
        QVERIFY(shot.pixelColor(other.left() + 1, other.center().y()) != QColor(255, 0, 0));
    }

    void small_keptOnScreenAndIconRows() {
        UxSmallMenu* small = m_menus->small();
        small->move(200, 400);  // where 185 px would run past the screen's edges
        small->showSmallMenu(trList({26, 27, 28, 29, 30, 31, 32, 33}, LanguageEnglish));
        QVERIFY(m_screen->rect().contains(small->geometry()));
        QCOMPARE(small->rowCount(), 8);
        UxSmallMenu icons(true, m_screen.get());
        icons.showSmallMenu(2);
        QCOMPARE(icons.rowCount(), 3);
        QCOMPARE(icons.currentRow(), 2);
    }

    void lineEditor_positionSetsAndConfirm();
    void focusWidgets_focusMarkAndKeyPassing();
    void controller_menusOnTheViewTickedByTheMainTick();

    void noClippedText_data();
    void noClippedText();
    void mainMenu_everyRowReadableInEveryLanguage();

private:
    std::unique_ptr<Screen> m_screen;
    ModalWatch m_modals;
    std::unique_ptr<MenuHost> m_menus;
    QFont m_font;
};

// What each widget does with the keys. Script: a key name clicks it, +key presses it (and
// holds it: the keyboard's own repeat presses are sent before every tick, as a keyboard
// does), -key lets it go, tN runs N main ticks, reopen hides and shows the widget again,
// offN disables row N. After each step: the widget's state, +signal for each signal it
// gave, ~ when it is hidden.
void TestMenuWidgets::keys_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("after");
    auto row = [](const char* name, const char* widget, const char* script, const char* after) {
        QTest::newRow(name) << QString(widget) << QString(script) << QString(after);
    };
    // Page list (13 rows): the row.
    row("list wraps, skips disabled rows", "list", "up down off1 off2 down up", "12 0 0 0 3 0");
    row("list keys report, list stays open", "list", "down ret down right enter c esc m z",
        "1 1+enter1 2 2+enter2 2+enter2 2+change 2+esc 2+esc 2");
    row("list held: every tick from the 6th", "list", "+down t5 t1 t2 -down t6 +up t10",
        "1 1 2 4 4 4 3 11");
    row("list held: another key's release keeps it", "list", "+down -up t6", "1 1 2");
    row("list held: hiding forgets it", "list", "+down reopen t10", "1 0 0");
    // Value slider (0 to 200, opened on 3): the field.
    row("slider steps, escape restores", "slider", "right up right left down esc", "4 5 6 5 4 3~");
    row("slider stops at the first, m restores", "slider", "left left left left m", "2 1 0 0 3~");
    row("slider enter keeps and reports", "slider", "right right ret", "4 5 5+ok~");
    row("slider held: every 2nd tick from the 6th, x5 from the 26th", "slider",
        "+right t5 t1 t1 t1 t17 t1 t4 -right t2", "4 4 5 5 6 14 19 29 29 29");
    row("slider held down the same way", "slider", "+right t30 -right +down t20 t40 +esc",
        "4 29 29 28 20 0 3~");
    // Character editor ("0", digits): the text.
    row("editor held: up repeats, left ends it", "editor", "+up t5 t3 -up t6 +up +left t8",
        "1 1 4 4 4 5 5 5");
    // Single choice (4 rows, field 2): row/field.
    row("single wraps, enter writes and stays, m closes", "single", "down down ret up enter m",
        "3/2 0/2 0/0 3/0 3/3 3/3~");
    // Check boxes (fields 1 0 1): row/fields.
    row("multi enter toggles at once", "multi", "down ret up ret up enter enter esc",
        "1/101 1/111 0/111 0/011 2/011 2/010 2/011 2/011~");
    // Image chooser (field 1): the field.
    row("image moves within three, enter closes", "image", "left up right down right ret",
        "0 0 1 2 2 2~");
    row("image escape and m close", "image", "esc reopen m", "1~ 1 1~");
    // Command list (4 rows), pop-up list (8 rows) and its icon mode (opened on 2): the row.
    row("item enter reports and stays, escape reports", "item", "up ret esc",
        "3 3+item:wiringTest:3 3+hide:Wiring~");
    row("small enter reports, escape back to row 0", "small", "up ret esc", "7 7+item:7 0~");
    row("icons open on the current one", "icons", "down enter", "0 0+item:0");
}

void TestMenuWidgets::keys() {
    QFETCH(QString, widget);
    QFETCH(QString, script);
    QFETCH(QString, after);
    QStringList fired;  // the signals of one step
    QStringList rows, hundreds;
    for (int i = 0; i < 13; ++i)
        rows << QStringLiteral("Row %1").arg(i);
    for (int i = 0; i <= 200; ++i)
        hundreds << QString::number(i);
    float value = 3;
    int field = widget == "single" ? 2 : 1;
    int checks[3] = {1, 0, 1};
    // The widgets point at the fields above: they go first.
    const auto teardown = qScopeGuard([this] { cleanup(); });
    UxKeyWidget* w = nullptr;
    std::function<void()> open;
    std::function<QString()> state;
    auto note = [&fired](const QString& what) { fired << what; };
    QObject ctx;  // ends the connections before fired goes
    if (widget == "list") {
        UxMainMenu* m = m_menus->main();
        w = m;
        connect(m, &UxMainMenu::signal_keyClick_enter, &ctx,
                [=](int r) { note("enter" + QString::number(r)); });
        connect(m, &UxMainMenu::signal_keyClick_change, &ctx, [=] { note("change"); });
        connect(m, &UxMainMenu::signal_keyClick_esc, &ctx, [=] { note("esc"); });
        open = [=] { m->showMainMenu("system", "SYSTEM", rows); };
        state = [=] { return QString::number(m->currentRow()); };
    } else if (widget == "slider") {
        UxSubMenuValue* v = m_menus->value();
        w = v;
        connect(v, &UxSubMenuValue::signal_keyClick_ok, &ctx, [=] { note("ok"); });
        open = [=, &value] { v->showSubMenu("Test", QString(), hundreds, hundreds, &value); };
        state = [&value] { return QString::number(double(value)); };
    } else if (widget == "editor") {
        auto* e = new UxLineEditor(m_screen.get());
        w = e;
        open = [=] { e->showLineEditor("0", {"0123456789"}, "left"); };
        state = [=] { return e->text(); };
    } else if (widget == "single") {
        UxSubMenuItemSingle* g = m_menus->single();
        w = g;
        open = [=, &field] { g->showSubMenu("Unit", {"KM", "Yard", "m", "ft"}, &field); };
        // The marked row follows the field.
        state = [=, &field] {
            return QStringLiteral("%1/%2%3")
                .arg(g->currentRow())
                .arg(field)
                .arg(g->checkedRow() == field ? "" : "?");
        };
    } else if (widget == "multi") {
        UxSubMenuItemMulti* m = m_menus->multi();
        w = m;
        open = [=, &checks] {
            m->showSubMenu("Overlap", {"Depth", "Temp", "Bat"},
                           {&checks[0], &checks[1], &checks[2]});
        };
        // The ticks follow the fields.
        state = [=, &checks] {
            QString out = QString::number(m->currentRow()) + "/";
            for (int i = 0; i < 3; ++i)
                out +=
                    QString::number(checks[i]) + (m->isRowChecked(i) == bool(checks[i]) ? "" : "?");
            return out;
        };
    } else if (widget == "image") {
        UxSubMenuImage* i = m_menus->image();
        w = i;
        open = [=, &field] { i->showMenuImage("Background", "background", &field); };
        state = [&field] { return QString::number(field); };
    } else if (widget == "item") {
        UxSubMenuItem* i = m_menus->item();
        w = i;
        connect(i, &UxSubMenuItem::signal_itemClick, &ctx,
                [=](QString tag, int r) { note(QStringLiteral("item:%1:%2").arg(tag).arg(r)); });
        connect(i, &UxSubMenuItem::signal_submenuHide, &ctx, [=](QString t) { note("hide:" + t); });
        open = [=] {
            i->showSubMenu("Wiring", "wiringTest", {"Forward", "Left", "Right", "Stop"});
        };
        state = [=] { return QString::number(i->currentRow()); };
    } else {
        UxSmallMenu* m =
            widget == "icons" ? new UxSmallMenu(true, m_screen.get()) : m_menus->small();
        w = m;
        connect(m, &UxSmallMenu::signal_itemClick, &ctx,
                [=](int r) { note("item:" + QString::number(r)); });
        if (widget == "icons") {
            open = [=] { m->showSmallMenu(2); };
        } else {
            open = [=] {
                m->showSmallMenu(trList({26, 27, 28, 29, 30, 31, 32, 33}, LanguageEnglish));
            };
        }
        state = [=] { return QString::number(m->currentRow()); };
    }
    const QHash<QString, int> keys = {{"up", Qt::Key_Up},      {"down", Qt::Key_Down},
                                      {"left", Qt::Key_Left},  {"right", Qt::Key_Right},
                                      {"ret", Qt::Key_Return}, {"enter", Qt::Key_Enter},
                                      {"esc", Qt::Key_Escape}, {"m", Qt::Key_M},
                                      {"c", Qt::Key_C},        {"z", Qt::Key_Z}};
    open();
    int held = 0;
    QStringList got;
    for (const QString& step : script.split(' ')) {
        const int key =
            keys.value(step.startsWith('+') || step.startsWith('-') ? step.mid(1) : step);
        fired.clear();
        if (step == "reopen") {
            w->hide();
            open();
        } else if (step.startsWith("off")) {
            static_cast<UxMainMenu*>(w)->setRowEnabled(step.mid(3).toInt(), false);
        } else if (step.startsWith('t')) {
            for (int i = step.mid(1).toInt(); i > 0; --i) {
                if (held) press(w, held, true);
                w->do_timer();
            }
        } else if (step.startsWith('+')) {
            press(w, key);
            held = key;
        } else if (step.startsWith('-')) {
            release(w, key);
            if (key == held) held = 0;
        } else {
            QTest::keyClick(w, Qt::Key(key));
        }
        got << state() + (fired.isEmpty() ? "" : "+" + fired.join('+')) +
                   (w->isVisible() ? "" : "~");
    }
    QCOMPARE(got.join(' '), after);
}

void TestMenuWidgets::lineEditor_positionSetsAndConfirm() {
    UxLineEditor editor(m_screen.get());
    QSignalSpy confirm(&editor, &UxLineEditor::signal_editorConfirm);
    QLineEdit target(m_screen.get());
    target.setText("old");
    editor.showLineEditor(&target, "499", {"01234", "0123456789", "0123456789"}, "left");
    QCOMPARE(editor.cursorPosition(), 0);
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("099"));  // after 4 comes 0
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Down);
    QCOMPARE(editor.text(), QStringLiteral("089"));
    clicks(&editor, Qt::Key_Right, 2);
    QCOMPARE(editor.cursorPosition(), 2);  // stays at the end
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("080"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QCOMPARE(confirm.size(), 1);
    QCOMPARE(confirm.at(0).at(0).toString(), QStringLiteral("080"));
    QVERIFY(!editor.isVisible());

    // A longitude: Left skips the fixed space, degree sign and point; escape writes nothing.
    const QString d = QStringLiteral("0123456789");
    const QString lon = QString::fromUtf8("E 113°12.345");
    editor.showLineEditor(&target, lon, {"EW", "", "01", d, d, "", "012345", d, "", d, d, d},
                          "right");
    QCOMPARE(editor.cursorPosition(), 11);
    QList<int> cursor;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(&editor, Qt::Key_Left);
        cursor << editor.cursorPosition();
    }
    QCOMPARE(cursor, (QList<int>{10, 9, 7, 6, 4, 3, 2, 0, 0}));
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QString::fromUtf8("W 113°12.345"));
    QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QCOMPARE(confirm.size(), 1);

    // A held key repeats with nobody else ticking the editor: it has its own repeat timer.
    editor.showLineEditor("0", {"0123456789"}, "left");
    press(&editor, Qt::Key_Up);
    QTRY_COMPARE_WITH_TIMEOUT(editor.text(), QStringLiteral("3"), 3000);
    release(&editor, Qt::Key_Up);
}

void TestMenuWidgets::focusWidgets_focusMarkAndKeyPassing() {
    auto* button = new UxFocusButton("A very long button text", m_screen.get());
    button->setGeometry(10, 10, 60, 30);
    auto* edit = new UxFocusLineEdit(m_screen.get());
    edit->setStyleSheet("color: red");
    auto* box = new UxFocusChBox("Message when arrive", m_screen.get());
    auto* label = new UxFocusLabel("Name", m_screen.get());
    auto* icon = new UxFocusIcoLabel(m_screen.get());
    const QList<QWidget*> fields{button, edit, box, label, icon};
    for (QWidget* w : fields)
        w->show();
    QVERIFY(button->textTooWide());
    // The focused field, and only it, wears the focus mark; leaving gives its own style back.
    for (QWidget* focused : fields) {
        focused->setFocus();
        for (QWidget* w : fields) {
            const QString own = w == edit ? QStringLiteral("color: red") : QString();
            QVERIFY2((w->styleSheet() != own) == (w == focused),
                     qPrintable(w->metaObject()->className()));
        }
    }

    // Keys go on to the screen that holds the fields; the fields do not act on them.
    m_screen->keys.clear();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(edit->text(), QString());
    QVERIFY(!box->isChecked());
    QCOMPARE(m_screen->keys, (QList<int>{Qt::Key_A, Qt::Key_Return, Qt::Key_Space}));
}

// The controller builds the widgets hidden on the view, dims the screen while one is open, and
// its main tick drives the held-key repeat.
void TestMenuWidgets::controller_menusOnTheViewTickedByTheMainTick() {
    TestRoot root;
    Configuration::applyDefaults(Global::configuration);
    Global::configuration.keyTone = 0;
    Korvel k;
    k.mainTimer()->stop();
    passStartCheck(k);
    for (QWidget* w :
         QList<QWidget*>{k.menus().main(), k.menus().small(), k.menus().image(), k.menus().value(),
                         k.menus().item(), k.menus().single(), k.menus().multi()}) {
        QCOMPARE(w->parentWidget(), static_cast<QWidget*>(k.view()));
        QVERIFY(!w->isVisible());
    }
    QStringList rows;
    for (int i = 0; i <= 50; ++i)
        rows << QString::number(i);
    k.menus().main()->showMainMenu("basic", "BASIC", rows);
    press(k.menus().main(), Qt::Key_Down);
    for (int tick = 0; tick < 6; ++tick)
        k.slot_timeout_main();
    QCOMPARE(k.menus().main()->currentRow(), 2);
    QVERIFY(k.view()->isLowLight());
    release(k.menus().main(), Qt::Key_Down);

    float field = 0;
    k.menus().value()->showSubMenu("Test", QString(), rows, rows, &field);
    press(k.menus().value(), Qt::Key_Right);
    for (int tick = 0; tick < 8; ++tick)
        k.slot_timeout_main();
    QCOMPARE(field, 3.0f);  // the press, then ticks 6 and 8
    release(k.menus().value(), Qt::Key_Right);
    k.menus().value()->hide();
    k.menus().main()->hide();
    k.slot_timeout_main();
    QVERIFY(!k.view()->isLowLight());
}

namespace {

// One widget opened with the texts of a language: the title's and the rows' text ids (the
// menus take their page's rows, the value editors make numbers).
struct StructCase {
    const char* name;
    const char* widget;
    int title;
    std::initializer_list<int> rows;
};
const StructCase kCases[] = {
    {"main menu", "main", 7, {}},
    {"quick menu", "quick", 80, {}},
    {"value battery", "battery", 73, {}},
    {"value offset", "offset", 36, {}},
    {"single logger", "single", 118, {4, 119, 120}},
    {"single boat type", "single", 56, {57, 58, 59}},
    {"multi overlap", "multi", 22, {23, 24, 25}},
    {"multi channels", "multi", 60, {61, 62}},
    {"item wiring", "item", 51, {52, 53, 54, 55}},
    {"image background", "background", 11, {}},
    {"image color", "color", 13, {}},
    {"small panels", "small", 0, {26, 27, 28, 29, 30, 31, 32, 33}},
    {"small waypoint", "small", 0, {91, 92, 93, 94, 95, 96, 97, 208}},
    {"line editor", "editor", 0, {}},
};

UxKeyWidget* open(MenuHost& m, QWidget* screen, const StructCase& c, int l) {
    static float value = 0;
    static int field = 1;
    static int checks[3] = {1, 0, 1};
    const QString widget = QLatin1String(c.widget);
    const QString title = trText(c.title, l);
    const QStringList rows = trList(c.rows, l);
    if (widget == "main" || widget == "quick") {
        if (widget == "quick") m.main()->setGeometry(kQuickMenu);
        m.main()->showMainMenu("p", title, widget == "quick" ? pages(l).last() : pages(l).first());
        return m.main();
    }
    if (widget == "battery" || widget == "offset") {
        const bool battery = widget == "battery";
        QStringList values, shown;
        for (int t = battery ? 79 : -20; t <= (battery ? 180 : 20); ++t) {
            values << QString::number(t / 10.0, 'g', 6);
            shown << (t == 79 ? trText(TR_Off, l)
                              : values.last());  // the lowest battery alarm is OFF
        }
        value = battery ? 12.5f : -1.5f;
        m.value()->showSubMenu(title, "V", values, shown, &value);
        return m.value();
    }
    if (widget == "single") {
        m.single()->showSubMenu(title, rows, &field);
        return m.single();
    }
    if (widget == "multi") {
        m.multi()->showSubMenu(title, rows,
                               QList<int*>{&checks[0], &checks[1], &checks[2]}.mid(0, rows.size()));
        return m.multi();
    }
    if (widget == "item") {
        m.item()->showSubMenu(title, "wiringTest", rows);
        return m.item();
    }
    if (widget == "small") {
        m.small()->showSmallMenu(rows);
        return m.small();
    }
    if (widget == "editor") {
        auto* w = new UxLineEditor(screen);
        const QString d = QStringLiteral("0123456789");
        w->showLineEditor(QString::fromUtf8("E 113°12.3456"),
                          {"EW", "", "01", d, d, "", "012345", d, "", d, d, d, d}, "left");
        return w;
    }
    m.image()->showMenuImage(title, widget, &field);
    return m.image();
}

}  // namespace

void TestMenuWidgets::noClippedText_data() {
    QTest::addColumn<int>("caseIndex");
    QTest::addColumn<int>("language");
    for (int i = 0; i < int(std::size(kCases)); ++i) {
        for (int language : {LanguageEnglish, LanguageGerman, LanguageChinese})
            QTest::addRow("%s, language %d", kCases[i].name, language) << i << language;
    }
}

// Every text a widget shows fits its box with the application font, every box lies inside
// the widget, and the widget inside the screen.
void TestMenuWidgets::noClippedText() {
    QFETCH(int, caseIndex);
    QFETCH(int, language);
    Global::configuration.systemLanguage = language;
    UxKeyWidget* w = open(*m_menus, m_screen.get(), kCases[caseIndex], language);
    QVERIFY(w->isVisible() && w->hasFocus());
    QVERIFY2(m_screen->rect().contains(w->geometry()), "widget runs off the screen");
    const QVector<StructTextBox> boxes = w->textBoxes();
    QVERIFY(!boxes.isEmpty());
    for (const StructTextBox& b : boxes) {
        const QFontMetrics metrics(b.font);
        QCOMPARE(b.font.pixelSize(), 18);
        const QString why =
            QStringLiteral("\"%1\" in a box %2 px wide").arg(b.text).arg(b.box.width());
        QVERIFY2(metrics.horizontalAdvance(b.text) <= b.box.width(), qPrintable(why));
        QVERIFY2(metrics.height() <= b.box.height(), qPrintable(why));
        QVERIFY2(w->rect().contains(b.box), qPrintable(why));
    }
}

// A menu row too wide for the list is readable whole in the tip, in every language and on
// every page, in both the main and the quick menu.
void TestMenuWidgets::mainMenu_everyRowReadableInEveryLanguage() {
    UxMainMenu* menu = m_menus->main();
    const QRect mainMenu = menu->geometry();
    QStringList problems;
    for (int language = 0; language < LanguageCount; ++language) {
        const QVector<QStringList> all = pages(language);
        for (int page = 0; page < all.size(); ++page) {
            menu->setGeometry(page == all.size() - 1 ? kQuickMenu : mainMenu);
            for (int row = 0; row < all.at(page).size(); ++row) {
                menu->hide();
                menu->showMainMenu("p", trText(7, language), all.at(page));
                clicks(menu, Qt::Key_Down, row);
                const QString text = menu->rowText(row);
                const int width = QFontMetrics(m_font).horizontalAdvance(text);
                UxMenuTip* tip = menu->tip();
                if (width <= menu->rowTextBox(row).width()) {
                    if (tip->isVisible()) problems << "tip over a short row: " + text;
                } else if (!tip->isVisible() || tip->text() != text) {
                    problems << "no tip for " + text;
                } else if (tip->textBoxes().size() != 1 ||
                           width > tip->textBoxes().at(0).box.width() ||
                           !m_screen->rect().contains(tip->geometry())) {
                    problems << QStringLiteral("%1: %2 px tip clipped").arg(text).arg(width);
                }
            }
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

KORVEL_TEST_MAIN(TestMenuWidgets)
#include "test_menu_widgets.moc"
