#include "navi/map_mapping.h"

#include "navi/truncate.h"

#include <QTransform>
#include <QtGlobal>
#include <cmath>

int MapMapping::roundHalfUp(float v) {
    return Navi::truncToInt(std::floor(double(v) + 0.5));
}

QPoint MapMapping::getAfterOffsetPoint(const QPointF& p) const {
    const float dx = float(p.x() - centre.x()) / ratio;
    const float dy = float(p.y() - centre.y()) / ratio;
    return QPoint(roundHalfUp(dx) + kHalfLayer, roundHalfUp(dy) + kHalfLayer);
}

QPoint MapMapping::layerPoint(const QPointF& p) const {
    return getAfterOffsetPoint(p) - QPoint(kHalfLayer, kHalfLayer);
}

bool MapArea::isInside(const QPointF& view, int boundWidth, int boundHeight) {
    const int half = MapMapping::kHalfLayer;
    const qreal cx = boundWidth / 2;
    const qreal cy = boundHeight / 2;
    return view.x() > cx - half && view.x() < cx + half && view.y() > cy - half &&
           view.y() < cy + half;
}

bool MapArea::atMargin(const QPoint& view, int boundWidth, int boundHeight) {
    return view.x() < 20 || view.y() < 30 || view.x() >= boundWidth - 19 ||
           view.y() >= boundHeight - 19;
}

int MapArea::cursorStep(int step, float ratio) {
    return qMax(2, Navi::truncToInt(step * ratio));
}

QPointF MapArea::screenMove(const QString& key, int d, qreal heading) {
    QPointF move;
    if (key == QLatin1String("up")) move = QPointF(0, -d);
    if (key == QLatin1String("down")) move = QPointF(0, d);
    if (key == QLatin1String("left")) move = QPointF(-d, 0);
    if (key == QLatin1String("right")) move = QPointF(d, 0);
    // The map is turned by heading on the screen; a screen movement turned back by it is the
    // movement on the map.
    return QTransform().rotate(-heading).map(move);
}
