#include "base/global.h"
#include "core/korvel.h"
#include "core/tick_timing.h"
#include "core/ux_view.h"
#include "korvel_test.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/map/ux_navi.h"

#include <QGraphicsItem>
#include <QScreen>
#include <QtTest>

namespace {
// A calm lake with "name=value" changes: handset, boat (V), level, boatLevel (alarm levels),
// depth, shallow (alarm depth), sats, sonar (data arriving), question (on screen), and
// ignoreHandset, ignoreBoat, ignoreShallow (the question's "Ignore" answers).
StructAlarmInputs lake(const QString& changes = QString()) {
    StructAlarmInputs in;
    const QString calm = "sonar=1 boat=12.5 handset=12 depth=3 sats=9 shallow=1 ";
    for (const QString& change : (calm + changes).split(' ', Qt::SkipEmptyParts)) {
        const QString name = change.section('=', 0, 0);
        const float v = change.section('=', 1).toFloat();
        using In = StructAlarmInputs;
        const QHash<QString, float In::*> floats = {{"handset", &In::handsetVoltage},
                                                    {"boat", &In::boatVoltage},
                                                    {"level", &In::batteryAlarmLevel},
                                                    {"boatLevel", &In::boatVoltageAlarmLevel},
                                                    {"depth", &In::depth},
                                                    {"shallow", &In::shallowAlarmLevel}};
        const QHash<QString, bool In::*> flags = {{"sonar", &In::sonarDataArriving},
                                                  {"question", &In::questionVisible},
                                                  {"ignoreHandset", &In::ignoreHandsetBattery},
                                                  {"ignoreBoat", &In::ignoreBoatBattery},
                                                  {"ignoreShallow", &In::ignoreShallow}};
        if (floats.contains(name)) in.*floats[name] = v;
        if (flags.contains(name)) in.*flags[name] = v != 0;
        if (name == "sats") in.satellites = int(v);
    }
    return in;
}

// Pixels of two pictures of the screen that differ by more than the rounding of a cached
// translucent item: its colours are kept premultiplied, and blended again they may differ by a
// few levels (the compass's face, up to 5) from those blended while it is drawn.
int pixelsApart(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int apart = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (qAbs(qRed(p[x]) - qRed(q[x])) > 8 || qAbs(qGreen(p[x]) - qGreen(q[x])) > 8 ||
                qAbs(qBlue(p[x]) - qBlue(q[x])) > 8)
                ++apart;
        }
    }
    return apart;
}

// The screen as its repaints left it, and as one full repaint without any item's cache (and
// with the view dimming every pixel itself) paints it now; both without the area of the map's
// boat, whose turned picture leaves a few edge pixels behind as it moves.
QPair<QImage, QImage> shownAndRepainted(UxView* view, QGraphicsItem* boat) {
    const QImage shown =
        view->screen()->grabWindow(view->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    QList<QPair<QGraphicsItem*, QGraphicsItem::CacheMode>> cached;
    for (QGraphicsItem* item : view->scene()->items()) {
        if (item->cacheMode() == QGraphicsItem::NoCache) continue;
        cached.append({item, item->cacheMode()});
        item->setCacheMode(QGraphicsItem::NoCache);
    }
    view->setDimsAtSource(false);
    const QImage repainted = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    view->setDimsAtSource(true);
    for (const auto& [item, mode] : cached)
        item->setCacheMode(mode);
    QImage a = shown, b = repainted;
    const QRect around = boat->sceneBoundingRect().toAlignedRect().adjusted(-4, -4, 4, 4);
    for (QImage* image : {&a, &b}) {
        QPainter p(image);
        p.fillRect(around, Qt::black);
    }
    return {a, b};
}

// The checks (of count) on which an alarm fired or a blink began, as "check what".
QString firedChecks(AlarmMonitor& m, const StructAlarmInputs& in, int count) {
    QStringList fired;
    StructAlarmOutcome last;
    for (int check = 1; check <= count; ++check) {
        const StructAlarmOutcome out = m.check(in);
        const QString at = QString::number(check) + ' ';
        if (!out.alarmType.isEmpty()) fired << at + out.alarmType;
        if (out.boatBlink && !last.boatBlink) fired << at + "boatBlink";
        if (out.depthBlink && !last.depthBlink) fired << at + "depthBlink";
        last = out;
    }
    return fired.join(' ');
}
}  // namespace

class TestTick : public QObject {
    Q_OBJECT
private slots:
    // An alarm fires once its condition has held on more than 10 checks, then counts again; a
    // blink begins after as many checks and goes on.
    void alarm_conditions_data() {
        QTest::addColumn<QString>("changes");
        QTest::newRow("handset low") << "handset=9.5 => 11 vtg 22 vtg";
        QTest::newRow("handset 6 V is no reading") << "handset=6 => ";
        QTest::newRow("handset level OFF") << "handset=7.5 level=7.9 => ";
        QTest::newRow("handset ignored") << "handset=9.5 ignoreHandset=1 => ";
        QTest::newRow("question on screen") << "handset=9.5 question=1 => ";
        QTest::newRow("boat low") << "boat=7 => 11 boatVtg 22 boatVtg";
        QTest::newRow("boat low without sonar") << "boat=7 sonar=0 => ";
        QTest::newRow("boat ignored") << "boat=7 ignoreBoat=1 => ";
        QTest::newRow("shallow") << "depth=0.5 => 11 shallow 22 shallow";
        QTest::newRow("no depth: not shallow, the depth blinks") << "depth=0 => 11 depthBlink";
        QTest::newRow("shallow alarm OFF") << "depth=0.5 shallow=0 => ";
        QTest::newRow("shallow ignored") << "depth=0.5 ignoreShallow=1 => ";
        QTest::newRow("few satellites blink the boat") << "sats=2 => 11 boatBlink";
        QTest::newRow("0.1 m: shallow, the depth blinks")
            << "depth=0.1 => 11 shallow 11 depthBlink 22 shallow";
    }
    void alarm_conditions() {
        QFETCH(QString, changes);
        AlarmMonitor m;
        QCOMPARE(firedChecks(m, lake(changes.section(" => ", 0, 0)), 22),
                 changes.section(" => ", 1));
    }

    void alarm_conditionBrokenCountsAgain() {
        AlarmMonitor m;
        QCOMPARE(firedChecks(m, lake("depth=0.5"), 10), QString());
        QCOMPARE(firedChecks(m, lake(), 1), QString());
        QCOMPARE(firedChecks(m, lake("depth=0.5"), 11), QString("11 shallow"));
    }

    // Every 5th tick the controller checks: the 11th check with a low handset battery asks.
    void controller_checksAlarmsEvery5thTick() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        QSignalSpy alarm(&k, &Korvel::signal_alarm);
        // The handset battery as the ADC reads it: raw 1277 is 8.99 V, below the 10 V level.
        QVERIFY(root.writeFile("/dev/magic-adc", "1277\n"));
        // The count wraps after 10000: from 9999 the checks fall on 10000, 0, 5, ... 45.
        k.setTickCount(9999);
        for (int i = 0; i < 46; ++i)
            k.slot_timeout_main();  // up to tick 44: 10 checks
        QCOMPARE(alarm.count(), 0);
        k.slot_timeout_main();  // tick 45: the 11th check
        QCOMPARE(alarm.takeFirst(), (QVariantList{"vtg", 139}));
        k.dialog_question_click(QStringLiteral("vtg"), QStringLiteral("left"));  // ignore it
        for (int i = 0; i < 60; ++i)
            k.slot_timeout_main();
        QCOMPARE(alarm.count(), 0);
    }

    // Headings shown for successive compass readings: jitter of 10 degrees or less is held,
    // steps are at most 20 degrees, and the seam at 0/360 is crossed the short way.
    void headingFilter_data() {
        QTest::addColumn<QString>("readings");
        QTest::newRow("8 degrees held") << "100 108 92 => 100 100 100";
        QTest::newRow("350 to 10 is 20 apart") << "350 10 => 350 10";
        QTest::newRow("jitter held") << "100 110 90 105 95 111 => 100 100 100 100 100 111";
        QTest::newRow("steps limited") << "0 60 60 60 45 -30 => 0 20 40 60 45 25";
        QTest::newRow("seam, the short way") << "355 5 => 355 5";
        QTest::newRow("seam, limited steps") << "350 40 40 40 40 => 350 10 30 30 30";
        QTest::newRow("seam, backwards") << "10 340 => 10 350";
    }
    void headingFilter() {
        QFETCH(QString, readings);
        HeadingFilter f;
        QStringList got;
        for (const QString& r : readings.section(" => ", 0, 0).split(' '))
            got << QString::number((f.update(r.toInt()) % 360 + 360) % 360);
        QCOMPARE(got.join(' '), readings.section(" => ", 1));
        QCOMPARE(HeadingFilter::targetFromRaw(270), -90);  // the sensor's 0 is the heading's 180
    }

    // After ticks of partial repaints, with cached items and a masked picture under a menu,
    // the screen shows what a full repaint paints: in every layout, with the read-outs and
    // the panels changing as the recording plays, and with a menu opened and closed again.
    void screen_sameAsFullRepaint() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        UxView* view = k.view();
        const auto run = [&](int ticks) {
            for (int i = 0; i < ticks; ++i) {
                k.slot_timeout_main();
                QCoreApplication::processEvents();
            }
        };
        QImage before;
        const auto check = [&](const char* when) {
            const auto [shown, repainted] = shownAndRepainted(view, k.navi()->boatItem());
            QVERIFY2(pixelsApart(shown, repainted) == 0, when);
            QVERIFY2(shown != before, when);  // the screen moved on
            before = shown;
        };
        for (int layout : {1, 0, 3, 2}) {
            Global::configuration.screenMode = layout;
            run(40);
            check(qPrintable(QStringLiteral("layout %1").arg(layout)));
        }
        QTest::keyClick(view, Qt::Key_M);
        run(20);
        check("menu open");
        QVERIFY(view->isLowLight());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        run(20);
        QVERIFY(!view->isLowLight());
        check("menu closed");
    }

    // The tick timing's summary of tick times in ms: an even count's median is the mean of the
    // middle two.
    void tickTiming_data() {
        QTest::addColumn<QString>("ms");
        QTest::newRow("none") << " => no ticks";
        QTest::newRow("odd") << "5 1 3.25 => 3 ticks, median 3.25 ms, slowest 5.00 ms";
        QTest::newRow("even") << "9 1 4 2 => 4 ticks, median 3.00 ms, slowest 9.00 ms";
    }
    void tickTiming() {
        QFETCH(QString, ms);
        TickTiming t;
        for (const QString& v : ms.section(" => ", 0, 0).split(' ', Qt::SkipEmptyParts))
            t.add(qint64(v.toDouble() * 1e6));
        QCOMPARE(t.summary(), ms.section(" => ", 1));
    }
};

KORVEL_TEST_MAIN(TestTick)
#include "test_tick.moc"
