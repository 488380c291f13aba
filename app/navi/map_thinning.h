#pragma once

#include <QPoint>
#include <QVector>
#include <functional>

// How the full repaint thins a long line of map points: the expensive inside test runs only on
// every few points, and a segment is drawn only once it has grown past a few pixels, so that
// thousands of close points become a handful of segments.
struct StructThinRule {
    int testEvery;   // the inside test on every n-th index; the state holds in between
    int threshold;   // draw once the point is more than this many pixels away in x or y
    int alwaysLast;  // the newest points that are drawn whatever the inside test says
};

struct StructSegment {
    QPoint from;
    QPoint to;
    int index;  // the point the segment ends at; it gives the colour
};

struct StructThinResult {
    QVector<StructSegment> segments;
    QPoint last;  // where the next segment would start: the last drawn point
};

namespace MapThinning {

constexpr StructThinRule kCourse{5, 10, 0};
constexpr StructThinRule kTrack{5, 10, 10};
constexpr StructThinRule kOutline{2, 5, 0};

// The segments to draw along points (layer pixels). A point whose test says outside only
// moves the starting point, so the line picks up from there when it comes back.
StructThinResult thin(const QVector<QPoint>& points, const StructThinRule& rule,
                      const std::function<bool(const QPoint&)>& inside);

}  // namespace MapThinning
