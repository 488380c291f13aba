#include "core/base/global.h"
#include "core/korvel.h"
#include "sonar/item_axis.h"
#include "sonar/item_image.h"
#include "sonar/item_wave.h"
#include "sonar/shown_buffer.h"
#include "sonar/sonar_palette.h"
#include "sonar/ux_sonar.h"
#include "sonar_test_frames.h"
#include "start_check.h"
#include "test_root.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <vector>

namespace {
constexpr int kRows = 240;

// An RGB565 buffer drawn the plain way: scaled to h rows by the painter, onto a device of the
// given format.
QImage drawnScaled(const uint16_t* buffer, int width, int h, QImage::Format format) {
    const QImage source(reinterpret_cast<const uchar*>(buffer), width, kRows, width * 2,
                        QImage::Format_RGB16);
    QImage out(width, h, format);
    out.fill(Qt::magenta);
    QPainter p(&out);
    p.drawImage(QRectF(0, 0, width, h), source);
    return out;
}

QImage drawnShown(const ShownBuffer& shown, int width, QImage::Format format) {
    QImage out(width, shown.height(), format);
    out.fill(Qt::magenta);
    QPainter p(&out);
    shown.draw(&p, QPointF(0, 0));
    return out;
}

QImage noise(int width, int h, quint32 seed) {
    QImage img(width, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | random.generate();
    }
    return img;
}

// The depth scale drawn without any caching: lines and the legend's text from scratch.
void plainAxis(QPainter* painter, int loRange, bool automatic, int h) {
    const int last = h - 1;
    const QColor shades[4] = {Qt::black, Qt::darkGray, Qt::gray, Qt::lightGray};
    for (int i = 0; i < 4; ++i) {
        painter->setPen(shades[i]);
        painter->drawLine(11 - i, 0, 11 - i, last);
    }
    painter->setPen(Qt::lightGray);
    for (int t = 1; t < 10; ++t) {
        const int y = t * h / 10;
        painter->drawLine(t % 2 ? 4 : 0, y, 7, y);
    }
    QFont f = painter->font();
    f.setPixelSize(12);
    f.setBold(true);
    painter->setFont(f);
    const QString half = QString::number(loRange / 2.0, 'g', 3);
    const QString full = QString::number(loRange) + (automatic ? QStringLiteral("A") : "");
    for (const auto& [text, y] :
         {std::make_pair(half, h / 2 - 7), std::make_pair(full, last - 14)}) {
        const QRect box(-40, y, 38, 14);
        painter->setPen(QColor(0, 0, 0, 200));
        painter->drawText(box.translated(1, 1), Qt::AlignRight | Qt::AlignVCenter, text);
        painter->setPen(QColor(235, 240, 245));
        painter->drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}
}  // namespace

// The echogram is shown from a copy that is updated column by column; it must always look
// exactly as the buffer drawn in full.
class TestSonarShown : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Configuration::applyDefaults(Global::configuration);
        SonarPalette::resetUser();
    }

    void shownBuffer_sameAsDrawnInFull_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("scrolling");  // else still, its changes found row by row
        for (QImage::Format f : {QImage::Format_RGB32, QImage::Format_RGB16}) {
            for (int h : {240, 480, 333, 200}) {
                for (bool scrolling : {true, false}) {
                    const QString name = QStringLiteral("%1 bit, %2 rows, %3")
                                             .arg(f == QImage::Format_RGB16 ? 16 : 32)
                                             .arg(h)
                                             .arg(scrolling ? "scrolling" : "still");
                    QTest::newRow(qPrintable(name)) << int(f) << h << scrolling;
                }
            }
        }
    }
    void shownBuffer_sameAsDrawnInFull() {
        QFETCH(int, format);
        QFETCH(int, height);
        QFETCH(bool, scrolling);
        const auto f = QImage::Format(format);
        constexpr int w = 246;
        std::vector<uint16_t> buf(static_cast<size_t>(w) * kRows);
        QRandomGenerator random(7);
        for (uint16_t& px : buf)
            px = static_cast<uint16_t>(random.generate());
        auto paintColumn = [&](int x) {
            for (int r = 0; r < kRows; ++r)
                buf[static_cast<size_t>(r * w + x)] = static_cast<uint16_t>(random.generate());
        };

        ShownBuffer shown(scrolling ? ShownBuffer::Scrolling : ShownBuffer::Still, f);
        shown.reset(buf.data(), w, kRows);
        shown.setHeight(height);
        // Scrolls by one and two with new columns, a scroll whose columns are not repainted,
        // scrolls of more than half and of the whole width, and columns repainted in place.
        const QList<QPair<int, QList<int>>> steps = {
            {1, {w - 1}}, {2, {w - 2, w - 1}}, {2, {}},      {1, {w - 1}}, {200, {w - 1}},
            {w, {}},      {0, {0, 100}},       {3, {w - 3}}, {1, {w - 1}},
        };
        for (int round = 0; round < 3; ++round) {
            for (const auto& [n, columns] : steps) {
                SonarPaint::scroll(buf.data(), w, n);
                if (scrolling) shown.scroll(n);
                for (int x : columns) {
                    paintColumn(x);
                    if (scrolling) shown.updateColumns(x);
                }
                if (!scrolling) shown.updateChangedRows();
                QCOMPARE(drawnShown(shown, w, f), drawnScaled(buf.data(), w, height, f));
            }
        }
    }

    // The controller's ticks, the screen layouts' heights and a new width, through UxSonar.
    void echogram_shownAsItsBuffer() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        UxSonar* sonar = k.sonar();
        const QImage::Format f = ShownBuffer::screenFormat();
        auto check = [&](const char* when) {
            const ItemImage* image = sonar->itemImage();
            const int h = image->imageHight();
            QVERIFY2(image->shownImage() == drawnScaled(image->buffer(), image->width(), h, f),
                     when);
            QImage wave(ItemWave::kWidth, h, f);
            {
                QPainter p(&wave);
                sonar->itemWave()->paint(&p, nullptr, nullptr);
            }
            QVERIFY2(wave == drawnScaled(sonar->itemWave()->buffer(), ItemWave::kWidth, h, f),
                     when);
        };
        for (int i = 0; i < 60; ++i)
            k.slot_timeout_main();
        check("after 60 ticks");
        sonar->setImageHight(480);
        check("at 480 rows");
        for (int i = 0; i < 30; ++i)
            k.slot_timeout_main();
        check("30 more ticks at 480 rows");
        Global::configuration.chartSpeed = 0;
        for (int i = 0; i < 10; ++i)
            k.slot_timeout_main();
        check("chart speed 0");
        k.data_setSonarWidth(226);
        check("200 columns");
        sonar->setImageHight(240);
        for (int i = 0; i < 10; ++i)
            k.slot_timeout_main();
        check("200 columns, 240 rows");
    }

    void axis_sameAsDrawnPlainly_data() {
        QTest::addColumn<int>("loRange");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("height");
        QTest::newRow("10 A, 240") << 10 << true << 240;
        QTest::newRow("5, 480") << 5 << false << 480;
        QTest::newRow("123 A, 240") << 123 << true << 240;
        QTest::newRow("33, 480") << 33 << false << 480;
        QTest::newRow("7 A, 333") << 7 << true << 333;
    }
    void axis_sameAsDrawnPlainly() {
        QFETCH(int, loRange);
        QFETCH(bool, automatic);
        QFETCH(int, height);
        ItemAxis axis;
        auto draw = [&](auto&& paint) {
            QImage img = noise(60, height, 3);
            QPainter p(&img);
            p.setRenderHint(QPainter::TextAntialiasing);  // as the view paints
            p.translate(44, 0);
            paint(&p);
            return img;
        };
        // A range and height shown before: the legend laid out for them must not stay.
        axis.setLoRange(99, !automatic);
        draw([&](QPainter* p) { axis.paint(p, nullptr, nullptr); });
        axis.setLoRange(loRange, automatic);
        axis.setImageHight(height);
        const QImage cached = draw([&](QPainter* p) { axis.paint(p, nullptr, nullptr); });
        QCOMPARE(cached, draw([&](QPainter* p) { plainAxis(p, loRange, automatic, height); }));
    }

    void sonar_greyWhereNothingCovers_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("246 x 240") << 246 << 240;
        QTest::newRow("200 x 480") << 200 << 480;
    }
    void sonar_greyWhereNothingCovers() {
        QFETCH(int, width);
        QFETCH(int, height);
        QGraphicsScene scene(0, 0, 272, 480);
        auto* sonar = new UxSonar();
        scene.addItem(sonar);
        sonar->setImageWidth(width);
        sonar->setImageHight(height);
        QImage img(272, 480, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        {
            QPainter p(&img);
            scene.render(&p, QRectF(0, 0, 272, 480), QRectF(0, 0, 272, 480));
        }
        const QRgb grey = qRgb(96, 96, 96);
        for (int y : {0, height / 2, height - 1}) {
            for (int x = 0; x < 272; ++x) {
                const bool picture = x < width;
                const bool wave = x >= width + 2 && x < width + 2 + ItemWave::kWidth;
                const bool scale = x >= width - 8 && x < width + 4;  // the shaded edge
                if (picture || wave || scale) continue;
                QCOMPARE(img.pixel(x, y), grey);
            }
        }
        if (height < 480) QCOMPARE(img.pixel(100, height), qRgb(255, 0, 255));  // nothing below
    }
};

QObject* makeSonarShownTest() {
    return new TestSonarShown;
}

#include "test_sonar_shown.moc"
