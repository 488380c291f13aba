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
    void titleBar_keepsTitle();

    void mainMenu_wrapsAndSkipsDisabledRows();
    void mainMenu_keysEmitSignals();
    void mainMenu_heldKeyRepeatsFromSixthTick();
    void mainMenu_scrollsLongPages();
    void mainMenu_tipShowsLongRowAndForwardsKeys();
    void mainMenu_tipStaysOnScreenForQuickMenu();

    void value_stepsAndEscapeRestores();
    void value_enterKeepsAndReports();
    void value_heldKeyRepeatsAndAccelerates();
    void value_notInListStartsAtFirst();

    void single_wrapsAndWritesField();
    void multi_togglesFields();
    void image_movesWithinThreeAndWritesField();
    void item_reportsTagAndHide();
    void small_textAndIconMode();

    void lineEditor_positionSetsAndConfirm();
    void lineEditor_heldUpRepeats();

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

void TestMenuWidgets::mainMenu_wrapsAndSkipsDisabledRows() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(0, 0, 180, 270);
    QStringList rows;
    for (int i = 0; i < 13; ++i)
        rows << QStringLiteral("Row %1").arg(i);
    menu.showMainMenu("system", "SYSTEM", rows);
    QCOMPARE(menu.getCurrentType(), QStringLiteral("system"));
    QCOMPARE(menu.rowText(0), QStringLiteral("  Row 0"));  // two leading spaces
    QCOMPARE(menu.currentRow(), 0);
    QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.currentRow(), 12);
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 0);
    menu.setRowEnabled(1, false);
    menu.setRowEnabled(2, false);
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 3);
    QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.currentRow(), 0);
    // More than 20 rows: the rest is not shown.
    QStringList many;
    for (int i = 0; i < 25; ++i)
        many << QString::number(i);
    menu.showMainMenu("x", "X", many);
    QCOMPARE(menu.rowCount(), UxMainMenu::kMaxRows);
    menu.refreshTR("Y");
    QCOMPARE(menu.getTitle(), QStringLiteral("Y"));
}

void TestMenuWidgets::mainMenu_keysEmitSignals() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(0, 0, 180, 270);
    QSignalSpy enter(&menu, &UxMainMenu::signal_keyClick_enter);
    QSignalSpy change(&menu, &UxMainMenu::signal_keyClick_change);
    QSignalSpy esc(&menu, &UxMainMenu::signal_keyClick_esc);
    menu.showMainMenu("basic", "BASIC", {"A", "B", "C"});
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Right);
    QTest::keyClick(&menu, Qt::Key_Enter);
    QCOMPARE(enter.size(), 3);
    QCOMPARE(enter.at(0).at(0).toInt(), 1);
    QCOMPARE(enter.at(1).at(0).toInt(), 2);
    QTest::keyClick(&menu, Qt::Key_C);
    QCOMPARE(change.size(), 1);
    QTest::keyClick(&menu, Qt::Key_Escape);
    QTest::keyClick(&menu, Qt::Key_M);
    QCOMPARE(esc.size(), 2);
    // The controller closes the list; the list itself only reports.
    QVERIFY(menu.isVisible());
}

void TestMenuWidgets::mainMenu_heldKeyRepeatsFromSixthTick() {
    UxMainMenu menu(m_screen.get());
    menu.setGeometry(0, 0, 180, 270);
    QStringList rows;
    for (int i = 0; i < 13; ++i)
        rows << QStringLiteral("Row %1").arg(i);
    menu.showMainMenu("system", "SYSTEM", rows);
    press(&menu, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 1);
    for (int tick = 1; tick <= 5; ++tick) {
        press(&menu, Qt::Key_Down, true);  // the keyboard's own repeat does not move
        menu.do_timer();
    }
    QCOMPARE(menu.currentRow(), 1);
    menu.do_timer();  // 6th tick
    QCOMPARE(menu.currentRow(), 2);
    menu.do_timer();
    menu.do_timer();
    QCOMPARE(menu.currentRow(), 4);
    release(&menu, Qt::Key_Down);
    menu.do_timer();
    QCOMPARE(menu.currentRow(), 4);
    // Held Up wraps round through row 0.
    press(&menu, Qt::Key_Up);
    for (int tick = 0; tick < 10; ++tick)
        menu.do_timer();
    QCOMPARE(menu.currentRow(), (3 - 5 + 13) % 13);
    // Hiding forgets the held key.
    menu.hide();
    menu.showMainMenu("system", "SYSTEM", rows);
    for (int tick = 0; tick < 10; ++tick)
        menu.do_timer();
    QCOMPARE(menu.currentRow(), 0);
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
    QTest::keyClick(tip, Qt::Key_Return);
    QCOMPARE(enter.size(), 1);
    QCOMPARE(enter.at(0).at(0).toInt(), 8);
    QTest::keyClick(tip, Qt::Key_Down);
    QCOMPARE(menu.currentRow(), 9);
    QVERIFY(!tip->isVisible());
    QVERIFY(menu.hasFocus());
    QTest::keyClick(&menu, Qt::Key_Up);
    QVERIFY(tip->isVisible());
    QTest::keyClick(tip, Qt::Key_M);
    QCOMPARE(esc.size(), 1);
    // Held keys keep repeating while the focus passes between the list and its tip.
    press(tip, Qt::Key_Up);
    QCOMPARE(menu.currentRow(), 7);
    for (int i = 0; i < 6; ++i)
        menu.do_timer();
    QCOMPARE(menu.currentRow(), 6);
    QVERIFY(menu.hasFocus());
    release(&menu, Qt::Key_Up);
    menu.do_timer();
    QCOMPARE(menu.currentRow(), 6);
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

void TestMenuWidgets::value_stepsAndEscapeRestores() {
    UxSubMenuValue value(m_screen.get());
    value.setGeometry(36, 210, 200, 60);
    float field = 3;
    QStringList values, shown;
    for (int i = 0; i <= 9; ++i) {
        values << QString::number(i);
        shown << (i == 0 ? QStringLiteral("AUTO") : QString::number(i));
    }
    value.showSubMenu("Sensitivity", QString(), values, shown, &field);
    QCOMPARE(value.getTitle(), QStringLiteral("Sensitivity"));
    QCOMPARE(value.currentIndex(), 3);
    QTest::keyClick(&value, Qt::Key_Right);
    QTest::keyClick(&value, Qt::Key_Up);
    QTest::keyClick(&value, Qt::Key_Right);
    QCOMPARE(field, 6.0f);
    QTest::keyClick(&value, Qt::Key_Left);
    QTest::keyClick(&value, Qt::Key_Down);
    QCOMPARE(field, 4.0f);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&value, Qt::Key_Left);
    QCOMPARE(field, 0.0f);  // held at the first value
    QCOMPARE(value.shownText(), QStringLiteral("AUTO"));
    QTest::keyClick(&value, Qt::Key_Escape);
    QCOMPARE(field, 3.0f);
    QVERIFY(!value.isVisible());
    // M leaves like escape.
    value.showSubMenu("Sensitivity", QString(), values, shown, &field);
    QTest::keyClick(&value, Qt::Key_Right);
    QTest::keyClick(&value, Qt::Key_M);
    QCOMPARE(field, 3.0f);
}

void TestMenuWidgets::value_enterKeepsAndReports() {
    UxSubMenuValue value(m_screen.get());
    value.setGeometry(36, 210, 200, 60);
    QSignalSpy ok(&value, &UxSubMenuValue::signal_keyClick_ok);
    float field = 8.0f;
    QStringList values, shown;
    for (int t = 79; t <= 180; ++t) {
        values << QString::number(t / 10.0, 'g', 6);
        shown << (t == 79 ? QStringLiteral("OFF") : QString::number(t / 10.0, 'g', 6));
    }
    value.showSubMenu("Battery Alarm", "V", values, shown, &field);
    QCOMPARE(value.currentIndex(), 1);
    QCOMPARE(value.shownText(), QStringLiteral("8 V"));
    QTest::keyClick(&value, Qt::Key_Left);
    QCOMPARE(value.shownText(), QStringLiteral("OFF V"));
    QCOMPARE(field, 7.9f);
    QTest::keyClick(&value, Qt::Key_Right);
    QTest::keyClick(&value, Qt::Key_Right);
    QCOMPARE(field, 8.1f);
    QTest::keyClick(&value, Qt::Key_Return);
    QCOMPARE(ok.size(), 1);
    QVERIFY(!value.isVisible());
    QCOMPARE(field, 8.1f);
}

void TestMenuWidgets::value_heldKeyRepeatsAndAccelerates() {
    UxSubMenuValue value(m_screen.get());
    value.setGeometry(36, 210, 200, 60);
    float field = 0;
    QStringList values;
    for (int i = 0; i <= 200; ++i)
        values << QString::number(i);
    value.showSubMenu("Test", QString(), values, values, &field);
    press(&value, Qt::Key_Right);
    QCOMPARE(field, 1.0f);
    QList<float> after;
    for (int tick = 1; tick <= 30; ++tick) {
        press(&value, Qt::Key_Right, true);
        value.do_timer();
        after << field;
    }
    // Ticks 1-5 nothing; 6, 8, ... 24 one step each (10 steps); 26, 28, 30 five steps each.
    QCOMPARE(after.at(4), 1.0f);
    QCOMPARE(after.at(5), 2.0f);
    QCOMPARE(after.at(6), 2.0f);
    QCOMPARE(after.at(7), 3.0f);
    QCOMPARE(after.at(24), 11.0f);
    QCOMPARE(after.at(25), 16.0f);
    QCOMPARE(after.at(29), 26.0f);
    release(&value, Qt::Key_Right);
    value.do_timer();
    value.do_timer();
    QCOMPARE(field, 26.0f);
    // Held Down steps back the same way, and stops at the first value.
    press(&value, Qt::Key_Down);
    for (int tick = 0; tick < 60; ++tick)
        value.do_timer();
    QCOMPARE(field, 0.0f);
    QTest::keyClick(&value, Qt::Key_Escape);
    QCOMPARE(field, 0.0f);  // the value it had when opened
}

void TestMenuWidgets::value_notInListStartsAtFirst() {
    UxSubMenuValue value(m_screen.get());
    value.setGeometry(36, 210, 200, 60);
    float field = 4.5f;
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

void TestMenuWidgets::single_wrapsAndWritesField() {
    UxSubMenuItemSingle single(m_screen.get());
    single.setGeometry(36, 210, 200, 60);
    int field = 2;
    single.showSubMenu("Distance Unit", {"KM", "Yard", "m", "ft"}, &field);
    QCOMPARE(single.height(), 2 * UxTheme::kFrameWidth + UxTheme::kTitleHeight + 4 * 25);
    QCOMPARE(single.checkedRow(), 2);
    QCOMPARE(single.currentRow(), 2);
    QTest::keyClick(&single, Qt::Key_Down);
    QTest::keyClick(&single, Qt::Key_Down);
    QCOMPARE(single.currentRow(), 0);  // from the last to the first
    QCOMPARE(field, 2);                // moving alone writes nothing
    QTest::keyClick(&single, Qt::Key_Return);
    QCOMPARE(field, 0);
    QCOMPARE(single.checkedRow(), 0);
    QVERIFY(single.isVisible());  // stays open
    QTest::keyClick(&single, Qt::Key_Up);
    QCOMPARE(single.currentRow(), 3);  // from the first to the last
    QTest::keyClick(&single, Qt::Key_Enter);
    QCOMPARE(field, 3);
    QTest::keyClick(&single, Qt::Key_M);
    QVERIFY(!single.isVisible());
    QCOMPARE(field, 3);
    // A field outside the rows: nothing marked, cursor on row 0, nothing written.
    field = 9;
    single.showSubMenu("Units", {"a", "b"}, &field);
    QCOMPARE(single.checkedRow(), -1);
    QCOMPARE(single.currentRow(), 0);
    QCOMPARE(field, 9);
}

void TestMenuWidgets::multi_togglesFields() {
    UxSubMenuItemMulti multi(m_screen.get());
    multi.setGeometry(36, 210, 200, 60);
    int depth = 1, temp = 0, bat = 1;
    multi.showSubMenu("Overlap Data", {"Depth", "Temperature", "Boat Bat."}, {&depth, &temp, &bat});
    QVERIFY(multi.isRowChecked(0));
    QVERIFY(!multi.isRowChecked(1));
    QTest::keyClick(&multi, Qt::Key_Down);
    QTest::keyClick(&multi, Qt::Key_Return);
    QCOMPARE(temp, 1);
    QTest::keyClick(&multi, Qt::Key_Up);
    QTest::keyClick(&multi, Qt::Key_Return);
    QCOMPARE(depth, 0);
    QTest::keyClick(&multi, Qt::Key_Up);  // wraps to the last row
    QTest::keyClick(&multi, Qt::Key_Enter);
    QTest::keyClick(&multi, Qt::Key_Enter);
    QCOMPARE(bat, 1);
    QTest::keyClick(&multi, Qt::Key_Escape);
    QVERIFY(!multi.isVisible());
    QCOMPARE(QList<int>({depth, temp, bat}), QList<int>({0, 1, 1}));
}

void TestMenuWidgets::image_movesWithinThreeAndWritesField() {
    UxSubMenuImage image(m_screen.get());
    image.setGeometry(0, 244, 265, 110);
    QVERIFY(UxSubMenuImage::loadSmallImageData());
    int field = 1;
    image.showMenuImage("Background", "background", &field);
    QVERIFY(!image.previewImage(0).isNull());
    QVERIFY(!image.previewImage(2).isNull());
    QTest::keyClick(&image, Qt::Key_Left);
    QCOMPARE(field, 0);
    QTest::keyClick(&image, Qt::Key_Up);
    QCOMPARE(field, 0);
    QTest::keyClick(&image, Qt::Key_Right);
    QTest::keyClick(&image, Qt::Key_Down);
    QTest::keyClick(&image, Qt::Key_Right);
    QCOMPARE(field, 2);
    // The chosen picture carries the red frame; the others do not.
    const QImage shot = image.grab().toImage();
    const QRect chosen = image.choiceRect(2);
    QCOMPARE(shot.pixelColor(chosen.left() + 1, chosen.center().y()), QColor(255, 0, 0));
    const QRect other = image.choiceRect(0);
    QVERIFY(shot.pixelColor(other.left() + 1, other.center().y()) != QColor(255, 0, 0));
    QTest::keyClick(&image, Qt::Key_Return);
    QVERIFY(!image.isVisible());
    QCOMPARE(field, 2);
}

void TestMenuWidgets::item_reportsTagAndHide() {
    UxSubMenuItem item(m_screen.get());
    item.setGeometry(36, 210, 200, 60);
    QSignalSpy click(&item, &UxSubMenuItem::signal_itemClick);
    QSignalSpy hidden(&item, &UxSubMenuItem::signal_submenuHide);
    item.showSubMenu("Wiring Test", "wiringTest",
                     {"Go Forward", "Turn Left", "Turn Right", "Stop"});
    QTest::keyClick(&item, Qt::Key_Up);
    QTest::keyClick(&item, Qt::Key_Return);
    QCOMPARE(click.size(), 1);
    QCOMPARE(click.at(0).at(0).toString(), QStringLiteral("wiringTest"));
    QCOMPARE(click.at(0).at(1).toInt(), 3);
    QVERIFY(item.isVisible());
    QTest::keyClick(&item, Qt::Key_Escape);
    QCOMPARE(hidden.size(), 1);
    QCOMPARE(hidden.at(0).at(0).toString(), QStringLiteral("Wiring Test"));
    QVERIFY(!item.isVisible());
}

void TestMenuWidgets::small_textAndIconMode() {
    UxSmallMenu small(false, m_screen.get());
    small.move(133, 244);
    QSignalSpy click(&small, &UxSmallMenu::signal_itemClick);
    small.showSmallMenu(trList({26, 27, 28, 29, 30, 31, 32, 33}, LanguageEnglish));
    // Kept on the screen although placed where 185 px would run past its edge.
    QVERIFY(small.geometry().right() < 272);
    QCOMPARE(small.width(), UxSmallMenu::kWidth);
    QCOMPARE(small.rowCount(), 8);
    QTest::keyClick(&small, Qt::Key_Up);
    QTest::keyClick(&small, Qt::Key_Return);
    QCOMPARE(click.size(), 1);
    QCOMPARE(click.at(0).at(0).toInt(), 7);
    QTest::keyClick(&small, Qt::Key_Escape);
    QVERIFY(!small.isVisible());
    QCOMPARE(small.currentRow(), 0);

    UxSmallMenu icons(true, m_screen.get());
    icons.move(100, 100);
    QSignalSpy iconClick(&icons, &UxSmallMenu::signal_itemClick);
    icons.showSmallMenu(2);
    QCOMPARE(icons.rowCount(), 3);
    QCOMPARE(icons.currentRow(), 2);
    QTest::keyClick(&icons, Qt::Key_Down);
    QTest::keyClick(&icons, Qt::Key_Enter);
    QCOMPARE(iconClick.at(0).at(0).toInt(), 0);
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
}

void TestMenuWidgets::lineEditor_heldUpRepeats() {
    UxLineEditor editor(m_screen.get());
    editor.setGeometry(10, 200, 252, 64);
    editor.showLineEditor("0", {"0123456789"}, "left");
    press(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("1"));
    for (int tick = 1; tick <= 5; ++tick) {
        press(&editor, Qt::Key_Up, true);
        editor.do_timer();
    }
    QCOMPARE(editor.text(), QStringLiteral("1"));
    editor.do_timer();
    editor.do_timer();
    editor.do_timer();
    QCOMPARE(editor.text(), QStringLiteral("4"));
    release(&editor, Qt::Key_Up);
    editor.do_timer();
    QCOMPARE(editor.text(), QStringLiteral("4"));
    // Left and Right do not repeat.
    press(&editor, Qt::Key_Left);
    for (int tick = 0; tick < 8; ++tick)
        editor.do_timer();
    QCOMPARE(editor.text(), QStringLiteral("4"));
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
