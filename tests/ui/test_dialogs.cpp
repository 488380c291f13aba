#include "app_font.h"
#include "base/global.h"
#include "base/resources.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "link/ux_data.h"
#include "platform/versions.h"
#include "start_check.h"
#include "state/sonar_history_state.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/file_scan.h"
#include "ui/kit/modal_watch.h"
#include "ui/kit/ux_dialog_cali.h"
#include "ui/kit/ux_dialog_check.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_debug_window.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_power_off.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/kit/ux_dialog_select_point.h"
#include "ui/kit/ux_dialog_sys_info.h"
#include "ui/kit/ux_dialog_test.h"
#include "ui/kit/ux_theme.h"
#include "ui/screens/alert_strip.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/item_info_pan.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/menu_pages.h"
#include "ui/screens/ux_main_menu.h"
#include "ui/screens/ux_menu_tip.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_export_kml.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_route_ap.h"
#include "ui/screens/ux_sub_menu_waypoint.h"
#include "ui/screens/ux_waypoint_detail.h"

#include <QAbstractButton>
#include <QDir>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QtTest>

namespace {

QString trs(EnumTrString id) {
    return TrResource::getTrString(id);
}

void press(QWidget* w, int key) {
    QTest::keyClick(w, Qt::Key(key));
}

template <class Dialog>
void ticks(Dialog* d, int count) {
    for (int i = 0; i < count; ++i)
        d->do_timer();
}

// Every label and button text of a shown dialog that does not fit its box, and the dialog
// itself when it runs off the screen, as "text: why".
QStringList clippedTexts(QWidget* dialog) {
    QStringList problems;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(dialog) || label->text().isEmpty()) continue;
        const QString text = label->text();
        if (!dialog->rect().contains(QRect(label->mapTo(dialog, QPoint(0, 0)), label->size())))
            problems << text + ": label outside the dialog";
        const QFontMetrics fm(label->font());
        const QRect box = label->contentsRect();
        if (label->wordWrap()) {
            // No piece that cannot be broken may be wider than the box, and the wrapped text
            // must fit its height.
            QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
            for (int start = 0, end = 0; start < text.size(); start = end) {
                end = finder.toNextBoundary();
                if (end < 0) end = text.size();
                const QString piece = text.mid(start, end - start).trimmed();
                if (fm.horizontalAdvance(piece) > box.width())
                    problems << QStringLiteral("%1: word '%2' wider than %3 px")
                                    .arg(text, piece)
                                    .arg(box.width());
            }
            if (fm.boundingRect(box, Qt::TextWordWrap | label->alignment(), text).height() >
                box.height())
                problems << text + ": wrapped text taller than its box";
        } else {
            for (const QString& line : text.split(QLatin1Char('\n'))) {
                if (fm.horizontalAdvance(line) > box.width())
                    problems << QStringLiteral("%1: wider than %2 px").arg(line).arg(box.width());
            }
        }
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        const int room = button->width() - 12;  // border and padding
        if (button->isVisibleTo(dialog) &&
            QFontMetrics(button->font()).horizontalAdvance(button->text()) > room)
            problems << QStringLiteral("button %1: room %2 px").arg(button->text()).arg(room);
    }
    if (!QRect(0, 0, UxView::kWidth, UxView::kHeight).contains(dialog->frameGeometry()))
        problems << QStringLiteral("leaves the screen");
    return problems;
}

// The texts painted by the widgets' own drawing while a picture is taken, as drawn.
QStringList g_painted;
QStringList g_tooWide;
void notePainted(const QString& text, const QString& shown, const QRect& box, const QFont& font) {
    if (text.trimmed().isEmpty()) return;
    g_painted << shown;
    if (shown != text || QFontMetrics(font).horizontalAdvance(shown) > box.width())
        g_tooWide << QStringLiteral("\"%1\" in %2 px").arg(text.trimmed()).arg(box.width());
}

// Every painted text of w (and its children) wider than its box, as the picture is taken.
QStringList paintedTooWide(QWidget* w) {
    g_painted.clear();
    g_tooWide.clear();
    UxTheme::setTextSeen(notePainted);
    w->grab();
    UxTheme::setTextSeen(nullptr);
    return g_tooWide;
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { KORVEL_REQUIRE_APP_FONT(); }
    void init() {
        m_root.reset();  // the old root restores the one before it: first, not after the new
        m_root.reset(new TestRoot);
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.keyTone = 0;
        Global::configuration.systemLanguage = LanguageEnglish;
        QDir().mkpath(m_root->path("/sys/class/leds/beep"));  // the beeper's file
        m_host.reset(new DialogHost(m_modals));
        m_answer = 0;
    }
    void cleanup() { m_root.reset(); }

    // What the dialogs do with the keys and the ticks. Script: a key clicks it, *key is the
    // keyboard's own repeat of a held key, tN runs N ticks, "ready" enables the button (check,
    // calibration) or shows it (progress), ack and noack set and clear the boat's answer to a
    // wait. After each step: the debug window's command, +name(arguments) for each signal in the
    // order the class declares them (xN: N times), ~ once the dialog is hidden, - for none.
    void keys_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const char* dialog, const char* script,
                            const char* after) {
            QTest::newRow(name) << QString(dialog) << QString(script) << QString(after);
        };
        // Messages: one closes by itself, the other on a fresh key, not a held one.
        row("hint: closes by itself after 31 ticks", "hint", "t30 t1", "- ~");
        row("message: waits for a fresh key", "message", "t100 *Return Down", "- - ~");
        // A wait for the boat's answer: the command repeated every 5 ticks from the 15th, the
        // answer taken from then on, after 20 steps a failure; the result shows 30 ticks.
        row("feedback: answer before step 3", "feedback", "t12 ack t3 t29 t1",
            "- - +success(t) - ~");
        row("feedback: answer at step 3", "feedback", "t14 ack t1", "- - +success(t)");
        row("feedback: answer at step 20", "feedback", "t99 ack t1 t30",
            "+todo(t)x17 - +success(t) ~");
        row("feedback: no answer", "feedback", "t99 t1 t30", "+todo(t)x17 +todo(t)+fail(t) ~");
        row("feedback: answer between steps only", "feedback", "t6 ack t6 noack t87 t1",
            "- - - - +todo(t)x17 +todo(t)+fail(t)");
        row("feedback: keys count once the result is there", "feedback", "ack Esc t15 Left",
            "- - +success(t) ~");
        row("feedback without a text waits hidden", "feedback-hidden", "t20",
            "+todo(sonar_cfg)x2~");
        row("count-down: a key dismisses the view, the count goes on", "countdown",
            "t8 Return t7 t1 t20", "- ~ ~ +timeOver()~ ~");
        // Questions (the right answer focused first): the answer with the question's type.
        row("alarm: enter on the first focus", "alarm", "Return", "+buttonClick(vtg,right)~");
        row("alarm: left then enter", "alarm", "Left Enter", "- +buttonClick(vtg,left)~");
        row("alarm: left right enter", "alarm", "Left Right Return",
            "- - +buttonClick(vtg,right)~");
        row("alarm: escape and menu close", "alarm", "Esc reopen M", "~ - ~");
        row("alarm: I on OK does nothing", "alarm", "I", "-");
        row("waypoint ignores escape", "waypoint", "Esc M", "- -");
        row("cursor: I on Go", "go", "I", "+buttonClick(selectPoint,right)~");
        row("stop: I with No focused does nothing", "stop", "I", "-");
        row("stop: I with Yes focused", "stop", "Left I", "- +buttonClick(stop,left)~");
        row("progress: enter only with the button", "progress", "Return Esc ready Enter",
            "- +keyClick(u,esc) - +keyClick(u,ok)~");
        row("check: closes only once enabled", "check", "Return ready Left", "- - ~");
        row("calibration: escape reports, closes with the button", "cali",
            "Return Esc ready Return", "- +keyClick(esc) - ~");
        row("compass test: change reports, menu closes", "test", "C M",
            "+keyClick(change) +keyClick(esc)~");
        row("select point: arrows report, zoom closes", "select", "Left O", "+keyClick(left,2) ~");
        row("select point: I chooses", "select", "I", "+keyClick(enter,2)~");
        row("debug window: commands in a ring, enter sends", "debug", "Down Down Up Enter Esc",
            "$HMC $HMB $HMC $HMC+DialogButtonClick() $HMC~");
    }
    void keys() {
        QFETCH(QString, dialog);
        QFETCH(QString, script);
        QFETCH(QString, after);
        QWidget* d = open(dialog);
        // Every signal of the dialog's own class.
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        const QMetaObject* meta = d->metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                spies.push_back(std::make_unique<QSignalSpy>(d, meta->method(i)));
        }
        QStringList got;
        for (const QString& step : script.split(' ')) {
            if (step == "reopen") {
                open(dialog);
            } else if (step.startsWith('t')) {
                for (int i = step.mid(1).toInt(); i > 0; --i) {
                    m_host->doTimer();
                    m_host->countDown()->do_timer();  // the tick's own step
                }
            } else if (step.startsWith('*')) {
                QKeyEvent repeat(QEvent::KeyPress, QKeySequence::fromString(step.mid(1))[0],
                                 Qt::NoModifier, QString(), true);
                QCoreApplication::sendEvent(d, &repeat);
            } else if (step == "ack" || step == "noack") {
                m_answer = step == "ack";
            } else if (step == "ready") {
                ready();
            } else {
                press(d, QKeySequence::fromString(step)[0]);
            }
            QString out = dialog == "debug" ? m_host->debugWindow()->currentCommand() : QString();
            for (const auto& spy : spies) {
                for (int i = 0, n = 1; i < spy->size(); i += n, n = 1) {
                    QStringList args;
                    for (const QVariant& a : spy->at(i))
                        args << a.toString();
                    while (i + n < spy->size() && spy->at(i + n) == spy->at(i))
                        ++n;
                    out += QStringLiteral("+%1(%2)").arg(
                               QString(spy->signal()).mid(7).section('(', 0, 0), args.join(',')) +
                           (n > 1 ? QStringLiteral("x%1").arg(n) : QString());
                }
                spy->clear();
            }
            out += d->isVisible() ? "" : "~";
            got << (out.isEmpty() ? "-" : out);
        }
        QCOMPARE(got.join(' '), after);
    }

    // What the dialogs show of what they are given.
    void dialogs_showTheirValues() {
        DialogHost& host = *m_host;
        host.progress()->showProgress("101", trs(TR_RadioBind), trs(TR_WaitRequest), trs(TR_Ok), 10,
                                      "bind", false);
        host.progress()->setValue(4);
        QCOMPARE(host.progress()->value(), 4);
        host.progress()->setValue(99);  // past the maximum
        QCOMPARE(host.progress()->value(), 10);
        host.check()->setLabelText("sonar", trs(TR_Offline));
        host.check()->setLabelText("nothing", "x");
        QCOMPARE(host.check()->labelText("sonar"), trs(TR_Offline));
        host.test()->setAngle("dsp", 271);
        QCOMPARE(host.test()->angleText("dsp"), QString("271°"));
        host.hint()->showHint("301", trs(TR_Error), "old", false, false);
        press(host.hint(), Qt::Key_Down);  // closed: the next message starts afresh
        host.hint()->appendHint("501", "first", false);
        host.hint()->appendHint("502", "second", false);
        QCOMPARE(host.hint()->text(), QString("first\nsecond"));
        QCOMPARE(host.hint()->codeText(), QString("502"));
        UxDialogCountDown* d = host.countDown();
        QSignalSpy over(d, &UxDialogCountDown::signal_timeOver);
        d->showCountDown(trs(TR_GoBack), 2);
        QCOMPARE(d->text(), trs(TR_TargetArrived) + "\n" + trs(TR_GoToNextTargetIn) + " 00:02");
        ticks(d, 8);
        QVERIFY(d->text().endsWith("00:01"));
        d->showCountDown(trs(TR_GoBack), 0);  // no wait: over at the next tick
        ticks(d, 1);
        QCOMPARE(over.count(), 1);
        d->showCountDown(trs(TR_GoBack), 95);
        QVERIFY(d->text().endsWith("01:35"));
        d->stopCountDown();
        ticks(d, 8 * 100);
        QCOMPARE(over.count(), 1);
    }

    void fileScan_matchesPatternsAndTheCard() {
        QVERIFY(!FileScan::cardMounted());  // no mount point at all
        QVERIFY(QDir().mkpath(m_root->path("/mnt/sd")));
        QVERIFY(!FileScan::cardMounted());  // an empty mount point: nothing mounted
        QCOMPARE(FileScan::scan("/mnt/sd/Korvel/Record/", "*.kvlw", false).status,
                 FileScan::EnumStatus::NoCard);
        for (const char* name : {"b.kvlw", "A.KVLW", "notes.txt", "c.kvlw.bak", "d.kml"})
            QVERIFY(m_root->writeFile(QStringLiteral("/mnt/sd/Korvel/Record/") + name, "x"));
        QVERIFY(QDir().mkpath(m_root->path("/mnt/sd/Korvel/Record/e.kvlw")));  // a folder
        QVERIFY(FileScan::cardMounted());
        QCOMPARE(FileScan::scan("/mnt/sd/Korvel/Record/", "*.kvlw", true).names,
                 (QStringList{"A.KVLW", "b.kvlw"}));
        QCOMPARE(FileScan::scan("/mnt/sd/Korvel/Record", "*.kml; *.txt", true).names,
                 (QStringList{"d.kml", "notes.txt"}));
        // A folder off the card does not depend on the card.
        QVERIFY(m_root->writeFile("/opt/korvel/x.kvlw", "x"));
        QCOMPARE(FileScan::scan("/opt/korvel", "*.kvlw", false).names, QStringList{"x.kvlw"});
        QVERIFY(FileScan::isOnCard("/mnt/sd"));
        QVERIFY(!FileScan::isOnCard("/mnt/sdx/a"));
    }

    // The files of a folder that match, with the pattern and their count; the one chosen (none:
    // a cancel) goes back with the tag it was asked for ("tag:path").
    void file_listsAndChooses_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("card");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chosen");
        const auto row = [](const char* name, const QString& folder, const char* keys,
                            const QString& text, const QString& chosen, bool card = true) {
            QTest::newRow(name) << "/mnt/sd/Korvel/" + folder << card << keys << text << chosen;
        };
        const QString record = QStringLiteral("kvlw:/mnt/sd/Korvel/Record/");
        row("in a ring", "Record", "Down Down Up Return", "*.kvlw  (2)", record + "0301-0800.kvlw");
        row("the first", "Record/", "Enter", "*.kvlw  (2)", record + "0121-1759.kvlw");
        row("menu cancels", "Record", "M", "*.kvlw  (2)", "kvlw:");
        row("no match", "Color/", "Down Return", "*.kct  (0)", "kct:");
        row("no folder", "Nothing/", "Down Return", trs(TR_ReadFileFailed), "kct:");
        row("no card", "Record", "Return", trs(TR_NoSdCard), "kvlw:", false);
    }
    void file_listsAndChooses() {
        QFETCH(QString, folder);
        QFETCH(bool, card);
        QFETCH(QString, keys);
        QFETCH(QString, chosen);
        for (const char* name :
             {"Record/0301-0800.kvlw", "Record/0121-1759.kvlw", "Record/readme.txt", "Color/a.txt"})
            QVERIFY(m_root->writeFile(QStringLiteral("/mnt/sd/Korvel/") + name, "x"));
        UxDialogFile* d = m_host->file();
        d->setCardCheck([card] { return card; });
        QSignalSpy spy(d, &UxDialogFile::signal_fileNameGet);
        const QString tag = chosen.section(':', 0, 0);
        d->showFile(folder, "*." + tag, tag);
        QCOMPARE(d->titleText(), trs(TR_SelectFile));
        QTEST(d->text(), "text");
        for (const QString& key : keys.split(' '))
            press(d, QKeySequence::fromString(key)[0]);
        QVERIFY(!d->isVisible());
        QCOMPARE(spy.takeFirst(), (QList<QVariant>{tag, chosen.section(':', 1)}));
        QVERIFY(spy.isEmpty());
    }

    // Eight ticks a second: three seconds counted down, each with its text, then it asks once.
    // Letting escape go (not the keyboard's repeat of it, nor another key) or losing the focus
    // cancels it.
    void powerOff_countsThreeSecondsThenAsks() {
        UxDialogPowerOff d;
        QSignalSpy spy(&d, &UxDialogPowerOff::signal_powerOff);
        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QStringList texts{d.text()}, expected{trs(TR_PowerOff)};
        for (int tick = 1; tick <= 23; ++tick) {
            d.do_timer();
            texts << d.text();
            expected << trs(tick < 8    ? TR_PowerOffIn3
                            : tick < 16 ? TR_PowerOffIn2
                                        : TR_PowerOffIn1) +
                            "...";
        }
        QCOMPARE(texts, expected);
        QCOMPARE(spy.count(), 0);
        ticks(&d, 2);
        QCOMPARE(spy.count(), 1);
    }
    void powerOff_releasingEscapeOrLosingFocusCancels() {
        UxDialogPowerOff d;
        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        ticks(&d, 10);
        QKeyEvent held(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&d, &held);
        QTest::keyRelease(&d, Qt::Key_Up);
        QVERIFY(d.isVisible());
        QTest::keyRelease(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        UxDialogPowerOff e;  // a window shown again is not given the focus here
        QSignalSpy asked(&e, &UxDialogPowerOff::signal_powerOff);
        e.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        ticks(&e, 5);
        QVERIFY(e.isVisible());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!e.isVisible());
        ticks(&e, 30);
        QCOMPARE(asked.count(), 0);
    }

    // --- The controller's dialogs ---------------------------------------------------------

    // The screen dims while a dialog is up; a long escape on the main screen asks to power off.
    // A wait's result as the controller words it; the debug window's commands from the card.
    void controller_dialogsDimTheScreenAndSayTheResults() {
        QVERIFY(m_root->writeFile("/mnt/sd/cmd.txt", "$HMA,*41\r\n$HMB,*42\r\n\r\n$HMC,*43"));
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        k.slot_timeout_main();
        QVERIFY(!k.view()->isLowLight());
        k.dialogs().hint()->showHint("", trs(TR_Message), "x", true, false);
        k.slot_timeout_main();
        QVERIFY(k.view()->isLowLight());
        press(k.dialogs().hint(), Qt::Key_Return);
        k.slot_timeout_main();
        QVERIFY(!k.view()->isLowLight());
        QKeyEvent escDown(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(k.scene(), &escDown);
        for (int i = 0; i < UxScene::kLongPressTicks - 1; ++i)
            k.slot_timeout_main();
        QVERIFY(!k.dialogs().powerOff()->isVisible());
        k.slot_timeout_main();
        QVERIFY(k.dialogs().powerOff()->isVisible());
        QTest::keyRelease(k.dialogs().powerOff(), Qt::Key_Escape);
        QVERIFY(!k.dialogs().powerOff()->isVisible());
        UxDialogFeedBack* f = k.dialogs().feedBack();
        std::atomic<uint8_t> flag{1};
        bool confirmed = false;
        StructAckWait shown;
        shown.kind = EnumDialogKind::ApConfig;
        shown.title = trs(TR_Message);
        shown.text = "x";
        shown.flag = &flag;
        shown.onSuccess = [&confirmed] { confirmed = true; };
        k.prompter().awaitAck(shown);
        QVERIFY(f->isVisible());
        ticks(f, 15);
        QVERIFY(confirmed);
        // The later legs of a multi-target run wait hidden; a failure must still be seen.
        std::atomic<uint8_t> never{0};
        StructAckWait hidden;
        hidden.kind = EnumDialogKind::ApGoMultiTarget;
        hidden.flag = &never;
        hidden.failureText = trs(TR_ConnectionFailed);
        hidden.revealFailure = true;
        k.prompter().awaitAck(hidden);
        QVERIFY(!f->isVisible());
        ticks(f, 100);
        QVERIFY(f->isVisible());
        QCOMPARE(f->text(), trs(TR_ConnectionFailed));
        k.dialog_debugWindow_loadCmdString();
        QCOMPARE(k.dialogs().debugWindow()->commands(),
                 (QStringList{"$HMA,*41", "$HMB,*42", "$HMC,*43"}));
    }

    // The 11th check in a row with the depth or the boat's battery too low asks; "Ignore"
    // silences that alarm.
    void controller_alarmAsksAndIgnoreSetsTheFlag_data() {
        QTest::addColumn<bool>("shallow");  // else the boat's battery
        QTest::addColumn<bool>("ignore");
        QTest::newRow("shallow ignored") << true << true;
        QTest::newRow("shallow OK") << true << false;
        QTest::newRow("boat battery ignored") << false << true;
    }
    void controller_alarmAsksAndIgnoreSetsTheFlag() {
        QFETCH(bool, shallow);
        QFETCH(bool, ignore);
        Global::configuration.shallowAlarmLevel = 1.0f;
        Global::configuration.boatVoltageAlarmLevel = 11.0f;
        Korvel k;
        k.mainTimer()->stop();
        // The check itself, on the values the link would have left.
        for (int check = 1; check <= 11; ++check) {
            k.values().sonar_dataArriving = true;
            k.values().current_depth = shallow ? 0.5f : 5.0f;
            k.values().boat_voltage = shallow ? 12.5f : 9.0f;
            k.setTickCount(5 * check);
            k.data_checkState();
        }
        UxDialogQuestion* q = k.dialogs().question();
        QVERIFY(q->isVisible());
        QCOMPARE(q->titleText() + ": " + q->text(),
                 trs(TR_Alarm) + ": " + trs(shallow ? TR_ShallowAlarmMsg : TR_BoatBatteryLow));
        if (ignore) press(q, Qt::Key_Left);  // "Ignore"
        press(q, Qt::Key_Return);
        QVERIFY(!q->isVisible());
        QCOMPARE(shallow ? k.flags().ignoreShallow : k.flags().ignoreBoatVtg, ignore);
    }

    // A file chosen in the controller's file dialog goes to the part its tag names: a recording
    // to the replay list; a colour table and an update file are read, and these (a recording
    // each) refused with their codes.
    void controller_fileGoesWhereItsTagSays_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("code");  // the refusal's, empty for none
        QTest::newRow("recording") << QString("kvlw") << QString();
        QTest::newRow("colour table") << QString("kct") << QString("101");
        QTest::newRow("update file") << QString("rdup") << QString("103");
    }
    void controller_fileGoesWhereItsTagSays() {
        QFETCH(QString, tag);
        QFETCH(QString, code);
        korvelInitResources();
        QFile recording(":/sim/0121-1759.kvlw");
        QVERIFY(recording.open(QIODevice::ReadOnly));
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/x." + tag, recording.readAll()));
        KorvelTest::ExpectedMessage refused("is not flashed");
        Korvel k;
        k.mainTimer()->stop();
        k.dialogs().file()->setCardCheck([] { return true; });
        k.dialogs().file()->showFile("/mnt/sd/Korvel", "*." + tag, tag);
        press(k.dialogs().file(), Qt::Key_Return);
        QCOMPARE(k.sonarHistory().player().isOpen(), tag == "kvlw");
        QCOMPARE(k.dialogs().hint()->isVisible() ? k.dialogs().hint()->codeText() : "", code);
        QCOMPARE(refused.seen(), int(tag == "rdup"));
    }

    // --- Texts fit, in every language, with the dialogs at their places ---------------------

    void everyDialog_textsFit_data() {
        QTest::addColumn<int>("language");
        for (int l = 0; l < LanguageCount; ++l)
            QTest::addRow("language %d", l) << l;
    }
    void everyDialog_textsFit() {
        QFETCH(int, language);
        Global::configuration.systemLanguage = language;
        QVERIFY(
            m_root->writeFile("/mnt/sd/Korvel/Record/a-very-long-recording-name-2024.kvlw", "x"));
        QStringList problems;
        auto check = [&](QWidget* d, const QString& name) {
            QCoreApplication::processEvents();
            for (const QString& p : clippedTexts(d) + paintedTooWide(d))
                problems << name + ": " + p;
            d->hide();
        };
        // Any text of the table may come up as a message.
        for (int id = 1; id < TR_COUNT; ++id) {
            m_host->hint()->showHint("402", trs(TR_Error), trs(EnumTrString(id)), false, false);
            check(m_host->hint(), QStringLiteral("hint %1").arg(id));
        }
        for (const QString& name : kDialogs) {
            QWidget* d = open(name);
            ready();
            if (d->isVisible()) check(d, name);
        }
        for (int stop : {1, 8, 16}) {
            QWidget* d = open("poweroff");
            QVERIFY(QTest::qWaitForWindowActive(d));
            ticks(m_host->powerOff(), stop);
            check(d, QStringLiteral("power off at tick %1").arg(stop));
        }
        screensAndPanels(problems);
        problems.removeDuplicates();
        for (const QString& p : problems)
            qInfo("%s", qPrintable(p));
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QString::number(problems.size()) + " texts too wide"));
    }

private:
    // Every menu page of every model with the cursor on each row in turn (the tip over it
    // inside the list, no two rows alike), the list screens, the waypoint editor and the info
    // panels with every content, in the language of the moment.
    void screensAndPanels(QStringList& problems) {
        Korvel k;
        k.mainTimer()->stop();
        UxMainMenu* menu = k.menus().main();
        for (char model : {'4', '5', 'd'}) {
            for (const char* type : {"basic", "sonar", "gps", "ap", "system", "quick"}) {
                const StructMenuPage page = MenuPages::page(type, model);
                k.menus().placeMain(page.type == "quick");
                menu->showMainMenu(page.type, page.title, page.texts());
                for (int row = 0; row < page.rows.size(); ++row, press(menu, Qt::Key_Down)) {
                    const QString where = QStringLiteral("%1 %2: ").arg(model).arg(type);
                    for (const QString& p : paintedTooWide(menu))
                        problems << where + p;
                    if (QSet<QString>(g_painted.begin(), g_painted.end()).size() !=
                        g_painted.size())
                        problems << where + "two rows alike: " + g_painted.join('|');
                    if (!menu->tip()->isVisible()) continue;
                    for (const QString& p : paintedTooWide(menu->tip()))
                        problems << where + "tip " + p;
                    if (!menu->geometry().contains(menu->tip()->geometry()))
                        problems << where + "tip leaves the list: " + menu->rowText(row).trimmed();
                }
            }
        }
        menu->hide();
        k.waypointMenu()->showWaypoint(QString());
        const auto screen = [&](QWidget* w, const QString& name) {
            for (const QString& p : paintedTooWide(w) + clippedTexts(w))
                problems << name + ": " + p;
            w->hide();
        };
        // The safety strips with their longest lines: the link's over the screen's width, the
        // fix's age over the narrow map.
        UxAlertStrip strip(k.view());
        const QString s99 = QStringLiteral(" 99 s");
        strip.setView({{trs(TR_LinkLost), trs(TR_NoDataFor) + s99,
                        trs(TR_LastData) + ": 99.9 m 99.9\u00b0F 12.6 V", trs(TR_WasGoingToTarget),
                        trs(TR_WasRunningList), trs(TR_WasGoingHome), trs(TR_LinkBack)},
                       Qt::red,
                       Qt::white},
                      QPoint(0, 26), UxView::kWidth);
        screen(&strip, "link strip");
        strip.setView({{trs(TR_FixAge) + ":" + s99}, Qt::yellow, Qt::black}, QPoint(0, 0), 140);
        screen(&strip, "fix strip");
        screen(k.waypointMenu(), "waypoint list");
        k.waypointMenu()->showWaypointDetail();
        screen(k.waypointMenu()->detail(), "waypoint editor");
        k.waypointMenu()->hide();
        k.routeMenu()->showRoute();
        screen(k.routeMenu(), "courses");
        k.goBackMenu()->showGoBack();
        screen(k.goBackMenu(), "go-back");
        k.multiTargetMenu()->showMultiTarget();
        screen(k.multiTargetMenu(), "multi-target");
        {
            KorvelTest::ExpectedMessage missing("cannot be opened");  // the empty screen's texts
            k.routeApMenu()->showRouteAp("course.kml", QPoint(), {});
        }
        screen(k.routeApMenu(), "course cruise");
        auto* exportKml = k.view()->findChild<UxSubMenuExportKml*>();
        exportKml->showExportKml();
        screen(exportKml, "export");
        exportKml->showExportGpx();
        screen(exportKml, "gpx export");
        // The operation menus, each row painted as the list scrolls past eight.
        Global::current_model = '5';
        const QList<QPair<UxKeyWidget*, UxSmallMenu*>> operations{
            {k.waypointMenu(), k.waypointMenu()->operationMenu()},
            {k.routeMenu(), k.routeMenu()->operationMenu()}};
        for (const auto& [list, ops] : operations) {
            list->show();
            press(list, Qt::Key_Return);
            for (int row = 0; row < ops->rowCount(); ++row, press(ops, Qt::Key_Down))
                for (const QString& p : paintedTooWide(ops))
                    problems << "operations: " + p;
            ops->hide();
            list->hide();
        }
        for (int code = 0; code <= 8; ++code) {
            for (int panel = 0; panel < InfoPanels::kCount; ++panel) {
                Global::configuration.textDataToShow[panel] = code;
                k.info_refreshInfoPan_single(panel);
                ItemInfoPan* item = k.infoPanels().panel(panel);
                QImage image(item->boundingRect().size().toSize(), QImage::Format_ARGB32);
                QPainter p(&image);
                g_tooWide.clear();
                UxTheme::setTextSeen(notePainted);
                item->paint(&p, nullptr, nullptr);
                UxTheme::setTextSeen(nullptr);
                for (const QString& t : g_tooWide)
                    problems << QStringLiteral("panel %1 code %2: ").arg(panel).arg(code) + t;
            }
        }
    }

    // Shows a dialog of the host, or the point selection (the map's own), with the longest texts
    // it takes, and returns it. The questions: an alarm, the autopilot's stop, the cursor's
    // "Save" or "Go", a waypoint's (which must be answered).
    QWidget* open(const QString& name) {
        DialogHost& h = *m_host;
        if (name == "hint" || name == "message")
            h.hint()->showHint("301", trs(TR_Error), trs(TR_NoSdCard), name == "hint", false);
        if (name == "alarm") h.showAlarm("vtg", TR_DisplayBatteryLow);
        if (name == "stop") h.askStopAutopilot();
        if (name == "go")
            h.question()->showQuestion(trs(TR_Cursor), trs(TR_CursorSaveOrGo), trs(TR_Save),
                                       trs(TR_Go), "selectPoint");
        if (name == "waypoint")
            h.question()->showQuestion(trs(TR_Waypoint), "?", trs(TR_Yes), trs(TR_Ok), "wp");
        if (name == "progress")
            h.progress()->showProgress("203", trs(TR_UpdateRBoxes), trs(TR_WaitRemoteReboot),
                                       trs(TR_Ok), 100, "u", false);
        const QString wait =
            trs(TR_StopAutopilotTaskNow) + ". " + trs(TR_ConnectingAutopilot) + "...";
        if (name == "feedback") h.feedBack()->showFeedback(trs(TR_Message), wait, "t", &m_answer);
        if (name == "feedback-hidden")
            h.feedBack()->showFeedback(trs(TR_Message), QString(), "sonar_cfg", &m_answer);
        if (name.startsWith("file")) h.file()->setCardCheck([name] { return name == "file"; });
        if (name.startsWith("file")) h.file()->showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        if (name == "poweroff") h.powerOff()->showPowerOff();
        if (name == "countdown") h.countDown()->showCountDown(trs(TR_MultiTargetAutopilot), 2);
        if (name == "check") h.check()->showCheck();
        for (const char* module : {"radio", "sonar", "gps", "compass", "ap"})
            h.check()->setLabelText(module, trs(TR_Offline));
        if (name == "cali")
            h.cali()->showCali(trs(TR_CalibrateBoatCompass), "boat", trs(TR_Exit), 100,
                               trs(TR_CompassCalibrating));
        if (name == "test") h.test()->showTest();
        h.test()->setAngle("dsp", 359);
        if (name == "sysinfo")
            h.showSysInfo({"1.0.3", "1.2", "3.05", "2.10", "1.40", "4.1.15 2023-Mar-14"}, 98, 87,
                          16);
        if (name == "select") m_select.select_show("E 008°40.1234'", "N 50°07.5678'", "123.4 m");
        h.debugWindow()->setCommands({"$HMA", "$HMB", "$HMC"});
        if (name == "debug") h.debugWindow()->showWindow();
        QWidget* q = h.question();
        const QList<QWidget*> dialogs{h.hint(),
                                      h.hint(),
                                      q,
                                      q,
                                      q,
                                      q,
                                      h.progress(),
                                      h.feedBack(),
                                      h.feedBack(),
                                      h.file(),
                                      h.file(),
                                      h.powerOff(),
                                      h.countDown(),
                                      h.check(),
                                      h.cali(),
                                      h.test(),
                                      h.sysInfo(),
                                      &m_select,
                                      h.debugWindow()};
        return dialogs.value(kDialogs.indexOf(name));
    }
    // Enables the buttons of the check and the calibration and shows the progress's.
    void ready() {
        m_host->check()->setButtonEnable(true);
        m_host->cali()->setButtonEnable(true);
        m_host->progress()->showButton(true);
    }

    const QStringList kDialogs{"hint",      "message",     "alarm",
                               "stop",      "go",          "waypoint",
                               "progress",  "feedback",    "feedback-hidden",
                               "file",      "file-nocard", "poweroff",
                               "countdown", "check",       "cali",
                               "test",      "sysinfo",     "select",
                               "debug"};
    QScopedPointer<TestRoot> m_root;
    ModalWatch m_modals;
    QScopedPointer<DialogHost> m_host;
    UxDialogSelectPoint m_select;
    std::atomic<uint8_t> m_answer{0};  // the boat's acknowledgement of a wait
};

KORVEL_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
