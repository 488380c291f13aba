#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

// Where a relative point (half-metres) lands on the map. The map draws into a layer of
// kLayerSize pixels square whose middle shows the centre point; the layer's own origin is its
// middle, at the middle of the view.
class MapMapping {
public:
    static constexpr int kLayerSize = 360;
    static constexpr int kHalfLayer = kLayerSize / 2;

    QPointF centre;      // the relative point in the middle of the view
    float ratio = 1.0f;  // half-metres per pixel

    // The layer pixel of p: the offset from the centre in pixels, rounded half up, plus half
    // the layer.
    QPoint getAfterOffsetPoint(const QPointF& p) const;
    // The same pixel in the layer item's coordinates (origin in the layer's middle).
    QPoint layerPoint(const QPointF& p) const;

    // Rounding half up: 2.5 gives 3 and -2.5 gives -2.
    static int roundHalfUp(float v);
};

namespace MapArea {

// A view point inside the layer's square around the view's middle, edges excluded.
bool isInside(const QPointF& view, int boundWidth, int boundHeight);
// A view point so near an edge that the map recentres: x < 20, y < 30 (clear of the
// indicator strip), or within 19 pixels of the right or bottom edge.
bool atMargin(const QPoint& view, int boundWidth, int boundHeight);

// The cursor's step in half-metres for a key step in pixels: never below 2.
int cursorStep(int step, float ratio);
// The movement of a map point for the key "up", "down", "left" or "right" by d, such that on
// a map turned by heading degrees it moves that way on the screen. Other keys do not move.
QPointF screenMove(const QString& key, int d, qreal heading);

}  // namespace MapArea
