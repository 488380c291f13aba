// The waypoint store without its screen: names, dates and times, creating, editing, moving and
// deleting, the import range, the waypoint file written and read back, a damaged file, a file
// that cannot be written, and the CSV export's lines.
#include "data/kvlw_time.h"
#include "data/waypoint_csv.h"
#include "data/waypoint_store.h"
#include "data/waypoint_texts.h"
#include "golden.h"
#include "korvel_test.h"
#include "test_root.h"

#include <QSettings>
#include <QtTest>

namespace {

const uint32_t k20150305 = KvlwTime::pack({2015, 3, 5, 9, 7, 30});

QString kwp(const TestRoot& root) {
    return root.path("/opt/waypointarray.kwp");
}

// A store filled with three waypoints and written.
void fill(WaypointStore& s) {
    s.importWaypoint(1, k20150305, "shallows", 114000000, 480000000);
    s.importWaypoint(12, 0, "deep_hole", 114010000, 480020000);
    s.importWaypoint(497, k20150305, "last", -73000000, -330000000);
    StructWaypoint w = s.beginEdit();  // slot 497: an icon and a depth
    w.iconIndex = 2;
    w.depth = 7.5f;
    QVERIFY(s.confirm(497, w));
    QVERIFY(s.save(1, 1));
    QVERIFY(s.save(12, 12));
}

QString fields(const StructWaypoint& w) {
    return QStringList{w.sn,        QString::number(w.iconIndex),     w.name, w.latitude,
                       w.longitude, QString::number(double(w.depth)), w.date, w.time}
        .join('|');
}

QStringList shown(const WaypointStore& s) {
    QStringList out;
    for (int slot : {0, 1, 7, 12, 345, 497})
        out << fields(s.at(slot));
    return out;
}

QStringList loaded(WaypointStore& s) {
    for (int page = 1; page <= WaypointStore::kPages; ++page)
        s.load(page);
    return shown(s);
}

}  // namespace

class TestWaypointStore : public QObject {
    Q_OBJECT
private slots:
    void texts_data() {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        using namespace WaypointTexts;
        QTest::newRow("name from the time") << proposedName(k20150305) << "0305-0907";
        QTest::newRow("date") << dateText(k20150305) << "15-03-05";
        QTest::newRow("time") << timeText(k20150305) << "09:07:30";
        QTest::newRow("import: underscores, cut at 9")
            << importName("my_spot_number_one", "007") << "my-spot-n";
        QTest::newRow("import: csv and xml characters")
            << importName("a,b<c&d\"e", "007") << "a-b-c-d-e";
        QTest::newRow("import: accent, wide character")
            << importName(QString::fromUtf8("Z\u00fcrich \U0001F41F"), "007") << "Z-rich--";
        QTest::newRow("import: nothing left") << importName("", "007") << "007";
        QTest::newRow("import: reads as empty") << importName("_________", "007") << "007";
    }
    void texts() {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    // A new waypoint takes its date and time; one made without a GPS time over a used slot
    // does not keep the old waypoint's; moved to another slot it keeps its own; deleted, it is
    // written as empty and stays so after a restart.
    void createMoveDelete() {
        TestRoot root;
        WaypointStore s;
        fill(s);
        StructWaypoint w = s.beginNew(-1, k20150305, 114000000, 480000000, 2.5f);
        QCOMPARE(s.current(), 0);
        QCOMPARE(w.name, QString("0305-0907"));
        QVERIFY(s.confirm(0, w));
        QCOMPARE(s.at(0).date + " " + s.at(0).time, QString("15-03-05 09:07:30"));
        QVERIFY(s.confirm(1, s.beginNew(1, 0, 114000000, 480000000, 1.0f)));
        QCOMPARE(s.at(1).date + " " + s.at(1).time, QString("00-00-00 00:00:00"));
        s.setCurrent(497);
        QVERIFY(s.confirm(345, s.beginEdit()));
        QCOMPARE(fields(s.at(345)), fields(s.at(497)).replace(0, 3, "345"));
        QVERIFY(s.confirm(7, s.beginNew(7, k20150305, 1, 1, 0)));
        QVERIFY(s.deleteCurrent());
        QCOMPARE(QSettings(kwp(root), QSettings::IniFormat).value("007/name").toString(),
                 QString("---------"));
        WaypointStore again;
        QCOMPARE(loaded(again), shown(s));
        QVERIFY(again.isEmpty(7));
    }

    void importRange_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("allEmpty");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("498, 3: wraps to 0") << 498 << 3 << true << 498 << 0;
        QTest::newRow("498, 4: wraps onto used 1") << 498 << 4 << false << 498 << 1;
        QTest::newRow("13, 484: up to 496") << 13 << 484 << true << 13 << 496;
        QTest::newRow("13, 485: onto used 497") << 13 << 485 << false << 13 << 497;
    }
    void importRange() {
        QFETCH(int, current);
        QFETCH(int, count);
        TestRoot root;
        WaypointStore s;
        fill(s);
        s.setCurrent(current);
        QTEST(s.allSelectedIdxIsEmpty(count), "allEmpty");
        int first = -1;
        int last = -1;
        s.getImportIdx(first, last);
        QTEST(first, "first");
        QTEST(last, "last");
    }

    // A block written across the end: 498, 499, 0 and 1, nothing else.
    void saveWraps() {
        TestRoot root;
        WaypointStore s;
        for (int slot : {497, 498, 499, 0, 1, 2})
            s.importWaypoint(slot, k20150305, QString("w%1").arg(slot), 114000000, 480000000);
        QVERIFY(s.save(498, 1));
        QCOMPARE(QSettings(kwp(root), QSettings::IniFormat).childGroups(),
                 QStringList({"000", "001", "498", "499"}));
    }

    void fileGolden() {
        TestRoot root;
        WaypointStore s;
        fill(s);
        GOLDEN_COMPARE("data/waypointarray.kwp", root.readFile("/opt/waypointarray.kwp"));
    }

    // A depth cut short, a latitude cut short and a line no reader takes: what can be read is
    // loaded and the damage said; the first write keeps the damaged file aside and writes every
    // waypoint afresh.
    void damagedFile() {
        TestRoot root;
        WaypointStore good;
        fill(good);
        QByteArray cut = root.readFile("/opt/waypointarray.kwp");
        const int section = cut.indexOf("[497]");
        const QList<QPair<QByteArray, QByteArray>> damage = {{"depth=", "@Variant(\\0"},
                                                             {"latitude=", "N  4"}};
        for (const auto& [key, value] : damage) {
            const int from = cut.indexOf(key, section);
            cut.replace(from, cut.indexOf('\n', from) - from, key + value);
        }
        cut += "[oops\n";
        QVERIFY(root.writeFile("/opt/waypointarray.kwp", cut));
        KorvelTest::ExpectedMessage said("^waypoint file /opt/waypointarray.kwp is damaged");
        KorvelTest::ExpectedMessage aside("^waypoint file: the damaged file is kept");
        StructWaypoint w = good.at(497);
        w.latitude = StructWaypoint::emptyLatitude();
        w.depth = 0;
        QStringList expected = shown(good);
        expected.last() = fields(w);
        WaypointStore s;
        QCOMPARE(loaded(s), expected);
        QCOMPARE(said.seen(), 2);  // the unreadable line, and slot 497 with its page
        s.setCurrent(12);
        QVERIFY(s.confirm(12, s.beginEdit()));
        QCOMPARE(root.readFile("/opt/waypointarray.kwp.damaged"), cut);
        WaypointStore again;
        QCOMPARE(loaded(again), expected);
        QCOMPARE(said.seen(), 2);
        QCOMPARE(aside.seen(), 1);
    }

    // A write that fails is said, and the slot goes with the next write that can be made.
    void failedWriteIsRetried() {
        TestRoot root;
        KorvelTest::ExpectedMessage said("^waypoint file: cannot write");
        WaypointStore s;
        QVERIFY(QDir().mkpath(kwp(root)));  // a folder where the file belongs
        s.importWaypoint(3, 0, "first", 1, 1);
        QVERIFY(!s.save());
        QVERIFY(QDir().rmdir(kwp(root)));
        s.importWaypoint(4, 0, "second", 1, 1);
        QVERIFY(s.save());
        QCOMPARE(QSettings(kwp(root), QSettings::IniFormat).childGroups(),
                 QStringList({"003", "004"}));
        QCOMPARE(said.seen(), 1);
    }

    void csvGolden() {
        TestRoot root;
        WaypointStore s;
        fill(s);
        s.importWaypoint(7, 0, "abc", 1132500000, 222500000);
        QVector<StructWaypoint> all;
        for (int slot = 0; slot < WaypointStore::kSlots; ++slot)
            all << s.at(slot);
        GOLDEN_COMPARE("data/waypoints.csv", WaypointCsv::build(all));
    }
};

KORVEL_TEST_MAIN(TestWaypointStore)
#include "test_waypoint_store.moc"
