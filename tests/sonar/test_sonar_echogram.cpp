#include "base/global.h"
#include "base/resources.h"
#include "core/korvel.h"
#include "golden.h"
#include "korvel_test.h"
#include "sonar/item_axis.h"
#include "sonar/item_image.h"
#include "sonar/item_text.h"
#include "sonar/item_wave.h"
#include "sonar/sonar_paint.h"
#include "sonar/sonar_palette.h"
#include "sonar/sonar_picture.h"
#include "sonar/text_pixmap.h"
#include "sonar/ux_sonar.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_hint.h"

#include <QDir>
#include <QGraphicsScene>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <tuple>
#include <vector>

namespace {
// An RGB565 buffer of 240 rows drawn the plain way: scaled to h rows by the painter, onto a
// device of the given format.
QImage drawnScaled(const uint16_t* buffer, int width, int h, QImage::Format format) {
    const QImage source(reinterpret_cast<const uchar*>(buffer), width, 240, width * 2,
                        QImage::Format_RGB16);
    QImage out(width, h, format);
    out.fill(Qt::magenta);
    QPainter p(&out);
    p.drawImage(QRectF(0, 0, width, h), source);
    return out;
}

// Paints item onto a transparent image, at (left, 0), as the view does.
template <typename Item>
QImage rendered(Item& item, int width, int height, int left = 0) {
    QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(left, 0);
    item.paint(&p, nullptr, nullptr);
    return out;
}

const QString kCard = QStringLiteral("/mnt/sd/Korvel/Color/");

// A colour table: the head's words as lines, then every entry i of each palette set to 0xF000 +
// i x 3 + its group's number, except the entry left out (group/index) to make it incomplete.
QByteArray colorTableText(QByteArray head, const QString& missing = QString()) {
    QByteArray ini = head.replace(' ', '\n') + '\n';
    const char* const groups[3] = {"surface", "fish", "bottom"};
    for (int g = 0; g < 3; ++g) {
        ini += QByteArray("[") + groups[g] + "]\n";
        for (int i = 0; i < 255; ++i) {
            if (missing == QStringLiteral("%1/%2").arg(groups[g]).arg(i)) continue;
            ini += QByteArray::number(i) + "=" + QByteArray::number(0xF000 + i * 3 + g) + "\n";
        }
    }
    return ini;
}
}  // namespace

// The echogram as painted, shown and driven by the controller's ticks.
namespace {
// The largest difference of a channel between two pictures of one size, in 8-bit levels (a
// step of a 16-bit screen's red or blue is 8 or 9 of them).
int levelsApart(const QImage& a, const QImage& b) {
    const QImage p = a.convertToFormat(QImage::Format_RGB32);
    const QImage q = b.convertToFormat(QImage::Format_RGB32);
    int most = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QRgb u = p.pixel(x, y), v = q.pixel(x, y);
            most = std::max({most, qAbs(qRed(u) - qRed(v)), qAbs(qGreen(u) - qGreen(v)),
                             qAbs(qBlue(u) - qBlue(v))});
        }
    return most;
}
}  // namespace

class TestSonarEchogram : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Configuration::applyDefaults(Global::configuration);
        SonarPalette::resetUser();
    }

    // Every background and scheme: a column with no echo below a bottom at row 2, columns of
    // surface row 40 and bottom row 160 with echoes of every strength (AUTO offset -20, then a
    // manual colour adjust of 7), and with neither surface nor bottom; then the bottom line at
    // the last row that has one, below it and switched off, an unknown background, and two wave
    // strips. Entry 255, never to be used, is marked.
    void paint_matchesItsReference() {
        colorArray_rgb565_fish_blue[255] = colorArray_rgb565_bottom_blue[255] = 0xF81F;
        constexpr int kCols = 9 * 4 + 4, kWave = SonarPaint::kWaveWidth, kWidth = kCols + 2 * kWave;
        std::vector<uint16_t> px(kWidth * 240, 0xABCD);
        uint8_t none[240] = {}, rising[240];
        for (int r = 0; r < 240; ++r)
            rising[r] = static_cast<uint8_t>(r);
        int x = 0;
        const auto column = [&](int top, int bottom, const uint8_t* s, int offset,
                                const SonarPaintSettings& cfg) {
            SonarPaint::column(px.data(), kWidth, x++, top, bottom, s, offset, cfg,
                               SonarPaint::palettesFor(cfg.scheme), nullptr);
        };
        for (int background : {0, 1, 2}) {
            for (int scheme : {0, 1, 2}) {
                column(1, 2, none, 0, {background, scheme});
                column(40, 160, rising, -20, {background, scheme});
                column(40, 160, rising, -20, {background, scheme, 7});
                column(0, 0, rising, 0, {background, scheme});
            }
        }
        column(40, 234, none, 0, {1, 2});
        column(40, 235, none, 0, {1, 2});
        column(40, 160, none, 0, {1, 2, 0, 0});
        column(40, 160, rising, 0, {7, 0});
        std::vector<uint16_t> wave(kWave * 240);
        for (int i = 0; i < 2; ++i) {
            const SonarPaintSettings cfg{i, 2 * i, 5.f * i};
            SonarPaint::wave(wave.data(), 40, 160, rising, -20, cfg,
                             SonarPaint::palettesFor(2 * i));
            for (int r = 0; r < 240; ++r)
                std::copy_n(wave.begin() + r * kWave, kWave,
                            px.begin() + r * kWidth + kCols + i * kWave);
        }
        GOLDEN_COMPARE_IMAGE("sonar_paint.png",
                             QImage(reinterpret_cast<const uchar*>(px.data()), kWidth, 240,
                                    kWidth * 2, QImage::Format_RGB16));
    }

    // Neither surface nor bottom found: a plain ground without the gradient or a bottom line,
    // and the echoes still shown, in the bottom zone's colours.
    void column_neitherSurfaceNorBottom() {
        std::vector<uint16_t> px(240, 0xABCD);
        uint8_t echo[240] = {};
        echo[120] = 90;
        SonarPaint::column(px.data(), 1, 0, 0, 0, echo, 0, {0, 0}, SonarPaint::palettesFor(0),
                           nullptr);
        QCOMPARE(px[1], uint16_t(0xFFFF));
        QCOMPARE(px[200], uint16_t(0xFFFF));
        QCOMPARE(px[120], uint16_t(colorArray_rgb565_bottom_blue[90]));
    }

    // The echogram is shown from a copy that is updated column by column; it must always look
    // exactly as the buffer drawn in full. From the second round on it is drawn partly dimmed
    // from a dimmed copy kept the same way, which must look as the view's dimming blended over
    // it: exactly in 32 bits; in 16 the painter's own rounding depends on how wide the filled
    // span is, by up to one step of a channel.
    void shownBuffer_sameAsDrawnInFull_data() {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("scrolling");  // else still, its changes found row by row
        for (QImage::Format f : {QImage::Format_RGB32, QImage::Format_RGB16})
            for (int h : {240, 480, 333, 200})
                for (bool scrolling : {true, false})
                    QTest::addRow("%d bit, %d rows, %s", f == QImage::Format_RGB16 ? 16 : 32, h,
                                  scrolling ? "scrolling" : "still")
                        << f << h << scrolling;
    }
    void shownBuffer_sameAsDrawnInFull() {
        QFETCH(QImage::Format, format);
        QFETCH(int, height);
        QFETCH(bool, scrolling);
        constexpr int w = 246;
        std::vector<uint16_t> buf(static_cast<size_t>(w) * 240);
        QRandomGenerator random(7);
        random.fillRange(reinterpret_cast<quint32*>(buf.data()), buf.size() / 2);
        ShownBuffer shown(scrolling ? ShownBuffer::Scrolling : ShownBuffer::Still, format);
        shown.reset(buf.data(), w, 240);
        shown.setHeight(height);
        // Scrolls by one and two with new columns, a scroll whose columns are not repainted,
        // scrolls of more than half and of the whole width, and columns repainted in place.
        const QList<QPair<int, QList<int>>> steps = {
            {1, {w - 1}}, {2, {w - 2, w - 1}}, {2, {}},      {1, {w - 1}}, {200, {w - 1}},
            {w, {}},      {0, {0, 100}},       {0, {w - 1}}, {3, {w - 3}}, {1, {w - 1}},
        };
        // The picture, oldest column first, as the ring holds it.
        std::vector<uint16_t> picture(buf.size());
        for (int round = 0; round < 3; ++round) {
            for (const auto& [n, columns] : steps) {
                if (scrolling) shown.scroll(n);
                for (int x : columns) {
                    const int at = shown.physicalColumn(x);
                    for (int r = 0; r < 240; ++r)
                        buf[static_cast<size_t>(r * w + at)] = uint16_t(random.generate());
                    if (scrolling) shown.updateColumns(x);
                }
                for (int r = 0; r < 240; ++r)
                    for (int x = 0; x < w; ++x)
                        picture[static_cast<size_t>(r * w + x)] =
                            buf[static_cast<size_t>(r * w + shown.physicalColumn(x))];
                if (!scrolling) shown.updateChangedRows();
                QImage drawn(w, height, format);
                drawn.fill(Qt::magenta);
                QPainter p(&drawn);
                const QRegion dimmed = QRegion(0, 0, w / 2, height) + QRect(w - 7, 10, 7, 20);
                if (round == 0) {
                    shown.draw(&p, QPointF(0, 0));
                } else {
                    shown.drawDimmed(&p, QPointF(0, 0), 100, dimmed);
                }
                p.end();
                QImage expected = drawnScaled(picture.data(), w, height, format);
                if (round > 0) {
                    QPainter q(&expected);
                    for (const QRect& r : dimmed)
                        q.fillRect(r, QColor(0, 0, 0, 100));
                }
                if (round == 0 || format == QImage::Format_RGB32) {
                    QCOMPARE(drawn, expected);
                } else {
                    QVERIFY(levelsApart(drawn, expected) <= 9);
                }
            }
        }
    }

    // The legend is laid out once and kept: after another range or height it must look as on
    // a new scale. A label too long for its place is cut at the scale's bounds; the tick marks
    // stand at each tenth of the height and the range's label at the bottom.
    void axis_followsRangeAndHeight_data() {
        QTest::addColumn<int>("loRange");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("height");
        QTest::newRow("10 A, 240: the range alone") << 10 << true << 240;
        QTest::newRow("99 A, 480: the height alone") << 99 << true << 480;
        QTest::newRow("5, 333") << 5 << false << 333;
        QTest::newRow("12345 A, 480") << 12345 << true << 480;
    }
    void axis_followsRangeAndHeight() {
        QFETCH(int, loRange);
        QFETCH(bool, automatic);
        QFETCH(int, height);
        ItemAxis used;
        used.setLoRange(99, true);
        rendered(used, 80, 500, 60);
        used.setLoRange(loRange, automatic);
        used.setImageHight(height);
        ItemAxis fresh;
        fresh.setImageHight(height);
        fresh.setLoRange(loRange, automatic);
        const QImage shown = rendered(used, 80, 500, 60);
        QCOMPARE(shown, rendered(fresh, 80, 500, 60));
        fresh.setLoRange(loRange, !automatic);
        QVERIFY(rendered(fresh, 80, 500, 60) != shown);  // with or without the "A"
        const QRect bounds = used.boundingRect().translated(60, 0).toRect();
        QList<int> ticks, tenths;
        bool labelAtBottom = false;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (!qAlpha(shown.pixel(x, y))) continue;
                if (!bounds.contains(x, y)) QFAIL("ink outside the scale");
                if (x == 65) ticks << y;  // between the legend and the edge
                labelAtBottom |= x < 60 && y >= height - 16;
            }
        }
        for (int t = 1; t < 10; ++t)
            tenths << t * height / 10;
        QCOMPARE(ticks, tenths);
        QVERIFY(labelAtBottom);
    }

    // Right of the wave strip, where a narrow picture leaves room, the ground is grey; below
    // a short picture nothing is painted.
    void sonar_greyWhereNothingCovers() {
        QGraphicsScene scene(0, 0, 272, 480);
        auto* sonar = new UxSonar();
        scene.addItem(sonar);
        sonar->setImageWidth(200);
        sonar->setImageHight(333);
        QImage img(272, 480, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        scene.render(&p, QRectF(0, 0, 272, 480), QRectF(0, 0, 272, 480));
        for (int y : {0, 166, 332})
            for (int x = 200 + 2 + ItemWave::kWidth; x < 272; ++x)
                QCOMPARE(img.pixel(x, y), qRgb(96, 96, 96));
        QCOMPARE(img.pixel(100, 333), qRgb(255, 0, 255));
    }

    // The fish's depth label ends at the fish: whole digits 10 pixels apart, the point and the
    // tenths at their fixed places, no leading zero. At 480 rows the fish of row 50 stands at
    // y 100; one below row 230 is not shown.
    void fishLabel_standsAtItsPlaces_data() {
        QTest::addColumn<float>("depth");
        QTest::addColumn<QString>("glyphs");  // offset from the fish:glyph, "." is the point
        QTest::newRow("123.4") << 123.4f << "-40:1 -30:2 -20:3 -10:. -5:4";
        QTest::newRow("100.0") << 100.f << "-40:1 -30:0 -20:0 -10:. -5:0";
        QTest::newRow("12.3") << 12.3f << "-35:1 -25:2 -15:. -5:3";
        QTest::newRow("5.3") << 5.3f << "-25:5 -15:. -5:3";
    }
    void fishLabel_standsAtItsPlaces() {
        QFETCH(float, depth);
        QFETCH(QString, glyphs);
        korvelInitResources();
        const TextPixmap digits;
        ItemImage bare(246, &digits), withFish(246, &digits);
        bare.setImageHight(480);
        withFish.setImageHight(480);
        QImage expected = rendered(bare, 246, 480);
        QPainter p(&expected);
        const QPixmap icon(QStringLiteral(":/ico/armFish"));
        p.drawPixmap(QPointF(120 - icon.width() / 2.0, 100 - icon.height() / 2.0), icon);
        for (const QString& g : glyphs.split(' '))
            p.drawPixmap(
                QPointF(120 + g.section(':', 0, 0).toInt(), 70),
                g.endsWith('.') ? digits.small.dian : digits.small.digit(g.back().digitValue()));
        p.end();
        withFish.fish() << StructFishInfo{120, 50, 0, depth} << StructFishInfo{200, 231, 0, 1};
        QCOMPARE(rendered(withFish, 246, 480), expected);
    }

    // Fish scroll with the picture; the oldest goes once it is near the left edge.
    void fish_removedOneAtATimeNearTheLeftEdge() {
        UxSonar sonar;
        for (float x : {11.f, 10.5f, 100.f})
            sonar.appendFish(StructFishInfo{x});
        QList<int> left;
        for (int i = 0; i < 3; ++i) {
            sonar.imageBufferScroll(1);  // 10, 9.5, 99: the first is not below 10 yet
            left << sonar.fish().size();
        }
        QCOMPARE(left, (QList<int>{3, 2, 1}));  // only the oldest goes at a time
        QCOMPARE(sonar.fish().first().x, 97.f);
        sonar.setImageWidth(200);  // 46 columns narrower: the fish move with the right edge
        QCOMPARE(sonar.fish().first().x, 51.f);
    }

    // A blinking read-out is hidden and shown in turn, and shown again when the blinking ends.
    void textBlink_togglesEveryEighthTick() {
        UxSonar sonar;
        sonar.setTextBlink(true);
        QList<bool> shown;
        for (int i = 1; i <= 24; ++i) {
            sonar.do_timer();
            if (i % 8 == 0) shown << sonar.itemText()->isVisible();
        }
        QCOMPARE(shown, (QList<bool>{false, true, false}));
        sonar.setTextBlink(false);
        for (int i = 0; i < 8; ++i)
            sonar.do_timer();
        QVERIFY(sonar.itemText()->isVisible());
    }

    // A table from the card: taken with its background, or, when an entry is missing (a copy
    // cut short) or there is no file, refused with the palettes in use and the handset's own
    // table kept.
    void colorTable_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<int>("backgroundAfter");
        QTest::addColumn<QString>("missing");  // "file": none on the card
        QTest::addColumn<int>("taken");        // 1 palettes taken, 0 file taken only, -1 refused
        QTest::newRow("reload, white") << "needReload=true background=0" << 0 << "" << 1;
        QTest::newRow("reload, keep background") << "needReload=true background=3" << 1 << "" << 1;
        QTest::newRow("background not a number") << "needReload=true background=x" << 1 << "" << 1;
        QTest::newRow("background out of range") << "needReload=true background=9" << 1 << "" << 1;
        QTest::newRow("no needReload") << "background=2" << 2 << "" << 0;
        QTest::newRow("needReload false") << "needReload=false background=0" << 0 << "" << 0;
        QTest::newRow("an entry missing")
            << "needReload=true background=0" << 1 << "fish/254" << -1;
        QTest::newRow("the first bottom entry missing")
            << "needReload=true background=0" << 1 << "bottom/0" << -1;
        QTest::newRow("no such file") << "needReload=true" << 1 << "file" << -1;
    }
    void colorTable() {
        QFETCH(QString, head);
        QFETCH(QString, missing);
        QFETCH(int, taken);
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        Global::configuration.colorScheme = 0;
        const QByteArray table = colorTableText(head.toLatin1(), missing);
        if (missing != "file") QVERIFY(root.writeFile(kCard + "lake.kct", table));
        k.dialog_file_nameGet("kct", kCard + "lake.kct");  // as the file chooser hands it over

        QVERIFY(k.dialogs().hint()->isVisible());
        QTEST(Global::configuration.backgroundColor, "backgroundAfter");
        QCOMPARE(colorArray_rgb565_fish_user[100] == 0xF000 + 301u, taken == 1);
        const bool refused = taken < 0;
        QVERIFY(k.dialogs().hint()->text().contains(refused ? "Read file failed"
                                                            : "Read file successfully"));
        QCOMPARE(Global::configuration.colorScheme, refused ? 0 : 2);
        QCOMPARE(root.readFile("/opt/selfcolortable.kct"), refused ? QByteArray() : table);
    }

    // The handset's own table cut short (a power cut while it was written): the built-in user
    // palettes stay, the echogram is never painted black on black.
    void colorTable_damagedAtStartKeepsThePalettes() {
        TestRoot root;
        KorvelTest::ExpectedMessage said("missing or unreadable fish entry");
        QVERIFY(root.writeFile("/opt/selfcolortable.kct",
                               colorTableText("needReload=true background=0", "fish/3")));
        const uint32_t before = colorArray_rgb565_fish_user[3];
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        QCOMPARE(colorArray_rgb565_fish_user[3], before);
        QCOMPARE(said.seen(), 1);
    }

    // The read-outs as shown: with no boat yet (a dash, a point and a dash each), then measured
    // values: the very digits of no boat (0.0 m, -17.7 C, 0.0 V), metres and Celsius, feet and
    // Fahrenheit, and too large.
    void readouts_matchTheirReference() {
        TestRoot root;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        k.sonar_infoTextRefresh();  // nothing has arrived
        ItemText* text = k.sonar()->itemText();
        const int h = int(text->boundingRect().height());
        QImage shown(int(text->boundingRect().width()), 5 * h, QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        QPainter p(&shown);
        text->paint(&p, nullptr, nullptr);
        // unit, depth, temperature, volts
        const std::tuple<int, float, float, float> measured[] = {
            {0, 0, -17.78f, 0}, {0, 12.3f, 21.5f, 12.6f}, {3, 12.3f, 21.5f, 8}, {0, 5000, 0, 150}};
        for (const auto& [unit, depth, temperature, volts] : measured) {
            Global::configuration.unit = unit;
            k.picture().infoTextRefresh(depth, temperature, volts, true);
            p.translate(0, h);
            text->paint(&p, nullptr, nullptr);
        }
        p.end();
        GOLDEN_COMPARE_IMAGE("sonar_readouts.png", shown);
    }

    // 300 ticks of the built-in recording of the virtual boat's lake: the echogram picture
    // (columns, bottom line, zones) against its reference and the read-outs of the boat's
    // values. Then through the screen layouts' heights, the other chart speed, a new width and
    // other settings, the picture and the wave strip are shown as their buffers drawn in full,
    // and the picture drawn anew for the settings matches its reference.
    void picture_after300Ticks() {
        TestRoot root;
        StructConfiguration& cfg = Global::configuration;
        cfg.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        UxSonar* sonar = k.sonar();
        const auto ticks = [&](int n, const char* when) {
            for (int i = 0; i < n; ++i)
                k.slot_timeout_main();
            const QImage::Format f = ShownBuffer::screenFormat();
            const ItemImage* image = sonar->itemImage();
            const int h = image->imageHight();
            // The strip with the picture's shaded edge over the gap and its first columns.
            const int reach = ItemWave::kEdgeReach;
            QImage strip(ItemWave::kWidth + reach, h, f);
            QPainter p(&strip);
            p.translate(reach, 0);
            sonar->itemWave()->paint(&p, nullptr, nullptr);
            p.end();
            for (int y = 0; y < h; ++y) {  // lighter inside, black beside the bars
                for (int x = 1; x < ItemWave::kEdgeColumns; ++x)
                    QVERIFY2(qGray(strip.pixel(x - 1, y)) > qGray(strip.pixel(x, y)), when);
                QVERIFY2(strip.pixel(ItemWave::kEdgeColumns - 1, y) == qRgb(0, 0, 0), when);
            }
            const QImage picture = image->image();
            QVERIFY2(image->shownImage() ==
                         drawnScaled(reinterpret_cast<const uint16_t*>(picture.constBits()),
                                     image->width(), h, f),
                     when);
            const std::vector<uint16_t> bars = sonar->itemWave()->buffer();
            const int under = ItemWave::kEdgeColumns - reach;  // bar columns under the edge
            QVERIFY2(strip.copy(ItemWave::kEdgeColumns, 0, ItemWave::kWidth - under, h) ==
                         drawnScaled(bars.data(), ItemWave::kWidth, h, f)
                             .copy(under, 0, ItemWave::kWidth - under, h),
                     when);
        };
        ticks(300, "300 ticks");
        QCOMPARE(sonar->itemAxis()->loRange(), int(k.picture().displayRange()));
        QVERIFY(sonar->itemAxis()->automatic());
        GOLDEN_COMPARE_IMAGE("echogram_300_ticks.png", sonar->itemImage()->image());
        k.sonar_infoTextRefresh();  // the read-outs refresh every fourth tick
        const QImage readouts = rendered(*sonar->itemText(), 180, 110);
        const StructBoatValues& v = k.values();
        QVERIFY(v.current_depth > 0);
        k.picture().infoTextRefresh(v.current_depth, v.water_temp, v.boat_voltage, true);
        QCOMPARE(rendered(*sonar->itemText(), 180, 110), readouts);  // the boat's values
        sonar->setImageHight(480);
        ticks(0, "at 480 rows");
        ticks(30, "30 more ticks at 480 rows");
        cfg.chartSpeed = 1;
        ticks(10, "chart speed 1");
        k.data_setSonarWidth(226);
        ticks(0, "200 columns");
        sonar->setImageHight(240);
        ticks(0, "200 columns, 240 rows");
        cfg.sonarSensitivity = 7, cfg.surfaceClarify = 2, cfg.sonarFreq = 1;
        cfg.colorScheme = 0, cfg.colorLine = 3, cfg.depthRange = 20;
        ticks(10, "other settings");
        QCOMPARE(sonar->itemAxis()->loRange(), 20);
        QVERIFY(!sonar->itemAxis()->automatic());
        GOLDEN_COMPARE_IMAGE("echogram_other_settings.png", sonar->itemImage()->image());
        // A column asked for outside the history is empty.
        const int size = k.history().records().size();
        for (int index : {-1, 0, size})
            QCOMPARE(k.sonar_getSonarInfo(index, false).bottomRow, 0);
        QVERIFY(k.sonar_getSonarInfo(1, false).bottomRow > 0);
    }
};

KORVEL_TEST_MAIN(TestSonarEchogram)
#include "test_sonar_echogram.moc"
