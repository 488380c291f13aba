// The list modes against the virtual boat, driven by scripts as a user would: the multi-target
// list with a wait at each point, go-back from home to a waypoint, and a course cruise with and
// without stops. The boat's trace shows each leg's RUN, each arrival and the hold between.
#include "core/korvel.h"
#include "data/multi_target_file.h"
#include "data/waypoint_file.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "vboat_session.h"

#include <QtTest>

namespace {

// The boat starts 40 m out from the shore point (113.9408 E, 22.552 N).
const int kLon = 1139408000;
int northOfStart(double metres) {
    return int((22.552 + (40 + metres) / 111320.0) * 1e7);
}

const QString kStart = "wait 11000\nkey esc\n";  // the start-up check; home's message closed

void writeModel(VboatSession& s, char model) {
    QFile f(s.root() + "/opt/model.kvc");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("[Info]\nMODEL=") + model + "\n");
}

StructWaypoint waypointAt(int slot, double north) {
    StructWaypoint w = StructWaypoint::emptyAt(slot);
    w.name = "n" + QString::number(int(north));
    w.latitude = Convert::ddS32_to_dmString_lat(northOfStart(north));
    w.longitude = Convert::ddS32_to_dmString_lon(kLon);
    return w;
}

// The boat's holds at reached points, as "seconds verb" ("8.3 RUN"): each wait between two
// legs is the count-down's plus up to a report period and a tick.
QStringList held(const QString& trace) {
    QStringList out;
    QRegularExpressionMatchIterator i =
        QRegularExpression("autopilot held (\\S+) s at the point, then (\\w+)").globalMatch(trace);
    while (i.hasNext()) {
        const QRegularExpressionMatch m = i.next();
        out << m.captured(1) + ' ' + m.captured(2);
    }
    return out;
}

bool heldFor(const QString& hold, double seconds, const char* then) {
    const double s = hold.section(' ', 0, 0).toDouble();
    return s >= seconds && s < seconds + 1.6 && hold.endsWith(QLatin1String(then));
}

}  // namespace

class TestListSession : public QObject {
    Q_OBJECT
private slots:
    // Rows 1 and 3 of the list, 8 s and 0 s of wait: two legs, a hold of 8 s between them.
    // Then go-back from home to waypoint 0 with 50 s between, stopped during that wait.
    void multiTarget_thenGoBackStoppedInTheWait() {
        VboatSession s;
        writeModel(s, '5');
        QVERIFY(WaypointFile::write(s.root() + "/opt/waypointarray.kwp",
                                    {waypointAt(0, 12), waypointAt(1, 24)}));
        QVector<StructMultiTarget> rows(5, StructMultiTarget(StructWaypoint(), 0));
        rows[1] = StructMultiTarget(waypointAt(0, 12), 8);
        rows[3] = StructMultiTarget(waypointAt(1, 24), 0);
        QVERIFY(MultiTargetFile::write(s.root() + "/opt/multitarget.kmt", rows));
        const QString list = kStart + "key enter\n" + QString("key down\n").repeated(12) +
                             "key enter\nkey ap\nwait 60000\nkey esc\n";
        // Go-back: home first, waypoint 0 second, 50 s between; "Stop Autopilot" in the wait (its
        // count-down closed first: it holds the keys).
        const QString goBack =
            "key enter\n" + QString("key down\n").repeated(3) +
            "key enter\nkey enter\nkey down\nkey enter\n" + QString("key down\n").repeated(3) +
            "key enter\nkey enter\nkey enter\nkey up\nkey enter\n" +
            QString("key up\n").repeated(5) +
            "key enter\nkey down\nkey down\nkey enter\nwait 35000\n" + "key esc\nkey enter\n" +
            QString("key down\n").repeated(6) + "key enter\nwait 3000\nquit\n";
        const QString log = s.run(list + goBack);
        const QString trace = s.traced();
        QVERIFY2(VboatSession::inOrder(
                     trace, {"boat 0xC2 \\$HMCTL,RUN,113.940\\d+,22.5524\\d+", "autopilot arrived",
                             "\\$HMCTL,RUN,113.940\\d+,22.5525\\d+", "autopilot arrived"}),
                 qPrintable(trace + log));
        QVERIFY2(VboatSession::inOrder(
                     log, {"list started: waypoint 2 points", "waiting 8 s before the next target",
                           "Autopilot Task Completed", "go-back started"}),
                 qPrintable(log));
        const QStringList h = held(trace);
        QVERIFY2(h.size() >= 3 && heldFor(h[0], 8, "RUN"), qPrintable(h.join(',')));
        QVERIFY2(h.last().endsWith("STOP") && h.last().section(' ', 0, 0).toDouble() < 50,
                 qPrintable(h.join(',')));
        // The stop ended the go-back: no second leg after the wait would have run out.
        QVERIFY2(!trace.section("then STOP", 1).contains("$HMCTL,RUN"), qPrintable(trace));
    }

    // A KML course of three points, cruised without stops and then with a 4 s stop at each.
    void courseCruise_withAndWithoutStops() {
        VboatSession s;
        writeModel(s, 'd');
        QVERIFY(QDir().mkpath(s.root() + "/dev/mmcblk0p1/Korvel/Kml"));
        QFile kml(s.root() + "/dev/mmcblk0p1/Korvel/Kml/lap.kml");
        QVERIFY(kml.open(QIODevice::WriteOnly));
        kml.write("<kml><Placemark><name>lap</name><LineString><coordinates>");
        for (double north : {10, 20, 30})
            kml.write(QString("%1,%2,0 ")
                          .arg(kLon / 1e7, 0, 'f', 7)
                          .arg(northOfStart(north) / 1e7, 0, 'f', 7)
                          .toLatin1());
        kml.write("</coordinates></LineString></Placemark></kml>");
        kml.close();
        const QString open =
            "key enter\n" + QString("key down\n").repeated(14) + "key enter\nwait 500\nkey enter\n";
        const QString stops = "key up\nkey up\nkey enter\nkey right\n" +
                              QString("key up\n").repeated(4) +
                              "key enter\nkey down\nkey enter\nkey down\nkey enter\n";
        s.run(kStart + open + "key enter\nwait 45000\nkey esc\n" + open + stops +
              "wait 50000\nquit\n");
        const QStringList h = held(s.traced());
        QVERIFY2(h.size() == 5, qPrintable(s.traced()));
        QVERIFY2(heldFor(h[0], 0, "RUN") && heldFor(h[1], 0, "RUN"), qPrintable(h.join(',')));
        QVERIFY2(heldFor(h[3], 4, "RUN") && heldFor(h[4], 4, "RUN"), qPrintable(h.join(',')));
    }
};

KORVEL_TEST_MAIN(TestListSession)
#include "test_list_session.moc"
