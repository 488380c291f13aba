#include "app_font.h"
#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "test_root.h"
#include "ui/dialog_host.h"
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

// Every label and button text of a shown dialog that does not fit its box, as "text: why".
QStringList clippedTexts(QWidget* dialog) {
    QStringList problems;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(dialog) || label->text().isEmpty()) continue;
        const QRect inDialog(label->mapTo(dialog, QPoint(0, 0)), label->size());
        if (!dialog->rect().contains(inDialog))
            problems << QStringLiteral("%1: label outside the dialog").arg(label->text());
        const QFontMetrics fm(label->font());
        const QRect box = label->contentsRect();
        if (label->wordWrap()) {
            // No piece that cannot be broken may be wider than the box, and the wrapped text
            // must fit its height.
            const QString text = label->text();
            QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
            int start = 0;
            while (start < text.size()) {
                int end = finder.toNextBoundary();
                if (end < 0) end = text.size();
                const QString piece = text.mid(start, end - start).trimmed();
                if (fm.horizontalAdvance(piece) > box.width())
                    problems << QStringLiteral("%1: word '%2' wider than %3 px")
                                    .arg(text, piece)
                                    .arg(box.width());
                start = end;
            }
            const QRect need = fm.boundingRect(box, Qt::TextWordWrap | label->alignment(), text);
            if (need.height() > box.height())
                problems << QStringLiteral("%1: needs %2 px height, has %3")
                                .arg(text)
                                .arg(need.height())
                                .arg(box.height());
        } else {
            for (const QString& line : label->text().split(QLatin1Char('\n'))) {
                if (fm.horizontalAdvance(line) > box.width())
                    problems << QStringLiteral("%1: %2 px wide, box %3")
                                    .arg(line)
                                    .arg(fm.horizontalAdvance(line))
                                    .arg(box.width());
            }
        }
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(dialog)) continue;
        const int room = button->width() - 12;  // border and padding
        const int need = QFontMetrics(button->font()).horizontalAdvance(button->text());
        if (need > room)
            problems << QStringLiteral("button %1: %2 px, room %3")
                            .arg(button->text())
                            .arg(need)
                            .arg(room);
    }
    const QRect onScreen = dialog->frameGeometry();
    if (!QRect(0, 0, UxView::kWidth, UxView::kHeight).contains(onScreen))
        problems << QStringLiteral("dialog %1,%2 %3x%4 leaves the screen")
                        .arg(onScreen.x())
                        .arg(onScreen.y())
                        .arg(onScreen.width())
                        .arg(onScreen.height());
    return problems;
}

const char* const kLanguageNames[LanguageCount] = {"english", "russian", "french",  "german",
                                                   "dutch",   "polish",  "spanish", "chinese"};

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

    void hint_autoCloseAfter31Ticks() {
        UxDialogHint hint;
        hint.showHint("301", trs(TR_Error), trs(TR_NoSdCard), true, false);
        QVERIFY(hint.isVisible());
        for (int i = 0; i < 30; ++i)
            hint.do_timer();
        QVERIFY(hint.isVisible());
        hint.do_timer();
        QVERIFY(!hint.isVisible());
        QVERIFY(hint.text().isEmpty());
    }

    void hint_withoutAutoCloseWaitsForAKey() {
        UxDialogHint hint;
        hint.showHint("", trs(TR_Message), trs(TR_TargetArrived), false, false);
        for (int i = 0; i < 100; ++i)
            hint.do_timer();
        QVERIFY(hint.isVisible());
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&hint, &repeat);
        QVERIFY(hint.isVisible());  // a held key does not dismiss it
        press(&hint, Qt::Key_Down);
        QVERIFY(!hint.isVisible());
        QVERIFY(hint.text().isEmpty());
    }

    void hint_appendAddsALine() {
        UxDialogHint hint;
        hint.appendHint("501", "first", false);
        hint.appendHint("502", "second", false);
        QCOMPARE(hint.text(), QString("first\nsecond"));
        QCOMPARE(hint.codeText(), QString("502"));
    }

    void question_answers_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rightText");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("answer");  // empty: none, dialog closed
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
        QVERIFY(q.rightHasFocus());
        for (int key : keys)
            press(&q, key);
        QCOMPARE(q.isVisible(), visibleAfter);
        if (answer.isEmpty()) {
            QCOMPARE(spy.count(), 0);
        } else {
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy[0][0].toString(), QString("myType"));
            QCOMPARE(spy[0][1].toString(), answer);
        }
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
        QCOMPARE(spy.count(), 0);
        press(&p, Qt::Key_Escape);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0], (QList<QVariant>{"bind", "esc"}));
        p.showButton(true);
        press(&p, Qt::Key_Enter);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy[1], (QList<QVariant>{"bind", "ok"}));
        QVERIFY(!p.isVisible());
    }

    // The flag is set at tick flagTick (-1: never); returns "tick:event" in order.
    static QStringList runFeedback(UxDialogFeedBack& f, int flagTick, int ticks,
                                   std::atomic<uint8_t>& flag) {
        QStringList events;
        int tick = 0;
        QObject ctx;
        QObject::connect(&f, &UxDialogFeedBack::signal_todo, &ctx, [&](QString t) {
            events << QStringLiteral("%1:todo %2").arg(tick).arg(t);
        });
        QObject::connect(&f, &UxDialogFeedBack::signal_success, &ctx, [&](QString t) {
            events << QStringLiteral("%1:success %2").arg(tick).arg(t);
        });
        QObject::connect(&f, &UxDialogFeedBack::signal_fail, &ctx, [&](QString t) {
            events << QStringLiteral("%1:fail %2").arg(tick).arg(t);
        });
        for (tick = 1; tick <= ticks; ++tick) {
            if (tick == flagTick) flag = 1;
            const bool wasVisible = f.isVisible();
            f.do_timer();
            if (wasVisible && !f.isVisible()) events << QStringLiteral("%1:hidden").arg(tick);
        }
        return events;
    }

    // The flag is set at tick flagTick (-1: never); the command is repeated every 5 ticks
    // from step 3 up to step lastRepeat, then the result and the hiding follow.
    void feedback_retriesUntilTheFlag_data() {
        QTest::addColumn<int>("flagTick");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("lastRepeat");
        QTest::addColumn<QStringList>("end");
        QTest::newRow("set before step 3")
            << 10 << 60 << 2 << QStringList{"15:success t", "45:hidden"};
        QTest::newRow("set at step 10")
            << 50 << 100 << 9 << QStringList{"50:success t", "80:hidden"};
        QTest::newRow("never") << -1 << 140 << 20 << QStringList{"100:fail t", "130:hidden"};
    }
    void feedback_retriesUntilTheFlag() {
        QFETCH(int, flagTick);
        QFETCH(int, ticks);
        QFETCH(int, lastRepeat);
        QFETCH(QStringList, end);
        UxDialogFeedBack f;
        std::atomic<uint8_t> flag{0};
        f.showFeedback(trs(TR_Message), "wait", "t", &flag);
        // Keys before the result do not dismiss the wait.
        press(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QStringList expected;
        for (int step = 3; step <= lastRepeat; ++step)
            expected << QStringLiteral("%1:todo t").arg(step * 5);
        QCOMPARE(runFeedback(f, flagTick, ticks, flag), expected + end);
    }

    void feedback_keyAfterResultEndsIt_andEmptyTextWaitsHidden() {
        UxDialogFeedBack f;
        std::atomic<uint8_t> flag{1};
        f.showFeedback(trs(TR_Message), "wait", "test", &flag);
        for (int i = 0; i < 15; ++i)
            f.do_timer();
        QCOMPARE(f.progress(), 20);
        press(&f, Qt::Key_Left);
        QVERIFY(!f.isVisible());
        QVERIFY(!f.wait().active());

        std::atomic<uint8_t> clear{0};
        QSignalSpy todo(&f, &UxDialogFeedBack::signal_todo);
        f.showFeedback(trs(TR_Message), QString(), "sonar_cfg", &clear);
        for (int i = 0; i < 20; ++i)
            f.do_timer();
        QVERIFY(!f.isVisible());
        QCOMPARE(todo.count(), 2);
    }

    void file_listsAndChooses() {
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Record/0121-1759.kvlw", "x"));
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Record/0301-0800.kvlw", "x"));
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Record/readme.txt", "x"));
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
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0], (QList<QVariant>{"kvlw", "/mnt/sd/Korvel/Record/0301-0800.kvlw"}));

        d.showFile("/mnt/sd/Korvel/Record", "*.kvlw", "kvlw");
        press(&d, Qt::Key_M);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy[1], (QList<QVariant>{"kvlw", ""}));
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
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0], (QList<QVariant>{"kct", ""}));
    }

    void powerOff_countsThreeSecondsThenAsks() {
        UxDialogPowerOff d;
        QSignalSpy spy(&d, &UxDialogPowerOff::signal_powerOff);
        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QVERIFY(d.hasFocus());
        QCOMPARE(d.text(), trs(TR_PowerOff));
        QStringList texts;
        for (int tick = 1; tick <= 23; ++tick) {
            d.do_timer();
            texts << d.text();
        }
        QCOMPARE(texts[0], trs(TR_PowerOffIn3) + "...");
        QCOMPARE(texts[6], trs(TR_PowerOffIn3) + "...");
        QCOMPARE(texts[7], trs(TR_PowerOffIn2) + "...");
        QCOMPARE(texts[15], trs(TR_PowerOffIn1) + "...");
        QCOMPARE(texts[22], trs(TR_PowerOffIn1) + "...");
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
        for (int i = 0; i < 10; ++i)
            d.do_timer();
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(),
                                true);
        QCoreApplication::sendEvent(&d, &repeatRelease);
        QTest::keyRelease(&d, Qt::Key_Up);
        QVERIFY(d.isVisible());  // auto-repeat of the held key, or another key
        QTest::keyRelease(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.ticks(), 0);

        d.showPowerOff();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (int i = 0; i < 5; ++i)
            d.do_timer();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!d.isVisible());
        for (int i = 0; i < 30; ++i)
            d.do_timer();
        QCOMPARE(spy.count(), 0);
    }

    void countDown_secondsAndEnd() {
        UxDialogCountDown d;
        QSignalSpy spy(&d, &UxDialogCountDown::signal_timeOver);
        d.showCountDown(trs(TR_GoBack), 2);
        QVERIFY(d.text().endsWith("00:02"));
        QVERIFY(d.text().startsWith(trs(TR_TargetArrived)));
        for (int i = 0; i < 8; ++i)
            d.do_timer();
        QVERIFY(d.text().endsWith("00:01"));
        press(&d, Qt::Key_Return);  // dismisses the view, the count goes on
        QVERIFY(!d.isVisible());
        for (int i = 0; i < 7; ++i)
            d.do_timer();
        QCOMPARE(spy.count(), 0);
        d.do_timer();
        QCOMPARE(spy.count(), 1);
        for (int i = 0; i < 20; ++i)
            d.do_timer();
        QCOMPARE(spy.count(), 1);

        d.showCountDown(trs(TR_GoBack), 0);
        d.do_timer();
        QCOMPARE(spy.count(), 2);
        d.showCountDown(trs(TR_GoBack), 95);
        QVERIFY(d.text().endsWith("01:35"));
        d.stopCountDown();
        for (int i = 0; i < 8 * 100; ++i)
            d.do_timer();
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

    void cali_testSelectPointSysInfoDebug() {
        UxDialogCali c;
        QSignalSpy cali(&c, &UxDialogCali::signal_keyClick);
        c.showCali(trs(TR_CalibrateDisplayCompass), "dsp", trs(TR_Exit), 100,
                   trs(TR_RotateCompass));
        press(&c, Qt::Key_Return);
        QVERIFY(c.isVisible());
        press(&c, Qt::Key_Escape);
        QCOMPARE(cali.count(), 1);
        QVERIFY(c.isVisible());
        c.setButtonEnable(true);
        press(&c, Qt::Key_Return);
        QVERIFY(!c.isVisible());

        UxDialogTest t;
        QSignalSpy test(&t, &UxDialogTest::signal_keyClick);
        t.showTest();
        t.setAngle("dsp", 271);
        QCOMPARE(t.angleText("dsp"), QString("271°"));
        press(&t, Qt::Key_C);
        QVERIFY(t.isVisible());
        press(&t, Qt::Key_M);
        QVERIFY(!t.isVisible());
        QCOMPARE(test.count(), 2);
        QCOMPARE(test[0][0].toString(), QString("change"));

        UxDialogSelectPoint s;
        QSignalSpy sel(&s, &UxDialogSelectPoint::signal_keyClick);
        s.select_show("E 008°40.000'", "N 50°07.000'", "12.5");
        press(&s, Qt::Key_Left);
        press(&s, Qt::Key_I);
        QVERIFY(!s.isVisible());
        QCOMPARE(sel.count(), 2);
        QCOMPARE(sel[0], (QList<QVariant>{"left", 2}));
        QCOMPARE(sel[1], (QList<QVariant>{"enter", 2}));

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

    void controller_createsDialogsHiddenAtTheirPlaces() {
        Korvel k;
        k.mainTimer()->stop();
        const QList<QPair<QWidget*, QPoint>> places = {
            {k.dialogs().hint(), {10, 180}},      {k.dialogs().question(), {10, 180}},
            {k.dialogs().progress(), {10, 180}},  {k.dialogs().cali(), {5, 180}},
            {k.dialogs().test(), {2, 120}},       {k.dialogs().file(), {20, 120}},
            {k.dialogs().feedBack(), {10, 180}},  {k.dialogs().powerOff(), {10, 180}},
            {k.dialogs().sysInfo(), {10, 150}},   {k.dialogs().check(), {5, 180}},
            {k.dialogs().countDown(), {10, 180}}, {k.dialogs().debugWindow(), {10, 0}}};
        for (const auto& p : places) {
            QVERIFY(p.first);
            QVERIFY(!p.first->isVisible());
            QCOMPARE(p.first->pos(), p.second);
        }
        // A visible dialog dims the main screen; closing it restores it.
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
        const bool flag = alarm == 0 ? k.flags().ignoreShallow : k.flags().ignoreBoatVtg;
        QCOMPARE(flag, ignore);
    }

    void controller_longEscapeShowsPowerOff() {
        Korvel k;
        k.mainTimer()->stop();
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
        std::atomic<uint8_t> flag{0};
        k.dialogs().feedBack()->showFeedback(trs(TR_Message), "x", "test", &flag);
        flag = 1;
        for (int i = 0; i < 15; ++i)
            k.dialogs().feedBack()->do_timer();
        QCOMPARE(k.dialogs().feedBack()->text(), QString("test success"));

        std::atomic<uint8_t> never{0};
        k.dialogs().feedBack()->showFeedback(trs(TR_Message), QString(), "ap_goMultiTarget",
                                             &never);
        QVERIFY(!k.dialogs().feedBack()->isVisible());
        for (int i = 0; i < 100; ++i)
            k.dialogs().feedBack()->do_timer();
        QVERIFY(k.dialogs().feedBack()->isVisible());
        QCOMPARE(k.dialogs().feedBack()->text(), trs(TR_ConnectionFailed));
    }

    void controller_debugCommandsFromTheCard() {
        QVERIFY(m_root->writeFile("/mnt/sd/cmd.txt", "$HMA,*41\r\n$HMB,*42\r\n\r\n$HMC,*43"));
        Korvel k;
        k.mainTimer()->stop();
        k.dialog_debugWindow_loadCmdString();
        QCOMPARE(k.dialogs().debugWindow()->commands(),
                 (QStringList{"$HMA,*41", "$HMB,*42", "$HMC,*43"}));
    }

    // --- Texts fit, in every language -----------------------------------------------------

    void everyDialog_textsFit_data() {
        QTest::addColumn<int>("language");
        for (int l = 0; l < LanguageCount; ++l)
            QTest::newRow(kLanguageNames[l]) << l;
    }
    void everyDialog_textsFit() {
        QFETCH(int, language);
        Global::configuration.systemLanguage = language;
        QStringList problems;
        const QString outDir = QDir::currentPath() + "/dialog_screens";
        QDir().mkpath(outDir);
        auto check = [&](QWidget* d, const QString& name) {
            QCoreApplication::processEvents();
            for (const QString& p : clippedTexts(d))
                problems << name + ": " + p;
            if (language == LanguageEnglish || language == LanguageGerman ||
                language == LanguageChinese) {
                // Drawn over a mid-grey screen, as the dimmed picture behind it would be.
                QImage shot(UxView::kWidth, UxView::kHeight, QImage::Format_ARGB32);
                shot.fill(QColor(70, 80, 90));
                QPainter p(&shot);
                p.drawPixmap(d->pos(), d->grab());
                p.end();
                shot.save(
                    QStringLiteral("%1/%2_%3.png").arg(outDir, name, kLanguageNames[language]));
            }
            d->hide();
        };
        auto join = [](std::initializer_list<QString> parts) {
            QString out;
            for (const QString& p : parts)
                out += p;
            return out;
        };

        UxDialogHint hint;
        hint.move(10, 180);
        for (EnumTrString id : {TR_NoSdCard, TR_TargetMarkedUseRemote, TR_SameVersion,
                                TR_HomeNotDefined, TR_RemoteBoxesNotConnected}) {
            hint.showHint("402", trs(TR_Error), trs(id), false, false);
            check(&hint, QStringLiteral("hint%1").arg(int(id)));
        }
        UxDialogQuestion q;
        q.move(10, 180);
        q.showQuestion(trs(TR_Alarm), trs(TR_DisplayBatteryLow), trs(TR_Ignore), trs(TR_Ok), "vtg");
        check(&q, "question_alarm");
        q.showQuestion(trs(TR_StopAutopilot), trs(TR_StopAutopilot) + "?", trs(TR_Yes), trs(TR_No),
                       "stop");
        check(&q, "question_stop");
        q.showQuestion(trs(TR_Message), trs(TR_UseLastHome), trs(TR_Yes), trs(TR_No), "homePoint");
        check(&q, "question_home");
        q.showQuestion(trs(TR_Cursor), trs(TR_CursorSaveOrGo), trs(TR_Save), trs(TR_Go),
                       "selectPoint");
        check(&q, "question_cursor");
        UxDialogProgress pr;
        pr.move(10, 180);
        pr.showProgress("203", trs(TR_UpdateRBoxes), trs(TR_WaitRemoteReboot), trs(TR_Ok), 100, "u",
                        true);
        pr.setValue(40);
        check(&pr, "progress");
        UxDialogFeedBack fb;
        fb.move(10, 180);
        std::atomic<uint8_t> flag{0};
        fb.showFeedback(
            trs(TR_Message),
            join({trs(TR_StopAutopilotTaskNow), ". ", trs(TR_ConnectingAutopilot), "..."}),
            "ap_stop", &flag);
        for (int i = 0; i < 40; ++i)
            fb.do_timer();
        check(&fb, "feedback");
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Record/0121-1759.kvlw", "x"));
        QVERIFY(m_root->writeFile("/mnt/sd/Korvel/Record/0122-0630.kvlw", "x"));
        QVERIFY(
            m_root->writeFile("/mnt/sd/Korvel/Record/a-very-long-recording-name-2024.kvlw", "x"));
        UxDialogFile file;
        file.move(20, 120);
        file.showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        check(&file, "file");
        file.setCardCheck([] { return false; });
        file.showFile("/mnt/sd/Korvel/Record/", "*.kvlw", "kvlw");
        check(&file, "file_nocard");
        UxDialogPowerOff po;
        po.move(10, 180);
        for (int stop : {1, 8, 16}) {
            po.showPowerOff();
            QVERIFY(QTest::qWaitForWindowActive(&po));
            for (int i = 0; i < stop; ++i)
                po.do_timer();
            check(&po, QStringLiteral("poweroff%1").arg(stop));
        }
        UxDialogCountDown cd;
        cd.move(10, 180);
        cd.showCountDown(trs(TR_MultiTargetAutopilot), 95);
        check(&cd, "countdown");
        UxDialogCheck ck;
        ck.move(5, 180);
        ck.showCheck();
        for (const char* m : {"radio", "sonar", "gps", "compass", "ap"})
            ck.setLabelText(m, trs(TR_Offline));
        ck.setButtonEnable(true);
        check(&ck, "check");
        UxDialogCali ca;
        ca.move(5, 180);
        ca.showCali(trs(TR_CalibrateBoatCompass), "boat", trs(TR_Exit), 100,
                    trs(TR_CompassCalibrating));
        check(&ca, "cali");
        UxDialogTest te;
        te.move(2, 120);
        te.showTest();
        te.setAngle("dsp", 359);
        te.setAngle("boat", 120);
        check(&te, "test");
        UxDialogSysInfo si;
        si.move(10, 150);
        si.showSysInfo(trs(TR_SystemInfo),
                       {"1.0.3", "1.2", "3.05", "2.10", "1.40", "4.1.15 2023-Mar-14"});
        si.updateRssi("98", "87", "16");
        check(&si, "sysinfo");
        UxDialogSelectPoint sp;
        sp.move(10, 180);
        sp.select_show("E 008°40.1234'", "N 50°07.5678'", "123.4 m");
        check(&sp, "selectpoint");

        if (!problems.isEmpty()) qWarning().noquote() << problems.join('\n');
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

private:
    QScopedPointer<TestRoot> m_root;
};

KORVEL_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
