#include "app_font.h"
#include "base/global.h"
#include "base/resources.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/modal_watch.h"
#include "ui/kit/ux_focus_widgets.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/screens/depth_map_menu.h"
#include "ui/screens/history_bar.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/menu_pages.h"
#include "ui/screens/ux_main_menu.h"
#include "ui/screens/ux_menu_tip.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_image.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_item_multi.h"
#include "ui/screens/ux_sub_menu_item_single.h"
#include "ui/screens/ux_sub_menu_value.h"

#include <QGlyphRun>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextLayout>
#include <QtTest>
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

// Every text of a widget that does not fit its box with the application font or whose box
// leaves the widget; the widget itself when it leaves the screen.
QStringList clipped(const UxKeyWidget* w) {
    QStringList problems;
    if (!w->parentWidget()->rect().contains(w->geometry())) problems << "widget off the screen";
    const QVector<StructTextBox> boxes = w->textBoxes();
    if (boxes.isEmpty()) problems << "no text";
    for (const StructTextBox& b : boxes) {
        const QFontMetrics metrics(b.font);
        if (b.font.pixelSize() != 18 || metrics.horizontalAdvance(b.text) > b.box.width() ||
            metrics.height() > b.box.height() || !w->rect().contains(b.box))
            problems << QStringLiteral("\"%1\" in a box %2 px wide").arg(b.text).arg(b.box.width());
    }
    return problems;
}

// Empty when every glyph of text comes from the font itself and none is the missing-glyph box
// (glyph 0); a handset has no fallback fonts, so a glyph borrowed from another installed font
// would be a box there.
QString glyphProblems(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty()) return QStringLiteral("no glyphs");
    QStringList problems;
    for (const QGlyphRun& run : runs) {
        if (run.rawFont().familyName() != font.family())
            problems << QStringLiteral("glyphs from %1").arg(run.rawFont().familyName());
        if (run.glyphIndexes().contains(0)) problems << QStringLiteral("missing glyph");
    }
    return problems.join(QStringLiteral(", "));
}

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
        m_editor = new UxLineEditor(m_screen.get());
        m_icons = new UxSmallMenu(true, m_screen.get());
        m_history = new UxHistoryBar(m_screen.get());
        m_editor->hide();
        m_icons->hide();
        m_value = 3;
        m_field = 1;
        m_checks[0] = m_checks[2] = 1;
        m_checks[1] = 0;
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
        press(value, Qt::Key_Escape);  // the editor closes: the list under it has the keys again
        QVERIFY(!value->isVisible() && menu->hasFocus());
        // Keys given to an open widget never fall through to the screen.
        QTest::keyClick(menu, Qt::Key_Z);
        QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(m_screen->keys.isEmpty());
        menu->hide();
        QVERIFY(m_screen->hasFocus());
    }

    void keys_data();
    void keys();

    // Keys given to the tip over a long row go on to the list. Held keys keep repeating while
    // the focus passes between the list and its tip, and stop when let go on either.
    void mainMenu_tipForwardsKeys() {
        UxMainMenu* menu = m_menus->main();
        QSignalSpy enter(menu, &UxMainMenu::signal_keyClick_enter);
        QSignalSpy esc(menu, &UxMainMenu::signal_keyClick_esc);
        menu->showMainMenu("gps", "GPS SETTINGS", MenuPages::page("gps", 'd').texts());
        UxMenuTip* tip = menu->tip();
        clicks(menu, Qt::Key_Down, 7);  // rows 7 and 8 are too long for the list
        QVERIFY(tip->isVisible() && tip->hasFocus());
        QCOMPARE(tip->text(), QStringLiteral("  Calibrate Compass of Display"));
        QCOMPARE(tip->y(), menu->y() + menu->rowRect(7).top());  // laid over the selected row
        QTest::keyClick(tip, Qt::Key_Down);
        QCOMPARE(menu->currentRow(), 8);
        QTest::keyClick(tip, Qt::Key_Right);
        QTest::keyClick(tip, Qt::Key_Return);
        QCOMPARE(enter.size(), 2);
        QCOMPARE(enter.at(0).at(0).toInt(), 8);
        QTest::keyClick(tip, Qt::Key_Down);
        QVERIFY(!tip->isVisible() && menu->hasFocus());
        QTest::keyClick(menu, Qt::Key_Up);
        QTest::keyClick(tip, Qt::Key_M);
        QCOMPARE(esc.size(), 1);
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
        menu->hide();
        QVERIFY(!tip->isVisible() && m_screen->hasFocus());
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
        QCOMPARE(field, 1.0f);
        QTest::keyClick(value, Qt::Key_Escape);
        QCOMPARE(field, 4.5f);
        // An empty list or no field opens nothing.
        value->showSubMenu("Empty", QString(), {}, {}, &field);
        value->showSubMenu("No field", QString(), {"1"}, {"1"}, nullptr);
        QVERIFY(!value->isVisible());
    }

    void image_chosenPictureHasTheRedFrame() {
        UxSubMenuImage* image = m_menus->image();
        int field = 2;
        for (const char* kind : {"color", "background"}) {
            image->showMenuImage("Background", kind, &field);
            for (int choice = 0; choice < UxSubMenuImage::kChoices; ++choice)
                QVERIFY(!image->previewImage(choice).isNull());
        }
        const QImage shot = image->grab().toImage();
        const QRect chosen = image->choiceRect(2);
        QCOMPARE(shot.pixelColor(chosen.left() + 1, chosen.center().y()), QColor(255, 0, 0));
        const QRect other = image->choiceRect(0);
        QVERIFY(shot.pixelColor(other.left() + 1, other.center().y()) != QColor(255, 0, 0));
    }

    void lineEditor_confirmWritesAndHeldKeyRepeats();
    void focusWidgets_focusMarkAndKeyPassing();
    void controller_menusTickedByTheMainTick();

    void noClippedText_data();
    void noClippedText();

    // Start-up makes the loaded font the application font (at the pixel size the layouts use:
    // see clipped()), and it has a glyph for every text in every language.
    void appFont_everyTextHasGlyphs() {
        QCOMPARE(QApplication::font().family(), QString::fromLatin1(TestAppFont::familyName()));
        QStringList failures;
        for (int language = 0; language < LanguageCount; ++language) {
            for (int id = 0; id < TR_COUNT; ++id) {
                const QString text = trText(id, language);
                const QString problems = glyphProblems(m_font, text);
                if (!problems.isEmpty())
                    failures << QStringLiteral("language %1 id %2 \"%3\": %4")
                                    .arg(language)
                                    .arg(id)
                                    .arg(text, problems);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

private:
    // Opens a widget with a title and rows: the value editor's rows are its values, the image
    // chooser's first row its kind, the character editor's its text and then its sets.
    UxKeyWidget* open(const QString& kind, const QString& title, const QStringList& rows) {
        MenuHost& m = *m_menus;
        if (kind == "list") m.main()->showMainMenu("p", title, rows);
        if (kind == "value") m.value()->showSubMenu(title, "V", rows, rows, &m_value);
        if (kind == "single") m.single()->showSubMenu(title, rows, &m_field);
        if (kind == "multi")
            m.multi()->showSubMenu(title, rows, {&m_checks[0], &m_checks[1], &m_checks[2]});
        if (kind == "item") m.item()->showSubMenu(title, "wiringTest", rows);
        if (kind == "small") m.small()->showSmallMenu(rows);
        if (kind == "icons") m_icons->showSmallMenu(2);  // on the last icon
        if (kind == "image") m.image()->showMenuImage(title, rows.value(0), &m_field);
        if (kind == "editor") m_editor->showLineEditor(rows.value(0), rows.mid(1), "left");
        if (kind.startsWith("history")) {
            // The widest values the bar shows, in feet and Fahrenheit, paused at a slow speed.
            m_history->showBar(QRect(0, 0, 246, 240));
            StructHistoryBarView v;
            v.replay = kind != "historyLive";
            v.paused = kind != "historyPlaying";
            v.time = QStringLiteral("23:59:59");
            v.depth = QStringLiteral("299.9ft");
            v.temperature = QStringLiteral("199.9\u00b0F");
            v.latitude = QStringLiteral("N  89\u00b059.9999\u2032");
            v.longitude = QStringLiteral("W 179\u00b059.9999\u2032");
            v.progress = 0.5;
            v.progressText = QStringLiteral("23:59:59 / 23:59:59");
            v.playState = QStringLiteral("|| x0.25");
            v.cursorColumn = 120;
            m_history->setView(v);
        }
        const QHash<QString, UxKeyWidget*> widgets{
            {"list", m.main()},     {"value", m.value()},       {"single", m.single()},
            {"multi", m.multi()},   {"item", m.item()},         {"small", m.small()},
            {"icons", m_icons},     {"image", m.image()},       {"editor", m_editor},
            {"history", m_history}, {"historyLive", m_history}, {"historyPlaying", m_history}};
        return widgets.value(kind);
    }

    std::unique_ptr<Screen> m_screen;
    ModalWatch m_modals;
    std::unique_ptr<MenuHost> m_menus;
    UxLineEditor* m_editor = nullptr;  // on the screen
    UxSmallMenu* m_icons = nullptr;
    UxHistoryBar* m_history = nullptr;
    QFont m_font;
    float m_value = 0;  // the fields the widgets edit
    int m_field = 0;
    int m_checks[3] = {};
};

// What each widget does with the keys. Script: a key clicks it, +key presses it (and
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
    row("list wraps, skips disabled rows", "list", "Up Down off1 off2 Down Up", "12 0 0 0 3 0");
    row("list keys report, list stays open", "list", "Down Return Down Right Enter C Esc M Z",
        "1 1+enter1 2 2+enter2 2+enter2 2+change 2+esc 2+esc 2");
    row("list held: every tick from the 6th", "list", "+Down t5 t1 t2 -Down t6 +Up t10",
        "1 1 2 4 4 4 3 11");
    row("list held: another key's release keeps it", "list", "+Down -Up t6", "1 1 2");
    row("list held: hiding forgets it", "list", "+Down reopen t10", "1 0 0");
    // Value slider (0 to 200, opened on 3): the field.
    row("slider steps, escape restores", "value", "Right Up Right Left Down Esc", "4 5 6 5 4 3~");
    row("slider stops at the first, m restores", "value", "Left Left Left Left M", "2 1 0 0 3~");
    row("slider enter keeps and reports", "value", "Right Right Return", "4 5 5+ok~");
    row("slider held: every 2nd tick from the 6th, x5 from the 26th", "value",
        "+Right t5 t1 t1 t1 t17 t1 t4 -Right t2", "4 4 5 5 6 14 19 29 29 29");
    row("slider held down the same way", "value", "+Right t30 -Right +Down t20 t40 +Esc",
        "4 29 29 28 20 0 3~");
    // Character editor ("0", digits): the text.
    row("editor held: up repeats, left ends it", "editor", "+Up t5 t3 -Up t6 +Up +Left t8",
        "1 1 4 4 4 5 5 5");
    // Single choice (4 rows, field 2, or 9: none of them): row/field, !the marked row when
    // it is not the field's.
    row("single wraps, enter writes and stays, m closes", "single", "Down Down Return Up Enter M",
        "3/2 0/2 0/0 3/0 3/3 3/3~");
    row("single field outside: none marked, nothing written", "single9", "Down Return",
        "1/9!-1 1/1");
    // Check boxes (fields 1 0 1): row/fields, ? after a tick that differs from its field.
    row("multi enter toggles at once", "multi", "Down Return Up Return Up Enter Enter Esc",
        "1/101 1/111 0/111 0/011 2/011 2/010 2/011 2/011~");
    // Image chooser (field 1): the field.
    row("image moves within three, enter closes", "image", "Left Up Right Down Right Return",
        "0 0 1 2 2 2~");
    row("image escape and m close", "image", "Esc reopen M", "1~ 1 1~");
    // Command list (4 rows), pop-up list (8 rows) and its icon mode (opened on 2): the row.
    row("item enter reports and stays, escape reports", "item", "Up Return Esc",
        "3 3+item:wiringTest:3 3+hide:Wiring~");
    row("small enter reports, escape back to row 0", "small", "Up Return Esc", "7 7+item:7 0~");
    row("icons open on the current one", "icons", "Down Enter", "0 0+item:0");
    // History bar: the signals. Paused replay, playing replay, live.
    row("history held: at once, a step a tick from the 3rd, five from the 16th", "history",
        "Left Right +Left t2 t1 t12 t1 -Left t3",
        "h+-1 h+1 h+-1 h h+-1 h+-1+-1+-1+-1+-1+-1+-1+-1+-1+-1+-1+-1 h+-5 h h");
    row("history paused: list, play, speed, a minute either way, leave", "history",
        "Return C O Up Down Esc", "h+list h+play h+speed h+skip:60 h+skip:-60 h+leave");
    row("history playing: arrows skip ten seconds", "historyPlaying", "Left Right",
        "h+skip:-10 h+skip:10");
    row("history live: enter marks, the replay's keys do nothing", "historyLive", "Return C O Up M",
        "h+mark h h h h+leave");
}

void TestMenuWidgets::keys() {
    QFETCH(QString, widget);
    QFETCH(QString, script);
    QFETCH(QString, after);
    QStringList rows, hundreds;
    for (int i = 0; i < 13; ++i)
        rows << QStringLiteral("Row %1").arg(i);
    for (int i = 0; i <= 200; ++i)
        hundreds << QString::number(i);
    m_field = widget == "single" ? 2 : widget == "single9" ? 9 : 1;
    const QString kind = widget.startsWith("single") ? "single" : widget;
    const QHash<QString, QStringList> content{
        {"value", hundreds}, {"editor", {"0", "0123456789"}}, {"image", {"background"}}};
    rows = content.value(kind, rows.mid(0, kind == "list"    ? 13
                                           : kind == "small" ? 8
                                           : kind == "multi" ? 3
                                                             : 4));
    const auto open = [&] { return this->open(kind, "Wiring", rows); };
    UxKeyWidget* w = open();
    QStringList fired;  // the signals of one step
    const auto note = [&fired](const QString& what) { fired << what; };
    QObject ctx;  // ends the connections before fired goes
    connect(m_menus->main(), &UxMainMenu::signal_keyClick_enter, &ctx,
            [=](int r) { note("enter" + QString::number(r)); });
    connect(m_menus->main(), &UxMainMenu::signal_keyClick_change, &ctx, [=] { note("change"); });
    connect(m_menus->main(), &UxMainMenu::signal_keyClick_esc, &ctx, [=] { note("esc"); });
    connect(m_menus->value(), &UxSubMenuValue::signal_keyClick_ok, &ctx, [=] { note("ok"); });
    connect(m_menus->item(), &UxSubMenuItem::signal_itemClick, &ctx,
            [=](QString tag, int r) { note(QStringLiteral("item:%1:%2").arg(tag).arg(r)); });
    connect(m_menus->item(), &UxSubMenuItem::signal_submenuHide, &ctx,
            [=](QString t) { note("hide:" + t); });
    for (UxSmallMenu* m : {m_menus->small(), m_icons})
        connect(m, &UxSmallMenu::signal_itemClick, &ctx,
                [=](int r) { note("item:" + QString::number(r)); });
    connect(m_history, &UxHistoryBar::signal_step, &ctx, [=](int n) { note(QString::number(n)); });
    connect(m_history, &UxHistoryBar::signal_skip, &ctx,
            [=](int n) { note("skip:" + QString::number(n)); });
    connect(m_history, &UxHistoryBar::signal_mark, &ctx, [=] { note("mark"); });
    connect(m_history, &UxHistoryBar::signal_playPause, &ctx, [=] { note("play"); });
    connect(m_history, &UxHistoryBar::signal_nextSpeed, &ctx, [=] { note("speed"); });
    connect(m_history, &UxHistoryBar::signal_commands, &ctx, [=] { note("list"); });
    connect(m_history, &UxHistoryBar::signal_leave, &ctx, [=] { note("leave"); });
    const auto state = [&]() -> QString {
        if (kind.startsWith("history")) return QStringLiteral("h");
        auto* list = dynamic_cast<UxListWidget*>(w);  // null for the kinds that are no list
        if (kind == "value") return QString::number(double(m_value));
        if (kind == "editor") return m_editor->text();
        if (kind == "image") return QString::number(m_field);
        if (kind == "single") {
            const int marked = m_menus->single()->checkedRow();
            return QStringLiteral("%1/%2").arg(list->currentRow()).arg(m_field) +
                   (marked == m_field ? QString() : "!" + QString::number(marked));
        }
        QString out = QString::number(list->currentRow());
        for (int i = 0; kind == "multi" && i < 3; ++i)
            out += (i ? "" : "/") + QString::number(m_checks[i]) +
                   (list->isRowChecked(i) == bool(m_checks[i]) ? "" : "?");
        return out;
    };
    int held = 0;
    QStringList got;
    for (const QString& step : script.split(' ')) {
        const int key =
            QKeySequence::fromString(step.mid(step.startsWith('+') || step.startsWith('-')))[0];
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

// The editor writes its text to the field only when confirmed. A held key repeats with nobody
// else ticking the editor: it has its own repeat timer.
void TestMenuWidgets::lineEditor_confirmWritesAndHeldKeyRepeats() {
    UxLineEditor editor(m_screen.get());
    QSignalSpy confirm(&editor, &UxLineEditor::signal_editorConfirm);
    QLineEdit target(m_screen.get());
    target.setText("old");
    editor.showLineEditor(&target, "499", {"01234", "0123456789", "0123456789"}, "left");
    QTest::keyClick(&editor, Qt::Key_Up);  // after 4 comes 0
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Down);
    clicks(&editor, Qt::Key_Right, 2);  // stays at the end
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(target.text(), QStringLiteral("old"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QCOMPARE(confirm.takeFirst(), QVariantList{"080"});
    QVERIFY(!editor.isVisible());
    // Opened from the right; escape writes nothing.
    editor.showLineEditor(&target, "12 m", {"0123456789", "0123456789"}, "right");
    QTest::keyClick(&editor, Qt::Key_Up);
    QCOMPARE(editor.text(), QStringLiteral("13 m"));
    QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(target.text(), QStringLiteral("080"));
    QVERIFY(confirm.isEmpty());

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

// The controller builds the menus hidden, dims the screen while one is open, and its main tick
// drives the held-key repeat of each open menu.
void TestMenuWidgets::controller_menusTickedByTheMainTick() {
    TestRoot root;
    Configuration::applyDefaults(Global::configuration);
    Global::configuration.keyTone = 0;
    Korvel k;
    k.mainTimer()->stop();
    passStartCheck(k);
    for (const UxKeyWidget* w : k.view()->findChildren<UxKeyWidget*>())
        QVERIFY2(!w->isVisible(), w->metaObject()->className());
    QStringList rows;
    for (int i = 0; i <= 50; ++i)
        rows << QString::number(i);
    float field = 0;
    UxMainMenu* menu = k.menus().main();
    menu->showMainMenu("basic", "BASIC", rows);
    k.menus().value()->showSubMenu("Test", QString(), rows, rows, &field);
    press(menu, Qt::Key_Down);
    press(k.menus().value(), Qt::Key_Right);
    for (int tick = 0; tick < 8; ++tick)
        k.slot_timeout_main();
    QCOMPARE(menu->currentRow(), 4);  // the press, then every tick from the 6th
    QCOMPARE(field, 3.0f);            // the press, then ticks 6 and 8
    QVERIFY(k.view()->isLowLight());
    k.menus().value()->hide();
    menu->hide();
    k.slot_timeout_main();
    QVERIFY(!k.view()->isLowLight());
}

// Every widget opened with the texts of each language.
void TestMenuWidgets::noClippedText_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("language");
    const QString d = QStringLiteral("0123456789");
    for (int l = 0; l < LanguageCount; ++l) {
        const auto row = [l](const char* name, const char* kind, int title, QStringList rows) {
            QTest::addRow("%s, language %d", name, l) << kind << trText(title, l) << rows << l;
        };
        // The field (3) is none of the values: the editor opens on the first, the widest.
        row("value battery", "value", 73, {"12.5", "7.9", "18"});
        row("value offset", "value", 36, {"-1.5", "0", "2"});
        row("single logger", "single", 118, trList({4, 119, 120}, l));
        row("single boat type", "single", 56, trList({57, 58, 59}, l));
        row("multi overlap", "multi", 22, trList({23, 24, 25}, l));
        row("multi channels", "multi", 60, trList({61, 62}, l));
        row("item wiring", "item", 51, trList({52, 53, 54, 55}, l));
        const int unit = Global::configuration.unit;
        Global::configuration.systemLanguage = l;
        Global::configuration.unit = 2;  // feet: the longest interval text
        row("item depth map", "item", TR_DepthMap,
            DepthMapMenu::rows({false, false, 0}, DepthMapState::kIntervals[0]));
        row("item sonar history", "item", TR_SonarHistory, HistoryCommands::rows(false));
        Global::configuration.unit = unit;
        row("history bar", "history", TR_SonarHistory, {});  // numbers: the same in all
        row("image background", "image", 11, {"background"});
        row("image color", "image", 13, {"color"});
        row("small panels", "small", 0, trList({26, 27, 28, 29, 30, 31, 32, 33}, l));
        row("small waypoint", "small", 0, trList({91, 92, 93, 94, 95, 96, 97, 208}, l));
        const QString lon = QString::fromUtf8("E 113°12.3456");
        row("line editor", "editor", 0,
            {lon, "EW", "", "01", d, d, "", "012345", d, "", d, d, d, d});
    }
}

// Every text a widget shows fits its box with the application font, every box lies inside the
// widget, and the widget inside the screen; the pop-up lists show all their rows at once. (The
// menu pages are painted row by row in every language by the dialogs' text test.)
void TestMenuWidgets::noClippedText() {
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, rows);
    QFETCH(int, language);
    Global::configuration.systemLanguage = language;
    m_menus->small()->move(200, 400);  // where 185 px run past the screen's corner
    UxKeyWidget* w = open(kind, title, rows);
    QVERIFY(w->isVisible());
    QVERIFY(w->hasFocus() || m_menus->main()->tip()->hasFocus());  // the tip over a long row
    QStringList problems = clipped(w);
    auto* list = dynamic_cast<UxListWidget*>(w);
    if (list && list != m_menus->main() && list->visibleRowCount() != rows.size())
        problems << QStringLiteral("%1 rows shown").arg(list->visibleRowCount());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

KORVEL_TEST_MAIN(TestMenuWidgets)
#include "test_menu_widgets.moc"
