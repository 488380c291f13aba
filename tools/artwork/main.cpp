// Draws the handset's status icons and start-up pictures as PNG files.
// Usage: korvel-artwork OUTDIR   (OUTDIR is app/resources; run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
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

// The three waypoint and target markers of the map and the icon chooser: a red target ring,
// a green fish and a yellow anchor, each on a dark disc so it stands out on the map.
QImage targetIcon(int kind) {
    QImage img = canvas(25, 25);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawEllipse(QRectF(1, 1, 23, 23));
    if (kind == 1) {
        const QColor fish(80, 220, 120);
        p.setPen(Qt::NoPen);
        p.setBrush(fish);
        p.drawEllipse(QRectF(5, 8.5, 12, 8));
        p.drawPolygon(QPolygonF({QPointF(15.5, 12.5), QPointF(21, 8), QPointF(21, 17)}));
        p.setBrush(QColor(0, 0, 0));
        p.drawEllipse(QPointF(8.5, 11.5), 1.1, 1.1);
    } else if (kind == 2) {
        const QColor anchor(255, 210, 60);
        p.setPen(QPen(anchor, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(12.5, 7), QPointF(12.5, 19));
        p.drawLine(QPointF(8.5, 10), QPointF(16.5, 10));
        p.drawArc(QRectF(6.5, 12, 12, 8), 200 * 16, 140 * 16);
        p.drawEllipse(QPointF(12.5, 5.5), 1.6, 1.6);
    } else {
        const QColor ring(255, 80, 70);
        p.setPen(QPen(ring, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12.5, 12.5), 7.5, 7.5);
        p.setPen(Qt::NoPen);
        p.setBrush(ring);
        p.drawEllipse(QPointF(12.5, 12.5), 3, 3);
    }
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

// --- Echogram read-outs: digits and unit signs drawn as outlined glyphs, so they stay
// readable over any echogram colour. Each glyph is scaled to fill its box exactly.
const QColor kOutline(0, 0, 0, 235);

QPainterPath glyphPath(const QString& text, bool condensed) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(100);
    f.setBold(true);
    if (condensed) f.setStretch(QFont::SemiCondensed);
    QPainterPath path;
    path.addText(0, 0, f, text);
    return path;
}

// Draws text scaled into box (keeping the baseline at the box's bottom), outlined.
void outlinedGlyph(QPainter& p, const QString& text, const QRectF& box, const QColor& fill,
                   double outline, bool keepAspect = false) {
    QPainterPath path = glyphPath(text, true);
    const QRectF r = path.boundingRect();
    double sx = box.width() / r.width();
    double sy = box.height() / r.height();
    if (keepAspect) sx = sy = std::min(sx, sy);
    QTransform t;
    t.translate(box.left() + (box.width() - r.width() * sx) / 2, box.bottom());
    t.scale(sx, sy);
    t.translate(-r.left(), -r.bottom());
    path = t.map(path);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QImage digitImage(int digit, int w, int h, double margin, const QColor& fill, double outline) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    outlinedGlyph(p, QString::number(digit), QRectF(margin, margin, w - 2 * margin, h - 2 * margin),
                  fill, outline);
    return img;
}

QImage pointImage(int w, int h, double dot, const QColor& fill, double outline) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, outline));
    p.setBrush(fill);
    p.drawRect(QRectF((w - dot) / 2, h - dot - outline / 2 - 0.5, dot, dot));
    return img;
}

QImage minusImage(int w, int h, double barW, double barH, const QColor& fill, double outline) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, outline));
    p.setBrush(fill);
    p.drawRect(QRectF((w - barW) / 2, h * 0.55 - barH / 2, barW, barH));
    return img;
}

QImage unitImage(const QString& text, int w, int h, const QColor& fill) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    outlinedGlyph(p, text, QRectF(1.5, 1.5, w - 3, h - 3), fill, 2.5, true);
    return img;
}

// A small fish facing left, the symbol of a detected fish.
QImage fishIcon() {
    QImage img = canvas(20, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath fish;
    fish.moveTo(1.5, 6.5);
    fish.cubicTo(4, 1.5, 11, 1.0, 14, 5.0);
    fish.lineTo(18.5, 1.8);
    fish.lineTo(17.2, 6.5);
    fish.lineTo(18.5, 11.2);
    fish.lineTo(14, 8.0);
    fish.cubicTo(11, 12.0, 4, 11.5, 1.5, 6.5);
    fish.closeSubpath();
    QLinearGradient g(0, 1, 0, 12);
    g.setColorAt(0, QColor(255, 236, 120));
    g.setColorAt(1, QColor(255, 150, 20));
    p.setPen(QPen(kOutline, 1.4));
    p.setBrush(g);
    p.drawPath(fish);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(5.0, 5.4), 1.1, 1.1);
    return img;
}

void echogramArtwork(const QDir& out) {
    out.mkpath(QStringLiteral("png"));
    const QColor white(255, 255, 255);
    const QColor label(255, 240, 170);
    auto path = [&](const QString& name) { return out.filePath(QStringLiteral("png/") + name); };
    for (int d = 0; d <= 9; ++d) {
        save(digitImage(d, 38, 56, 3.0, white, 4.0), path(QStringLiteral("b%1.png").arg(d)));
        save(digitImage(d, 13, 18, 1.5, white, 2.5), path(QStringLiteral("m%1.png").arg(d)));
        save(digitImage(d, 9, 12, 1.0, label, 2.0), path(QStringLiteral("s%1.png").arg(d)));
    }
    save(pointImage(12, 26, 8, white, 3.0), path(QStringLiteral("bdian.png")));
    save(pointImage(5, 18, 3, white, 1.5), path(QStringLiteral("mdian.png")));
    save(pointImage(5, 12, 3, label, 0.8), path(QStringLiteral("sdian.png")));
    save(minusImage(30, 56, 24, 7, white, 3.0), path(QStringLiteral("bheng.png")));
    save(minusImage(9, 18, 7, 3, white, 1.5), path(QStringLiteral("heng.png")));
    save(unitImage(QStringLiteral("m"), 26, 20, white), path(QStringLiteral("m.png")));
    save(unitImage(QStringLiteral("ft"), 26, 20, white), path(QStringLiteral("ft.png")));
    save(unitImage(QString::fromUtf8("°C"), 22, 16, white), path(QStringLiteral("c.png")));
    save(unitImage(QString::fromUtf8("°F"), 22, 16, white), path(QStringLiteral("f.png")));
    save(unitImage(QStringLiteral("V"), 12, 16, white), path(QStringLiteral("v.png")));
    save(fishIcon(), out.filePath(QStringLiteral("ico/armFish.png")));
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
    for (int kind = 0; kind <= 2; ++kind)
        save(targetIcon(kind), out.filePath(QStringLiteral("ico/targetIco_%1.png").arg(kind)));
    save(appStart(), out.filePath(QStringLiteral("logo/appstart.png")));
    save(earth(), out.filePath(QStringLiteral("logo/earth.png")));
    save(modelLogo(kAccent, QStringLiteral("S-series sonar")),
         out.filePath(QStringLiteral("logo/Sablo-1.png")));
    save(modelLogo(QColor(255, 170, 60), QStringLiteral("D-series sonar")),
         out.filePath(QStringLiteral("logo/Dunmar-1.png")));
    echogramArtwork(out);
    return 0;
}
