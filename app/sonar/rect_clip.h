#pragma once

#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QRegion>

// An item's paint clipped to its box while it is in scope, but only where that is worth it:
// a blit under a clip of several rectangles goes span by span, under one rectangle row by row.
// A repaint of one rectangle (most are: the echogram's strip) is left as it is, which saves
// the painter's save, clip and restore for each item.
class RectClip {
public:
    RectClip(QPainter* painter, const QRectF& box, bool always = false) : m_painter(painter) {
        const QPaintEngine* engine = painter->paintEngine();
        m_clipped = always || (engine && engine->systemClip().rectCount() > 1);
        if (!m_clipped) return;
        painter->save();
        painter->setClipRect(box, Qt::IntersectClip);
    }
    ~RectClip() {
        if (m_clipped) m_painter->restore();
    }
    RectClip(const RectClip&) = delete;
    RectClip& operator=(const RectClip&) = delete;

private:
    QPainter* m_painter;
    bool m_clipped;
};
