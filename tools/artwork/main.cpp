// Draws the handset's status icons and start-up pictures as PNG files, and the start-up
// screen's moving line as an animated GIF.
// Usage: korvel-artwork OUTDIR   (OUTDIR is app/resources; run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFile>
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
#include <unordered_map>
#include <vector>

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

// The buttons of the target screens: start (a green "play" triangle), exit (a red cross) and
// import (an arrow down into a tray).
QImage buttonIcon(char kind) {
    QImage img = canvas(20, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == 's') {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 200, 90));
        p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(17, 10), QPointF(5, 17)}));
    } else if (kind == 'x') {
        p.setPen(QPen(QColor(230, 70, 60), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
    } else {
        p.setPen(QPen(QColor(90, 170, 240), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 2), QPointF(10, 12));
        p.drawLine(QPointF(6, 8), QPointF(10, 12));
        p.drawLine(QPointF(14, 8), QPointF(10, 12));
        p.drawPolyline(
            QPolygonF({QPointF(3, 12), QPointF(3, 17), QPointF(17, 17), QPointF(17, 12)}));
    }
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

// The sonar frequency in use: white on the dark tile while the gain is automatic, dark on a
// light tile with a fixed gain, so the two states tell apart at a glance.
QImage freqIcon(const QString& text, bool white) {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(white ? QColor(0, 0, 0, 170) : QColor(235, 240, 245, 230));
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(white ? kInk : QColor(10, 20, 30));
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

// --- Info panel and map overlay icons: 30 x 30, the size the panels draw them at, on the
// same dark tile as the status icons.
void panelTile(QPainter& p, QImage& img) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, img.width());
}

QImage satelliteIcon() {
    QImage img = canvas(30, 30);
    QPainter p;
    panelTile(p, img);
    p.translate(15, 15);
    p.rotate(-45);
    const QColor panel(70, 150, 255);
    p.setPen(QPen(kInk, 1));
    p.setBrush(panel);
    p.drawRect(QRectF(-12.5, -3.5, 7, 7));
    p.drawRect(QRectF(5.5, -3.5, 7, 7));
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(-5.5, 0), QPointF(-3.5, 0));
    p.drawLine(QPointF(3.5, 0), QPointF(5.5, 0));
    p.setBrush(QColor(220, 225, 235));
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.drawRoundedRect(QRectF(-3.5, -4.5, 7, 9), 1.5, 1.5);
    p.resetTransform();
    // The signal it sends down.
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 14, 14, 14), 100 * 16, 70 * 16);
    p.drawArc(QRectF(5.5, 17.5, 7, 7), 100 * 16, 70 * 16);
    return img;
}

// The target: a red ring with a white centre under a cross-hair.
QImage targetPanelIcon() {
    QImage img = canvas(30, 30);
    QPainter p;
    panelTile(p, img);
    const QPointF c(15, 15);
    p.setPen(QPen(QColor(255, 70, 60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 9, 9);
    p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 2.5), QPointF(15, 8.5));
    p.drawLine(QPointF(15, 21.5), QPointF(15, 27.5));
    p.drawLine(QPointF(2.5, 15), QPointF(8.5, 15));
    p.drawLine(QPointF(21.5, 15), QPointF(27.5, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c, 3, 3);
    return img;
}

QImage homeIcon() {
    QImage img = canvas(30, 30);
    QPainter p;
    panelTile(p, img);
    QPainterPath house;
    house.moveTo(15, 4.5);
    house.lineTo(26, 14);
    house.lineTo(23, 14);
    house.lineTo(23, 25);
    house.lineTo(7, 25);
    house.lineTo(7, 14);
    house.lineTo(4, 14);
    house.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 0, 220), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(80, 220, 120));
    p.drawPath(house);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 18, 31));
    p.drawRect(QRectF(12.5, 17, 5, 8));
    return img;
}

// The data logger's icon: a sheet of rows with a red dot, on a status tile.
QImage loggerIcon() {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, 24);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(kInk);
    p.drawRect(QRectF(4.5, 3.5, 12, 17));
    p.setPen(QPen(QColor(40, 90, 160), 1.4));
    for (int y = 7; y <= 17; y += 3)
        p.drawLine(QPointF(6.5, y), QPointF(14.5, y));
    p.setPen(QPen(QColor(0, 0, 0, 220), 1));
    p.setBrush(QColor(255, 40, 40));
    p.drawEllipse(QPointF(17.5, 17.5), 4.2, 4.2);
    return img;
}

// --- The start-up screen's moving line: a light pulse running along a dark line, as a
// looping GIF. Qt reads GIF but does not write it, so the frames are written here, each
// indexed to one palette and packed with the format's LZW code.

// A 256-colour ramp from the screen's dark ground through the accent to white: the pulse
// uses nothing else.
QVector<QRgb> rampPalette() {
    const QColor stops[3] = {QColor(2, 10, 24), kAccent, QColor(255, 255, 255)};
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0 * 2;
        const int seg = std::min(int(t), 1);
        const double f = t - seg;
        const QColor& a = stops[seg];
        const QColor& b = stops[seg + 1];
        palette << qRgb(int(a.red() + (b.red() - a.red()) * f + 0.5),
                        int(a.green() + (b.green() - a.green()) * f + 0.5),
                        int(a.blue() + (b.blue() - a.blue()) * f + 0.5));
    }
    return palette;
}

QImage lineFrame(int frame, int frames) {
    QImage img(200, 6, QImage::Format_RGB32);
    img.fill(QColor(2, 10, 24));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 2, 200, 2), QColor(20, 60, 100));
    const double centre = -30 + (260.0 * frame) / frames;
    QLinearGradient g(centre - 30, 0, centre + 30, 0);
    g.setColorAt(0, QColor(2, 10, 24, 0));
    g.setColorAt(0.5, QColor(255, 255, 255));
    g.setColorAt(1, QColor(2, 10, 24, 0));
    p.fillRect(QRectF(centre - 30, 0, 60, 6), g);
    return img;
}

// Bits of the LZW code stream, least significant first, in sub-blocks of up to 255 bytes.
class GifBits {
public:
    void put(int code, int width) {
        m_acc |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_acc & 0xff));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray blocks() {
        if (m_bits > 0) m_bytes.append(char(m_acc & 0xff));
        QByteArray out;
        for (int at = 0; at < m_bytes.size(); at += 255) {
            const QByteArray block = m_bytes.mid(at, 255);
            out.append(char(block.size()));
            out.append(block);
        }
        out.append('\0');
        return out;
    }

private:
    QByteArray m_bytes;
    quint32 m_acc = 0;
    int m_bits = 0;
};

// LZW with 8-bit pixels: the table starts after the clear (256) and end (257) codes, the
// code width grows with the table and a full table (4096 codes) starts over with a clear.
QByteArray lzw(const QImage& indexed) {
    const int clear = 256;
    const int end = 257;
    GifBits bits;
    int width = 9;
    int nextCode = end + 1;
    std::unordered_map<quint32, int> table;  // (prefix code << 8 | pixel) -> code
    bits.put(clear, width);
    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int pixel = row[x];
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const quint32 key = quint32(prefix) << 8 | quint32(pixel);
            const auto found = table.find(key);
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            bits.put(prefix, width);
            table[key] = nextCode++;
            if (nextCode > (1 << width) && width < 12) ++width;
            if (nextCode == 4096) {
                bits.put(clear, width);
                table.clear();
                width = 9;
                nextCode = end + 1;
            }
            prefix = pixel;
        }
    }
    if (prefix >= 0) bits.put(prefix, width);
    bits.put(end, width);
    return bits.blocks();
}

void putWord(QByteArray& out, int value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// A looping animated GIF of the frames, each shown delayMs, in one global palette.
QByteArray animatedGif(const QVector<QImage>& frames, const QVector<QRgb>& palette, int delayMs) {
    const int w = frames.first().width();
    const int h = frames.first().height();
    QByteArray out("GIF89a");
    putWord(out, w);
    putWord(out, h);
    out.append(char(0xf7));  // global table of 256 colours, 8 bits per primary
    out.append('\0');        // background colour
    out.append('\0');        // square pixels
    for (int i = 0; i < 256; ++i) {
        const QRgb c = palette.value(i);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);  // loop for ever
    putWord(out, 0);
    out.append('\0');
    for (const QImage& frame : frames) {
        out.append("\x21\xf9\x04", 3);  // graphic control: replace the frame, no transparency
        out.append(char(0x04));
        putWord(out, delayMs / 10);
        out.append('\0');
        out.append('\0');
        out.append(char(0x2c));  // the image, the whole screen, no table of its own
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, w);
        putWord(out, h);
        out.append('\0');
        out.append(char(8));  // LZW minimum code size
        out.append(lzw(frame.convertToFormat(QImage::Format_Indexed8, palette,
                                             Qt::ThresholdDither | Qt::AvoidDither)));
    }
    out.append(char(0x3b));
    return out;
}

void saveBytes(const QByteArray& bytes, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void startLine(const QDir& out) {
    const int frames = 16;
    QVector<QImage> images;
    for (int i = 0; i < frames; ++i)
        images << lineFrame(i, frames);
    saveBytes(animatedGif(images, rampPalette(), 80),
              out.filePath(QStringLiteral("logo/bottomline.gif")));
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

// --- The map: the boat seen from above (bow up, 22 x 42), its blinking and its
// compass-needs-calibration looks, the arrow to the target, the overlay's indicators, compass
// rose, scale mark and calibration mark, and the depth colour bar.
QPainterPath boatHull(double x0, double w) {
    QPainterPath hull;
    hull.moveTo(x0 + w / 2, 1);
    hull.cubicTo(x0 + w, 8, x0 + w, 20, x0 + w - 0.5, 40.5);
    hull.lineTo(x0 + 0.5, 40.5);
    hull.cubicTo(x0, 20, x0, 8, x0 + w / 2, 1);
    hull.closeSubpath();
    return hull;
}

// A twin-hulled bait boat: two hulls under a deck with the bait hopper.
QImage boatImage(const QColor& hull, const QColor& deck, const QColor& line) {
    QImage img = canvas(22, 42);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(line, 1.2));
    p.setBrush(hull);
    p.drawPath(boatHull(1, 7));
    p.drawPath(boatHull(14, 7));
    p.setBrush(deck);
    p.drawRoundedRect(QRectF(4.5, 12.5, 13, 24), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7.5, 16.5, 7, 8));
    return img;
}

QImage boatCaliImage() {
    QImage img = boatImage(QColor(230, 40, 40), QColor(255, 150, 150), QColor(60, 0, 0));
    QPainter p(&img);
    QFont f;
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(4, 22, 14, 14), Qt::AlignCenter, QStringLiteral("!"));
    return img;
}

// Points down: the map turns it by the direction, which is 0 for a target due south.
QImage targetDirArrow() {
    QImage img = canvas(15, 15);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 0, 0), 1));
    p.setBrush(QColor(235, 30, 30));
    p.drawPolygon(
        QPolygonF({QPointF(1, 1.5), QPointF(7.5, 5), QPointF(14, 1.5), QPointF(7.5, 14)}));
    return img;
}

QImage ledImage(const QColor& colour) {
    QImage img(40, 6, QImage::Format_ARGB32_Premultiplied);
    img.fill(colour);
    QPainter p(&img);
    p.fillRect(QRect(0, 4, 40, 2), colour.darker(160));
    return img;
}

QImage ledMiddle() {
    QImage img(20, 6, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(40, 40, 40));
    QPainter p(&img);
    p.fillRect(QRect(0, 1, 2, 4), QColor(200, 200, 200));
    p.fillRect(QRect(18, 1, 2, 4), QColor(200, 200, 200));
    return img;
}

QImage compassRose() {
    QImage img = canvas(26, 26);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(13, 13);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c, 12, 12);
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
    p.setBrush(QColor(220, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(13, 2), QPointF(16, 13), QPointF(10, 13)}));
    p.setBrush(QColor(70, 70, 70));
    p.drawPolygon(QPolygonF({QPointF(13, 24), QPointF(16, 13), QPointF(10, 13)}));
    return img;
}

// The length the scale text measures: one 20-pixel grid cell between two ticks.
QImage scaleMark() {
    QImage img = canvas(26, 8);
    QPainter p(&img);
    p.fillRect(QRect(3, 5, 21, 2), Qt::black);
    p.fillRect(QRect(3, 1, 2, 6), Qt::black);
    p.fillRect(QRect(22, 1, 2, 6), Qt::black);
    return img;
}

QImage needCaliMark() {
    QImage img = canvas(12, 12);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 40, 0), 1));
    p.setBrush(QColor(255, 150, 0));
    p.drawPolygon(QPolygonF({QPointF(6, 0.5), QPointF(11.5, 11.5), QPointF(0.5, 11.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(5.2, 4, 1.6, 4.2));
    p.drawRect(QRectF(5.2, 9, 1.6, 1.6));
    return img;
}

// 60 rows from shallow (red) through yellow, green and cyan to deep (dark blue).
QImage colourBar() {
    QImage img(6, 60, QImage::Format_RGB32);
    QLinearGradient g(0, 0, 0, 59);
    g.setColorAt(0.0, QColor(220, 20, 20));
    g.setColorAt(0.25, QColor(250, 220, 0));
    g.setColorAt(0.5, QColor(30, 190, 40));
    g.setColorAt(0.75, QColor(0, 190, 230));
    g.setColorAt(1.0, QColor(10, 20, 150));
    QPainter p(&img);
    p.fillRect(img.rect(), g);
    return img;
}

void mapArtwork(const QDir& out) {
    auto path = [&](const char* name) { return out.filePath(QLatin1String(name)); };
    const QColor line(30, 30, 30);
    save(boatImage(QColor(255, 150, 20), QColor(255, 225, 120), line), path("ico/boat.png"));
    save(boatImage(QColor(255, 255, 255, 90), QColor(255, 255, 255, 60), QColor(30, 30, 30, 140)),
         path("ico/boat_blink.png"));
    save(boatCaliImage(), path("ico/boat_cali.png"));
    save(targetDirArrow(), path("ico/target_dir.png"));
    save(ledImage(QColor(40, 200, 70)), path("ico/led_on.png"));
    save(ledImage(QColor(150, 150, 150)), path("ico/led_off.png"));
    save(ledMiddle(), path("ico/led_mid.png"));
    save(compassRose(), path("ico/compass_rose.png"));
    save(scaleMark(), path("ico/map_scale.png"));
    save(needCaliMark(), path("ico/need_cali.png"));
    save(colourBar(), path("ico/colorbar.png"));
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
    save(buttonIcon('s'), out.filePath(QStringLiteral("ico/button_start.png")));
    save(buttonIcon('x'), out.filePath(QStringLiteral("ico/button_exit.png")));
    save(buttonIcon('i'), out.filePath(QStringLiteral("ico/button_import.png")));
    save(textIcon(QStringLiteral("455K")), out.filePath(QStringLiteral("ico/455K.png")));
    save(textIcon(QStringLiteral("200K")), out.filePath(QStringLiteral("ico/200K.png")));
    save(goBackIcon(), out.filePath(QStringLiteral("ico/goback.png")));
    for (const char* khz : {"115", "455"}) {
        for (const bool white : {true, false}) {
            save(freqIcon(QLatin1String(khz) + QLatin1Char('K'), white),
                 out.filePath(QStringLiteral("ico/freq_%1k_%2.png")
                                  .arg(QLatin1String(khz))
                                  .arg(white ? QLatin1Char('w') : QLatin1Char('b'))));
        }
    }
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
    save(satelliteIcon(), out.filePath(QStringLiteral("ico/gps1.png")));
    save(targetPanelIcon(), out.filePath(QStringLiteral("ico/target.png")));
    save(homeIcon(), out.filePath(QStringLiteral("ico/home.png")));
    save(loggerIcon(), out.filePath(QStringLiteral("ico/record.png")));
    mapArtwork(out);
    startLine(out);
    return 0;
}
