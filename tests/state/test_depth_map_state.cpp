// The depth map as the handset keeps it: soundings from frames written and read back by a new
// run, damaged files set aside with one message, the question before clearing, the exports
// (byte for byte, and as xmllint, ogrinfo and gpsbabel read them) and a sonar log added.
#include "base/global.h"
#include "data/depth_map_export.h"
#include "data/depth_map_file.h"
#include "fake_prompter.h"
#include "golden.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "peer_tools.h"
#include "state/depth_map_state.h"
#include "test_root.h"

#include <QtTest>
#include <cmath>

namespace {

void put32(uint8_t* b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[i] = uint8_t(v >> (8 * i));
}

// A frame from the boat n metres east of 22.552 N 113.9408 E over depth cm, at second s.
kvl_w frameAt(double east, int depthCm, int second) {
    kvl_w f = kvl_w::zero();
    f.bytes[0] = '#';
    put32(f.bytes + 4, 2000);
    put32(f.bytes + 8, uint32_t(Convert::ddS32_to_dmS32(225520000)));
    const double lon = 1139408000 + east / (111000.0 * std::cos(22.552 * M_PI / 180)) * 1e7;
    put32(f.bytes + 12, uint32_t(Convert::ddS32_to_dmS32(int(std::lround(lon)))));
    put32(f.bytes + 16, (19u << 26) | (1u << 22) | (21u << 17) | (10u << 12) | uint32_t(second));
    f.bytes[22] = 120;
    f.bytes[24] = 8;
    f.bytes[33] = uint8_t(depthCm);
    f.bytes[34] = uint8_t(depthCm >> 8);
    f.bytes[275] = Global::XOR_chk(f.bytes + 3, 272);
    return f;
}

StructConfiguration config() {
    StructConfiguration c{};
    c.gpsFilter = 5;
    return c;
}

// A 40 m run east over a bottom falling 5 cm a metre, five frames a second.
void survey(DepthMapState& map, qint64 startMs = 0) {
    for (int i = 0; i < 200; ++i)
        map.takeFrame(frameAt(i * 0.2, 300 + i, i / 5), config(), startMs + i * 200);
}

}  // namespace

class TestDepthMapState : public QObject {
    Q_OBJECT
private slots:
    // Kept on one run, read by the next with the same cells, added to by it.
    void keptAndGrowing() {
        TestRoot root;
        FakePrompter prompter;
        QByteArray first;
        {
            DepthMapState map(prompter);
            map.load();
            survey(map);
            QCOMPARE(map.grid().filledCells(), 20);
            map.setView({false, true, 3});
            QVERIFY(map.save());
            first = DepthMapExport::csv(map.grid());
        }
        DepthMapState next(prompter);
        next.load();
        QCOMPARE(DepthMapExport::csv(next.grid()), first);
        QCOMPARE(next.view().shading, false);
        QCOMPARE(next.intervalMetres(), 5.0f);
        survey(next, 100000);
        QCOMPARE(int(next.grid().cell({5, 0})->count), 20);
        QVERIFY(prompter.hints.isEmpty());
    }

    void damaged_data() {
        QTest::addColumn<int>("cut");
        QTest::addColumn<int>("flip");
        QTest::newRow("truncated") << 30 << -1;
        QTest::newRow("a byte changed") << 0 << 40;
        QTest::newRow("not a map") << 0 << 0;
        QTest::newRow("cells claiming a gigabyte") << 0 << 20;
    }
    // Set aside under its own name, said once, and the next save writes a good file.
    void damaged() {
        QFETCH(int, cut);
        QFETCH(int, flip);
        TestRoot root;
        FakePrompter prompter;
        DepthGrid grid;
        grid.add(GeoPoint(Latitude(225520000), Longitude(1139408000)), 3.0f);
        QByteArray bytes = DepthMapFile::encode(grid);
        bytes.chop(cut);
        if (flip >= 0) bytes[flip] = char(bytes[flip] ^ 0x5a);
        root.writeFile(DepthMapFile::kPath, bytes);
        KorvelTest::ExpectedMessage said("^depth map: .* is damaged; kept as");
        DepthMapState map(prompter);
        map.load();
        QCOMPARE(prompter.hints, QList<EnumHintCode>{EnumHintCode::DepthMapSetAside});
        QVERIFY(map.grid().isEmpty());
        QCOMPARE(root.readFile(QString(DepthMapFile::kPath) + ".damaged"), bytes);
        survey(map);
        QVERIFY(map.save());
        DepthGrid back;
        QCOMPARE(DepthMapFile::load(root.path(DepthMapFile::kPath), &back),
                 DepthMapFile::EnumLoad::Loaded);
        QCOMPARE(back.filledCells(), 20);
    }

    // "No" keeps every sounding; "Yes" empties the map and the kept file.
    void clearAsks() {
        TestRoot root;
        FakePrompter prompter;
        DepthMapState map(prompter);
        map.load();
        survey(map);
        map.askClear();
        QCOMPARE(prompter.questions.last().kind, EnumDialogKind::ClearDepthMap);
        prompter.answer(EnumAnswer::Left);
        QCOMPARE(map.grid().filledCells(), 20);
        map.askClear();
        prompter.answer(EnumAnswer::Right);
        QVERIFY(map.grid().isEmpty());
        DepthGrid back;
        QCOMPARE(DepthMapFile::load(root.path(DepthMapFile::kPath), &back),
                 DepthMapFile::EnumLoad::Loaded);
        QVERIFY(back.isEmpty());
        QVERIFY(map.exportFiles(0).isEmpty());
        QCOMPARE(prompter.hints, QList<EnumHintCode>{EnumHintCode::DepthMapEmpty});
    }

    // A bowl 8 m deep, 75 m across: the cells and its isobaths as the golden files hold
    // them, and as other programs read the isobaths.
    void exports() {
        DepthGrid grid;
        grid.setOrigin(GeoPoint(Latitude(225520000), Longitude(1139408000)));
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 40; ++c) {
                const double d = 8.0 - 0.02 * ((c - 20) * (c - 20) + (r - 20) * (r - 20));
                if (d > 1.0) grid.restore({c, r}, StructDepthCell{uint16_t(d * 100), 3, 5});
            }
        GOLDEN_COMPARE("data/depthmap.csv", DepthMapExport::csv(grid));
        const QVector<StructContour> lines = DepthMapExport::allContours(grid, 2.0f);
        QCOMPARE(lines.size(), 3);  // 2, 4 and 6 m
        GOLDEN_COMPARE("data/depthmap.kml", DepthMapExport::kml(grid, lines));

        REQUIRE_TOOL("xmllint");
        REQUIRE_TOOL("ogrinfo");
        REQUIRE_TOOL("gpsbabel");
        const QString file = Golden::path("data/depthmap.kml");
        QCOMPARE(runTool("xmllint", {"--noout", file}), QString());
        const QString ogr = runTool("ogrinfo", {"-al", "-q", file});
        QVERIFY2(ogr.count("LINESTRING") == 3 && ogr.contains("Name (String) = 4.0 m") &&
                     ogr.contains("depth (String) = 4.0"),
                 qPrintable(ogr));
        // gpsbabel takes each isobath as a track of its points.
        const QString gpx = runTool("gpsbabel", {"-i", "kml", "-f", file, "-o", "gpx", "-F", "-"});
        QCOMPARE(gpx.count("<trk>"), 3);
        QCOMPARE(gpx.count("<trkpt"), [&] {
            int n = 0;
            for (const StructContour& c : lines)
                n += c.points.size();
            return n;
        }());
        // Python's csv module takes every row as four numbers.
        REQUIRE_TOOL("python3");
        QCOMPARE(runTool("python3", {"-c",
                                     "import csv,sys\n"
                                     "rows=list(csv.DictReader(open(sys.argv[1])))\n"
                                     "print(len(rows), sum(float(r['depth_m']) > 1 and "
                                     "int(r['count']) == 3 and float(r['latitude']) > 22 and "
                                     "float(r['longitude']) > 113 for r in rows))",
                                     Golden::path("data/depthmap.csv")})
                     .trimmed(),
                 QString("%1 %1").arg(grid.filledCells()));
        QCOMPARE(runTool("gpsbabel", {"-i", "unicsv", "-f", Golden::path("data/depthmap.csv"), "-o",
                                      "unicsv", "-F", "-"})
                     .count("\n"),
                 grid.filledCells() + 1);
    }

    // A recorded log adds its soundings, and says how many; a log without any says so.
    void addLog() {
        TestRoot root;
        FakePrompter prompter;
        DepthMapState map(prompter);
        map.load();
        QByteArray log(64, '*');
        for (int i = 0; i < 100; ++i)
            log += QByteArray(reinterpret_cast<const char*>(frameAt(i * 0.4, 400, i / 5).bytes),
                              kvl_w::kSize);
        root.writeFile("/mnt/sd/Korvel/Record/a.kvlw", log);
        root.writeFile("/mnt/sd/Korvel/Record/empty.kvlw", QByteArray(64, '*'));
        QCOMPARE(map.addLog("/mnt/sd/Korvel/Record/a.kvlw", config()), 100);
        QCOMPARE(map.grid().filledCells(), 20);
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY(prompter.messages.last().startsWith("100 "));
        QCOMPARE(map.addLog("/mnt/sd/Korvel/Record/empty.kvlw", config()), 0);
        QCOMPARE(prompter.hints, QList<EnumHintCode>{EnumHintCode::DepthMapLogEmpty});
    }
};

QTEST_MAIN(TestDepthMapState)
#include "test_depth_map_state.moc"
