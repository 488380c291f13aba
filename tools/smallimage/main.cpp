// Draws the preview pictures of the image chooser (three echogram backgrounds and three
// colour schemes) and writes them as one small-image data file.
// Usage: korvel-smallimage OUTFILE   (OUTFILE is app/resources/sim/smallimagedata.ksi;
// run with QT_QPA_PLATFORM=offscreen)
#include "ui/map/small_image_data.h"

#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 75;
constexpr int kHeight = 64;

// A colour from the echogram's RGB565 background table.
QColor fromRgb565(int c) {
    return QColor(((c >> 11) & 31) * 255 / 31, ((c >> 5) & 63) * 255 / 63, (c & 31) * 255 / 31);
}

// The bottom depth of the preview's little lake bed at column x.
double bottomAt(int x) {
    return 40 + 6 * std::sin(x / 11.0) + 3 * std::sin(x / 4.3);
}

// Strong to weak echo colours of a scheme, as a gradient across the bottom band.
struct StructScheme {
    QColor strong;
    QColor middle;
    QColor weak;
};

const StructScheme kBlue{QColor(255, 255, 255), QColor(40, 150, 255), QColor(0, 40, 160)};
const StructScheme kYellow{QColor(255, 60, 0), QColor(255, 200, 0), QColor(120, 90, 0)};
const StructScheme kUser{QColor(255, 0, 80), QColor(0, 220, 120), QColor(120, 0, 200)};

QImage echogram(const QColor& background, const StructScheme& scheme, bool darkBelowBottom) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Surface clutter: a thin band of weak echoes at the top.
    p.fillRect(QRect(0, 0, kWidth, 3), scheme.weak);
    // The bottom: a strong line, then fading echoes below it.
    QPainterPath bed;
    bed.moveTo(0, kHeight);
    for (int x = 0; x <= kWidth; ++x)
        bed.lineTo(x, bottomAt(x));
    bed.lineTo(kWidth, kHeight);
    bed.closeSubpath();
    QLinearGradient fade(0, 36, 0, kHeight);
    fade.setColorAt(0.0, scheme.strong);
    fade.setColorAt(0.25, scheme.middle);
    fade.setColorAt(1.0, darkBelowBottom ? QColor(20, 20, 40) : scheme.weak);
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(bed);
    // Two fish arcs in the water column.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(scheme.middle, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 16, 14, 8), 20 * 16, 140 * 16);
    p.setPen(QPen(scheme.strong, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(44, 24, 16, 8), 20 * 16, 140 * 16);
    return img;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: korvel-smallimage OUTFILE\n");
        return 2;
    }
    SmallImageData::KindImages images;
    // Backgrounds 0 white, 1 black, 2 dark blue-green, each with the blue scheme.
    images.insert(QStringLiteral("background"), {echogram(fromRgb565(0xFFFF), kBlue, true),
                                                 echogram(fromRgb565(0x0000), kBlue, false),
                                                 echogram(fromRgb565(0x1230), kBlue, false)});
    // Schemes 0 blue, 1 yellow, 2 user table, each on the default black background.
    images.insert(QStringLiteral("color"),
                  {echogram(Qt::black, kBlue, false), echogram(Qt::black, kYellow, false),
                   echogram(Qt::black, kUser, false)});
    const QByteArray bytes = SmallImageData::encode(images);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
