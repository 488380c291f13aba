// The depth map's model: which soundings pass, how a cell resists a spike, where cells lie,
// the memory bound, and the isobaths drawn from a known bottom.
#include "korvel_test.h"
#include "navi/convert.h"
#include "navi/depth_contours.h"
#include "navi/depth_grid.h"
#include "navi/sounding_gate.h"

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(EnumSoundingVerdict)

namespace {

const GeoPoint kOrigin{Latitude(225520000), Longitude(1139408000)};

// The frame fields of a fix metres north and east of the origin.
StructSonarFrameFields fix(double north, double east, int depthCm = 500) {
    StructSonarFrameFields f;
    const double lat = kOrigin.lat() + north / 111000.0 * 1e7;
    const double lon = kOrigin.lon() + east / (111000.0 * std::cos(22.552 * M_PI / 180.0)) * 1e7;
    f.latitudeDm = Convert::ddS32_to_dmS32(int(std::lround(lat)));
    f.longitudeDm = Convert::ddS32_to_dmS32(int(std::lround(lon)));
    f.satellites = 8;
    f.fixQuality = 120;
    f.depthCm = uint16_t(depthCm);
    f.rangeCm = 2000;
    return f;
}

GeoPoint at(double north, double east) {
    const StructSonarFrameFields f = fix(north, east);
    return GeoPoint(Latitude(Convert::dmS32_to_ddS32(f.latitudeDm)),
                    Longitude(Convert::dmS32_to_ddS32(f.longitudeDm)));
}

// A bottom on the grid: depth(column, row) in metres on every cell of a region.
template <typename F>
void sound(DepthGrid& grid, const QRect& cells, F depth) {
    grid.setOrigin(kOrigin);
    for (int r = cells.top(); r <= cells.bottom(); ++r)
        for (int c = cells.left(); c <= cells.right(); ++c)
            grid.restore({c, r}, StructDepthCell{uint16_t(std::lround(depth(c, r) * 100)), 1, 5});
}

}  // namespace

class TestDepthMap : public QObject {
    Q_OBJECT
private slots:
    void gate_data() {
        QTest::addColumn<int>("satellites");
        QTest::addColumn<int>("hdop");
        QTest::addColumn<int>("depthCm");
        QTest::addColumn<int>("rangeCm");
        QTest::addColumn<bool>("zeroFix");
        QTest::addColumn<EnumSoundingVerdict>("verdict");
        QTest::newRow("good") << 8 << 120 << 500 << 2000 << false << EnumSoundingVerdict::Taken;
        QTest::newRow("three satellites")
            << 3 << 120 << 500 << 2000 << false << EnumSoundingVerdict::FewSatellites;
        QTest::newRow("hdop over the filter")
            << 8 << 900 << 500 << 2000 << false << EnumSoundingVerdict::PoorFix;
        QTest::newRow("zero fix") << 8 << 120 << 500 << 2000 << true
                                  << EnumSoundingVerdict::NoPosition;
        QTest::newRow("no bottom")
            << 8 << 120 << 0 << 2000 << false << EnumSoundingVerdict::NoBottom;
        QTest::newRow("below the range")
            << 8 << 120 << 2500 << 2000 << false << EnumSoundingVerdict::NoBottom;
    }
    void gate() {
        QFETCH(int, satellites);
        QFETCH(int, hdop);
        QFETCH(int, depthCm);
        QFETCH(int, rangeCm);
        QFETCH(bool, zeroFix);
        StructSonarFrameFields f = fix(10, 10, depthCm);
        f.satellites = uint8_t(satellites);
        f.fixQuality = uint16_t(hdop);
        f.rangeCm = uint32_t(rangeCm);
        if (zeroFix) f.latitudeDm = f.longitudeDm = 0;
        SoundingGate gate;
        StructSounding s;
        QFETCH(EnumSoundingVerdict, verdict);
        QCOMPARE(gate.take(f, 0.2f, 5.0f, 1000, &s), verdict);
        if (s.where.isSet()) QCOMPARE(s.depthMetres, depthCm / 100.0f + 0.2f);
    }

    // A fix 1 km away is refused, a boat at 8 m/s is not, and a new position that stays put
    // for five frames is taken as the boat's.
    void jump() {
        SoundingGate gate;
        StructSounding s;
        QCOMPARE(gate.take(fix(0, 0), 0, 5, 0, &s), EnumSoundingVerdict::Taken);
        QCOMPARE(gate.take(fix(8, 0), 0, 5, 1000, &s), EnumSoundingVerdict::Taken);
        QCOMPARE(gate.take(fix(1008, 0), 0, 5, 2000, &s), EnumSoundingVerdict::Jump);
        QCOMPARE(gate.take(fix(9, 0), 0, 5, 2200, &s), EnumSoundingVerdict::Taken);
        for (int i = 0; i < SoundingGate::kSteadyFrames - 1; ++i)
            QCOMPARE(gate.take(fix(1000, 0), 0, 5, 3000 + i * 200, &s), EnumSoundingVerdict::Jump);
        QCOMPARE(gate.take(fix(1000, 0), 0, 5, 4000, &s), EnumSoundingVerdict::Taken);
    }

    // One wrong bottom in five never reaches the grid; a pause starts the window again.
    void median() {
        SoundingMedian m;
        StructSounding out;
        const float depths[] = {3.0f, 3.1f, 12.0f, 3.2f, 3.0f, 0.4f, 3.1f};
        QVector<float> passed;
        for (int i = 0; i < 7; ++i) {
            if (m.push({at(i, 0), depths[i], i * 200}, &out)) {
                passed << out.depthMetres;
                QCOMPARE(out.where, at(i - 2, 0));
            }
        }
        QCOMPARE(passed, (QVector<float>{3.1f, 3.1f, 3.1f}));
        QVERIFY(!m.push({at(9, 0), 3.0f, 9000}, &out));
    }

    // Twenty soundings at 3 m and a spike of 9 m leave the cell at 3 m; a real change of the
    // bottom is followed.
    void cellEstimate() {
        StructDepthCell c;
        for (int i = 0; i < 20; ++i)
            c = DepthCellEstimate::update(c, i == 10 ? 900 : 300);
        QVERIFY2(std::abs(c.depthCm - 300) <= 3, qPrintable(QString::number(c.depthCm)));
        QCOMPARE(int(c.count), 20);
        for (int i = 0; i < 200; ++i)
            c = DepthCellEstimate::update(c, 400);
        QVERIFY2(std::abs(c.depthCm - 400) <= 5, qPrintable(QString::number(c.depthCm)));
    }

    // Cells either side of the origin stay apart and map back to themselves.
    void cellPlaces() {
        DepthGrid grid;
        grid.setOrigin(at(0, 0));
        const double offsets[][2] = {{0.5, 0.5}, {-0.5, -0.5}, {-63.9, 65.0}, {1501, -1999}};
        for (const auto& o : offsets)
            QCOMPARE(grid.add(at(o[0], o[1]), 4.0f), DepthGrid::EnumAdd::Added);
        QCOMPARE(grid.filledCells(), 4);
        for (const auto& o : offsets) {
            const StructCellIndex i = grid.indexOf(at(o[0], o[1]));
            QCOMPARE(i.row, int(std::floor(o[0] / 2)));
            QCOMPARE(i.column, int(std::floor(o[1] / 2)));
            const StructCellIndex back = grid.indexOf(grid.centreOf(i));
            QCOMPARE(back.column, i.column);
            QCOMPARE(back.row, i.row);
        }
    }

    // Tiles stop at the bound; what is in the grid stays.
    void memoryBound() {
        DepthGrid grid;
        grid.setOrigin(at(0, 0));
        int added = 0;
        DepthGrid::EnumAdd last = DepthGrid::EnumAdd::Added;
        for (int i = 0; i < 70 && last == DepthGrid::EnumAdd::Added; ++i)
            for (int j = 0; j < 70 && last == DepthGrid::EnumAdd::Added; ++j)
                if ((last = grid.add(at(i * 64.0 + 32, j * 64.0 + 32), 3.0f)) ==
                    DepthGrid::EnumAdd::Added)
                    ++added;
        QCOMPARE(int(last), int(DepthGrid::EnumAdd::GridFull));
        QCOMPARE(grid.tileCount(), DepthGrid::kMaxTiles);
        QCOMPARE(grid.filledCells(), added);
        QVERIFY(grid.memoryBytes() < 17u * 1024 * 1024);
    }

    // A bottom sloping north by 0.1 m a cell: each isobath is one line across, on its row.
    void contoursOfSlope() {
        DepthGrid grid;
        sound(grid, QRect(0, 0, 40, 40), [](int, int r) { return 1.0 + 0.1 * r; });
        const QVector<StructContour> lines =
            DepthContours::trace(DepthField(grid, grid.bounds(), 1), 1.0f);
        QCOMPARE(lines.size(), 3);  // 2, 3 and 4 m
        for (const StructContour& c : lines) {
            const double row = (c.depthMetres - 1.0) / 0.1 + 0.5;
            QCOMPARE(c.points.size(), 40);
            for (const QPointF& p : c.points)
                QVERIFY2(std::abs(p.y() - row) < 0.01, qPrintable(QString::number(p.y())));
        }
    }

    // Survey lines five cells apart: the gaps between them are bridged, so a hump gives one
    // closed isobath, and nothing is drawn beyond the outer lines.
    void contoursBetweenLines() {
        DepthGrid grid;
        const auto hump = [](int c, int r) {
            return 6.0 - 4.0 * std::exp(-((c - 30) * (c - 30) + (r - 30) * (r - 30)) / 200.0);
        };
        grid.setOrigin(kOrigin);
        for (int r = 0; r <= 60; r += 5)
            for (int c = 0; c <= 60; ++c)
                grid.restore({c, r},
                             StructDepthCell{uint16_t(std::lround(hump(c, r) * 100)), 1, 5});
        const DepthField field(grid, grid.bounds().adjusted(-3, -3, 3, 3), 1);
        QVERIFY(std::isnan(field.at(0, 0)));     // outside the lines
        QVERIFY(!std::isnan(field.at(10, 10)));  // between two lines
        const QVector<StructContour> lines = DepthContours::trace(field, 1.0f);
        QVector<float> depths;
        for (const StructContour& c : lines) {
            QVERIFY(c.closed);
            depths << c.depthMetres;
            for (const QPointF& p : c.points) {
                const double radius = std::hypot(p.x() - 30.5, p.y() - 30.5);
                const double expected = std::sqrt(-200.0 * std::log((6.0 - c.depthMetres) / 4.0));
                QVERIFY2(std::abs(radius - expected) < 1.5, qPrintable(QString::number(radius)));
            }
        }
        QCOMPARE(depths, (QVector<float>{3.0f, 4.0f, 5.0f}));
    }
};

QTEST_MAIN(TestDepthMap)
#include "test_depth_map.moc"
