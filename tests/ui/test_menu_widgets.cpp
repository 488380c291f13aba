#include "app_font.h"
#include "core/base/global.h"
#include "core/base/resources.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "test_root.h"
#include "ui/menu_host.h"
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
#include "ui/ux_theme.h"
#include "ui/ux_title_bar.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// Stands in for the view: the 272 x 480 screen the widgets sit on, dark like an echogram.
class Screen : public QWidget {
public:
    Screen() {
        setFixedSize(272, 480);
        setFocusPolicy(Qt::StrongFocus);
    }
    QList<int> keys;  // keys that reached the screen

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient water(0, 0, 0, height());
        water.setColorAt(0, QColor(0, 20, 60));
        water.setColorAt(1, QColor(0, 60, 110));
        p.fillRect(rect(), water);
        p.fillRect(QRect(0, 380, width(), 100), QColor(150, 90, 40));
    }
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

QString trText(int id, int language) {
    return TrResource::getTrString(EnumTrString(id), language);
}

QStringList trList(std::initializer_list<int> ids, int language) {
    QStringList out;
    for (int id : ids)
        out << trText(id, language);
    return out;
}

const int kShotLanguages[] = {LanguageEnglish, LanguageGerman, LanguageChinese};
const char* const kLanguageNames[LanguageCount] = {"en", "ru", "fr", "de", "nl", "pl", "es", "zh"};

// The pages of the menu tree as the controller will fill them.
QVector<QStringList> pages(int language) {
    return {trList({8, 9, 10, 11, 12, 13, 14, 15, 1, 2}, language),
            trList({17, 19, 20, 21, 22, 34, 35, 36, 37, 38, 1, 2}, language) << "Chart Speed -NT",
            trList({40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 1, 2}, language),
            trList({51, 56, 60, 63, 64, 65, 1, 2}, language),
            trList({67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 1, 2}, language),
            trList({81, 82, 98, 112, 109, 110, 107, 108, 111, 22, 118, 210, 203}, language)
                << QString::fromUtf8("开发者模式") << QString::fromUtf8("轨迹巡航")};
}

}  // namespace

class TestMenuWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void focus_takenWhenShownAndHandedBack();
    void keys_data();
    void keys();
    void titleBar_keepsTitle();

    void mainMenu_rowsAndTitle();
    void mainMenu_scrollsLongPages();
    void mainMenu_tipShowsLongRowAndForwardsKeys();
    void mainMenu_tipStaysOnScreenForQuickMenu();

    void value_opensOnTheFieldAndShowsItsText();
    void single_heightAndFieldOutsideTheRows();
    void image_chosenPictureHasTheRedFrame();
    void small_keptOnScreenAndIconRows();

    void lineEditor_positionSetsAndConfirm();

    void focusWidgets_styleAndKeyPassing();

    void controller_placesMenusAndTicksThem();

    void noClippedText_data();
    void noClippedText();
    void mainMenu_everyRowReadableInEveryLanguage();

private:
    // The widgets are built on a new screen for every test.
    std::unique_ptr<Screen> m_screen;
    QFont m_font;
    QString m_shotDir;
};

void TestMenuWidgets::initTestCase() {
    korvelInitResources();
    QString why;
    if (!TestAppFont::load(&m_font, &why)) QSKIP(qPrintable(why));
    Global::configuration.keyTone = 0;
    m_shotDir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("menu_shots"));
    QDir().mkpath(m_shotDir);
    qInfo("pictures in %s", qPrintable(m_shotDir));
}

void TestMenuWidgets::init() {
    Global::configuration.systemLanguage = LanguageEnglish;
    m_screen.reset(new Screen);
    m_screen->show();
    QApplication::setActiveWindow(m_screen.get());
    m_screen->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
}

void TestMenuWidgets::cleanup() {
    m_screen.reset();
}

void TestMenuWidgets::focus_takenWhenShownAndHandedBack() {
    auto* menu = new UxMainMenu(m_screen.get());
    menu->setGeometry(0, 0, 180, 270);
    auto* value = new UxSubMenuValue(m_screen.get());
    value->setGeometry(36, 210, 200, 60);
    QVERIFY(m_screen->hasFocus());
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
    QWidget* s = m_screen.get();
    QStringList fired;  // the signals of one step
    QStringList rows, hundreds;
    for (int i = 0; i < 13; ++i)
        rows << QStringLiteral("Row %1").arg(i);
    for (int i = 0; i <= 200; ++i)
        hundreds << QString::number(i);
    float value = 3;
    int field = widget == "single" ? 2 : 1;
    int checks[3] = {1, 0, 1};
    std::unique_ptr<UxKeyWidget> w;
    std::function<void()> open;
    std::function<QString()> state;
    auto note = [&fired](const QString& what) { fired << what; };
    if (widget == "list") {
        auto* m = new UxMainMenu(s);
        w.reset(m);
        m->setGeometry(0, 0, 180, 270);
        connect(m, &UxMainMenu::signal_keyClick_enter,
                [=](int r) { note("enter" + QString::number(r)); });
        connect(m, &UxMainMenu::signal_keyClick_change, [=] { note("change"); });
        connect(m, &UxMainMenu::signal_keyClick_esc, [=] { note("esc"); });
        open = [=] { m->showMainMenu("system", "SYSTEM", rows); };
        state = [=] { return QString::number(m->currentRow()); };
    } else if (widget == "slider") {
        auto* v = new UxSubMenuValue(s);
        w.reset(v);
        v->setGeometry(36, 210, 200, 60);
        connect(v, &UxSubMenuValue::signal_keyClick_ok, [=] { note("ok"); });
        open = [=, &value] { v->showSubMenu("Test", QString(), hundreds, hundreds, &value); };
        state = [&value] { return QString::number(double(value)); };
    } else if (widget == "editor") {
        auto* e = new UxLineEditor(s);
        w.reset(e);
        e->setGeometry(10, 200, 252, 64);
        open = [=] { e->showLineEditor("0", {"0123456789"}, "left"); };
        state = [=] { return e->text(); };
    } else if (widget == "single") {
        auto* g = new UxSubMenuItemSingle(s);
        w.reset(g);
        g->setGeometry(36, 210, 200, 60);
        open = [=, &field] { g->showSubMenu("Unit", {"KM", "Yard", "m", "ft"}, &field); };
        // The marked row follows the field.
        state = [=, &field] {
            return QStringLiteral("%1/%2%3")
                .arg(g->currentRow())
                .arg(field)
                .arg(g->checkedRow() == field ? "" : "?");
        };
    } else if (widget == "multi") {
        auto* m = new UxSubMenuItemMulti(s);
        w.reset(m);
        m->setGeometry(36, 210, 200, 60);
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
        auto* i = new UxSubMenuImage(s);
        w.reset(i);
        i->setGeometry(0, 244, 265, 110);
        open = [=, &field] { i->showMenuImage("Background", "background", &field); };
        state = [&field] { return QString::number(field); };
    } else if (widget == "item") {
        auto* i = new UxSubMenuItem(s);
        w.reset(i);
        i->setGeometry(36, 210, 200, 60);
        connect(i, &UxSubMenuItem::signal_itemClick,
                [=](QString tag, int r) { note(QStringLiteral("item:%1:%2").arg(tag).arg(r)); });
        connect(i, &UxSubMenuItem::signal_submenuHide, [=](QString t) { note("hide:" + t); });
        open = [=] {
            i->showSubMenu("Wiring", "wiringTest", {"Forward", "Left", "Right", "Stop"});
        };
        state = [=] { return QString::number(i->currentRow()); };
    } else {
        auto* m = new UxSmallMenu(widget == "icons", s);
        w.reset(m);
        m->move(75, 190);
        connect(m, &UxSmallMenu::signal_itemClick,
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
            static_cast<UxMainMenu*>(w.get())->setRowEnabled(step.mid(3).toInt(), false);
        } else if (step.startsWith('t')) {
            for (int i = step.mid(1).toInt(); i > 0; --i) {
                if (held) press(w.get(), held, true);
                w->do_timer();
            }
        } else if (step.startsWith('+')) {
            press(w.get(), key);
            held = key;
        } else if (step.startsWith('-')) {
            release(w.get(), key);
            if (key == held) held = 0;
        } else {
            QTest::keyClick(w.get(), Qt::Key(key));
        }
        got << state() + (fired.isEmpty() ? "" : "+" + fired.join('+')) +
                   (w->isVisible() ? "" : "~");
    }
    QCOMPARE(got.join(' '), after);
}

void TestMenuWidgets::titleBar_keepsTitle() {
    UxTitleBar bar(m_screen.get());
    bar.setGeometry(0, 0, 200, 28);
    bar.setTitleText("Waypoint", "1/5");
    QCOMPARE(bar.getTitle(), QStringLiteral("Waypoint"));
    const QVector<StructTextBox> boxes = bar.textBoxes();
    QCOMPARE(boxes.size(), 2);
    QVERIFY(boxes.at(0).box.right() < boxes.at(1).box.left());
    QCOMPARE(boxes.at(1).text, QStringLiteral("1/5"));
}

void TestMenuWidgets::mainMenu_rowsAndTitle() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(0, 0, 180, 270);
    menu.showMainMenu("system", "SYSTEM", {"Row 0", "Row 1"});
    QCOMPARE(menu.getCurrentType(), QStringLiteral("system"));
    QCOMPARE(menu.rowText(0), QStringLiteral("  Row 0"));  // two leading spaces
    // More than 20 rows: the rest is not shown.
    QStringList many;
    for (int i = 0; i < 25; ++i)
        many << QString::number(i);
    menu.showMainMenu("x", "X", many);
    QCOMPARE(menu.rowCount(), UxMainMenu::kMaxRows);
    menu.refreshTR("Y");
    QCOMPARE(menu.getTitle(), QStringLiteral("Y"));
}

void TestMenuWidgets::mainMenu_scrollsLongPages() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(46, 180, 180, 270);
    const QStringList quick = pages(LanguageEnglish).last();
    menu.showMainMenu("quick", "QUICK OPERATION", quick);
    const int visible = menu.visibleRowCount();
    QVERIFY(visible >= 8 && visible < quick.size());
    for (int i = 0; i < visible; ++i)
        QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), visible);
    QCOMPARE(menu.topRow(), 1);
    QVERIFY(menu.rowRect(visible).isValid());
    QVERIFY(!menu.rowRect(0).isValid());
    QVERIFY(menu.rowRect(visible).bottom() < menu.height());
    QTest::keyClick(&menu, Qt::Key_Up);
    QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.topRow(), 1);
    while (menu.currentRow() > 0)
        QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.topRow(), 0);
    // Up from row 0 shows the last rows.
    QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.currentRow(), quick.size() - 1);
    QCOMPARE(menu.topRow(), quick.size() - visible);
}

void TestMenuWidgets::mainMenu_tipShowsLongRowAndForwardsKeys() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(0, 0, 180, 270);
    QSignalSpy enter(&menu, &UxMainMenu::signal_keyClick_enter);
    QSignalSpy esc(&menu, &UxMainMenu::signal_keyClick_esc);
    menu.showMainMenu("gps", "GPS SETTINGS", pages(LanguageEnglish).at(2));
    UxMenuTip* tip = menu.tip();
    QVERIFY(!tip->isVisible());
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 7);
    QVERIFY(tip->isVisible());
    QCOMPARE(tip->text(), QStringLiteral("  Calibrate Compass of Display"));
    QVERIFY(QFontMetrics(m_font).horizontalAdvance(tip->text()) > UxMainMenu::kTipThreshold);
    QVERIFY(tip->hasFocus());
    // Laid over the selected row.
    QCOMPARE(tip->y(), menu.y() + menu.rowRect(7).top());
    // Keys go through the tip to the list.
    QTest::keyClick(tip, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 8);
    QCOMPARE(tip->text(), QStringLiteral("  Calibrate Compass of Boat"));
    QTest::keyClick(tip, Qt::Key_Right);
    QTest::keyClick(tip, Qt::Key_Return);
    QCOMPARE(enter.size(), 2);
    QCOMPARE(enter.at(0).at(0).toInt(), 8);
    QTest::keyClick(tip, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 9);
    QVERIFY(!tip->isVisible());
    QVERIFY(menu.hasFocus());
    QTest::keyClick(&menu, Qt::Key_Up);
    QVERIFY(tip->isVisible());
    QTest::keyClick(tip, Qt::Key_M);
    QCOMPARE(esc.size(), 1);
    // Held keys keep repeating while the focus passes between the list and its tip, and stop
    // when let go on either.
    press(tip, Qt::Key_Up);
    QCOMPARE(menu.currentRow(), 7);
    for (int i = 0; i < 6; ++i)
        menu.do_timer();
    QCOMPARE(menu.currentRow(), 6);
    QVERIFY(menu.hasFocus());
    release(&menu, Qt::Key_Up);
    press(&menu, Qt::Key_Down);  // onto a long row: the tip takes the focus
    release(tip, Qt::Key_Down);
    for (int i = 0; i < 6; ++i)
        menu.do_timer();
    QCOMPARE(menu.currentRow(), 7);
    // Hiding the list hides the tip.
    QTest::keyClick(&menu, Qt::Key_Down);
    QVERIFY(tip->isVisible());
    menu.hide();
    QVERIFY(!tip->isVisible());
    QVERIFY(m_screen->hasFocus());
}

void TestMenuWidgets::mainMenu_tipStaysOnScreenForQuickMenu() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(46, 180, 180, 270);
    menu.showMainMenu("quick", "QUICK OPERATION", pages(LanguageEnglish).last());
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.rowText(12), QStringLiteral("  Multi-Target Autopilot"));
    UxMenuTip* tip = menu.tip();
    QVERIFY(tip->isVisible());
    QVERIFY(tip->geometry().right() < 272);
    QVERIFY(tip->x() >= 0);
    QCOMPARE(tip->y(), menu.y() + menu.rowRect(12).top());
}

void TestMenuWidgets::value_opensOnTheFieldAndShowsItsText() {
    UxSubMenuValue value(m_screen.get());
    value.setGeometry(36, 210, 200, 60);
    float field = 8.0f;
    value.showSubMenu("Battery Alarm", "V", {"7.9", "8", "8.1"}, {"OFF", "8", "8.1"}, &field);
    QCOMPARE(value.getTitle(), QStringLiteral("Battery Alarm"));
    QCOMPARE(value.shownText(), QStringLiteral("8 V"));
    QTest::keyClick(&value, Qt::Key_Left);
    QCOMPARE(value.shownText(), QStringLiteral("OFF V"));
    QCOMPARE(field, 7.9f);  // the value, not the text shown for it
    // A value not in the list starts at the first entry; escape puts it back.
    field = 4.5f;
    value.showSubMenu("Backlight", QString(), {"1", "2", "3"}, {"1", "2", "3"}, &field);
    QCOMPARE(value.currentIndex(), 0);
    QCOMPARE(field, 1.0f);
    QTest::keyClick(&value, Qt::Key_Escape);
    QCOMPARE(field, 4.5f);
    // An empty list or no field opens nothing.
    value.showSubMenu("Empty", QString(), {}, {}, &field);
    QVERIFY(!value.isVisible());
    value.showSubMenu("No field", QString(), {"1"}, {"1"}, nullptr);
    QVERIFY(!value.isVisible());
}

void TestMenuWidgets::single_heightAndFieldOutsideTheRows() {
    UxSubMenuItemSingle single(m_screen.get());
    single.setGeometry(36, 210, 200, 60);
    int field = 2;
    single.showSubMenu("Distance Unit", {"KM", "Yard", "m", "ft"}, &field);
    QCOMPARE(single.height(), 2 * UxTheme::kFrameWidth + UxTheme::kTitleHeight + 4 * 25);
    // A field outside the rows: nothing marked, cursor on row 0, nothing written.
    field = 9;
    single.showSubMenu("Units", {"a", "b"}, &field);
    QCOMPARE(single.checkedRow(), -1);
    QCOMPARE(single.currentRow(), 0);
    QCOMPARE(field, 9);
}

void TestMenuWidgets::image_chosenPictureHasTheRedFrame() {
    UxSubMenuImage image(m_screen.get());
    image.setGeometry(0, 244, 265, 110);
    QVERIFY(UxSubMenuImage::loadSmallImageData());
    int field = 2;
    image.showMenuImage("Background", "background", &field);
    QVERIFY(!image.previewImage(0).isNull());
    QVERIFY(!image.previewImage(2).isNull());
    const QImage shot = image.grab().toImage();
    const QRect chosen = image.choiceRect(2);
    QCOMPARE(shot.pixelColor(chosen.left() + 1, chosen.center().y()), QColor(255, 0, 0));
    const QRect other = image.choiceRect(0);
    QVERIFY(shot.pixelColor(other.left() + 1, other.center().y()) != QColor(255, 0, 0));
}

void TestMenuWidgets::small_keptOnScreenAndIconRows() {
    UxSmallMenu small(false, m_screen.get());
    small.move(133, 244);
    small.showSmallMenu(trList({26, 27, 28, 29, 30, 31, 32, 33}, LanguageEnglish));
    // Kept on the screen although placed where 185 px would run past its edge.
    QVERIFY(small.geometry().right() < 272);
    QCOMPARE(small.width(), UxSmallMenu::kWidth);
    QCOMPARE(small.rowCount(), 8);
    UxSmallMenu icons(true, m_screen.get());
    icons.showSmallMenu(2);
    QCOMPARE(icons.rowCount(), 3);
}

void TestMenuWidgets::lineEditor_positionSetsAndConfirm() {
    UxLineEditor editor(m_screen.get());
    editor.setGeometry(10, 200, 252, 64);
    QSignalSpy confirm(&editor, &UxLineEditor::signal_editorConfirm);
    QLineEdit target(m_screen.get());
    target.setText("old");
    editor.showLineEditor(&target, "499", {"01234", "0123456789", "0123456789"}, "left");
    QCOMPARE(editor.cursorPosition(), 0);
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("099"));
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Down);
    QCOMPARE(editor.text(), QStringLiteral("089"));
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Right);
    QCOMPARE(editor.cursorPosition(), 2);
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("080"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QCOMPARE(confirm.size(), 1);
    QCOMPARE(confirm.at(0).at(0).toString(), QStringLiteral("080"));
    QVERIFY(!editor.isVisible());

    // A longitude: Right skips the fixed space, degree sign and point; escape writes nothing.
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
    // The cursor mark stands under the current position.
    QVERIFY(editor.cellRect(0).contains(QPoint(editor.cellRect(0).center().x(), 10)));
    QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QCOMPARE(confirm.size(), 1);

    // A held key repeats with nobody else ticking the editor: it has its own repeat timer.
    editor.showLineEditor("0", {"0123456789"}, "left");
    press(&editor, Qt::Key_Up);
    QTRY_COMPARE_WITH_TIMEOUT(editor.text(), QStringLiteral("3"), 3000);
    release(&editor, Qt::Key_Up);
}

void TestMenuWidgets::focusWidgets_styleAndKeyPassing() {
    auto* button = new UxFocusButton("A very long button text", m_screen.get());
    button->setGeometry(10, 10, 60, 30);
    auto* edit = new UxFocusLineEdit(m_screen.get());
    edit->setGeometry(10, 50, 100, 30);
    edit->setStyleSheet("color: red");
    auto* box = new UxFocusChBox("Message when arrive", m_screen.get());
    box->setGeometry(10, 90, 200, 30);
    auto* label = new UxFocusLabel("Name", m_screen.get());
    label->setGeometry(10, 130, 100, 30);
    auto* icon = new UxFocusIcoLabel(m_screen.get());
    icon->setGeometry(10, 170, 30, 30);
    for (QWidget* w : QList<QWidget*>{button, edit, box, label, icon})
        w->show();

    QVERIFY(button->textTooWide());
    button->setFocus();
    QCOMPARE(button->styleSheet(), QStringLiteral("background-color: yellow"));
    edit->setFocus();
    QCOMPARE(button->styleSheet(), QString());
    QCOMPARE(edit->styleSheet(), QStringLiteral("background-color: green"));
    box->setFocus();
    QCOMPARE(edit->styleSheet(), QStringLiteral("color: red"));  // its own style back
    QVERIFY(box->styleSheet().startsWith("spacing: 5px;color: white;"));
    label->setFocus();
    QVERIFY(label->styleSheet().startsWith("color: white; background-color: qlineargradient"));
    icon->setFocus();
    QCOMPARE(icon->styleSheet(), QStringLiteral("background-color: green"));
    QCOMPARE(label->styleSheet(), QString());

    // Keys go on to the screen that holds the fields; the fields do not act on them.
    m_screen->keys.clear();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(edit->text(), QString());
    QVERIFY(!box->isChecked());
    QCOMPARE(m_screen->keys, (QList<int>{Qt::Key_A, Qt::Key_Return, Qt::Key_Space}));
}

// The controller builds the widgets on the view at their places, dims the screen while one is
// open, and its main tick drives the held-key repeat.
void TestMenuWidgets::controller_placesMenusAndTicksThem() {
    TestRoot root;
    Configuration::applyDefaults(Global::configuration);
    Global::configuration.keyTone = 0;
    Korvel k;
    k.mainTimer()->stop();
    const QRect editor(36, 210, 200, 60);
    QCOMPARE(k.menus().image()->geometry(), QRect(0, 244, 265, 110));
    for (QWidget* w : QList<QWidget*>{k.menus().value(), k.menus().item(), k.menus().single(),
                                      k.menus().multi()})
        QCOMPARE(w->geometry(), editor);
    for (QWidget* w :
         QList<QWidget*>{k.menus().main(), k.menus().small(), k.menus().image(), k.menus().value(),
                         k.menus().item(), k.menus().single(), k.menus().multi()}) {
        QCOMPARE(w->parentWidget(), static_cast<QWidget*>(k.view()));
        QVERIFY(!w->isVisible());
    }
    QStringList rows;
    for (int i = 0; i < 10; ++i)
        rows << QString::number(i);
    k.menus().main()->showMainMenu("basic", "BASIC", rows);
    press(k.menus().main(), Qt::Key_Down);
    for (int tick = 0; tick < 6; ++tick)
        k.slot_timeout_main();
    QCOMPARE(k.menus().main()->currentRow(), 2);
    QVERIFY(k.view()->isLowLight());
    release(k.menus().main(), Qt::Key_Down);

    float field = 0;
    QStringList values;
    for (int i = 0; i <= 50; ++i)
        values << QString::number(i);
    k.menus().value()->showSubMenu("Test", QString(), values, values, &field);
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

// Opens one widget on the screen with the texts of a language.
using Opener = std::function<UxKeyWidget*(QWidget* screen, int language)>;

struct StructCase {
    const char* name;
    Opener open;
};

QVector<StructCase> cases() {
    static float valueField = 0;
    static int intField = 0;
    static int f1 = 1, f2 = 0, f3 = 1;
    return {
        {"mainmenu_basic",
         [](QWidget* s, int l) {
             auto* w = new UxMainMenu(s);
             w->setGeometry(0, 0, 180, 270);
             w->showMainMenu("basic", trText(7, l), pages(l).at(0));
             return w;
         }},
        {"quickmenu",
         [](QWidget* s, int l) {
             auto* w = new UxMainMenu(s);
             w->setGeometry(46, 180, 180, 270);
             w->showMainMenu("quick", trText(80, l), pages(l).last());
             return w;
         }},
        {"value_battery",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuValue(s);
             w->setGeometry(36, 210, 200, 60);
             valueField = 12.5f;
             QStringList values, shown;
             for (int t = 79; t <= 180; ++t) {
                 values << QString::number(t / 10.0, 'g', 6);
                 shown << (t == 79 ? trText(4, l) : values.last());
             }
             w->showSubMenu(trText(73, l), "V", values, shown, &valueField);
             return w;
         }},
        {"value_offset",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuValue(s);
             w->setGeometry(36, 210, 200, 60);
             valueField = -1.5f;
             QStringList values;
             for (int t = -20; t <= 20; ++t)
                 values << QString::number(t / 10.0, 'g', 6);
             w->showSubMenu(trText(36, l), "V", values, values, &valueField);
             return w;
         }},
        {"single_language",
         [](QWidget* s, int) {
             auto* w = new UxSubMenuItemSingle(s);
             w->setGeometry(36, 210, 200, 60);
             intField = 3;
             w->showSubMenu(
                 trText(70, Global::configuration.systemLanguage),
                 {"English", QString::fromUtf8("Pусский"), QString::fromUtf8("Français"), "Deutsch",
                  "Nederland", "Polski", QString::fromUtf8("Español"), QString::fromUtf8("中文")},
                 &intField);
             return w;
         }},
        {"single_logger",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuItemSingle(s);
             w->setGeometry(36, 210, 200, 60);
             intField = 1;
             w->showSubMenu(trText(118, l), trList({4, 119, 120}, l), &intField);
             return w;
         }},
        {"single_boattype",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuItemSingle(s);
             w->setGeometry(36, 210, 200, 60);
             intField = 2;
             w->showSubMenu(trText(56, l), trList({57, 58, 59}, l), &intField);
             return w;
         }},
        {"multi_overlap",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuItemMulti(s);
             w->setGeometry(36, 210, 200, 60);
             w->showSubMenu(trText(22, l), trList({23, 24, 25}, l), {&f1, &f2, &f3});
             return w;
         }},
        {"multi_channels",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuItemMulti(s);
             w->setGeometry(36, 210, 200, 60);
             w->showSubMenu(trText(60, l), trList({61, 62}, l), {&f1, &f2});
             return w;
         }},
        {"item_wiring",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuItem(s);
             w->setGeometry(36, 210, 200, 60);
             w->showSubMenu(trText(51, l), "wiringTest", trList({52, 53, 54, 55}, l));
             return w;
         }},
        {"image_background",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuImage(s);
             w->setGeometry(0, 244, 265, 110);
             intField = 1;
             w->showMenuImage(trText(11, l), "background", &intField);
             return w;
         }},
        {"image_color",
         [](QWidget* s, int l) {
             auto* w = new UxSubMenuImage(s);
             w->setGeometry(0, 244, 265, 110);
             intField = 2;
             w->showMenuImage(trText(13, l), "color", &intField);
             return w;
         }},
        {"small_panels",
         [](QWidget* s, int l) {
             auto* w = new UxSmallMenu(false, s);
             w->move(133, 244);
             w->showSmallMenu(trList({26, 27, 28, 29, 30, 31, 32, 33}, l));
             return w;
         }},
        {"small_waypoint",
         [](QWidget* s, int l) {
             auto* w = new UxSmallMenu(false, s);
             w->setGeometry(75, 190, 185, 150);
             w->showSmallMenu(trList({91, 92, 93, 94, 95, 96, 97, 208}, l));
             return w;
         }},
        {"small_icons",
         [](QWidget* s, int) {
             auto* w = new UxSmallMenu(true, s);
             w->move(150, 200);
             w->showSmallMenu(1);
             return w;
         }},
        {"line_editor",
         [](QWidget* s, int) {
             auto* w = new UxLineEditor(s);
             w->setGeometry(10, 200, 252, 64);
             const QString d = QStringLiteral("0123456789");
             w->showLineEditor(QString::fromUtf8("E 113°12.3456"),
                               {"EW", "", "01", d, d, "", "012345", d, "", d, d, d, d}, "left");
             return w;
         }},
    };
}

}  // namespace

void TestMenuWidgets::noClippedText_data() {
    QTest::addColumn<int>("caseIndex");
    QTest::addColumn<int>("language");
    const QVector<StructCase> all = cases();
    for (int i = 0; i < all.size(); ++i) {
        for (int language : kShotLanguages) {
            QTest::addRow("%s_%s", all.at(i).name, kLanguageNames[language]) << i << language;
        }
    }
}

// Every text a widget shows fits its box with the application font, every box lies inside
// the widget, and the widget inside the screen. A picture of each goes to the build tree.
void TestMenuWidgets::noClippedText() {
    QFETCH(int, caseIndex);
    QFETCH(int, language);
    Global::configuration.systemLanguage = language;
    const StructCase c = cases().at(caseIndex);
    UxKeyWidget* w = c.open(m_screen.get(), language);
    QVERIFY(w->isVisible());
    QVERIFY(w->hasFocus());
    QVERIFY2(m_screen->rect().contains(w->geometry()), "widget runs off the screen");
    const QVector<StructTextBox> boxes = w->textBoxes();
    QVERIFY(!boxes.isEmpty() || QByteArray(c.name) == "small_icons");
    for (const StructTextBox& b : boxes) {
        const QFontMetrics metrics(b.font);
        QCOMPARE(b.font.pixelSize(), 18);
        const int width = metrics.horizontalAdvance(b.text);
        QVERIFY2(width <= b.box.width(), qPrintable(QStringLiteral("\"%1\" is %2 px in a %3 px box")
                                                        .arg(b.text)
                                                        .arg(width)
                                                        .arg(b.box.width())));
        QVERIFY2(metrics.height() <= b.box.height(),
                 qPrintable(QStringLiteral("\"%1\" is %2 px high in a %3 px box")
                                .arg(b.text)
                                .arg(metrics.height())
                                .arg(b.box.height())));
        QVERIFY2(w->rect().contains(b.box), qPrintable(b.text));
    }
    const QString file = QDir(m_shotDir).filePath(
        QStringLiteral("%1_%2.png")
            .arg(QLatin1String(c.name), QLatin1String(kLanguageNames[language])));
    QVERIFY(m_screen->grab().save(file));
}

// A menu row too wide for the list is readable whole in the tip, in every language and on
// every page, in both the main and the quick menu.
void TestMenuWidgets::mainMenu_everyRowReadableInEveryLanguage() {
    UxMainMenu menu(m_screen.get());
    QStringList problems;
    for (int language = 0; language < LanguageCount; ++language) {
        const QVector<QStringList> all = pages(language);
        for (int page = 0; page < all.size(); ++page) {
            menu.setGeometry(page == all.size() - 1 ? QRect(46, 180, 180, 270)
                                                    : QRect(0, 0, 180, 270));
            menu.showMainMenu("p", trText(7, language), all.at(page));
            for (int row = 0; row < all.at(page).size(); ++row) {
                menu.hide();
                menu.showMainMenu("p", trText(7, language), all.at(page));
                for (int i = 0; i < row; ++i)
                    QTest::keyClick(&menu, Qt::Key_Down);
                const QString text = menu.rowText(row);
                const int width = QFontMetrics(m_font).horizontalAdvance(text);
                if (width <= menu.rowTextBox(row).width()) {
                    if (menu.tip()->isVisible()) problems << "tip over a short row: " + text;
                    continue;
                }
                UxMenuTip* tip = menu.tip();
                if (!tip->isVisible() || tip->text() != text) {
                    problems << "no tip for " + text;
                    continue;
                }
                const QVector<StructTextBox> boxes = tip->textBoxes();
                if (boxes.size() != 1 || width > boxes.at(0).box.width() ||
                    !m_screen->rect().contains(tip->geometry()))
                    problems << QStringLiteral("%1: %2 px tip clipped").arg(text).arg(width);
            }
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    // One picture of a tip in German, for a look.
    Global::configuration.systemLanguage = LanguageGerman;
    menu.setGeometry(0, 0, 180, 270);
    menu.showMainMenu("gps", trText(39, LanguageGerman), pages(LanguageGerman).at(2));
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&menu, Qt::Key_Down);
    QVERIFY(m_screen->grab().save(QDir(m_shotDir).filePath("mainmenu_tip_de.png")));
}

KORVEL_TEST_MAIN(TestMenuWidgets)
#include "test_menu_widgets.moc"
