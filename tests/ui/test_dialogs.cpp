#include "app_font.h"
#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/file_scan.h"
#include "ui/modal_watch.h"
#include "ui/ux_dialog_cali.h"
#include "ui/ux_dialog_check.h"
#include "ui/ux_dialog_count_down.h"
#include "ui/ux_dialog_debug_window.h"
#include "ui/ux_dialog_feedback.h"
#include "ui/ux_dialog_file.h"
#include "ui/ux_dialog_hint.h"
#include "ui/ux_dialog_power_off.h"
#include "ui/ux_dialog_progress.h"
#include "ui/ux_dialog_question.h"
#include "ui/ux_dialog_select_point.h"
#include "ui/ux_dialog_sys_info.h"
#include "ui/ux_dialog_test.h"

#include <QAbstractButton>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
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

// The signals a spy caught, comparable with a list written out in the test.
QList<QList<QVariant>> caught(const QSignalSpy& spy) {
    return spy;
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

}  // namespace

class TestDialogs : public QObject {
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
        Global::configuration.systemLanguage = LanguageEnglish;
        QDir().mkpath(m_root->path("/sys/class/leds/beep"));  // the beeper's file
    }
    void cleanup() { m_root.reset(); }

    void hint_closesByItselfOrOnAFreshKey() {
        UxDialogHint hint;
        hint.showHint("301", trs(TR_Error), trs(TR_NoSdCard), true, false);
        ticks(&hint, 30);
        QVERIFY(hint.isVisible());
        ticks(&hint, 1);
        QVERIFY(!hint.isVisible());
        QVERIFY(hint.text().isEmpty());

        hint.showHint("", trs(TR_Message), trs(TR_TargetArrived), false, false);
        ticks(&hint, 100);
        QVERIFY(hint.isVisible());
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&hint, &repeat);
        QVERIFY(hint.isVisible());  // a held key does not dismiss it
        press(&hint, Qt::Key_Down);
        QVERIFY(!hint.isVisible());

        hint.appendHint("501", "first", false);
        hint.appendHint("502", "second", false);
        QCOMPARE(hint.text(), QString("first\nsecond"));
        QCOMPARE(hint.codeText(), QString("502"));
    }

    void question_answers_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rightText");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("answer");  // empty: none
        QTest::addColumn<bool>("visibleAfter");
        const QString alarm = trs(TR_Alarm);
        const QString ok = trs(TR_Ok);
        QTest::newRow("enter on the first focus")
            << alarm << ok << QList<int>{Qt::Key_Return} << "right" << false;
        QTest::newRow("left then enter")
            << alarm << ok << QList<int>{Qt::Key_Left, Qt::Key_Enter} << "left" << false;
        QTest::newRow("left right enter")
            << alarm << ok << QList<int>{Qt::Key_Left, Qt::Key_Right, Qt::Key_Return} << "right"
            << false;
        QTest::newRow("escape closes") << alarm << ok << QList<int>{Qt::Key_Escape} << "" << false;
        QTest::newRow("menu closes") << alarm << ok << QList<int>{Qt::Key_M} << "" << false;
        QTest::newRow("waypoint ignores escape")
            << trs(TR_Waypoint) << ok << QList<int>{Qt::Key_Escape, Qt::Key_M} << "" << true;
        QTest::newRow("I on Go") << alarm << trs(TR_Go) << QList<int>{Qt::Key_I} << "right"
                                 << false;
        QTest::newRow("I on OK does nothing") << alarm << ok << QList<int>{Qt::Key_I} << "" << true;
        QTest::newRow("I on stop, left focused")
            << trs(TR_StopAutopilot) << trs(TR_No) << QList<int>{Qt::Key_Left, Qt::Key_I} << "left"
            << false;
        QTest::newRow("I on stop, right focused")
            << trs(TR_StopAutopilot) << trs(TR_No) << QList<int>{Qt::Key_I} << "" << true;
    }
    void question_answers() {
        QFETCH(QString, title);
        QFETCH(QString, rightText);
        QFETCH(QList<int>, keys);
        QFETCH(QString, answer);
        QFETCH(bool, visibleAfter);
        UxDialogQuestion q;
        QSignalSpy spy(&q, &UxDialogQuestion::signal_buttonClick);
        q.showQuestion(title, "?", trs(TR_Yes), rightText, "myType");
        for (int key : keys)
            press(&q, key);
        QCOMPARE(q.isVisible(), visibleAfter);
        const QList<QList<QVariant>> expected{{"myType", answer}};
        QCOMPARE(caught(spy), answer.isEmpty() ? QList<QList<QVariant>>() : expected);
    }

    void progress_keys() {
        UxDialogProgress p;
        QSignalSpy spy(&p, &UxDialogProgress::signal_keyClick);
        p.showProgress("101", trs(TR_RadioBind), trs(TR_WaitRequest), trs(TR_Ok), 10, "bind",
                       false);
        p.setValue(4);
        QCOMPARE(p.value(), 4);
        p.setValue(99);
        QCOMPARE(p.value(), 10);
        press(&p, Qt::Key_Return);  // no button yet: nothing
        press(&p, Qt::Key_Escape);
        p.showButton(true);
        press(&p, Qt::Key_Enter);
        QCOMPARE(caught(spy), (QList<QList<QVariant>>{{"bind", "esc"}, {"bind", "ok"}}));
        QVERIFY(!p.isVisible());
    }

    // The boat's acknowledgement flag is set from tick flagFrom to flagUntil (-1: never, or
    // for good); the command is repeated every 5 ticks from step 3 up to step lastRepeat, then
    // the result and the hiding follow.
    void feedback_retriesUntilTheFlag_data() {
        QTest::addColumn<int>("flagFrom");
        QTest::addColumn<int>("flagUntil");
        QTest::addColumn<int>("lastRepeat");
        QTest::addColumn<QStringList>("end");
        QTest::newRow("set before step 3")
            << 12 << -1 << 2 << QStringList{"15:success t", "45:hidden"};
        QTest::newRow("set at step 3") << 15 << -1 << 2 << QStringList{"15:success t", "45:hidden"};
        QTest::newRow("set just before step 10")
            << 46 << -1 << 9 << QStringList{"50:success t", "80:hidden"};
        QTest::newRow("set at step 20")
            << 100 << -1 << 19 << QStringList{"100:success t", "130:hidden"};
        QTest::newRow("never") << -1 << -1 << 19
                               << QStringList{"100:todo t", "100:fail t", "130:hidden"};
        QTest::newRow("set between steps only")
            << 7 << 12 << 19 << QStringList{"100:todo t", "100:fail t", "130:hidden"};
    }
    void feedback_retriesUntilTheFlag() {
        QFETCH(int, flagFrom);
        QFETCH(int, flagUntil);
        QFETCH(int, lastRepeat);
        QFETCH(QStringList, end);
        UxDialogFeedBack f;
        std::atomic<uint8_t> flag{0};
        f.showFeedback(trs(TR_Message), "wait", "t", &flag);
        press(&f, Qt::Key_Escape);  // keys before the result do not dismiss the wait
        QVERIFY(f.isVisible());
        QStringList events;
        int tick = 0;
        connect(&f, &UxDialogFeedBack::signal_todo, &f,
                [&](QString t) { events << QStringLiteral("%1:todo %2").arg(tick).arg(t); });
        connect(&f, &UxDialogFeedBack::signal_success, &f,
                [&](QString t) { events << QStringLiteral("%1:success %2").arg(tick).arg(t); });
        connect(&f, &UxDialogFeedBack::signal_fail, &f,
                [&](QString t) { events << QStringLiteral("%1:fail %2").arg(tick).arg(t); });
        for (tick = 1; tick <= 140; ++tick) {
            flag = flagFrom >= 0 && tick >= flagFrom && (flagUntil < 0 || tick <= flagUntil);
            const bool wasVisible = f.isVisible();
            f.do_timer();
            if (wasVisible && !f.isVisible()) events << QStringLiteral("%1:hidden").arg(tick);
        }
        QStringList expected;
        for (int step = 3; step <= lastRepeat; ++step)
            expected << QStringLiteral("%1:todo t").arg(step * 5);
        QCOMPARE(events, expected + end);
    }

    void feedback_keyAfterResultEndsIt_andEmptyTextWaitsHidden() {
        UxDialogFeedBack f;
        std::atomic<uint8_t> flag{1};
        f.showFeedback(trs(TR_Message), "wait", "test", &flag);
        ticks(&f, 15);
        QCOMPARE(f.progress(), 20);
        press(&f, Qt::Key_Left);
        QVERIFY(!f.isVisible());
        QVERIFY(!f.wait().active());

        // A new wait starts from step 0 and a wait without a text runs hidden.
        std::atomic<uint8_t> clear{0};
        QSignalSpy todo(&f, &UxDialogFeedBack::signal_todo);
        f.showFeedback(trs(TR_Message), QString(), "sonar_cfg", &clear);
        ticks(&f, 20);
        QVERIFY(!f.isVisible());
        QCOMPARE(todo.count(), 2);
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

    void file_listsAndChooses() {
        for (const char* name : {"0301-0800.kvlw", "0121-1759.kvlw", "readme.txt"})
            QVERIFY(m_root->writeFile(QStringLiteral("/mnt/sd/Korvel/Record/") + name, "x"));
        UxDialogFile d;
        QSignalSpy spy(&d, &UxDialogFile::signal_fileNameGet);
        d.showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        QCOMPARE(d.titleText(), trs(TR_SelectFile));
        QCOMPARE(d.names(), (QStringList{"0121-1759.kvlw", "0301-0800.kvlw"}));
        QCOMPARE(d.text(), QString("*.kvlw  (2)"));
        press(&d, Qt::Key_Down);
        QCOMPARE(d.currentRow(), 1);
        press(&d, Qt::Key_Down);
        QCOMPARE(d.currentRow(), 0);  // wraps
        press(&d, Qt::Key_Up);
        press(&d, Qt::Key_Return);
        QVERIFY(!d.isVisible());
        d.showFile("/mnt/sd/Korvel/Record", "*.kvlw", "kvlw");
        press(&d, Qt::Key_M);
        QCOMPARE(caught(spy), (QList<QList<QVariant>>{
                                  {"kvlw", "/mnt/sd/Korvel/Record/0301-0800.kvlw"}, {"kvlw", ""}}));
    }

    void file_noMatchNoFolderNoCard_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("card");
        QTest::addColumn<QString>("text");
        QTest::newRow("no match") << "/mnt/sd/Korvel/Color/" << true << "*.kct  (0)";
        QTest::newRow("no folder") << "/mnt/sd/Korvel/Nothing/" << true << trs(TR_ReadFileFailed);
        QTest::newRow("no card") << "/mnt/sd/Korvel/Color/" << false << trs(TR_NoSdCard);
    }
    void file_noMatchNoFolderNoCard() {
        QFETCH(QString, folder);
        QFETCH(bool, card);
        QFETCH(QString, text);
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Color/a.txt", "x"));
        UxDialogFile d;
        d.setCardCheck([card] { return card; });
        QSignalSpy spy(&d, &UxDialogFile::signal_fileNameGet);
        d.showFile(folder, "*.kct", "kct");
        QCOMPARE(d.text(), text);
        QVERIFY(d.names().isEmpty());
        press(&d, Qt::Key_Down);
        press(&d, Qt::Key_Return);  // nothing to choose: a cancel
        QVERIFY(!d.isVisible());
        QCOMPARE(caught(spy), (QList<QList<QVariant>>{{"kct", ""}}));
    }

    void powerOff_countsThreeSecondsThenAsks() {
        UxDialogPowerOff d;
        QSignalSpy spy(&d, &UxDialogPowerOff::signal_powerOff);
        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(d.text(), trs(TR_PowerOff));
        // Eight ticks a second: three seconds counted down, each with its text.
        QStringList texts, expected;
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
        d.do_timer();
        QCOMPARE(spy.count(), 1);
        d.do_timer();
        QCOMPARE(spy.count(), 1);  // asked once
    }

    void powerOff_releasingEscapeOrLosingFocusCancels() {
        UxDialogPowerOff d;
        QSignalSpy spy(&d, &UxDialogPowerOff::signal_powerOff);
        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        ticks(&d, 10);
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(),
                                true);
        QCoreApplication::sendEvent(&d, &repeatRelease);
        QTest::keyRelease(&d, Qt::Key_Up);
        QVERIFY(d.isVisible());  // auto-repeat of the held key, or another key
        QTest::keyRelease(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());

        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        ticks(&d, 5);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!d.isVisible());
        ticks(&d, 30);
        QCOMPARE(spy.count(), 0);
    }

    void countDown_secondsAndEnd() {
        UxDialogCountDown d;
        QSignalSpy spy(&d, &UxDialogCountDown::signal_timeOver);
        d.showCountDown(trs(TR_GoBack), 2);
        QCOMPARE(d.text(), trs(TR_TargetArrived) + "\n" + trs(TR_GoToNextTargetIn) + " 00:02");
        ticks(&d, 8);
        QVERIFY(d.text().endsWith("00:01"));
        press(&d, Qt::Key_Return);  // dismisses the view, the count goes on
        QVERIFY(!d.isVisible());
        ticks(&d, 7);
        QCOMPARE(spy.count(), 0);
        ticks(&d, 1);
        QCOMPARE(spy.count(), 1);
        ticks(&d, 20);
        QCOMPARE(spy.count(), 1);

        d.showCountDown(trs(TR_GoBack), 0);
        ticks(&d, 1);
        QCOMPARE(spy.count(), 2);
        d.showCountDown(trs(TR_GoBack), 95);
        QVERIFY(d.text().endsWith("01:35"));
        d.stopCountDown();
        ticks(&d, 8 * 100);
        QCOMPARE(spy.count(), 2);
    }

    void check_closesOnlyOnceEnabled() {
        UxDialogCheck d;
        d.showCheck();
        d.setLabelText("sonar", trs(TR_Offline));
        d.setLabelText("nothing", "x");
        QCOMPARE(d.labelText("sonar"), trs(TR_Offline));
        press(&d, Qt::Key_Return);
        QVERIFY(d.isVisible());
        d.setButtonEnable(true);
        press(&d, Qt::Key_Left);
        QVERIFY(!d.isVisible());
    }

    void cali_escapeReportsAndCloseNeedsTheButton() {
        UxDialogCali c;
        QSignalSpy cali(&c, &UxDialogCali::signal_keyClick);
        c.showCali(trs(TR_CalibrateDisplayCompass), "dsp", trs(TR_Exit), 100,
                   trs(TR_RotateCompass));
        press(&c, Qt::Key_Return);
        press(&c, Qt::Key_Escape);
        QCOMPARE(cali.count(), 1);
        QVERIFY(c.isVisible());
        c.setButtonEnable(true);
        press(&c, Qt::Key_Return);
        QVERIFY(!c.isVisible());
    }

    void test_selectPoint_debug_keys() {
        UxDialogTest t;
        QSignalSpy test(&t, &UxDialogTest::signal_keyClick);
        t.showTest();
        t.setAngle("dsp", 271);
        QCOMPARE(t.angleText("dsp"), QString("271°"));
        press(&t, Qt::Key_C);
        QVERIFY(t.isVisible());
        press(&t, Qt::Key_M);
        QVERIFY(!t.isVisible());
        QCOMPARE(caught(test), (QList<QList<QVariant>>{{"change"}, {"esc"}}));

        UxDialogSelectPoint s;
        QSignalSpy sel(&s, &UxDialogSelectPoint::signal_keyClick);
        s.select_show("E 008°40.000'", "N 50°07.000'", "12.5");
        press(&s, Qt::Key_Left);
        press(&s, Qt::Key_I);
        QVERIFY(!s.isVisible());
        QCOMPARE(caught(sel), (QList<QList<QVariant>>{{"left", 2}, {"enter", 2}}));

        UxDialogDebugWindow w;
        QSignalSpy send(&w, &UxDialogDebugWindow::signal_DialogButtonClick);
        w.setCommands({"$HMA,*00", "$HMB,*00", "$HMC,*00"});
        w.showWindow();
        press(&w, Qt::Key_Down);
        QCOMPARE(w.currentCommand(), QString("$HMC,*00"));
        press(&w, Qt::Key_Enter);
        QCOMPARE(send.count(), 1);
        press(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    // --- The controller's dialogs ---------------------------------------------------------

    void controller_dimsTheScreenWhileADialogIsUp() {
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
    }

    void controller_alarmAsksAndIgnoreSetsTheFlag_data() {
        QTest::addColumn<int>("alarm");  // 0 shallow, 1 boat battery
        QTest::addColumn<bool>("ignore");
        QTest::newRow("shallow ignored") << 0 << true;
        QTest::newRow("shallow OK") << 0 << false;
        QTest::newRow("boat battery ignored") << 1 << true;
    }
    void controller_alarmAsksAndIgnoreSetsTheFlag() {
        QFETCH(int, alarm);
        QFETCH(bool, ignore);
        Global::configuration.shallowAlarmLevel = 1.0f;
        Global::configuration.boatVoltageAlarmLevel = 11.0f;
        Korvel k;
        k.mainTimer()->stop();
        QSignalSpy fired(&k, &Korvel::signal_alarm);
        // The alarm check itself, on the values the link would have left (the tick's other
        // steps overwrite them from the link).
        for (int check = 1; check <= 11; ++check) {
            k.values().sonar_dataArriving = true;
            k.values().current_depth = alarm == 0 ? 0.5f : 5.0f;
            k.values().boat_voltage = alarm == 1 ? 9.0f : 12.5f;
            k.setTickCount(5 * check);
            k.data_checkState();
        }
        QCOMPARE(fired.count(), 1);
        UxDialogQuestion* q = k.dialogs().question();
        QVERIFY(q->isVisible());
        QCOMPARE(q->titleText(), trs(TR_Alarm));
        QCOMPARE(q->text(), trs(alarm == 0 ? TR_ShallowAlarmMsg : TR_BoatBatteryLow));
        QCOMPARE(q->type(), QString(alarm == 0 ? "shallow" : "boatVtg"));
        if (ignore) press(q, Qt::Key_Left);  // "Ignore"
        press(q, Qt::Key_Return);
        QVERIFY(!q->isVisible());
        QCOMPARE(alarm == 0 ? k.flags().ignoreShallow : k.flags().ignoreBoatVtg, ignore);
    }

    void controller_longEscapeShowsPowerOff() {
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        QKeyEvent escDown(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(k.scene(), &escDown);
        for (int i = 0; i < UxScene::kLongPressTicks - 1; ++i)
            k.slot_timeout_main();
        QVERIFY(!k.dialogs().powerOff()->isVisible());
        k.slot_timeout_main();
        QVERIFY(k.dialogs().powerOff()->isVisible());
        QTest::keyRelease(k.dialogs().powerOff(), Qt::Key_Escape);
        QVERIFY(!k.dialogs().powerOff()->isVisible());
    }

    void controller_feedbackResults() {
        Korvel k;
        k.mainTimer()->stop();
        UxDialogFeedBack* f = k.dialogs().feedBack();
        std::atomic<uint8_t> flag{1};
        f->showFeedback(trs(TR_Message), "x", "test", &flag);
        ticks(f, 15);
        QCOMPARE(f->text(), QString("test success"));

        std::atomic<uint8_t> never{0};
        f->showFeedback(trs(TR_Message), QString(), "ap_goMultiTarget", &never);
        QVERIFY(!f->isVisible());
        ticks(f, 100);
        QVERIFY(f->isVisible());
        QCOMPARE(f->text(), trs(TR_ConnectionFailed));
    }

    void controller_debugCommandsFromTheCard() {
        QVERIFY(m_root->writeFile("/mnt/sd/cmd.txt", "$HMA,*41\r\n$HMB,*42\r\n\r\n$HMC,*43"));
        Korvel k;
        k.mainTimer()->stop();
        k.dialog_debugWindow_loadCmdString();
        QCOMPARE(k.dialogs().debugWindow()->commands(),
                 (QStringList{"$HMA,*41", "$HMB,*42", "$HMC,*43"}));
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
        ModalWatch modals;
        DialogHost host(modals);
        QStringList problems;
        auto check = [&](QWidget* d, const QString& name) {
            QCoreApplication::processEvents();
            for (const QString& p : clippedTexts(d))
                problems << name + ": " + p;
            d->hide();
        };
        // Any text of the table may come up as a message.
        for (int id = 1; id < TR_COUNT; ++id) {
            host.hint()->showHint("402", trs(TR_Error), trs(EnumTrString(id)), false, false);
            check(host.hint(), QStringLiteral("hint %1").arg(id));
        }
        host.showAlarm("vtg", TR_DisplayBatteryLow);
        check(host.question(), "alarm");
        host.askStopAutopilot();
        check(host.question(), "stop");
        host.question()->showQuestion(trs(TR_Cursor), trs(TR_CursorSaveOrGo), trs(TR_Save),
                                      trs(TR_Go), "selectPoint");
        check(host.question(), "cursor");
        host.progress()->showProgress("203", trs(TR_UpdateRBoxes), trs(TR_WaitRemoteReboot),
                                      trs(TR_Ok), 100, "u", true);
        check(host.progress(), "progress");
        std::atomic<uint8_t> flag{0};
        host.feedBack()->showFeedback(
            trs(TR_Message),
            trs(TR_StopAutopilotTaskNow) + ". " + trs(TR_ConnectingAutopilot) + "...", "ap_stop",
            &flag);
        check(host.feedBack(), "feedback");
        QVERIFY(
            m_root->writeFile("/mnt/sd/Korvel/Record/a-very-long-recording-name-2024.kvlw", "x"));
        host.file()->setCardCheck([] { return true; });
        host.file()->showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        check(host.file(), "file");
        host.file()->setCardCheck([] { return false; });
        host.file()->showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        check(host.file(), "file without a card");
        for (int stop : {1, 8, 16}) {
            host.powerOff()->showPowerOff();
            QVERIFY(QTest::qWaitForWindowActive(host.powerOff()));
            ticks(host.powerOff(), stop);
            check(host.powerOff(), QStringLiteral("power off at tick %1").arg(stop));
        }
        host.countDown()->showCountDown(trs(TR_MultiTargetAutopilot), 95);
        check(host.countDown(), "count-down");
        host.check()->showCheck();
        for (const char* m : {"radio", "sonar", "gps", "compass", "ap"})
            host.check()->setLabelText(m, trs(TR_Offline));
        host.check()->setButtonEnable(true);
        check(host.check(), "check");
        host.cali()->showCali(trs(TR_CalibrateBoatCompass), "boat", trs(TR_Exit), 100,
                              trs(TR_CompassCalibrating));
        check(host.cali(), "cali");
        host.test()->showTest();
        host.test()->setAngle("dsp", 359);
        check(host.test(), "compass test");
        host.showSysInfo({"1.0.3", "1.2", "3.05", "2.10", "1.40", "4.1.15 2023-Mar-14"}, 98, 87,
                         16);
        check(host.sysInfo(), "system info");
        UxDialogSelectPoint sp;
        sp.select_show("E 008°40.1234'", "N 50°07.5678'", "123.4 m");
        check(&sp, "select point");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

private:
    QScopedPointer<TestRoot> m_root;
};

KORVEL_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
