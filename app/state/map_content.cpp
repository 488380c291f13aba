#include "state/map_content.h"

#include <algorithm>

#include "base/global.h"

void MapContent::appendTrack(const QPoint& point, float depth, bool paint) {
    m_track.append({point, depth});
    emit trackAppended(depth, paint);
}

void MapContent::replaceTrack(const QVector<StructTrackInfo>& points) {
    m_track.clear();
    for (int i = std::max(0, int(points.size()) - TrackList::kMaxPoints); i < points.size(); ++i)
        m_track.append(points[i]);
    emit changed();
}

QPoint MapContent::boatPoint() const {
    return m_track.isEmpty() ? outlineStart() : m_track.last().point;
}

QPoint MapContent::outlineStart() const {
    if (!m_outlines.isEmpty() && !m_outlines.first().points.isEmpty())
        return m_outlines.first().points.first();
    return QPoint(0, 0);
}

void MapContent::clearMap() {
    m_track.keepLast();
    m_route.clear();
    if (!Global::configuration.simulator) m_outlines.clear();
    emit cleared();
}

void MapContent::setRoute(const QList<StructRouteInfo>& points) {
    m_route = CoursePoints::convertAndKeep(points);
    emit routeSet(CoursePoints::maxDepth(points));
}

void MapContent::clearRoute() {
    m_route.clear();
    emit changed();
}

void MapContent::setOutlines(const QList<StructKmlInfo>& outlines) {
    m_outlines = outlines;
    emit changed();
}

void MapContent::clearOutlines() {
    m_outlines.clear();
    emit changed();
}
