// The handset program browsing its sonar history against the virtual boat, driven by scripts:
// a recorded log replayed, paused, jumped to its middle and marked there; the live echogram
// paused while the boat drives on, the cursor taken 60 columns back and marked there. Each
// waypoint is compared with the frame the log holds for that place.
#include "korvel_test.h"
#include "link/history_log_reader.h"
#include "link/sonar_frame_values.h"
#include "navi/convert.h"
#include "vboat_session.h"

#include <QSettings>
#include <QtTest>
#include <cmath>

namespace {

const QString kStart = "wait 11000\nkey esc\n";  // "Home Position ..." closed
// The boat driving its lawnmower course at 4 m/s, eight frames a second, recorded.
const QString kRecord = "boat rate 8\nboat survey -20 70 40 20 10 4\nset workMode 1\n";
// The quick page's last row: the history bar.
const QString kHistory = "key enter\n" + QString("key down\n").repeated(14) + "key enter\n";
const QString kConfirmWaypoint = QString("key down\n").repeated(7) + "key enter\nwait 500\n";

struct StructSavedPoint {
    QString latitude;
    QString longitude;
    double depth = 0;
};

StructSavedPoint savedPoint(const QString& root) {
    const QSettings kwp(root + "/opt/waypointarray.kwp", QSettings::IniFormat);
    return {kwp.value("000/latitude").toString(), kwp.value("000/longitude").toString(),
            kwp.value("000/depth").toDouble()};
}

StructSavedPoint pointOf(const kvl_w& f) {
    const StructSonarFrameFields v = SonarFrameValues::fields(f);
    return {Convert::ddS32_to_dmString_lat(Convert::dmS32_to_ddS32(v.latitudeDm)),
            Convert::ddS32_to_dmString_lon(Convert::dmS32_to_ddS32(v.longitudeDm)),
            v.depthCm / 100.0};
}

QVector<kvl_w> recordedLog(const QString& root) {
    const QString folder = root + "/mnt/sd/Korvel/Record";
    const QStringList logs = QDir(folder).entryList({"*.kvlw"}, QDir::Files);
    return logs.size() == 1 ? HistoryLogReader::framesFromFile(folder + '/' + logs.first())
                            : QVector<kvl_w>();
}

VboatSession* prepared(VboatSession* s) {
    QDir().mkpath(s->root() + "/mnt/sd/Korvel/Record");
    QFile card(s->root() + "/dev/mmcblk0p1");  // the card in its slot
    card.open(QIODevice::WriteOnly);
    QFile model(s->root() + "/opt/model.kvc");  // the quick page with the replay's work mode
    if (model.open(QIODevice::WriteOnly)) model.write("[Info]\nMODEL=5\n");
    return s;
}

}  // namespace

class TestHistorySession : public QObject {
    Q_OBJECT
private slots:
    // Replayed, paused, "Jump to 50%", "Mark Waypoint": the waypoint is the middle record's.
    void replayJumpAndMark() {
        VboatSession session;
        VboatSession& s = *prepared(&session);
        const QString commands = "key enter\n";
        const QString out =
            s.run(kStart + kRecord +
                  "wait 20000\nset workMode 0\nwait 1000\nset workMode 2\n"
                  "wait 1000\nkey enter\nwait 3000\n" +
                  kHistory + commands + QString("key down\n").repeated(7) + "key enter\n" +
                  commands + "key enter\n" + kConfirmWaypoint + "quit\n");
        const QVector<kvl_w> log = recordedLog(s.root());
        QVERIFY2(log.size() > 100, qPrintable(out.right(3000)));
        QVERIFY2(out.contains("sonar history shown, replay"), qPrintable(out.right(3000)));
        const StructSavedPoint expected = pointOf(log[(log.size() - 1) / 2]);
        const StructSavedPoint saved = savedPoint(s.root());
        QCOMPARE(saved.latitude, expected.latitude);
        QCOMPARE(saved.longitude, expected.longitude);
        QVERIFY2(std::abs(saved.depth - expected.depth) < 0.05,
                 qPrintable(QString("%1 against %2").arg(saved.depth).arg(expected.depth)));
        // The last record is elsewhere: the mark is not where the replay stood before.
        QVERIFY(pointOf(log.last()).latitude != saved.latitude ||
                pointOf(log.last()).longitude != saved.longitude);
    }

    // Live: recording ends as the echogram is paused; 60 columns back is 60 frames before the
    // newest, tens of metres behind the boat.
    void livePauseBackAndMark() {
        VboatSession session;
        VboatSession& s = *prepared(&session);
        s.run(kStart + kRecord + "wait 20000\nset workMode 0\n" + kHistory +
              QString("key left\n").repeated(60) + "key enter\n" + kConfirmWaypoint + "quit\n");
        const QVector<kvl_w> log = recordedLog(s.root());
        QVERIFY(log.size() > 100);
        const StructSavedPoint saved = savedPoint(s.root());
        int at = -1;
        for (int i = log.size() - 1; i >= 0 && at < 0; --i) {
            const StructSavedPoint p = pointOf(log[i]);
            if (p.latitude == saved.latitude && p.longitude == saved.longitude) at = i;
        }
        // Eight frames a second against eight ticks: a frame late or early at either end.
        const int back = log.size() - 1 - at;
        QVERIFY2(
            at >= 0 && back >= 56 && back <= 64,
            qPrintable(
                QString("%1 frames back; %2 %3").arg(back).arg(saved.latitude, saved.longitude)));
    }
};

QTEST_MAIN(TestHistorySession)
#include "test_history_session.moc"
