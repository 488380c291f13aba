#include "navi/map_thinning.h"

#include <cstdlib>

StructThinResult MapThinning::thin(const QVector<QPoint>& points, const StructThinRule& rule,
                                   const std::function<bool(const QPoint&)>& inside) {
    StructThinResult out;
    if (points.isEmpty()) return out;
    out.last = points.first();
    // Index 0 is a tested index too: the first point decides where the line starts drawing.
    bool drawing = inside(out.last);
    const int alwaysFrom = points.size() - rule.alwaysLast;
    for (int i = 1; i < points.size(); ++i) {
        const QPoint& s = points.at(i);
        if (i >= alwaysFrom)
            drawing = true;
        else if (i % rule.testEvery == 0)
            drawing = inside(s);
        if (!drawing) {
            out.last = s;
            continue;
        }
        if (std::abs(s.x() - out.last.x()) > rule.threshold ||
            std::abs(s.y() - out.last.y()) > rule.threshold) {
            out.segments.append({out.last, s, i});
            out.last = s;
        }
    }
    return out;
}
