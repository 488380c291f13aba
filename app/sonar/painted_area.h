#pragma once

#include <QRegion>

// An item over the echogram that paints only parts of its bounding rectangle (read-outs cut to
// their digits, a scale's ticks and labels). Where it paints nothing the picture under it can
// be painted as it will be seen: a dimmed echogram is dimmed there at its source.
class PaintedArea {
public:
    virtual ~PaintedArea() = default;
    // Where the next paint will paint, in item coordinates.
    virtual QRegion paintedArea() = 0;
};
