// The waypoint screen and its editor with real keys: moving through the list with wrap and
// held-key repeat, the operation menu by model, selection mode, the information area, and the
// editor (new waypoint, moving to another slot, the name, longitude and depth in feet).
#include "app_font.h"
#include "base/global.h"
#include "base/resources.h"
#include "data/kvlw_time.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "platform/versions.h"
#include "state/waypoint_book.h"
#include "test_root.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_waypoint.h"
#include "ui/screens/ux_waypoint_detail.h"

#include <QFontMetrics>
#include <QtTest>

namespace {

const int kLon = 114000000;
const int kLat = 480000000;
const uint32_t k20150305 = KvlwTime::pack({2015, 3, 5, 9, 7, 30});

// Keys to whatever has the focus, as the keypad sends them.
void keys(int key, int count = 1) {
    for (int i = 0; i < count; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
}

using Field = UxWaypointDetail::EnumField;

}  // namespace

class TestWaypointScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        korvelInitResources();
        QString why;
        if (!TestAppFont::load(&m_font, &why)) QSKIP(qPrintable(why));
        Global::configuration.keyTone = 0;
    }
    void init() {
        m_root.reset();  // the old root restores the one before it: first, not after the new
        m_root.reset(new TestRoot);
        Global::configuration.unit = 0;
        Global::configuration.distanceUnit = 2;
        Global::current_model = '5';
        m_screen.reset(new QWidget);
        m_screen->setFixedSize(272, 480);
        m_book.reset(new WaypointBook);
        m_w = new UxSubMenuWaypoint(*m_book, m_screen.get());
        m_w->setGeometry(5, 120, 225, 300);
        m_screen->show();
        QApplication::setActiveWindow(m_screen.get());
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        m_w->importWaypoint(3, k20150305, "three", kLon, kLat + 9000);  // 100 m north
        m_w->setCurrentSlot(0);
        m_w->showWaypoint(QString());
    }
    void cleanup() {
        m_screen.reset();
        m_book.reset();
        m_root.reset();
    }

    void listKeys_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("up from 0 to 499") << 0 << int(Qt::Key_Up) << 499;
        QTest::newRow("down from 499 to 0") << 499 << int(Qt::Key_Down) << 0;
        QTest::newRow("right from 10: +5") << 10 << int(Qt::Key_Right) << 15;
        QTest::newRow("right from 496 to 0") << 496 << int(Qt::Key_Right) << 0;
        QTest::newRow("left from 3 to 499") << 3 << int(Qt::Key_Left) << 499;
        QTest::newRow("C from 480: +10") << 480 << int(Qt::Key_C) << 490;
        QTest::newRow("C from 490 to 0") << 490 << int(Qt::Key_C) << 0;
    }
    void listKeys() {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        m_w->setCurrentSlot(from);
        keys(key);
        QCOMPARE(m_w->currentSlot(), to);
        QVERIFY(m_w->topRow() <= to && to < m_w->topRow() + UxSubMenuWaypoint::kVisibleRows);
    }

    // Held: every tick repeats from the 6th; C's step doubles from the 26th.
    void heldKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("to");
        QTest::newRow("down, 10 ticks") << int(Qt::Key_Down) << 10 << 6;
        QTest::newRow("left, 7 ticks, across 0") << int(Qt::Key_Left) << 7 << 489;
        QTest::newRow("C, 30 ticks") << int(Qt::Key_C) << 30 << 310;
    }
    void heldKeys() {
        QFETCH(int, key);
        QFETCH(int, ticks);
        QTest::keyPress(m_w, Qt::Key(key));
        for (int i = 0; i < ticks; ++i)
            m_w->do_timer();
        QTest::keyRelease(m_w, Qt::Key(key));
        m_w->do_timer();
        QTEST(m_w->currentSlot(), "to");
    }

    // The operation menu's rows by model, and what each does on a used and on an empty slot.
    void operations_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("done");
        QTest::newRow("model e: no menu") << int('e') << 3 << 0 << "no menu";
        QTest::newRow("model 4: five rows") << int('4') << 3 << 4 << "5 rows: new";
        QTest::newRow("detail") << int('d') << 3 << 0 << "10 rows: editor 003";
        QTest::newRow("detail, empty") << int('5') << 0 << 0 << "10 rows: ";
        QTest::newRow("delete") << int('5') << 3 << 1 << "10 rows: deleted";
        QTest::newRow("go to") << int('5') << 3 << 2 << "10 rows: go three";
        QTest::newRow("go to, empty") << int('5') << 0 << 2 << "10 rows: ";
        QTest::newRow("set as target") << int('5') << 3 << 3 << "10 rows: target three";
        QTest::newRow("new, empty") << int('5') << 0 << 4 << "10 rows: new";
        QTest::newRow("csv") << int('5') << 3 << 5 << "10 rows: csv";
        QTest::newRow("kml") << int('5') << 3 << 6 << "10 rows: kml";
        QTest::newRow("import") << int('5') << 3 << 7 << "10 rows: import";
        QTest::newRow("gpx export") << int('5') << 3 << 8 << "10 rows: gpx";
        QTest::newRow("gpx import") << int('d') << 3 << 9 << "10 rows: gpx import";
    }
    void operations() {
        QFETCH(int, model);
        QFETCH(int, slot);
        QFETCH(int, row);
        Global::current_model = quint16(model);
        QStringList done;
        const auto note = [&done](const QString& what) { done << what; };
        connect(m_w, &UxSubMenuWaypoint::signal_goToTarget, this,
                [&](StructWaypoint w) { note("go " + w.name); });
        connect(m_w, &UxSubMenuWaypoint::signal_setAsTarget, this,
                [&](StructWaypoint w) { note("target " + w.name); });
        connect(m_w, &UxSubMenuWaypoint::signal_needNewWaypoint, this, [&] { note("new"); });
        connect(m_w, &UxSubMenuWaypoint::signal_exportCsv, this, [&] { note("csv"); });
        connect(m_w, &UxSubMenuWaypoint::signal_exportKml, this, [&] { note("kml"); });
        connect(m_w, &UxSubMenuWaypoint::signal_importKml, this, [&] { note("import"); });
        connect(m_w, &UxSubMenuWaypoint::signal_exportGpx, this, [&] { note("gpx"); });
        connect(m_w, &UxSubMenuWaypoint::signal_importGpx, this, [&] { note("gpx import"); });
        m_w->setCurrentSlot(slot);
        keys(Qt::Key_Return);
        UxSmallMenu* menu = m_w->operationMenu();
        const QString rows =
            menu->isVisible() ? QString::number(menu->rowCount()) + " rows: " : "no menu";
        if (menu->isVisible()) {
            keys(Qt::Key_Down, row);
            keys(Qt::Key_Return);
            QVERIFY(!menu->isVisible());
        }
        if (m_w->detail()->isVisible()) note("editor " + m_w->detail()->fieldText(Field::FieldSn));
        if (slot == 3 && m_w->getWaypoint(3).isEmpty()) note("deleted");
        QTEST(rows + done.join(", "), "done");
    }

    void selectionAndQuickGo() {
        QStringList got;
        connect(m_w, &UxSubMenuWaypoint::signal_itemClick_waypoint, this,
                [&](QString title, StructWaypoint w) { got << title + " " + w.sn; });
        connect(m_w, &UxSubMenuWaypoint::signal_quickGoToTarget, this,
                [&](StructWaypoint w) { got << "quick " + w.sn; });
        m_w->showWaypoint("goBack");
        keys(Qt::Key_Return);  // slot 0 is empty: nothing
        keys(Qt::Key_I);       // asked also for an empty slot
        keys(Qt::Key_Down, 3);
        keys(Qt::Key_Return);
        QCOMPARE(got, QStringList({"quick 000", "goBack 003"}));
        QVERIFY(!m_w->operationMenu()->isVisible());
        keys(Qt::Key_Escape);
        QVERIFY(!m_w->isVisible());
        QCOMPARE(m_w->selectTitle(), QString("goBack"));
    }

    // Date, time, distance and course of the selected slot ("-.-" for an empty one) and home;
    // every text fits its place.
    void informationArea() {
        Convert::setStartPoint(kLon, kLat);
        m_w->setCurrentBoatPoint(Convert::navi_ddS32_to_relativeCoor(kLon, kLat));
        m_w->setCurrentHomePos("N48\u00b000.0000\u2032", "E011\u00b024.0000\u2032");
        const auto shown = [this] {
            const StructWaypointInfo i = m_w->info();
            return QStringList{i.date, i.time, i.distance, i.course, i.home}.join(" | ");
        };
        QCOMPARE(shown(), QString("-.- | -.- | -.- | -.- | N48°00.0000′ E011°24.0000′"));
        keys(Qt::Key_Down, 3);
        QCOMPARE(shown(),
                 QString("15-03-05 | 09:07:30 | 100 m | 0.0 | N48°00.0000′ E011°24.0000′"));
        for (const StructTextBox& b : m_w->textBoxes())
            QVERIFY2(QFontMetrics(b.font).horizontalAdvance(b.text) <= b.box.width(),
                     qPrintable(b.text));
        Convert::navi_startPoint = QPoint();
    }

    // A new waypoint goes to the first empty slot with its proposed name; confirmed with "OK"
    // it takes the creation date and time.
    void editor_newWaypoint() {
        m_w->importWaypoint(0, 0, "zero", kLon, kLat);
        m_w->newWaypointDetail(-1, k20150305, kLon, kLat, 2.5f);
        UxWaypointDetail* d = m_w->detail();
        QVERIFY(d->isVisible());
        QCOMPARE(QStringList({d->fieldText(Field::FieldSn), d->fieldText(Field::FieldName),
                              d->fieldText(Field::FieldLat), d->fieldText(Field::FieldDepth)}),
                 QStringList({"001", "0305-0907", "N  48°00.0000′", "2.5"}));
        keys(Qt::Key_Down);  // icon: chooser, second icon
        keys(Qt::Key_Return);
        keys(Qt::Key_Down);
        keys(Qt::Key_Return);
        QCOMPARE(d->iconIndex(), 1);
        keys(Qt::Key_Down, 6);
        QCOMPARE(d->focusedField(), Field::ButtonOk);
        keys(Qt::Key_Return);
        QVERIFY(!d->isVisible());
        const StructWaypoint w = m_w->getWaypoint(1);
        QCOMPARE(w.name + " " + w.date + " " + w.time + " " + QString::number(w.iconIndex),
                 QString("0305-0907 15-03-05 09:07:30 1"));
        for (const StructTextBox& b : d->textBoxes())
            QVERIFY2(QFontMetrics(b.font).horizontalAdvance(b.text) <= b.box.width(),
                     qPrintable(b.text));
    }

    // SN 003 changed to 345: slot 345 is written, slot 3 stays; the name grows by a
    // character; a longitude typed past 180° is held at 180°.
    void editor_fields() {
        m_w->setCurrentSlot(3);
        m_w->showWaypointDetail();
        keys(Qt::Key_Return);  // SN
        QVERIFY(m_w->detail()->lineEditor()->isVisible());
        keys(Qt::Key_Up, 3);
        keys(Qt::Key_Right);
        keys(Qt::Key_Up, 4);
        keys(Qt::Key_Right);
        keys(Qt::Key_Up, 2);
        keys(Qt::Key_Return);
        keys(Qt::Key_Down, 2);  // name "three": grows by '0'
        keys(Qt::Key_Return);
        keys(Qt::Key_Right, 5);
        keys(Qt::Key_Up, 2);
        keys(Qt::Key_Return);
        keys(Qt::Key_Down);  // longitude E 011° to W 191°
        keys(Qt::Key_Return);
        keys(Qt::Key_Up);
        keys(Qt::Key_Right);
        keys(Qt::Key_Up);
        keys(Qt::Key_Right);
        keys(Qt::Key_Up, 8);
        keys(Qt::Key_Return);
        keys(Qt::Key_Down, 4);  // OK
        keys(Qt::Key_Return);
        const StructWaypoint w = m_w->getWaypoint(345);
        QCOMPARE(w.sn + " " + w.name + " " + w.longitude + " " + w.date,
                 QString("345 three0 W 180°00.0000′ 15-03-05"));
        QCOMPARE(m_w->getWaypoint(3).name, QString("three"));
        QCOMPARE(m_w->currentSlot(), 345);
    }

    // In feet the editor shows the depth converted and stores it back in metres: confirming it
    // again leaves it as it was.
    void editor_depthInFeet_data() {
        QTest::addColumn<float>("metres");
        QTest::addColumn<QString>("feet");
        QTest::newRow("3.0 m") << 3.0f << "9.9";
        QTest::newRow("7.5 m") << 7.5f << "24.8";
        QTest::newRow("0.4 m") << 0.4f << "1.3";
    }
    void editor_depthInFeet() {
        QFETCH(float, metres);
        Global::configuration.unit = 2;
        m_w->newWaypointDetail(3, k20150305, kLon, kLat, metres);
        QTEST(m_w->detail()->fieldText(Field::FieldDepth), "feet");
        for (int i = 0; i < 2; ++i) {
            keys(Qt::Key_Down, 7);
            keys(Qt::Key_Return);
            QCOMPARE(m_w->getWaypoint(3).depth, metres);
            m_w->showWaypointDetail();
        }
        keys(Qt::Key_Escape);
        QVERIFY(!m_w->detail()->isVisible());
    }

private:
    QFont m_font;
    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<WaypointBook> m_book;
    std::unique_ptr<QWidget> m_screen;
    UxSubMenuWaypoint* m_w = nullptr;
};

KORVEL_TEST_MAIN(TestWaypointScreen)
#include "test_waypoint_screen.moc"
