#include "core/base/global.h"
#include "core/korvel.h"
#include "sonar/item_image.h"
#include "sonar/item_wave.h"
#include "sonar/shown_buffer.h"
#include "sonar/sonar_palette.h"
#include "sonar/ux_sonar.h"
#include "sonar_test_frames.h"
#include "test_root.h"

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
};

QObject* makeSonarShownTest() {
    return new TestSonarShown;
}

#include "test_sonar_shown.moc"
