#include "ui/ux_theme.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace UxTheme {

QFont font() {
    return QApplication::font();
}

QFont font(int pixelSize) {
    QFont f = QApplication::font();
    f.setPixelSize(pixelSize);
    return f;
}

void drawPanel(QPainter& p, const QRect& rect) {
    p.fillRect(rect, kPanel);
    p.setPen(QPen(kFrame, kFrameWidth));
    p.setBrush(Qt::NoBrush);
    const int half = kFrameWidth / 2;
    p.drawRect(rect.adjusted(half, half, -half, -half));
}

void drawText(QPainter& p, const QRect& box, const QString& text, const QColor& ink, int flags) {
    const QFontMetrics metrics(p.font());
    const QString shown = metrics.horizontalAdvance(text) > box.width()
                              ? metrics.elidedText(text, Qt::ElideRight, box.width())
                              : text;
    p.setPen(ink);
    const int align = (flags & Qt::AlignHorizontal_Mask) ? (flags & Qt::AlignHorizontal_Mask)
                                                         : int(Qt::AlignLeft);
    p.drawText(box, align | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace UxTheme
