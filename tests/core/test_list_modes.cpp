// The list modes as the controller runs them on a fake radio module: the legs sent to the
// autopilot, the waits between them, the hints, the map's line, and the screens that start
// them driven by their keys.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "data/multi_target_file.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/map/ux_dst_bar.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route_ap.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QtTest>

namespace {

const int kLon = 114000000;
const int kLat = 480000000;  // 1000 ddS32 of latitude: about 11 m

// The handset past its start-up check, the boat at (kLon, kLat), waypoints 0..3 at 100, 200,
// 300 and 2000 m north; multi-target rows filled from "row:slot:delay" words.
struct Handset {
    std::shared_ptr<FakeSpiBus::State> bus = std::make_shared<FakeSpiBus::State>();
    TestRoot root;
    std::unique_ptr<Korvel> k;

    explicit Handset(const QString& rows = QString()) {
        auto state = bus;
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.keyTone = 0;
        Convert::navi_startPoint = QPoint();
        k = std::make_unique<Korvel>();
        k->mainTimer()->stop();
        QCoreApplication::processEvents();
        k->data()->thread()->device().setPacing({0, 0, 0});
        passStartCheck(*k);
        mode("M");
        StructBoatValues& v = k->values();
        v = {};
        v.boat_lon = kLon;
        v.boat_lat = kLat;
        v.gps_satellites = 9;
        v.fix_usable = v.fix_settled = true;
        k->navi_getCurrent();
        k->navi_getCurrent();  // home set at the second fix
        const int north[] = {9000, 18000, 27000, 180000};
        for (int slot = 0; slot < 4; ++slot)
            k->waypointMenu()->importWaypoint(slot, 0, "w" + QString::number(slot), kLon,
                                              kLat + north[slot]);
        QVector<StructMultiTarget> list(5, StructMultiTarget(StructWaypoint(), 0));
        for (const QString& word : rows.split(' ', Qt::SkipEmptyParts)) {
            const QStringList f = word.split(':');
            list[f[0].toInt()] =
                StructMultiTarget(k->waypointMenu()->getWaypoint(f[1].toInt()), f[2].toInt());
        }
        MultiTargetFile::write(root.path(MultiTargetFile::kPath), list);
        k->multiTargetMenu()->loadArray();
        k->dialogs().hint()->hide();
    }
    ~Handset() { SpiBus::setFactory(nullptr); }

    void mode(const char* m) {
        ApInfo_t info;
        info.field[2] = QLatin1String(m);
        k->data()->linkState().setCurrentInfoAp(info);
        k->data()->linkState().count_noData_ap = 0;
        k->navi_checkState();
    }
    // The latitudes (ddS32 / 1000 north of the boat) of the legs sent, in order.
    QStringList legs() {
        (void)QTest::qWaitFor(
            [this] { return k->data()->thread()->device().queuedCommands() == 0; });
        QStringList out;
        const QByteArray w = bus->writtenBytes();
        for (int at = w.indexOf("$HMCTL,RUN"); at >= 0; at = w.indexOf("$HMCTL,RUN", at + 1)) {
            const double lat = w.mid(at, w.indexOf('*', at) - at).split(',').value(3).toDouble();
            out << QString::number(qRound((lat * 1e7 - kLat) / 1000.0));
        }
        return out;
    }
    QString hint() const {
        UxDialogHint* h = k->dialogs().hint();
        return h->isVisible() ? h->text() : QString();
    }
    // Seconds of the count-down; then it ends.
    void wait(int seconds) {
        for (int i = 0; i <= seconds * UxDialogCountDown::kTicksPerSecond; ++i)
            k->dialogs().countDown()->do_timer();
    }
    void key(QWidget* w, int qtKey, int count = 1) {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(w, Qt::Key(qtKey));
    }
};

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

}  // namespace

class TestListModes : public QObject {
    Q_OBJECT
private slots:
    // Go-back: both targets must be set; home (slot -1) is a target; the wait between legs.
    void goBack_data() {
        QTest::addColumn<QString>("targets");  // the rows of the small menu per field: w, h, -
        QTest::addColumn<QString>("legs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("second empty: refused") << "w -"
                                               << "" << trText(TR_Target2Empty);
        QTest::newRow("first empty: refused") << "- h"
                                              << "" << trText(TR_Target1Empty);
        QTest::newRow("home first, waypoint 0") << "h w"
                                                << "0 9" << trText(TR_Target2Arrived);
    }
    void goBack() {
        QFETCH(QString, targets);
        Handset h;
        h.k->values().boat_lat = kLat - 4500;  // 50 m south of home
        h.k->navi_getCurrent();
        h.k->waypointMenu()->setCurrentSlot(0);
        UxSubMenuGoBack* g = h.k->goBackMenu();
        g->showGoBack();
        const QStringList t = targets.split(' ');
        for (int field = 0; field < 2; ++field) {
            if (t[field] == "-") continue;
            h.key(g, Qt::Key_Down, field * 3);  // the second target's field
            h.key(g, Qt::Key_Return);
            h.key(g->targetMenu(), Qt::Key_Down, t[field] == "h");
            h.key(g->targetMenu(), Qt::Key_Return);
            if (t[field] == "w") h.key(h.k->waypointMenu(), Qt::Key_Return);
            g->showGoBack();
        }
        h.k->slot_goBack_start();
        if (h.hint().isEmpty()) {
            for (const char* m : {"R", "F", "", "R", "F"})
                m[0] ? h.mode(m) : h.wait(0);
        }
        QTEST(h.legs().join(' '), "legs");
        QTEST(h.hint().section('\n', -1), "shown");
    }

    // The multi-target screen's keys: a wait typed as 007 is kept as 7; a row too far from the
    // boat stops the start and nothing is saved.
    void multiTargetScreen() {
        Handset h("1:0:0 3:3:0");
        UxSubMenuMultiTarget* m = h.k->multiTargetMenu();
        QFile::remove(h.root.path(MultiTargetFile::kPath));
        QSignalSpy tooFar(m, &UxSubMenuMultiTarget::signal_targetTooFar);
        // The distance bar runs the legs in order: rows 1 and 3 side by side.
        QCOMPARE(m->distanceBar()->texts().mid(1), QStringList({"-.-", "-.-", "-.-"}));
        QVERIFY(qAbs(m->distanceBar()->texts().at(0).toDouble() - 1900) < 5);  // 100 to 2000 m
        m->showMultiTarget();
        h.key(m, Qt::Key_Return);    // into the table
        h.key(m, Qt::Key_Right, 3);  // row 1's wait
        h.key(m, Qt::Key_Return);
        h.key(m->delayEditor(), Qt::Key_Right, 2);
        h.key(m->delayEditor(), Qt::Key_Up, 7);
        h.key(m->delayEditor(), Qt::Key_Return);
        QCOMPARE(m->delayText(1), QString("7"));
        h.key(m, Qt::Key_I);
        QCOMPARE(tooFar.size(), 1);
        QCOMPARE(tooFar.at(0).at(0).toInt(), 3);
        QCOMPARE(h.hint(), trText(TR_TargetNumbered) + " 4 " + trText(TR_TooFarFromBoat));
        QVERIFY(!QFile::exists(h.root.path(MultiTargetFile::kPath)));
        h.key(m, Qt::Key_Escape);
        QCOMPARE(MultiTargetFile::read(h.root.path(MultiTargetFile::kPath)).at(1).delay, 7);
    }

    // A field holding the German "Home Position" reads in Polish once the language changes.
    void goBack_homeInTheLanguageOfTheDay() {
        Handset h;
        Global::configuration.systemLanguage = LanguageGerman;
        UxSubMenuGoBack* g = h.k->goBackMenu();
        g->showGoBack();
        h.key(g, Qt::Key_Return);
        h.key(g->targetMenu(), Qt::Key_Down);
        h.key(g->targetMenu(), Qt::Key_Return);
        QCOMPARE(g->fieldText(0), trText(TR_HomePosition));
        Global::configuration.systemLanguage = LanguagePolish;
        g->showGoBack();
        QCOMPARE(g->fieldText(0), QString("Pozycja domowa"));
        QCOMPARE(g->getLEditIdx(1), -1);
        Global::configuration.systemLanguage = LanguageEnglish;
    }

    // Files chosen for the course cruise ("routeAp", then the autopilot key) and for the
    // outline import ("kml"): the legs sent and what the screen says.
    void kmlFiles_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QByteArray>("kml");
        QTest::addColumn<QString>("legs");
        QTest::addColumn<QString>("shown");
        // n points from 100 m north of the boat, then the groups given.
        const auto line = [](int n, const QByteArray& more = {}) {
            QByteArray c;
            for (int i = 0; i < n; ++i)
                c += QByteArray::number(kLon / 1e7, 'f', 7) + ',' +
                     QByteArray::number((kLat + 9000 + i) / 1e7, 'f', 7) + ' ';
            return "<kml><Placemark><LineString><coordinates>" + c + more +
                   "</coordinates></LineString></Placemark></kml>";
        };
        QByteArray track = "<kml><Placemark><gx:MultiTrack xmlns:gx='g'><gx:Track>";
        for (int i = 0; i < 1800; ++i)
            track += "<gx:coord>11.4 48.001" + QByteArray::number(i) + " 0</gx:coord>";
        track += "</gx:Track></gx:MultiTrack></Placemark></kml>";
        const QString tooMany = trText(TR_NotMoreThan) + " 100.";
        const QString none = trText(TR_NoUsablePoints);
        const QString unread = trText(TR_ReadFileFailed);
        const QByteArray gpx = "<gpx><wpt lat='48' lon='11.4'/></gpx>";
        const QByteArray marks =
            "<kml><Placemark><Point><coordinates>11.4,48</coordinates>"
            "</Point></Placemark><Placemark/></kml>";
        QTest::newRow("100 points: run") << "routeAp" << line(100) << "9"
                                         << "";
        QTest::newRow("101 points: refused") << "routeAp" << line(101) << "" << tooMany;
        QTest::newRow("a track of 1800: refused") << "routeAp" << track << "" << tooMany;
        QTest::newRow("first point far: 409")
            << "routeAp" << line(0, "-66.06,-22.55 11.4,48.001") << "" << trText(TR_TargetTooFar);
        QTest::newRow("the last near the pole: the first leg where written")
            << "routeAp" << line(0, "11.4001,48.0009 -66,89.99999") << "9"
            << "";
        QTest::newRow("not KML: 102") << "routeAp" << gpx << "" << unread;
        QTest::newRow("no usable point")
            << "routeAp" << QByteArray("<kml><Placemark/></kml>") << "" << none;
        QTest::newRow("outline: not KML") << "kml" << gpx << "" << unread;
        QTest::newRow("outline: marks only") << "kml" << marks << "" << none;
        QTest::newRow("outline: a line") << "kml" << line(3) << ""
                                         << "";
    }
    void kmlFiles() {
        QFETCH(QString, tag);
        QFETCH(QByteArray, kml);
        Handset h;
        QVERIFY(h.root.writeFile("/mnt/sd/Korvel/Kml/a.kml", kml));
        KorvelTest::ExpectedMessage notKml("root element is gpx");
        h.k->dialog_file_nameGet(tag, "/mnt/sd/Korvel/Kml/a.kml");
        if (tag == "routeAp" && h.hint().isEmpty()) h.key(h.k->routeApMenu(), Qt::Key_I);
        QTEST(h.legs().join(' '), "legs");
        QTEST(h.hint(), "shown");
        QCOMPARE(h.k->navi()->kml_haveSet(), tag == "kml" && h.hint().isEmpty());
    }

    // A course cruise without stops: no wait at a point, and after the first leg no feedback
    // text; with "Message when arrive" each leg says it.
    void courseCruise_noStops() {
        Handset h;
        UxSubMenuRouteAp* ap = h.k->routeApMenu();
        StructKmlCourse course{true, {}};
        for (int north : {100, 200, 300})
            course.points.append({kLon, kLat + 90 * north});
        ap->setReader([&](const QString&) { return course; });
        ap->showRouteAp("c.kml", QPoint(), {});
        QCOMPARE(ap->infoLines().at(1), trText(TR_TotalPoints) + ": 3");
        h.key(ap, Qt::Key_Up);  // "Message when arrive", ticked and cleared again
        h.key(ap, Qt::Key_Return);
        QVERIFY(ap->chbox_isChecked());
        const QImage ticked = ap->grab().toImage();
        h.key(ap, Qt::Key_Return);
        QVERIFY(ap->grab().toImage() != ticked);
        h.key(ap, Qt::Key_I);
        QStringList texts;
        for (int leg = 0; leg < 3; ++leg) {
            texts << h.k->dialogs().feedBack()->text();
            h.mode("R");
            h.mode("F");
            h.wait(0);
        }
        QCOMPARE(h.legs().size(), 3);
        QVERIFY(!texts.at(0).isEmpty());
        QCOMPARE(texts.mid(1), QStringList({"", ""}));
        QCOMPARE(h.hint(), trText(TR_AutopilotTaskCompleted));
    }
};

KORVEL_TEST_MAIN(TestListModes)
#include "test_list_modes.moc"
