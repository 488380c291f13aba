// Courses without their screen: recording, saving into a slot (the file as a golden), deleting,
// renaming, reading a slot's points (a foreign file's count capped), and the copies to and from
// the SD card made with file functions, whatever a name holds.
#include "data/course_file.h"
#include "data/course_store.h"
#include "data/kvlw_time.h"
#include "golden.h"
#include "korvel_test.h"
#include "test_root.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QtTest>
#include <memory>

namespace {
const uint32_t k0121 = KvlwTime::pack({2015, 1, 21, 17, 59, 0});
}  // namespace

class TestCourseStore : public QObject {
    Q_OBJECT
private slots:
    // 5001 samples keep the last 5000; the start stays the first sample's time.
    void recording_keepsTheLast5000() {
        CourseStore s;
        for (unsigned i = 0; i <= 5000; ++i)
            s.appendPoint(int(i), -int(i), k0121 + i, i, 5.0f);
        QCOMPARE(s.live().points.size(), 5000);
        QCOMPARE(s.live().points.first().longitude, 1);
        QCOMPARE(s.live().startTime, k0121);
        QCOMPARE(s.live().endTime, k0121 + 5000);
        QCOMPARE(s.live().distance, 25005);
    }

    // "Save Current" names the slot by the start, writes the file; a restart reads the header;
    // "Delete" on slot 3 leaves its file with count 0, and it is empty after a restart.
    void saveCurrent_rename_delete() {
        TestRoot root;
        CourseStore s;
        s.appendPoint(114000000, 480000000, k0121, 420, 5.0f);
        s.appendPoint(114000100, 480000200, k0121 + 60, 515, 5.0f);
        QVERIFY(s.saveCurrent(3) && s.saveCurrent(4));
        QFile file(root.path("/opt/waycourse3.kwc"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        GOLDEN_COMPARE("data/waycourse3.kwc", file.readAll());
        QVERIFY(s.rename(4, "lap-2"));
        QVERIFY(s.remove(3));
        CourseStore after;
        after.loadHeaders();
        QVERIFY(after.slot(3).isEmpty());
        QCOMPARE(after.slot(4).name, QString("lap-2"));
        QCOMPARE(after.points(4).at(1).depth, 515u);
        QCOMPARE(QSettings(file.fileName(), QSettings::IniFormat).value("WayCourse/count").toInt(),
                 0);
    }

    // A foreign file claiming two billion points is read as 5000, at once.
    void showRoute_hugeCountCapped() {
        TestRoot root;
        QVERIFY(root.writeFile("/opt/waycourse0.kwc", "[WayCourse]\ncount=2000000000\nname=x\n"));
        CourseStore s;
        QElapsedTimer t;
        t.start();
        QCOMPARE(s.points(0).size(), CourseFile::kMaxPoints);
        QVERIFY(t.elapsed() < 20000);
    }

    // Copies are file copies: the course named abc goes to abc.kwc; a name from a foreign
    // file with shell characters stays one file inside the folder; no card folder, no copy;
    // a card file read into a slot replaces it whole.
    void sdCopies_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("card");
        QTest::addColumn<QString>("file");  // on the card, empty when nothing was copied
        QTest::newRow("abc") << "abc" << true << "abc.kwc";
        QTest::newRow("shell characters") << "a;rm -rf" << true << "a-rm--rf.kwc";
        QTest::newRow("a way out") << "../../x" << true << "------x.kwc";
        QTest::newRow("no card") << "abc" << false << "";
    }
    void sdCopies() {
        QFETCH(QString, name);
        QFETCH(bool, card);
        QFETCH(QString, file);
        TestRoot root;
        if (card) QVERIFY(QDir().mkpath(root.path(CourseStore::kSdFolder)));
        const QByteArray bytes = "[WayCourse]\ncount=1\nname=\"" + name.toUtf8() + "\"\n";
        QVERIFY(root.writeFile("/opt/waycourse2.kwc", bytes));
        CourseStore s;
        s.loadHeaders();
        std::unique_ptr<KorvelTest::ExpectedMessage> failed;
        if (!card) failed = std::make_unique<KorvelTest::ExpectedMessage>("not copied to");
        QCOMPARE(s.copyToSd(2), card);
        QCOMPARE(QDir(root.path(CourseStore::kSdFolder)).entryList(QDir::Files).join(' '), file);
        if (!card) return;
        QVERIFY(s.readFromSd(5, CourseStore::kSdFolder + file));
        QCOMPARE(root.readFile("/opt/waycourse5.kwc"), bytes);
        KorvelTest::ExpectedMessage missing("not read into slot");
        QVERIFY(!s.readFromSd(5, "/mnt/sd/Korvel/Course/none.kwc"));
        QCOMPARE(s.slot(5).name, name);
    }
};

KORVEL_TEST_MAIN(TestCourseStore)
#include "test_course_store.moc"
