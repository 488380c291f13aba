// The waypoints as the controller wires them: the autopilot key opens the list, a waypoint is
// gone to, marked or picked for another screen (refused when too far for the go-back), the map
// cursor and "New" make waypoints, a write that fails is said, and the CSV export to the SD
// card, read back with Python's csv module; the KML export, the KML waypoint import with its
// question, and outlines read for the map; the GPX rows of the waypoint and course screens.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "data/kvlw_time.h"
#include "data/waypoint_file.h"
#include "fake_spi_bus.h"
#include "korvel_test.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "platform/sd_mount_thread.h"
#include "platform/versions.h"
#include "start_check.h"
#include "state/course_book.h"
#include "state/multi_target_list.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_waypoint.h"
#include "ui/screens/ux_waypoint_detail.h"

#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {

const int kLon = 114000000;  // 11.4 E
const int kLat = 480000000;  // 48.0 N
const uint32_t k20150305 = KvlwTime::pack({2015, 3, 5, 9, 7, 30});

// The handset past its start-up check with the boat at (kLon, kLat) and a waypoint 100 m
// north of it in slot 0 and one 2.2 km north in slot 1.
struct Handset {
    std::shared_ptr<FakeSpiBus::State> bus = std::make_shared<FakeSpiBus::State>();
    TestRoot root;
    std::unique_ptr<Korvel> k;
    UxSubMenuWaypoint* w = nullptr;

    explicit Handset(const QString& odd = QString()) {
        auto state = bus;
        SpiBus::setFactory([state] { return std::make_unique<FakeSpiBus>(state); });
        Configuration::applyDefaults(Global::configuration);
        Global::configuration.keyTone = 0;
        Convert::navi_startPoint = QPoint();
        if (!odd.isEmpty()) {  // a name only a hand-edited file can hold
            StructWaypoint w = StructWaypoint::emptyAt(4);
            w.name = odd;
            WaypointFile::write(root.path("/opt/waypointarray.kwp"), {w});
        }
        k = std::make_unique<Korvel>();
        Global::current_model = '5';  // read from the (missing) model file at start
        k->mainTimer()->stop();
        QCoreApplication::processEvents();
        k->data()->thread()->device().setPacing({0, 0, 0});
        passStartCheck(*k);
        ApInfo_t info;
        info.field[2] = QStringLiteral("M");
        k->data()->linkState().setCurrentInfoAp(info);
        k->data()->linkState().count_noData_ap = 0;  // the autopilot answers
        StructBoatValues& v = k->values();
        v.boat_lon = kLon;
        v.boat_lat = kLat;
        v.gps_satellites = 9;
        v.fix_usable = v.fix_settled = true;
        v.current_depth = 4.2f;
        v.boat_time = k20150305;
        k->navi_getCurrent();
        w = k->waypointMenu();
        w->importWaypoint(0, k20150305, "near", kLon, kLat + 9000);
        w->importWaypoint(1, k20150305, "far", kLon, kLat + 200000);
        w->setCurrentSlot(0);
    }
    ~Handset() { SpiBus::setFactory(nullptr); }

    QStringList sent() {
        (void)QTest::qWaitFor(
            [this] { return k->data()->thread()->device().queuedCommands() == 0; });
        QStringList out;
        const QByteArray w = bus->writtenBytes();
        for (int at = w.indexOf("$HMCTL,RUN"); at >= 0; at = w.indexOf("$HMCTL,RUN", at + 1))
            out << QString::fromLatin1(w.mid(at, w.indexOf('*', at) - at));
        return out;
    }
    QString hint() const {
        UxDialogHint* h = k->dialogs().hint();
        return h->isVisible() ? h->text() : QString();
    }
    // A card put in, and whether the handset mounted it.
    bool insertCard() {
        return QDir().mkpath(root.path("/dev/mmcblk0p1")) &&
               QTest::qWaitFor([this] { return k->system_haveMountSD(); }, 2500);
    }
    // The waypoint list shown, its operation menu opened on the row; whether the list had the
    // keys.
    bool openOperationRow(int row) {
        w->showWaypoint(QString());
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == w->window(); }))
            return false;
        key(Qt::Key_Return);
        key(Qt::Key_Down, row);
        return true;
    }
    // A key to the widget that has the focus on the handset's screen.
    void key(int qtKey, int count = 1) {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(w->window()->focusWidget(), Qt::Key(qtKey));
    }
};

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// A KML file of count placemarks p_0, p_1, ... 0.001 degrees apart, from 113.5 E 22.25 N.
QByteArray placemarks(int count) {
    QString kml = "<kml>";
    for (int i = 0; i < count; ++i)
        kml += QString(
                   "<Placemark><name>p_%1</name><coordinates>%2,22.25</coordinates>"
                   "</Placemark>")
                   .arg(i)
                   .arg(113.5 + i / 1000.0);
    return (kml + "</kml>").toUtf8();
}

// A GPX file with a route of count points 0.0001 degrees apart.
QByteArray gpxRoute(int count) {
    QByteArray gpx = "<gpx version=\"1.1\"><rte><name>Reed bed</name>";
    for (int i = 0; i < count; ++i)
        gpx += QString("<rtept lat=\"48.%1\" lon=\"11.4\"/>").arg(i, 4, 10, QChar('0')).toUtf8();
    return gpx + "</rte></gpx>";
}

QString described(const StructWaypoint& w) {
    return QStringList{w.name, w.latitude, w.longitude, QString::number(double(w.depth)),
                       w.date, w.time}
        .join(' ');
}

}  // namespace

class TestWaypoint : public QObject {
    Q_OBJECT
private slots:
    // The autopilot key opens the list; its autopilot key asks "Go to the target now" and "Go"
    // sends the boat to the waypoint (its position as read back from its text).
    void apKey_list_quickGo() {
        Handset h;
        h.k->system_keyClick("ap");
        QVERIFY(h.w->isVisible());
        h.key(Qt::Key_I);
        UxDialogQuestion* q = h.k->dialogs().question();
        QVERIFY(q->isVisible());
        QCOMPARE(q->text(), trText(TR_GoToTargetNow));
        QTest::keyClick(q, Qt::Key_Return);
        QVERIFY2(h.sent().value(0).startsWith("$HMCTL,RUN,11.3999999,48.0008999"),
                 qPrintable(h.sent().join(' ') + h.hint()));
        emit h.k->dialogs().feedBack()->signal_success("ap_goTarget");
        QVERIFY(!h.w->isVisible());
    }

    // "Set as Target" marks the map and closes the list.
    void operations_setAsTarget() {
        Handset h;
        h.w->showWaypoint(QString());
        h.key(Qt::Key_Return);
        h.key(Qt::Key_Down, 3);
        h.key(Qt::Key_Return);
        QVERIFY(h.k->navi()->target_haveSet());
        QVERIFY(!h.w->isVisible());
        QCOMPARE(h.hint(), trText(TR_TargetMarkedUseRemote));
    }

    // A waypoint picked for the go-back must lie within 1000 m ("416"); the multi-target list
    // takes any; a receiver that refuses the pick keeps the list open for another.
    void selection_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("refusing");  // a receiver of the test's that refuses
        QTest::addColumn<QString>("taken");
        QTest::newRow("go-back, 100 m") << "goBack" << 0 << false << "near";
        QTest::newRow("go-back, 2.2 km") << "goBack" << 1 << false << "";
        QTest::newRow("multi-target, 2.2 km") << "multiTarget" << 1 << false << "far";
        QTest::newRow("refused") << "goBack" << 0 << true << "";
    }
    void selection() {
        QFETCH(QString, title);
        QFETCH(int, slot);
        QFETCH(bool, refusing);
        QFETCH(QString, taken);
        Handset h;
        if (refusing)
            h.k->menu_setWaypointReceiver(title, [](const StructWaypoint&) { return false; });
        h.k->slot_waypoint_selected(title);
        h.w->setCurrentSlot(slot);
        h.key(Qt::Key_Return);
        const QString got = title == "goBack"
                                ? h.k->goBackMenu()->fieldText(UxSubMenuGoBack::FocusTarget1)
                                : h.k->multiTargetList().at(0).name;
        QCOMPARE(got, taken);
        QCOMPARE(h.w->isVisible(), taken.isEmpty());
        QCOMPARE(h.w->selectTitle(), taken.isEmpty() ? title : QString());
        const bool tooFar = title == "goBack" && slot == 1;
        QCOMPARE(h.hint(), tooFar ? trText(TR_TargetTooFar) : QString());
    }

    // "Save" at the map cursor makes a waypoint in the first empty slot at the cursor; "New"
    // makes one at the boat with its depth in the current slot.
    void cursorSave_andNew() {
        Handset h;
        h.k->dialog_selectPoint_use(QPoint(0, -200));              // 100 m north of the first fix
        QTest::keyClick(h.k->dialogs().question(), Qt::Key_Left);  // "Save"
        QTest::keyClick(h.k->dialogs().question(), Qt::Key_Return);
        UxWaypointDetail* d = h.w->detail();
        QVERIFY(d->isVisible());
        h.key(Qt::Key_Down, 7);
        h.key(Qt::Key_Return);
        const StructWaypoint saved = h.w->getWaypoint(2);
        QCOMPARE(saved.name + " " + saved.latitude + " " + saved.date,
                 QString("0305-0907 N  48°00.0540′ 15-03-05"));
        h.w->setCurrentSlot(7);
        h.k->slot_waypoint_needNew();
        QCOMPARE(d->fieldText(UxWaypointDetail::FieldSn) + " " +
                     d->fieldText(UxWaypointDetail::FieldLat) + " " +
                     d->fieldText(UxWaypointDetail::FieldDepth),
                 QString("007 N  48°00.0000′ 4.2"));
    }

    // A waypoint that cannot be written is said at once.
    void saveFailed() {
        Handset h;
        KorvelTest::ExpectedMessage said("^waypoint file: cannot write");
        QVERIFY(QDir().mkpath(h.root.path("/opt/waypointarray.kwp")));
        h.w->showWaypointDetail();
        h.key(Qt::Key_Down, 7);
        h.key(Qt::Key_Return);
        QCOMPARE(h.hint(), trText(TR_SaveFileFailed));
        QCOMPARE(said.seen(), 1);
    }

    // The export needs a card it can write; what it writes Python's csv module reads back
    // field by field, a name with a comma and a quote included.
    void exportCsv_data() {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("says");
        QTest::newRow("no card") << "none" << trText(TR_SaveFileFailed);
        QTest::newRow("write-protected card") << "read-only" << trText(TR_SaveFileFailed);
        QTest::newRow("card") << "card" << trText(TR_SaveFileOk);
    }
    void exportCsv() {
        QFETCH(QString, card);
        QFETCH(QString, says);
        Handset h("a,b\"c");
        const QString node = h.root.path("/dev/mmcblk0p1");
        if (card != "none") QVERIFY(QDir().mkpath(node));
        if (card == "read-only")
            QVERIFY(QFile::setPermissions(node, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (card != "none") QTRY_VERIFY_WITH_TIMEOUT(h.k->system_haveMountSD(), 2500);
        if (card == "read-only") QTRY_VERIFY_WITH_TIMEOUT(h.k->sdThread()->readOnly(), 2500);
        KorvelTest::ExpectedMessage noCard("^export: no SD card");
        h.w->showWaypoint(QString());
        QTRY_COMPARE(QApplication::activeWindow(), h.w->window());
        h.k->slot_waypoint_exportCsv();
        QCOMPARE(h.hint(), says);
        QTRY_COMPARE(QApplication::activeWindow(), h.k->dialogs().hint());
        QTest::keyClick(h.k->dialogs().hint(), Qt::Key_Escape);  // the list has the keys again
        QTRY_COMPARE(QApplication::activeWindow(), h.w->window());
        QFile::setPermissions(node, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (card != "card") return;
        QProcess python;
        python.start("python3",
                     {"-c",
                      "import csv, json, sys\n"
                      "with open(sys.argv[1], newline='', encoding='latin-1') as f:\n"
                      "    print(json.dumps(list(csv.reader(f))))",
                      h.root.path("/mnt/sd/Korvel/Export/Sablo_Waypoint_0305-0907.csv")});
        QVERIFY(python.waitForFinished(20000));
        const QVariantList rows = QJsonDocument::fromJson(python.readAll()).toVariant().toList();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(0).toStringList().join('|'),
                 QString("SN|Name|Latitude|Longitude|Depth|Date|Time|"));
        QCOMPARE(rows.at(2).toStringList().join('|'),
                 QString("0|near|48.000900|11.400000|0.0|2015-03-05|09:07:30|"));
        QCOMPARE(rows.at(4).toStringList().join('|'),
                 QString("4|a,b\"c|0.000000|0.000000|0.0|00-00-00|00:00:00|"));
    }

    // "Export as kml" from the operation menu: the last slot edited from 499 to 399, "OK"
    // writes slots 0 to 399.
    void exportKml() {
        Handset h;
        QVERIFY(h.insertCard());
        QVERIFY(h.openOperationRow(UxSubMenuWaypoint::OpExportKml));
        // The row, the last slot, its editor on the hundreds, 4 down to 3, confirmed, "OK".
        for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Return, Qt::Key_Down, Qt::Key_Return,
                        Qt::Key_Down, Qt::Key_Return})
            h.key(key);
        QCOMPARE(h.hint(), trText(TR_SaveFileOk));
        const QByteArray kml =
            h.root.readFile("/mnt/sd/Korvel/Export/Sablo_Waypoint_03050907_0-399.kml");
        QCOMPARE(kml.count("<Placemark>"), 2);
        QVERIFY(kml.contains("<name>idx-001_far</name>\r\n"));
    }

    // A chosen KML file: the question tells how many and where; "OK" fills the slots from the
    // current one, wrapping past 499, "Cancel" leaves them; over 500 are refused.
    void importKml_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("slot0");
        QTest::newRow("498, over a used slot") << 498 << 3 << true
                                               << "3 waypoints found in KML.\r\nWill overwrite "
                                                  "to slot 498~499,0~0"
                                               << "p-2 E 113°30.1200′";
        QTest::newRow("10, cancelled")
            << 10 << 3 << false << "3 waypoints found in KML.\r\nWill write to slot 10~12"
            << "near E 011°24.0000′";
        QTest::newRow("501") << 5 << 501 << false << "Not more than 500."
                             << "near E 011°24.0000′";
    }
    void importKml() {
        QFETCH(int, slot);
        QFETCH(int, count);
        QFETCH(bool, ok);
        QFETCH(QString, says);
        QFETCH(QString, slot0);
        Handset h;
        QVERIFY(h.root.writeFile("/mnt/sd/Korvel/Kml/p.kml", placemarks(count)));
        h.w->setCurrentSlot(slot);
        h.k->slot_file_getName("waypoint", "/mnt/sd/Korvel/Kml/p.kml");
        UxDialogQuestion* q = h.k->dialogs().question();
        QCOMPARE(q->isVisible() ? q->text() : h.hint(), says);
        if (q->isVisible() && ok) QTest::keyClick(q, Qt::Key_Left);
        if (q->isVisible()) QTest::keyClick(q, Qt::Key_Return);
        const StructWaypoint w = h.w->getWaypoint(0);
        QCOMPARE(w.name + ' ' + w.longitude, slot0);
        QCOMPARE(h.w->getWaypoint(slot).name, QString(ok ? "p-0" : "---------"));
    }

    // "Export as GPX" for the whole range, then "Import GPX" of that file from slot 10: the
    // waypoints come back as they were, with depth, date and time (the file in UTC).
    void gpxWaypointsRoundTrip() {
        Handset h;
        Global::configuration.timeZone = -5;
        h.w->importWaypoint(2, k20150305, "deep", kLon - 12345, kLat - 67891, 7.5f);
        QVERIFY(h.insertCard());
        QVERIFY(h.openOperationRow(UxSubMenuWaypoint::OpExportGpx));
        for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
            h.key(key);
        QCOMPARE(h.hint(), trText(TR_SaveFileOk));
        const QString file = "/mnt/sd/Korvel/Export/Korvel_Waypoint_03050907_0-499.gpx";
        QVERIFY(h.root.readFile(file).contains("<time>2015-03-05T14:07:30Z</time>"));
        h.w->setCurrentSlot(10);
        h.k->slot_file_getName("gpxWaypoint", file);
        UxDialogQuestion* q = h.k->dialogs().question();
        QCOMPARE(q->text(), QString("3 waypoints found in GPX.\r\nWill write to slot 10~12"));
        QTest::keyClick(q, Qt::Key_Left);
        QTest::keyClick(q, Qt::Key_Return);
        for (int slot = 0; slot < 3; ++slot)
            QCOMPARE(described(h.w->getWaypoint(10 + slot)), described(h.w->getWaypoint(slot)));
    }

    // "Import GPX" on the course screen into slot 2: the question, then the course; what
    // cannot be a course is said and the slot keeps what it had.
    void gpxCourseImport_data() {
        QTest::addColumn<QByteArray>("gpx");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("slot2");
        QTest::newRow("route") << gpxRoute(3) << "3 points in the route.\r\nWill write to slot 2"
                               << "Reed-bed 3 22";
        QTest::newRow("6000 points")
            << gpxRoute(6000) << "6000 points in the route.\r\nNot more than 5000."
            << "--------- 0 0";
        QTest::newRow("over the bound")
            << "<gpx><trk><trkseg>" + QByteArray("<trkpt lat=\"1\" lon=\"2\"/>").repeated(50001) +
                   "</trkseg></trk></gpx>"
            << "Not more than 50000."
            << "--------- 0 0";
        QTest::newRow("malformed")
            << QByteArray("<gpx><rte>") << trText(TR_ReadFileFailed) << "--------- 0 0";
        QTest::newRow("waypoints only") << QByteArray("<gpx><wpt lat=\"1\" lon=\"2\"/></gpx>")
                                        << trText(TR_NoUsablePoints) << "--------- 0 0";
    }
    void gpxCourseImport() {
        QFETCH(QByteArray, gpx);
        QFETCH(QString, says);
        Handset h;
        QVERIFY(h.root.writeFile("/mnt/sd/Korvel/Kml/r.gpx", gpx));
        h.k->routeMenu()->setCurrentSlot(2);
        KorvelTest::ExpectedMessage bad("^GPX file /mnt/sd/Korvel/Kml/r.gpx");
        h.k->slot_file_getName("gpxCourse", "/mnt/sd/Korvel/Kml/r.gpx");
        UxDialogQuestion* q = h.k->dialogs().question();
        QCOMPARE(q->isVisible() ? q->text() : h.hint(), says);
        if (q->isVisible()) {
            QTest::keyClick(q, Qt::Key_Left);
            QTest::keyClick(q, Qt::Key_Return);
        }
        const StructRoute& r = h.k->courseBook().slot(2);
        QTEST(
            QString("%1 %2 %3").arg(r.name).arg(h.k->courseBook().points(2).size()).arg(r.distance),
            "slot2");
    }

    // "Export as GPX" and "Track as GPX" on the course screen: nothing recorded is said; the
    // live course as a track with each sample's time (in UTC: the default zone is +8) and depth,
    // a stored one as a route.
    void gpxCourseExport() {
        Handset h;
        QVERIFY(h.insertCard());
        UxSubMenuRoute* r = h.k->routeMenu();
        r->showRoute();
        QTRY_COMPARE(QApplication::activeWindow(), r->window());
        const auto row = [&](int n) {
            h.key(Qt::Key_Return);
            h.key(Qt::Key_Down, n);
            h.key(Qt::Key_Return);
        };
        row(UxSubMenuRoute::OpTrackGpx);
        QCOMPARE(h.hint(), trText(TR_RouteEmpty));
        h.k->dialogs().hint()->hide();
        h.k->courseBook().appendPoint(kLon, kLat, k20150305, 420, 5);
        h.k->courseBook().appendPoint(kLon, kLat + 450, k20150305 + 3, 0, 5);
        row(UxSubMenuRoute::OpTrackGpx);
        QCOMPARE(h.hint(), trText(TR_SaveFileOk));
        const QByteArray track = h.root.readFile("/mnt/sd/Korvel/Export/Korvel_Track_03050907.gpx");
        QVERIFY2(track.contains("<trkpt lat=\"48.0000000\" lon=\"11.4000000\">\n"
                                "                <time>2015-03-05T01:07:30Z</time>\n"
                                "                <extensions>\n"
                                "                    <gpxtpx:TrackPointExtension>\n"
                                "                        <gpxtpx:depth>4.2</gpxtpx:depth>") &&
                     track.contains("<trkpt lat=\"48.0000450\" lon=\"11.4000000\">\n"
                                    "                <time>2015-03-05T01:07:33Z</time>\n"
                                    "            </trkpt>"),
                 track.constData());
        h.k->dialogs().hint()->hide();
        QVERIFY(h.k->courseBook().saveCurrent(0));
        row(UxSubMenuRoute::OpExportGpx);
        QCOMPARE(h.hint(), trText(TR_SaveFileOk));
        const QByteArray route =
            h.root.readFile("/mnt/sd/Korvel/Export/Korvel_Course_03050907_0.gpx");
        QCOMPARE(route.count("<rtept "), 2);
        QVERIFY(route.contains("<name>0305-0907</name>"));
    }

    // "Import Outline": the outline and its colour on the map, the loading hint gone; a file
    // that is not KML says "Read file failed" and keeps what was shown.
    void importOutline() {
        Handset h;
        QVERIFY(h.root.writeFile("/mnt/sd/Korvel/Kml/shore.kml",
                                 "<kml><Placemark><Style><LineStyle><color>7f0000ff</color>"
                                 "</LineStyle></Style><coordinates>11.4,48 11.4,48.001"
                                 "</coordinates></Placemark></kml>"));
        h.k->slot_file_getName("kml", "/mnt/sd/Korvel/Kml/shore.kml");
        QCOMPARE(h.hint(), QString());
        const QList<StructKmlInfo> shown = h.k->navi()->kml_getCurrentKml();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().color + ' ' + QString::number(shown.first().points.size()),
                 QString("#ff0000 2"));
        KorvelTest::ExpectedMessage said("^KML file /mnt/sd/Korvel/Kml/none.kml cannot be opened");
        h.k->slot_file_getName("kml", "/mnt/sd/Korvel/Kml/none.kml");
        QCOMPARE(h.hint(), trText(TR_ReadFileFailed));
        QCOMPARE(h.k->navi()->kml_getCurrentKml().size(), 1);
    }
};

KORVEL_TEST_MAIN(TestWaypoint)
#include "test_waypoint.moc"
