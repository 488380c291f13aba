#include "core/base/resources.h"
#include "sonar/item_image.h"
#include "sonar/item_text.h"
#include "sonar/item_wave.h"
#include "sonar/sonar_paint.h"
#include "sonar/sonar_palette.h"
#include "sonar/text_pixmap.h"
#include "sonar/ux_sonar.h"
#include "sonar_test_frames.h"

#include <QPainter>
#include <QtTest>
#include <vector>

namespace {
constexpr int kW = 8;

struct Canvas {
    std::vector<uint16_t> px = std::vector<uint16_t>(kW * 240, 0xABCD);
    uint16_t at(int x, int row) const { return px[static_cast<size_t>(row * kW + x)]; }
};

SonarPaintSettings paint(int background, int scheme, int bottomLine = 1, float colorLine = 0) {
    SonarPaintSettings s;
    s.background = background;
    s.scheme = scheme;
    s.bottomLine = bottomLine;
    s.colorLine = colorLine;
    return s;
}

uint16_t entry(const uint32_t* palette, int i) {
    return static_cast<uint16_t>(palette[i]);
}
}  // namespace

class TestSonarRender : public QObject {
    Q_OBJECT
private slots:
    void init() { SonarPalette::resetUser(); }

    void lookup_clampsToTheTable() {
        const uint32_t* p = colorArray_rgb565_fish_blue;
        QCOMPARE(SonarPalette::lookup(p, 250, 10), entry(p, 254));
        QCOMPARE(SonarPalette::lookup(p, 10, -50), entry(p, 0));
        QCOMPARE(SonarPalette::lookup(p, 100, 5), entry(p, 105));
        QCOMPARE(SonarPalette::lookup(p, 255, 0), entry(p, 254));  // 255 is never used
    }

    void palettes_startWhereDescribed() {
        QCOMPARE(entry(colorArray_rgb565_surface_blue, 0), uint16_t(0x094A));
        QCOMPARE(entry(colorArray_rgb565_bottom_blue, 0), uint16_t(0x0000));
        QCOMPARE(entry(colorArray_rgb565_bottom_yellow, 0), uint16_t(0x0000));
        QCOMPARE(entry(colorArray_rgb565_surface_user, 0), uint16_t(0x0050));
        QCOMPARE(preColor[0], uint16_t(0x0090));
        QCOMPARE(preColor[9], uint16_t(0x0070));
        QCOMPARE(preColor[23], uint16_t(0x000F));
        QCOMPARE(preColor[122], uint16_t(0x0001));
        QCOMPARE(preColor[123], uint16_t(0x0000));
        // Neighbouring entries of the water palettes never jump: a smooth picture.
        for (const uint32_t* p : {colorArray_rgb565_fish_blue, colorArray_rgb565_fish_yellow}) {
            for (int i = 1; i < 255; ++i) {
                const int r0 = p[i - 1] >> 11 & 31, r1 = p[i] >> 11 & 31;
                QVERIFY2(std::abs(r0 - r1) <= 3, qPrintable(QString::number(i)));
            }
        }
    }

    void fill_data() {
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("above");
        QTest::addColumn<int>("row200");
        QTest::newRow("white, blue: gradient") << 0 << 0 << 0xFFFF << int(preColor[200]);
        QTest::newRow("white, user: gradient") << 0 << 2 << 0xFFFF << int(preColor[200]);
        QTest::newRow("white, yellow: black") << 0 << 1 << 0xFFFF << 0x0000;
        QTest::newRow("black") << 1 << 0 << 0x0000 << 0x0000;
        QTest::newRow("blue-green") << 2 << 1 << 0x1230 << 0x1230;
        QTest::newRow("out of range: black") << 7 << 0 << 0x0000 << 0x0000;
    }
    void fill() {
        QFETCH(int, background);
        QFETCH(int, scheme);
        QFETCH(int, above);
        QFETCH(int, row200);
        Canvas c;
        const uint8_t zero[240] = {};
        SonarPaint::column(c.px.data(), kW, 3, 10, 150, zero, 0, paint(background, scheme, 0),
                           SonarPaint::palettesFor(scheme), nullptr);
        QCOMPARE(int(c.at(3, 0)), above);
        QCOMPARE(int(c.at(3, 149)), above);
        QCOMPARE(int(c.at(3, 200)), row200);
        QCOMPARE(int(c.at(2, 100)), 0xABCD);  // other columns untouched
        // Both rows 0: the ground is plain background, and the echoes are still painted, in
        // the bottom zone's colours.
        uint8_t echo[240] = {};
        echo[120] = 90;
        SonarPaint::column(c.px.data(), kW, 4, 0, 0, echo, 0, paint(background, scheme, 0),
                           SonarPaint::palettesFor(scheme), nullptr);
        QCOMPARE(int(c.at(4, 200)), above);
        QCOMPARE(c.at(4, 120), entry(SonarPaint::palettesFor(scheme).bottom, 90));
    }

    // The fish's depth label ends at the fish: whole digits 10 pixels apart, the point and the
    // tenths at their fixed places, no leading zero.
    void fishLabel_standsAtItsPlaces_data() {
        QTest::addColumn<float>("depth");
        QTest::addColumn<QString>("glyphs");  // offset from the fish:glyph, "." is the point
        QTest::newRow("123.4") << 123.4f << "-40:1 -30:2 -20:3 -10:. -5:4";
        QTest::newRow("12.3") << 12.3f << "-35:1 -25:2 -15:. -5:3";
        QTest::newRow("5.3") << 5.3f << "-25:5 -15:. -5:3";
    }
    void fishLabel_standsAtItsPlaces() {
        QFETCH(float, depth);
        QFETCH(QString, glyphs);
        korvelInitResources();
        const TextPixmap digits;
        const QPixmap icon(QStringLiteral(":/ico/armFish"));
        const auto render = [](ItemImage& item) {
            QImage out(246, 240, QImage::Format_ARGB32_Premultiplied);
            out.fill(Qt::transparent);
            QPainter p(&out);
            item.paint(&p, nullptr, nullptr);
            return out;
        };
        ItemImage withFish(246, &digits);
        StructFishInfo f;
        f.x = 120;
        f.y = 100;
        f.depth = depth;
        withFish.fish().append(f);
        ItemImage bare(246, &digits);
        QImage expected = render(bare);
        {
            QPainter p(&expected);
            p.drawPixmap(QPointF(120 - icon.width() / 2.0, 100 - icon.height() / 2.0), icon);
            for (const QString& g : glyphs.split(' ')) {
                const QPixmap& glyph =
                    g.endsWith('.') ? digits.small.dian : digits.small.digit(g.back().digitValue());
                p.drawPixmap(QPointF(120 + g.section(':', 0, 0).toInt(), 70), glyph);
            }
        }
        QCOMPARE(render(withFish), expected);
    }

    void zones_useTheirPalettesAndOffsets() {
        Canvas c;
        uint8_t s[240] = {};
        s[5] = 100;    // surface zone
        s[50] = 100;   // water
        s[200] = 100;  // bottom
        SonarPaintState st;
        SonarPaint::column(c.px.data(), kW, 0, 10, 150, s, -20, paint(1, 0, 0),
                           SonarPaint::palettesFor(0), &st);
        QCOMPARE(c.at(0, 5), entry(colorArray_rgb565_surface_blue, 100));  // surface: offset 0
        QCOMPARE(c.at(0, 50), entry(colorArray_rgb565_fish_blue, 80));
        QCOMPARE(c.at(0, 200), entry(colorArray_rgb565_bottom_blue, 80));
        QCOMPARE(st.currentOffset, -20);
        // A manual colour adjust moves every zone by three entries a step.
        SonarPaint::column(c.px.data(), kW, 1, 10, 150, s, -20, paint(1, 0, 0, 5),
                           SonarPaint::palettesFor(0), &st);
        QCOMPARE(c.at(1, 5), entry(colorArray_rgb565_surface_blue, 115));
        QCOMPARE(c.at(1, 50), entry(colorArray_rgb565_fish_blue, 115));
        QCOMPARE(st.surfaceOffset, 15);
    }

    void bottomLine_data() {
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("index");
        QTest::newRow("white user") << 0 << 2 << 80;
        QTest::newRow("white blue") << 0 << 0 << 100;
        QTest::newRow("black user") << 1 << 2 << 2;
        QTest::newRow("black yellow") << 1 << 1 << 50;
        QTest::newRow("blue-green user") << 2 << 2 << 10;
        QTest::newRow("blue-green blue") << 2 << 0 << 80;
        QTest::newRow("other") << 5 << 0 << 0;
    }
    void bottomLine() {
        QFETCH(int, background);
        QFETCH(int, scheme);
        QFETCH(int, index);
        QCOMPARE(SonarPaint::bottomLineIndex(background, scheme), index);
        const SonarPalettes pal = SonarPaint::palettesFor(scheme);
        const uint8_t zero[240] = {};
        Canvas c;
        SonarPaintState st;
        SonarPaint::column(c.px.data(), kW, 0, 10, 100, zero, 0, paint(background, scheme), pal,
                           &st);
        const uint16_t line = entry(pal.bottom, index);
        QCOMPARE(c.at(0, 100), line);
        QCOMPARE(c.at(0, 102), line);
        QCOMPARE(st.idx_bottomLine, index);
        QVERIFY(c.at(0, 99) != line || c.at(0, 99) == SonarPalette::background(background));
    }

    void bottomLine_onlyWhereItFits() {
        const SonarPalettes pal = SonarPaint::palettesFor(2);
        const uint8_t zero[240] = {};
        const uint16_t line = entry(pal.bottom, 2);
        Canvas c;
        SonarPaint::column(c.px.data(), kW, 0, 10, 234, zero, 0, paint(1, 2), pal, nullptr);
        QCOMPARE(c.at(0, 236), line);
        SonarPaint::column(c.px.data(), kW, 1, 10, 235, zero, 0, paint(1, 2), pal, nullptr);
        QCOMPARE(c.at(1, 235), uint16_t(0));
        SonarPaint::column(c.px.data(), kW, 2, 10, 100, zero, 0, paint(1, 2, 0), pal, nullptr);
        QCOMPARE(c.at(2, 100), uint16_t(0));  // bottom line off
    }

    void wave_barsCentredByStrength() {
        std::vector<uint16_t> w(24 * 240, 0xABCD);
        uint8_t s[240] = {};
        s[50] = 55;    // 5 steps: columns 7..16
        s[60] = 9;     // too weak for a bar
        s[200] = 250;  // full width
        SonarPaint::wave(w.data(), 10, 150, s, 0, paint(1, 0), SonarPaint::palettesFor(0));
        const uint16_t c50 = entry(colorArray_rgb565_fish_blue, 55);
        QCOMPARE(w[50 * 24 + 6], uint16_t(0));
        QCOMPARE(w[50 * 24 + 7], c50);
        QCOMPARE(w[50 * 24 + 16], c50);
        QCOMPARE(w[50 * 24 + 17], uint16_t(0));
        QCOMPARE(w[60 * 24 + 12], uint16_t(0));
        QCOMPARE(w[200 * 24 + 0], entry(colorArray_rgb565_bottom_blue, 250));
        QCOMPARE(w[200 * 24 + 23], entry(colorArray_rgb565_bottom_blue, 250));
    }

    void scroll_movesRowsLeft() {
        Canvas c;
        for (int x = 0; x < kW; ++x)
            c.px[static_cast<size_t>(100 * kW + x)] = static_cast<uint16_t>(x);
        SonarPaint::scroll(c.px.data(), kW, 2);
        QCOMPARE(int(c.at(0, 100)), 2);
        QCOMPARE(int(c.at(5, 100)), 7);
        QCOMPARE(int(c.at(7, 100)), 7);  // the rightmost columns wait for new pixels
    }

    void fish_removedOneAtATimeNearTheLeftEdge() {
        UxSonar sonar;
        StructFishInfo a;
        a.x = 11;
        StructFishInfo b;
        b.x = 10.5f;
        StructFishInfo c;
        c.x = 100;
        sonar.appendFish(a);
        sonar.appendFish(b);
        sonar.appendFish(c);
        sonar.imageBufferScroll(1);  // 10, 9.5, 99: the first is not below 10
        QCOMPARE(sonar.fish().size(), 3);
        sonar.imageBufferScroll(1);  // 9, 8.5, 98: only the oldest goes
        QCOMPARE(sonar.fish().size(), 2);
        QCOMPARE(sonar.fish().first().x, 8.5f);
        sonar.imageBufferScroll(1);
        QCOMPARE(sonar.fish().size(), 1);
        QCOMPARE(sonar.fish().first().x, 97.f);
        sonar.setImageWidth(200);  // 46 columns narrower: the fish move with the right edge
        QCOMPARE(sonar.fish().first().x, 51.f);
        QCOMPARE(sonar.itemImage()->width(), 200);
        QCOMPARE(sonar.itemWave()->pos().x(), 202.0);
    }

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
};

QObject* makeSonarRenderTest() {
    return new TestSonarRender;
}

#include "test_sonar_render.moc"
