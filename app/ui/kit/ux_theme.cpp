#include "ui/kit/ux_theme.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace UxTheme {

namespace {
TextSeen g_seen = nullptr;
}

void setTextSeen(TextSeen seen) {
    g_seen = seen;
}

QFont font() {
    return QApplication::font();
}

QFont font(int pixelSize) {
    QFont f = QApplication::font();
    f.setPixelSize(pixelSize);
    return f;
}

namespace {
// The font fitted to width, and the text's advance in it.
QFont fitted(const QFont& font, const QString& text, int width, int* advance) {
    *advance = QFontMetrics(font).horizontalAdvance(text);
    if (*advance <= width) return font;
    QFont f = font;
    const int full = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    for (int size = full - 1; size >= full * 3 / 4; --size) {
        f.setPixelSize(size);
        *advance = QFontMetrics(f).horizontalAdvance(text);
        if (*advance <= width) return f;
    }
    for (int stretch = 95; stretch >= 85; stretch -= 5) {
        f.setStretch(stretch);
        *advance = QFontMetrics(f).horizontalAdvance(text);
        if (*advance <= width) return f;
    }
    return f;
}
}  // namespace

QFont fitFont(const QFont& font, const QString& text, int width) {
    int advance = 0;
    return fitted(font, text, width, &advance);
}

void drawPanel(QPainter& p, const QRect& rect) {
    p.fillRect(rect, kPanel);
    p.setPen(QPen(kFrame, kFrameWidth));
    p.setBrush(Qt::NoBrush);
    const int half = kFrameWidth / 2;
    p.drawRect(rect.adjusted(half, half, -half, -half));
}

void drawText(QPainter& p, const QRect& box, const QString& text, const QColor& ink, int flags) {
    const QFont own = p.font();
    int advance = 0;
    const QFont font = fitted(own, text, box.width(), &advance);
    p.setFont(font);
    // The text is measured once, in the font it is drawn in.
    const QString shown = advance > box.width()
                              ? QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width())
                              : text;
    p.setPen(ink);
    const int align = (flags & Qt::AlignHorizontal_Mask) ? (flags & Qt::AlignHorizontal_Mask)
                                                         : int(Qt::AlignLeft);
    const int vertical =
        (flags & Qt::AlignVertical_Mask) ? (flags & Qt::AlignVertical_Mask) : int(Qt::AlignVCenter);
    p.drawText(box, align | vertical | Qt::TextSingleLine, shown);
    p.setFont(own);
    if (g_seen) g_seen(text, shown, box, font);
}

}  // namespace UxTheme
