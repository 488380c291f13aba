#include "base/resources.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "navi/course_points.h"
#include "navi/depth_color_bar.h"
#include "navi/map_mapping.h"
#include "navi/map_thinning.h"
#include "navi/map_zoom.h"
#include "navi/track_list.h"

#include <QtTest>
#include <cmath>

using Points = QVector<QPoint>;

namespace {

Points along(std::initializer_list<int> xs) {
    Points out;
    for (int x : xs)
        out << QPoint(x, 0);
    return out;
}

}  // namespace

class TestMapModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { korvelInitResources(); }

    // From the start: 1.5, 2.0, 4.0, 6.0, 8.0, then round to 0.1, 0.3, 0.5 and 1.0 again.
    void zoomCycle() {
        const float ratios[] = {1.5f, 2.0f, 4.0f, 6.0f, 8.0f, 0.1f, 0.3f, 0.5f, 1.0f};
        const int widths[] = {6, 6, 4, 4, 4, 7, 7, 7, 6};
        int index = MapZoom::kStartIndex;
        for (int i = 0; i < MapZoom::kRows; ++i) {
            index = MapZoom::nextIndex(index);
            QCOMPARE(MapZoom::row(index).ratio, ratios[i]);
            QCOMPARE(MapZoom::row(index).lineWidth, widths[i]);
        }
    }

    // The 5001st point drops the first; "Clear Map" keeps only the newest.
    void trackList() {
        TrackList track;
        for (int i = 0; i <= TrackList::kMaxPoints; ++i)
            track.append({QPoint(i, 0), 1.0f});
        QCOMPARE(track.size(), 5000);
        QCOMPARE(track.at(0).point.x(), 1);
        track.keepLast();
        QCOMPARE(track.size(), 1);
        QCOMPARE(track.at(0).point.x(), 5000);
    }

    // Manual ranges are 5 to 10 m; a depth seen first may move the automatic range.
    void colourBar_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<float>("seen");
        QTest::addColumn<float>("depth");
        QTest::addColumn<int>("row");
        QTest::addColumn<QVector<int>>("upLoMaxAuto");
        const QVector<int> start{0, 2, 2, 1};
        const QVector<int> manual{5, 10, 2, 0};
        QTest::newRow("auto: at upRng") << true << 0.0f << 0.0f << 1 << start;
        QTest::newRow("auto: at loRng") << true << 0.0f << 2.0f << 59 << start;
        QTest::newRow("auto: half way") << true << 0.0f << 1.0f << 29 << start;
        QTest::newRow("auto: follows the deepest")
            << true << 7.8f << 3.5f << 29 << QVector<int>{0, 7, 7, 1};
        QTest::newRow("manual: at upRng") << false << 0.0f << 5.0f << 1 << manual;
        QTest::newRow("manual: just deeper") << false << 0.0f << 5.1f << 30 << manual;
        QTest::newRow("manual: at loRng") << false << 0.0f << 10.0f << 59 << manual;
        QTest::newRow("manual: stays, max rises")
            << false << 12.5f << 7.5f << 44 << QVector<int>{5, 10, 12, 0};
        QTest::newRow("no depth") << true << 0.0f << float(NAN) << 1 << start;
    }
    void colourBar() {
        QFETCH(bool, automatic);
        QFETCH(float, seen);
        QFETCH(float, depth);
        QFETCH(int, row);
        QFETCH(QVector<int>, upLoMaxAuto);
        DepthColorBar bar;
        bar.set(automatic, 5, 10);
        bar.noteDepth(seen);
        QCOMPARE(bar.row(depth), row);
        QCOMPARE(bar.colour(depth), bar.image().pixelColor(DepthColorBar::kColumn, row));
        QCOMPARE((QVector<int>{bar.get("upRng"), bar.get("loRng"), bar.get("maxLoRng"),
                               bar.get("auto")}),
                 upLoMaxAuto);
    }

    void mapping_data() {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<float>("ratio");
        QTest::addColumn<QPoint>("layer");
        QTest::newRow("centre in the middle") << QPointF(10, 20) << 1.0f << QPoint(180, 180);
        QTest::newRow("half rounds up") << QPointF(15, 20) << 2.0f << QPoint(183, 180);
        QTest::newRow("minus half rounds up") << QPointF(5, 20) << 2.0f << QPoint(178, 180);
        QTest::newRow("minus 3.5 to minus 3") << QPointF(3, 13) << 2.0f << QPoint(177, 177);
        QTest::newRow("closest zoom") << QPointF(11, 19) << 0.1f << QPoint(190, 170);
    }
    void mapping() {
        QFETCH(QPointF, point);
        QFETCH(float, ratio);
        QFETCH(QPoint, layer);
        const MapMapping map{QPointF(10, 20), ratio};
        QCOMPARE(map.getAfterOffsetPoint(point), layer);
        QCOMPARE(map.layerPoint(point), layer - QPoint(180, 180));
    }

    // A 140 x 240 view: the layer's square spans -110..250 x -60..300.
    void area_data() {
        QTest::addColumn<QPoint>("view");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("margin");
        QTest::newRow("middle") << QPoint(70, 120) << true << false;
        QTest::newRow("left margin") << QPoint(19, 120) << true << true;
        QTest::newRow("right margin") << QPoint(121, 120) << true << true;
        QTest::newRow("under the strip") << QPoint(70, 29) << true << true;
        QTest::newRow("bottom margin") << QPoint(70, 221) << true << true;
        QTest::newRow("on the square's edge") << QPoint(-110, 120) << false << true;
        QTest::newRow("beyond the bottom") << QPoint(70, 300) << false << true;
    }
    void area() {
        QFETCH(QPoint, view);
        QFETCH(bool, inside);
        QFETCH(bool, margin);
        QCOMPARE(MapArea::isInside(view, 140, 240), inside);
        QCOMPARE(MapArea::atMargin(view, 140, 240), margin);
    }

    void cursorMove_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<float>("ratio");
        QTest::addColumn<qreal>("heading");
        QTest::addColumn<QPointF>("move");
        QTest::newRow("up") << "up" << 1.0f << 0.0 << QPointF(0, -2);
        QTest::newRow("down, widest zoom") << "down" << 8.0f << 0.0 << QPointF(0, 16);
        QTest::newRow("left, closest zoom: at least 2") << "left" << 0.1f << 0.0 << QPointF(-2, 0);
        QTest::newRow("right on a map turned 90") << "right" << 1.0f << 90.0 << QPointF(0, -2);
        QTest::newRow("up on a map turned 180") << "up" << 1.0f << 180.0 << QPointF(0, 2);
    }
    void cursorMove() {
        QFETCH(QString, key);
        QFETCH(float, ratio);
        QFETCH(qreal, heading);
        QFETCH(QPointF, move);
        QCOMPARE(MapArea::screenMove(key, MapArea::cursorStep(2, ratio), heading), move);
    }

    // Inside means x below the limit.
    void thinning_data() {
        QTest::addColumn<Points>("points");
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("segments");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("close points merge")
            << along({0, 4, 8, 12, 16, 20, 24}) << 0 << 99 << 2 << QPoint(24, 0);
        QTest::newRow("outside draws nothing")
            << along({0, 20, 40, 60, 80, 100}) << 0 << 0 << 0 << QPoint(100, 0);
        QTest::newRow("the test holds for five")
            << along({0, 20, 40, 60, 80, 100, 120}) << 0 << 50 << 4 << QPoint(120, 0);
        QTest::newRow("track: last ten always")
            << along({0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 240, 260, 280}) << 1
            << 0 << 10 << QPoint(280, 0);
        QTest::newRow("outline: every second, 5 px")
            << along({0, 6, 12, 18}) << 2 << 7 << 1 << QPoint(18, 0);
        QTest::newRow("empty") << Points() << 1 << 99 << 0 << QPoint();
    }
    void thinning() {
        QFETCH(Points, points);
        QFETCH(int, rule);
        QFETCH(int, limit);
        QFETCH(int, segments);
        QFETCH(QPoint, last);
        const StructThinRule rules[] = {MapThinning::kCourse, MapThinning::kTrack,
                                        MapThinning::kOutline};
        const StructThinResult r =
            MapThinning::thin(points, rules[rule], [&](const QPoint& p) { return p.x() < limit; });
        QCOMPARE(r.segments.size(), segments);
        QCOMPARE(r.last, last);
    }

    // Latitudes north of 48.1 N (the start point); 451 ddS32 is 10 units, exactly 5.0 m.
    void coursePoints_data() {
        QTest::addColumn<QVector<int>>("north");
        QTest::addColumn<QVector<int>>("keptY");
        QTest::newRow("first always kept") << QVector<int>{0} << QVector<int>{0};
        QTest::newRow("within 5 m dropped")
            << QVector<int>{0, 100, 200, 300, 400} << QVector<int>{0};
        QTest::newRow("exactly 5.0 m dropped") << QVector<int>{0, 451} << QVector<int>{0};
        QTest::newRow("5.5 m kept") << QVector<int>{0, 496} << QVector<int>{0, -11};
        QTest::newRow("from the last kept")
            << QVector<int>{0, 500, 900, 1000} << QVector<int>{0, -11, -22};
    }
    void coursePoints() {
        QFETCH(QVector<int>, north);
        QFETCH(QVector<int>, keptY);
        Convert::navi_startPoint = QPoint(0, 0);
        QList<StructRouteInfo> points;
        for (int n : north)
            points.append({115000000, 481000000 + n, 1.0f, QPoint()});
        QVector<int> ys;
        for (const StructRouteInfo& p : CoursePoints::convertAndKeep(points))
            ys << p.point.y();
        QCOMPARE(ys, keptY);
        QCOMPARE(Convert::getStartPoint(), QPoint(2553000, 10678200));
    }
};

KORVEL_TEST_MAIN(TestMapModel)
#include "test_map_model.moc"
