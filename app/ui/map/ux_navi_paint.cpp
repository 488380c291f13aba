#include "base/global.h"
#include "navi/geodesy.h"
#include "navi/map_thinning.h"
#include "ui/kit/item_info.h"
#include "ui/map/item_boat.h"
#include "ui/map/item_map_symbols.h"
#include "ui/map/item_navi.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"

#include <QGraphicsLineItem>
#include <QPainter>
#include <cstdlib>

// Drawing the map layer: the full repaint, the incremental step after a new track point, and
// placing the symbols.

namespace {

constexpr int kCourseWidth = 3;
constexpr int kNewSegmentPixels = 5;  // the incremental step's own, finer threshold

// Square ends and bevelled corners: round ones cost more than the rest of a repaint.
QPen linePen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// Segments that follow on from each other in one colour go out as one polyline.
void drawSegments(QPainter& p, const QVector<StructSegment>& segments, qreal width,
                  const std::function<QColor(int)>& colourOf) {
    QPolygon run;
    QColor runColour;
    const auto flush = [&] {
        if (run.size() < 2) return;
        p.setPen(linePen(runColour, width));
        p.drawPolyline(run);
    };
    for (const StructSegment& s : segments) {
        const QColor c = colourOf(s.index);
        if (run.isEmpty() || run.last() != s.from || c != runColour) {
            flush();
            run.clear();
            run << s.from;
            runColour = c;
        }
        run << s.to;
    }
    flush();
}

}  // namespace

QPointF UxNavi::toView(const QPointF& layerPoint) const {
    return m_layer->mapToParent(layerPoint);
}

void UxNavi::track_repaint() {
    QImage& image = m_layer->layer();
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintLines(p);
        paintTrack(p);
    }
    depthMap_follow();
    placeItems();
    m_layer->update();
}

void UxNavi::paintLines(QPainter& p) {
    const QTransform toViewT = m_layer->itemTransform(m_navi);
    const QPoint half(MapMapping::kHalfLayer, MapMapping::kHalfLayer);
    const auto inside = [&](const QPoint& s) {
        return MapArea::isInside(toViewT.map(QPointF(s - half)), m_width, m_height);
    };
    QVector<QPoint> screen;
    const QList<StructRouteInfo>& route = m_content->route();
    screen.reserve(route.size());
    for (const StructRouteInfo& r : route)
        screen.append(m_map.getAfterOffsetPoint(r.point));
    for (const StructSegment& s :
         MapThinning::thin(screen, MapThinning::kCourse, inside).segments) {
        p.setPen(linePen(depthColour(route.at(s.index).depth), kCourseWidth));
        p.drawLine(s.from, s.to);
    }
    for (const StructKmlInfo& kml : m_content->outlines()) {
        screen.clear();
        for (const QPoint& point : kml.points)
            screen.append(m_map.getAfterOffsetPoint(point));
        p.setPen(linePen(QColor(kml.color), kml.width.toDouble()));
        for (const StructSegment& s :
             MapThinning::thin(screen, MapThinning::kOutline, inside).segments)
            p.drawLine(s.from, s.to);
    }
    QPoint previous;
    for (int i = 0; i < m_multiTarget.size(); ++i) {
        const QPoint s = m_map.getAfterOffsetPoint(m_multiTarget.at(i));
        if (i > 0) {
            p.setPen(linePen(Qt::red, 1));
            p.drawLine(previous, s);
        }
        p.setPen(linePen(Qt::red, 2));
        p.drawPoint(s);
        previous = s;
    }
}

void UxNavi::paintTrack(QPainter& p) {
    const QTransform toViewT = m_layer->itemTransform(m_navi);
    const QPoint half(MapMapping::kHalfLayer, MapMapping::kHalfLayer);
    const TrackList& track = m_content->track();
    const int count = track.size() - (m_holdNewest && !track.isEmpty() ? 1 : 0);
    QVector<QPoint> screen;
    screen.reserve(count);
    for (int i = 0; i < count; ++i)
        screen.append(m_map.getAfterOffsetPoint(track.at(i).point));
    const StructThinResult thin =
        MapThinning::thin(screen, MapThinning::kTrack, [&](const QPoint& s) {
            return MapArea::isInside(toViewT.map(QPointF(s - half)), m_width, m_height);
        });
    drawSegments(p, thin.segments, m_lineWidth,
                 [&](int i) { return depthColour(track.at(i).depth); });
    m_segments = thin.segments.size();
    m_info->setSegmentCount(m_segments);
    m_lastPointTrack =
        count == 0 ? m_map.getAfterOffsetPoint(m_content->outlineStart()) : thin.last;
}

void UxNavi::track_paint() {
    placeItems();
    const QPoint boat = m_map.getAfterOffsetPoint(track_getCurrentRelativeCoor());
    const QPoint d = boat - m_lastPointTrack;
    if (m_content->track().size() < 2) {
        m_lastPointTrack = boat;  // a first point has nothing to join
    } else if (std::abs(d.x()) > kNewSegmentPixels || std::abs(d.y()) > kNewSegmentPixels) {
        QPainter p(&m_layer->layer());
        p.setPen(linePen(depthColour(m_content->track().last().depth), m_lineWidth));
        p.drawLine(m_lastPointTrack, boat);
        // Only the new segment's square is shown again: the layers under it are not blended
        // anew across the whole map for a few pixels of line.
        const int pad = m_lineWidth + 2;
        const QRect segment =
            QRect(m_lastPointTrack, boat).normalized().adjusted(-pad, -pad, pad, pad);
        m_lastPointTrack = boat;
        m_info->setSegmentCount(++m_segments);
        m_layer->update(
            QRectF(segment).translated(-MapMapping::kHalfLayer, -MapMapping::kHalfLayer));
    }
    if (!m_selecting && MapArea::atMargin(toView(m_boat->pos()).toPoint(), m_width, m_height))
        boat_resetToCenter();
}

void UxNavi::placeItems() {
    const QPoint boatCoor = track_getCurrentRelativeCoor();
    const QPoint boat = m_map.layerPoint(boatCoor);
    m_boat->setPos(boat);
    if (target_haveSet()) placeTarget(boat, boatCoor);
    if (home_haveSet()) {
        m_homeDst = Global::calc_pixDst(m_home, boatCoor);
        m_homeItem->setPos(m_map.layerPoint(m_home));
    }
    if (m_selecting) m_cursorItem->setPos(m_map.layerPoint(m_cursor));
}

void UxNavi::placeTarget(const QPoint& boat, const QPointF& boatCoor) {
    const QPoint target = m_map.layerPoint(m_target);
    m_targetItem->setPos(target);
    m_targetDstValue = Global::calc_pixDst(m_target, boatCoor);
    m_targetDst->setText(Global::getString_dstValue(m_targetDstValue, 1, false) +
                         Global::getString_dstUnit());
    m_targetDst->setPos(boat);
    m_targetDirValue = Global::calc_pixDir(boat, target);
    m_targetDir->setPos(boat);
    m_targetDir->setRotation(m_targetDirValue);
    m_targetLine->setLine(QLineF(boat, target));
}
