#include "app_font.h"
#include "base/global.h"
#include "data/depth_map_file.h"
#include "fake_prompter.h"
#include "golden.h"
#include "korvel_test.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "state/depth_map_state.h"
#include "test_root.h"
#include "ui/kit/item_info.h"
#include "ui/kit/ux_dialog_select_point.h"
#include "ui/map/depth_map_picture.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_dst_bar.h"
#include "ui/map/ux_navi.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

QImage render(UxNavi& navi) {
    QGraphicsScene scene;
    scene.addItem(navi.item());
    QImage img(navi.boundWidth(), navi.boundHeight(), QImage::Format_RGB32);
    QPainter p(&img);
    scene.render(&p, img.rect(), img.rect());
    p.end();
    scene.removeItem(navi.item());
    return img;
}

// A track heading north-north-east, deeper as it goes.
void sail(UxNavi& navi, int points) {
    for (int i = 0; i < points; ++i) {
        navi.track_appendPoint(QPoint(i, -3 * i), 0.5f + i * 0.1f);
        navi.track_paint();
    }
}

QPointF viewPos(QGraphicsItem* item) {
    return item->mapToScene(QPointF(0, 0));
}

// Pixels further apart than the rounding of a cached translucent picture (a few levels).
int pixelsApart(const QImage& a, const QImage& b) {
    int apart = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            apart += qAbs(qRed(p) - qRed(q)) > 8 || qAbs(qGreen(p) - qGreen(q)) > 8 ||
                     qAbs(qBlue(p) - qBlue(q)) > 8;
        }
    }
    return apart;
}

// The scene's changes reach the view in one pass of events and its repaint in the next.
void repaint() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The view as its repaints left it, and as one uncached full repaint paints it now.
QPair<QImage, QImage> shownAndRepainted(QGraphicsView& view, QGraphicsItem* cached) {
    repaint();
    const QImage shown =
        view.screen()->grabWindow(view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QGraphicsItem::CacheMode mode = cached->cacheMode();
    cached->setCacheMode(QGraphicsItem::NoCache);
    const QImage repainted = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    cached->setCacheMode(mode);
    repaint();  // the cache drawn anew, whole, before the next change
    return {shown, repainted};
}

}  // namespace

class TestMapView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { KORVEL_REQUIRE_APP_FONT(); }
    void init() {
        m_root.reset();  // the old root restores the one before it: first, not after the new
        m_root.reset(new TestRoot);
        Configuration::applyDefaults(Global::configuration);
        Convert::setStartPoint(115000000, 481000000);
    }

    // Track by depth, home, target with line, arrow and distance, and the overlay with the
    // developer's segment count and the calibration mark.
    void picture() {
        Global::configuration.devMode = 1;
        UxNavi navi;
        navi.home_setPoint(QPoint(35, -15));
        sail(navi, 40);
        navi.target_setPoint(QPoint(-10, -150), 1);
        navi.boat_setHeading(20);
        navi.setLed_rc("on");
        navi.info_needCali(true);
        QCOMPARE(navi.track_getCurrentRelativeCoor(), QPoint(39, -117));
        QCOMPARE(navi.target_getCurrentDst(),
                 Global::calc_pixDst(QPoint(-10, -150), QPoint(39, -117)));
        QCOMPARE(navi.target_getDstText(), QString("29.5m"));
        QCOMPARE(navi.infoItem()->loText(), QString("4m"));
        QCOMPARE(navi.infoItem()->scaleText(), QString("10m"));
        GOLDEN_COMPARE_IMAGE("map_view.png", render(navi));
        navi.setCompassHeading(60);  // heading-up: the chart turns, the symbols stay upright
        GOLDEN_COMPARE_IMAGE("map_heading_up.png", render(navi));
    }

    void currentPoint_data() {
        QTest::addColumn<int>("trackPoints");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<QPoint>("boat");
        QTest::newRow("nothing: the origin") << 0 << false << QPoint(0, 0);
        QTest::newRow("outline only: its first point") << 0 << true << QPoint(50, 60);
        QTest::newRow("track first") << 3 << true << QPoint(2, -6);
    }
    void currentPoint() {
        QFETCH(int, trackPoints);
        QFETCH(bool, outline);
        QFETCH(QPoint, boat);
        UxNavi navi;
        if (outline) navi.kml_setOutlines({{"lake", "blue", "2", {QPoint(50, 60), QPoint(0, 0)}}});
        sail(navi, trackPoints);
        QCOMPARE(navi.track_getCurrentRelativeCoor(), boat);
        QCOMPARE(navi.track_isEmpty(), trackPoints == 0);
    }

    // "Clear Map" keeps the boat's point, and the next point draws on from it.
    void clearMapContinues() {
        UxNavi navi;
        sail(navi, 5);
        navi.track_clearMap();
        QCOMPARE(navi.track().size(), 1);
        const QImage before = render(navi);
        navi.track_appendPoint(QPoint(44, -12), 1.0f);
        navi.track_paint();
        const QPoint mid(94, 108);  // between the kept point (74, 108) and the new (114, 108)
        QCOMPARE(before.pixelColor(mid), QColor(Qt::white));
        QCOMPARE(render(navi).pixelColor(mid), navi.depthColour(navi.track().last().depth));
    }

    // The map turns under the symbols, which stay upright.
    void headingUp() {
        UxNavi navi;
        sail(navi, 10);
        navi.home_setPoint(QPoint(0, 40));
        navi.target_setPoint(QPoint(40, -27), 0);
        const QPointF home = viewPos(navi.homeItem());
        navi.setCompassHeading(90);
        QCOMPARE(navi.trackLayer()->rotation(), 90.0);
        QCOMPARE(viewPos(navi.homeItem()), QPointF(70 - (home.y() - 120), 120 + (home.x() - 70)));
        for (QGraphicsItem* upright : {navi.homeItem(), navi.targetItem()})
            QVERIFY(!upright->sceneTransform().isRotating());
        QVERIFY(navi.boatItem()->sceneTransform().isRotating());
    }

    // Each change of the overlay repaints only its own corner, and that corner is enough: the
    // screen then shows what a full repaint without the overlay's cache paints.
    void overlayRepaintsItsPart() {
        Global::configuration.devMode = 1;
        UxNavi navi;
        QGraphicsScene scene(0, 0, navi.boundWidth(), navi.boundHeight());
        scene.addItem(navi.item());
        QGraphicsView view(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setFixedSize(navi.boundWidth(), navi.boundHeight());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        sail(navi, 30);
        ItemInfo* info = navi.infoItem();
        const QVector<QPair<const char*, std::function<void()>>> changes{
            {"remote control on", [&] { navi.setLed_rc("on"); }},
            {"autopilot on", [&] { navi.setLed_ap("on"); }},
            {"calibration mark", [&] { navi.info_needCali(true); }},
            {"heading", [&] { navi.setCompassHeading(45); }},
            {"segment count", [&] { info->setSegmentCount(info->segmentCount() + 100); }},
            {"colour bar",
             [&] {
                 QImage bar(6, 60, QImage::Format_RGB32);
                 bar.fill(Qt::red);
                 info->setColorBar(bar, "10m", "250m");
             }},
            {"scale", [&] { navi.zoom_next(); }},
        };
        for (const auto& [what, change] : changes) {
            const QImage before = shownAndRepainted(view, info).first;
            change();
            const auto [shown, repainted] = shownAndRepainted(view, info);
            QVERIFY2(pixelsApart(shown, repainted) == 0, what);
            QVERIFY2(shown != before, what);
        }
        scene.removeItem(navi.item());
    }

    // The cursor moves as the screen shows, on a map that holds still; enter hands it on.
    void cursor() {
        UxDialogSelectPoint dialog;
        UxNavi navi(&dialog);
        sail(navi, 10);
        navi.setCompassHeading(90);
        navi.select_show("up");
        QVERIFY(dialog.isVisible());
        const QPointF centre = navi.centre();
        const QPointF start = viewPos(navi.cursorItem());
        QTest::keyClick(&dialog, Qt::Key_Right);
        QCOMPARE(viewPos(navi.cursorItem()), start + QPointF(2, 0));
        QCOMPARE(navi.select_getPoint(), QPointF(9, -29));
        navi.setCompassHeading(0);
        sail(navi, 40);  // runs past the margin
        navi.boat_setBlink(true);
        for (int i = 0; i < 16; ++i)
            navi.do_timer();
        QCOMPARE(navi.trackLayer()->rotation(), 90.0);
        QCOMPARE(navi.centre(), centre);
        QSignalSpy used(&navi, &UxNavi::signal_selectPoint_use);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(used.count(), 1);
        QCOMPARE(used.first().first().toPoint(), QPoint(9, -29));
        QVERIFY(!navi.select_isOn());
    }

    // Where new soundings came, the part drawn again is what a whole new picture shows:
    // the shading exactly, the isobaths but for the labels a whole picture places.
    void depthMapPart_data() {
        QTest::addColumn<bool>("contours");
        QTest::addColumn<float>("ratio");
        QTest::newRow("shading, zoomed in") << false << 1.0f;
        QTest::newRow("shading, zoomed out") << false << 8.0f;
        QTest::newRow("isobaths") << true << 1.0f;
    }
    void depthMapPart() {
        QFETCH(bool, contours);
        QFETCH(float, ratio);
        DepthGrid grid;
        grid.setOrigin(GeoPoint(Latitude(225520000), Longitude(1139408000)));
        const auto sound = [&grid](int row) {
            for (int c = -40; c < 40; ++c)
                grid.restore({c, row}, StructDepthCell{uint16_t(300 + 4 * row + 2 * c), 1, 5});
        };
        for (int row = -40; row < 0; row += 4)
            sound(row);
        DepthColorBar bar;
        StructDepthMapScene scene{&grid, QPointF(), MapMapping(), &bar, !contours, contours, 1.0f};
        scene.map.ratio = ratio;
        QImage part(MapMapping::kLayerSize, MapMapping::kLayerSize,
                    QImage::Format_ARGB32_Premultiplied);
        DepthMapPicture::render(part, scene);
        grid.takeChanged();
        sound(0);
        sound(2);
        const QRect changed = DepthMapPicture::pixelsFor(scene, grid.takeChanged());
        DepthMapPicture::render(part, scene, changed);
        QImage whole = part;
        DepthMapPicture::render(whole, scene);
        int differ = 0, drawn = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb w = whole.pixel(x, y);
                drawn += changed.contains(x, y) && qAlpha(w) != 0;
                const bool label = qAlpha(w) == 200 || qAlpha(part.pixel(x, y)) == 200;
                differ += part.pixel(x, y) != w && !(contours && label);
            }
        QVERIFY(drawn > 20);
        QCOMPARE(differ, 0);
    }

    // A map that moves shifts the depth picture and draws the strips that came into view:
    // the same picture as one drawn whole, wherever the boat goes; the layer blends all of it
    // with the map, though only the part the soundings reach.
    void depthMapFollows() {
        DepthGrid grid;
        grid.setOrigin(GeoPoint(Latitude(481000000), Longitude(115000000)));
        for (int r = -30; r < 30; ++r)
            for (int c = -30; c < 30; c += (r % 5 == 0 ? 1 : 30))
                grid.restore({c, r}, StructDepthCell{uint16_t(300 + 3 * r + 2 * c), 1, 5});
        QVERIFY(DepthMapFile::save(m_root->path(DepthMapFile::kPath), grid));
        FakePrompter prompter;
        DepthMapState depthMap(prompter);
        depthMap.load();
        UxNavi navi;
        navi.setDepthMap(&depthMap);
        QCOMPARE(navi.colorBar_get("loRng"), 4);  // the automatic range covers the map's 4.3 m
        ItemTrack* layer = static_cast<ItemTrack*>(navi.depthMapLayer());
        const QImage& picture = layer->layer();
        const auto blended = [layer, &picture] {
            QImage out(picture.size(), picture.format());
            out.fill(Qt::transparent);
            QPainter p(&out);
            p.translate(ItemTrack::kSize / 2, ItemTrack::kSize / 2);
            layer->paint(&p, nullptr, nullptr);
            return out;
        };
        for (const QPoint& boat :
             {QPoint(7, -3), QPoint(-40, 25), QPoint(-41, 26), QPoint(90, -80)}) {
            navi.track_appendPoint(boat, 3.0f);
            navi.boat_resetToCenter();
            const QImage followed = picture.copy();
            QCOMPARE(blended(), followed);
            navi.depthMap_paint();
            QVERIFY(followed.pixel(180, 180) != 0 || picture.pixel(180, 180) == 0);
            QCOMPARE(followed, picture);
        }
        // Hidden, the map keeps its picture while the depth map is cleared; shown, it follows.
        navi.item()->hide();
        depthMap.askClear();
        prompter.answer(EnumAnswer::Right);
        navi.depthMap_update();
        QVERIFY(picture.pixel(180, 180) != 0);
        navi.item()->show();
        navi.depthMap_update();
        QCOMPARE(picture.pixel(180, 180), 0u);
    }

    void dstBar_data() {
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("texts");
        const QPoint unset(9999, 9999);
        QTest::newRow("none set") << QVector<QPoint>{} << 2
                                  << QStringList{"-.-", "-.-", "-.-", "-.-"};
        QTest::newRow("two neighbours in m")
            << QVector<QPoint>{{0, 0}, {6, 8}} << 2 << QStringList{"5.0", "-.-", "-.-", "-.-"};
        QTest::newRow("a gap in ft") << QVector<QPoint>{{0, 0}, {6, 8}, unset, {0, 0}, {0, 20}} << 3
                                     << QStringList{"16.5", "-.-", "-.-", "33.0"};
    }
    void dstBar() {
        QFETCH(QVector<QPoint>, points);
        QFETCH(int, unit);
        QFETCH(QStringList, texts);
        Global::configuration.distanceUnit = unit;
        UxDstBar bar;
        for (int i = 0; i < points.size(); ++i)
            bar.setRelativeCoor(i, points.at(i));
        QCOMPARE(bar.texts(), texts);
    }

private:
    std::unique_ptr<TestRoot> m_root;
};

KORVEL_TEST_MAIN(TestMapView)
#include "test_map_view.moc"
