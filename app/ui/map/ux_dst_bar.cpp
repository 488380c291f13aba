#include "ui/map/ux_dst_bar.h"

#include "base/global.h"
#include "navi/geodesy.h"

#include <QPainter>

namespace {
constexpr int kDotY = 28;
constexpr int kDot = 4;
}  // namespace

UxDstBar::UxDstBar(QWidget* parent) : QWidget(parent) {
    m_points.fill(QPoint(kUnsetCoor, kUnsetCoor));
}

void UxDstBar::setRelativeCoor(int index, const QPoint& point) {
    if (index < 0 || index >= kPoints) return;
    m_points[size_t(index)] = point;
    update();
}

bool UxDstBar::isSet(int index) const {
    return m_points[size_t(index)] != QPoint(kUnsetCoor, kUnsetCoor);
}

QStringList UxDstBar::texts() const {
    QStringList out;
    for (int i = 0; i + 1 < kPoints; ++i) {
        if (!isSet(i) || !isSet(i + 1)) {
            out << QStringLiteral("-.-");
            continue;
        }
        const float metres = Global::calc_pixDst(m_points[size_t(i)], m_points[size_t(i + 1)]);
        out << Global::getString_dstValue(metres, 1, false);
    }
    return out;
}

QSize UxDstBar::sizeHint() const {
    return QSize(232, 36);
}

// The points as dots on a line (hollow where unset), each distance over its stretch.
void UxDstBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal step = qreal(width() - 2 * kDot) / (kPoints - 1);
    auto xAt = [&](int i) { return kDot + i * step; };
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(xAt(0), kDotY), QPointF(xAt(kPoints - 1), kDotY));
    for (int i = 0; i < kPoints; ++i) {
        p.setBrush(isSet(i) ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        p.drawEllipse(QPointF(xAt(i), kDotY), kDot, kDot);
    }
    const QStringList t = texts();
    for (int i = 0; i < t.size(); ++i)
        p.drawText(QRectF(xAt(i), 0, step, kDotY - kDot - 2), Qt::AlignCenter, t.at(i));
}
