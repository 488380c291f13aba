// The three books without a screen: a change written and read back by fresh books over the
// same root, with the signals the screens repaint on; a file that cannot be written, reported
// once with nothing lost; a damaged file read as far as it goes and written afresh.
#include "data/kvlw_time.h"
#include "korvel_test.h"
#include "state/course_book.h"
#include "state/multi_target_list.h"
#include "state/waypoint_book.h"
#include "test_root.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {

const int kLon = 114000000;
const int kLat = 480000000;
const uint32_t k0305 = KvlwTime::pack({2015, 3, 5, 9, 7, 30});

// The books as the controller makes and loads them.
struct Books {
    WaypointBook waypoints;
    CourseBook courses;
    MultiTargetList targets;
    void load() {
        for (int page = 1; page <= WaypointStore::kPages; ++page)
            waypoints.loadPage(page);
        courses.loadHeaders();
        targets.load();
    }
};

// One book in the tables: its file, a change the user makes (written at once), the next
// write, and what the book holds of the change.
struct StructKind {
    const char* file;
    std::function<QObject*(Books&)> book;
    std::function<bool(Books&)> change;
    std::function<bool(Books&)> writeAgain;
    std::function<QString(const Books&)> held;
};

StructKind bookKind(const QString& name) {
    if (name == "waypoints")
        return {"/opt/waypointarray.kwp", [](Books& b) { return &b.waypoints; },
                [](Books& b) {
                    WaypointBook& w = b.waypoints;
                    return w.confirm(7, w.beginNew(7, k0305, kLon, kLat, 2.5f));
                },
                [](Books& b) { return b.waypoints.save(0, 0); },
                [](const Books& b) {
                    const StructWaypoint& w = b.waypoints.at(7);
                    return w.name + ' ' + w.date + ' ' + w.latitude + " | " +
                           b.waypoints.at(12).name;
                }};
    if (name == "courses")
        return {"/opt/waycourse3.kwc", [](Books& b) { return &b.courses; },
                [](Books& b) {
                    b.courses.appendPoint(kLon, kLat, k0305, 420, 5.0f);
                    b.courses.appendPoint(kLon + 100, kLat + 200, k0305 + 60, 515, 5.0f);
                    return b.courses.saveCurrent(3);
                },
                [](Books& b) { return b.courses.saveCurrent(3); },
                [](const Books& b) {
                    return b.courses.slot(3).name + ' ' +
                           QString::number(b.courses.points(3).size());
                }};
    return {"/opt/multitarget.kmt", [](Books& b) { return &b.targets; },
            [](Books& b) {
                StructWaypoint w = StructWaypoint::emptyAt(40);
                w.name = "reef";
                w.latitude = "N  48°00.0000′";
                b.targets.setWaypoint(2, w);
                b.targets.setDelay(2, 45);
                return b.targets.save();
            },
            [](Books& b) { return b.targets.save(); },
            [](const Books& b) {
                const StructMultiTarget t = b.targets.at(2);
                return t.name + ' ' + t.latitude + ' ' + QString::number(t.delay);
            }};
}

QString heard(const QSignalSpy& spy) {
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out.join(' ');
}

}  // namespace

class TestBooks : public QObject {
    Q_OBJECT
private slots:
    // Written at once and read back by fresh books, the screens told which slot changed. With
    // a file where the folder belongs (file modes do not stop root) the write fails, is
    // reported once, and the change stays for the next write.
    void writeAndReadBack_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("held");
        const QString waypoint = "0305-0907 15-03-05 N  48°00.0000′ | ---------";
        const QString target = "reef N  48°00.0000′ 45";
        for (bool blocked : {false, true}) {
            const char* how = blocked ? ", blocked" : "";
            QTest::addRow("waypoints%s", how) << "waypoints" << blocked << "7" << waypoint;
            QTest::addRow("courses%s", how) << "courses" << blocked << "3"
                                            << "0305-0907 2";
            QTest::addRow("multi-target%s", how) << "multi-target" << blocked << "2 2" << target;
        }
    }
    void writeAndReadBack() {
        QFETCH(QString, kind);
        QFETCH(bool, blocked);
        const StructKind k = bookKind(kind);
        TestRoot root;
        if (blocked) QVERIFY(root.writeFile("/opt", QByteArray()));
        Books b;
        b.load();
        QSignalSpy changed(k.book(b), SIGNAL(changed(int)));
        QSignalSpy failed(k.book(b), SIGNAL(saveFailed()));
        KorvelTest::ExpectedMessage said("cannot write|could not be saved");
        QCOMPARE(k.change(b), !blocked);
        QTEST(heard(changed), "changed");
        QCOMPARE(failed.count(), blocked ? 1 : 0);
        if (blocked) {
            QVERIFY(QFile::remove(root.path("/opt")) && QDir().mkpath(root.path("/opt")));
            QVERIFY(k.writeAgain(b));
            QCOMPARE(failed.count(), 1);
        }
        Books fresh;
        fresh.load();
        QTEST(k.held(fresh), "held");
    }

    // A damaged file: what can be read is shown after the load's repaint; the next change
    // writes a file fresh books read whole, and is reported written (a line the settings
    // writer cannot parse once left the save reported failed and the waits unwritten).
    void damagedFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("held");
        QTest::newRow("waypoints") << "waypoints" << QByteArray("[012]\nname=keep\n[oops\n")
                                   << "--------- 00-00-00 N  00°00.0000′ | keep"
                                   << "0305-0907 15-03-05 N  48°00.0000′ | keep";
        QTest::newRow("courses") << "courses"
                                 << QByteArray("[WayCourse]\ncount=x\nname=old\n[oops\n")
                                 << "--------- 0"
                                 << "0305-0907 2";
        QTest::newRow("multi-target")
            << "multi-target" << QByteArray("[002]\nname=old\ndelay=x9\n[oops\n")
            << "old N  00°00.0000′ 0"
            << "reef N  48°00.0000′ 45";
    }
    void damagedFile() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        const StructKind k = bookKind(kind);
        TestRoot root;
        QVERIFY(root.writeFile(k.file, content));
        KorvelTest::ExpectedMessage said("damaged");
        Books b;
        QSignalSpy changed(k.book(b), SIGNAL(changed(int)));
        b.load();
        QVERIFY(changed.count() >= 1 && changed.first().at(0).toInt() == -1);
        QTEST(k.held(b), "loaded");
        KorvelTest::ExpectedMessage notSaved("could not be saved");
        QVERIFY(k.change(b));
        Books fresh;
        fresh.load();
        QTEST(k.held(fresh), "held");
    }
};

KORVEL_TEST_MAIN(TestBooks)
#include "test_books.moc"
