// Draws the handset's status icons and start-up pictures as PNG files.
// Usage: korvel-artwork OUTDIR   (OUTDIR is app/resources; run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

const QColor kInk(235, 245, 255);
const QColor kAccent(90, 200, 255);
const QColor kGreen(80, 220, 120);

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void save(const QImage& img, const QString& path) {
    if (!img.save(path)) fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A dark rounded tile behind every status icon keeps it legible over any echogram colour.
void tile(QPainter& p, int size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 170));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 4, 4);
}

QImage signalIcon(int bars) {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    for (int i = 0; i < 4; ++i) {
        const int h = 4 + i * 4;
        p.setBrush(i < bars ? kGreen : QColor(90, 90, 90));
        p.drawRect(QRectF(3 + i * 5, 20 - h, 3.5, h));
    }
    return img;
}

QImage sdCardIcon() {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    QPainterPath card;
    card.moveTo(7, 3);
    card.lineTo(17, 3);
    card.lineTo(19, 5);
    card.lineTo(19, 21);
    card.lineTo(5, 21);
    card.lineTo(5, 6);
    card.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(40, 90, 160));
    p.drawPath(card);
    p.setPen(QPen(QColor(255, 210, 80), 1.5));
    for (int x = 8; x <= 16; x += 3)
        p.drawLine(QPointF(x, 5.5), QPointF(x, 9));
    return img;
}

QImage textIcon(const QString& text) {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kAccent);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, text);
    return img;
}

QImage goBackIcon() {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath u;
    u.moveTo(17, 19);
    u.lineTo(17, 10);
    u.arcTo(QRectF(7, 5, 10, 10), 0, 180);
    u.lineTo(7, 15);
    p.drawPath(u);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(3.5, 14), QPointF(10.5, 14), QPointF(7, 19)}));
    return img;
}

QImage multiTargetIcon() {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    p.setPen(QPen(kInk, 1.2, Qt::DashLine));
    p.drawPolyline(QPolygonF({QPointF(5, 18), QPointF(12, 7), QPointF(19, 16)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 90, 80));
    for (const QPointF& c : {QPointF(5, 18), QPointF(12, 7), QPointF(19, 16)})
        p.drawEllipse(c, 2.6, 2.6);
    return img;
}

void wordmark(QPainter& p, const QRect& box, int pixelSize, const QColor& colour) {
    QFont f;
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setLetterSpacing(QFont::PercentageSpacing, 115);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("KORVEL"));
}

// Sonar arcs under a small boat hull: the picture of the product.
void boatAndSonar(QPainter& p, QPointF at, double scale) {
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPainterPath hull;
    hull.moveTo(-30, -8);
    hull.lineTo(30, -8);
    hull.lineTo(22, 4);
    hull.lineTo(-22, 4);
    hull.closeSubpath();
    p.drawPath(hull);
    p.drawRect(QRectF(-10, -16, 20, 8));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        QColor c = kAccent;
        c.setAlpha(230 - i * 45);
        p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
        const double r = 14.0 * i;
        p.drawArc(QRectF(-r, 8 - r, 2 * r, 2 * r), -60 * 16, -60 * 16);
    }
    p.restore();
}

QImage appStart() {
    QImage img(272, 480, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 480);
    g.setColorAt(0, QColor(10, 40, 80));
    g.setColorAt(0.55, QColor(4, 22, 48));
    g.setColorAt(1, QColor(0, 8, 20));
    p.fillRect(img.rect(), g);
    boatAndSonar(p, QPointF(136, 180), 1.6);
    wordmark(p, QRect(0, 300, 272, 50), 34, kInk);
    return img;
}

QImage earth() {
    QImage img(272, 480, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), QColor(2, 10, 24));
    QRadialGradient glow(QPointF(136, 250), 230, QPointF(100, 200));
    glow.setColorAt(0, QColor(30, 110, 170));
    glow.setColorAt(0.6, QColor(8, 45, 90));
    glow.setColorAt(1, QColor(2, 10, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(136, 250), 200, 200);
    p.setPen(QPen(QColor(120, 190, 240, 60), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = -3; i <= 3; ++i) {
        p.drawEllipse(QPointF(136, 250), 200 - std::abs(i) * 55, 200);
        p.drawLine(QPointF(-64 + 0, 250 + i * 55), QPointF(336, 250 + i * 55));
    }
    return img;
}

QImage modelLogo(const QColor& band, const QString& series) {
    QImage img = canvas(220, 90);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(QRectF(0, 0, 220, 90), 10, 10);
    p.setBrush(band);
    p.drawRect(QRectF(20, 62, 180, 4));
    wordmark(p, QRect(0, 8, 220, 50), 36, kInk);
    QFont f;
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(band);
    p.drawText(QRect(0, 66, 220, 22), Qt::AlignCenter, series);
    return img;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: korvel-artwork OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("ico"));
    out.mkpath(QStringLiteral("logo"));
    for (int bars = 0; bars <= 4; ++bars)
        save(signalIcon(bars), out.filePath(QStringLiteral("ico/signal%1.png").arg(bars)));
    save(sdCardIcon(), out.filePath(QStringLiteral("ico/sdcard.png")));
    save(textIcon(QStringLiteral("455K")), out.filePath(QStringLiteral("ico/455K.png")));
    save(textIcon(QStringLiteral("200K")), out.filePath(QStringLiteral("ico/200K.png")));
    save(goBackIcon(), out.filePath(QStringLiteral("ico/goback.png")));
    save(multiTargetIcon(), out.filePath(QStringLiteral("ico/multitarget.png")));
    save(appStart(), out.filePath(QStringLiteral("logo/appstart.png")));
    save(earth(), out.filePath(QStringLiteral("logo/earth.png")));
    save(modelLogo(kAccent, QStringLiteral("S-series sonar")),
         out.filePath(QStringLiteral("logo/Sablo-1.png")));
    save(modelLogo(QColor(255, 170, 60), QStringLiteral("D-series sonar")),
         out.filePath(QStringLiteral("logo/Dunmar-1.png")));
    return 0;
}
