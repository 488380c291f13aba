// The handset program mapping the virtual boat's lake: the boat drives a small survey, the
// angler exports the map, and every exported cell is compared with the lake's true bottom;
// a second start keeps the first day's map and adds to it.
#include "boat_sim.h"
#include "korvel_test.h"
#include "vboat_session.h"

#include <QDir>
#include <QtTest>
#include <cmath>

namespace {

const QString kStart = "wait 11000\nkey esc\n";  // "Home Position ..." closed
// The quick page's last row, its "Export Depth Map", and the message closed.
const QString kExport = "key enter\n" + QString("key down\n").repeated(13) + "key enter\n" +
                        QString("key down\n").repeated(3) + "key enter\nwait 1500\n";

struct StructCsv {
    int cells = 0;
    double rms = 0;
    double largest = 0;
};

// The newest export against the bottom the virtual boat's lake has there.
StructCsv compare(const QString& folder) {
    StructCsv out;
    const QStringList files =
        QDir(folder).entryList({"Korvel_DepthMap_*.csv"}, QDir::Files, QDir::Time);
    if (files.isEmpty()) return out;
    const QStringList lines =
        VboatSession::read(folder + '/' + files.first()).split("\r\n", Qt::SkipEmptyParts);
    const vboat::BoatSim lake;
    double sum = 0;
    for (const QString& line : lines.mid(1)) {
        const QStringList f = line.split(',');
        if (f.size() != 4) return StructCsv{};
        const double e = f[2].toDouble() - lake.trueDepthAt(f[0].toDouble(), f[1].toDouble());
        sum += e * e;
        out.largest = std::max(out.largest, std::abs(e));
        ++out.cells;
    }
    out.rms = out.cells ? std::sqrt(sum / out.cells) : 0;
    return out;
}

}  // namespace

class TestDepthMapSession : public QObject {
    Q_OBJECT
private slots:
    void surveyExportAndKeep() {
        VboatSession s;
        const QString exports = s.root() + "/mnt/sd/Korvel/Export";
        QDir().mkpath(exports);
        QFile card(s.root() + "/dev/mmcblk0p1");  // the card in its slot
        QVERIFY(card.open(QIODevice::WriteOnly));
        card.close();
        QFile model(s.root() + "/opt/model.kvc");  // a model with the whole quick page
        QVERIFY(model.open(QIODevice::WriteOnly));
        model.write("[Info]\nMODEL=5\n");
        model.close();
        const QString first =
            s.run(kStart + "boat survey -20 70 40 20 10 5\nwait 30000\n" + kExport + "quit\n");
        QVERIFY2(first.contains("exported to /mnt/sd/Korvel/Export/Korvel_DepthMap_"),
                 qPrintable(first.right(2000)));
        const StructCsv day1 = compare(exports);
        QVERIFY2(day1.cells >= 40 && day1.rms <= 0.3,
                 qPrintable(QString("%1 cells, RMS %2 m, largest %3 m")
                                .arg(day1.cells)
                                .arg(day1.rms)
                                .arg(day1.largest)));
        QVERIFY(QFile::exists(s.root() + "/opt/depthmap.kdm"));
        QVERIFY(QDir(exports).entryList({"Korvel_DepthMap_*.kml"}).size() == 1);

        // The next day: more lines further north, the first day's cells still there.
        for (const QString& f : QDir(exports).entryList(QDir::Files))
            QFile::remove(exports + '/' + f);
        // The saved home would be offered first: this day starts as the first did.
        QFile::remove(s.root() + "/opt/navi.knv");
        s.run(kStart + "boat survey -20 100 40 10 10 5\nwait 20000\n" + kExport + "quit\n");
        const StructCsv day2 = compare(exports);
        QVERIFY2(day2.cells > day1.cells + 20 && day2.rms <= 0.3,
                 qPrintable(QString("%1 cells, RMS %2 m").arg(day2.cells).arg(day2.rms)));
    }
};

QTEST_MAIN(TestDepthMapSession)
#include "test_depth_map_session.moc"
