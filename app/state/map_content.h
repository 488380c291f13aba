#pragma once

#include "navi/course_points.h"
#include "navi/struct_kml_info.h"
#include "navi/track_list.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QVector>

// What the map shows under its symbols, in relative half-metres: the boat's track with the
// depth of each point, the course on show and the outlines read from KML. The boat's point,
// from which the navigation measures, is the track's last point. The map only draws this.
class MapContent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // paint: draw the new point at once (the first fix of a run only places the boat).
    void appendTrack(const QPoint& point, float depth, bool paint = false);
    // The whole track at once, oldest first (beyond the bound only the newest are kept); the
    // map is drawn again.
    void replaceTrack(const QVector<StructTrackInfo>& points);
    const TrackList& track() const { return m_track; }
    bool boatKnown() const { return !m_track.isEmpty(); }
    // The last track point; without a track outlineStart().
    QPoint boatPoint() const;
    // The first outline point; without outlines (0, 0).
    QPoint outlineStart() const;
    // "Clear Map": the track goes on from the boat's point; the course goes, and the outlines
    // too except in the simulator, whose lake they draw.
    void clearMap();

    // The course's points as given; those kept are turned into relative points.
    void setRoute(const QList<StructRouteInfo>& points);
    void clearRoute();
    const QList<StructRouteInfo>& route() const { return m_route; }

    // Outlines already read, their points relative.
    void setOutlines(const QList<StructKmlInfo>& outlines);
    void clearOutlines();
    const QList<StructKmlInfo>& outlines() const { return m_outlines; }

signals:
    void trackAppended(float depth, bool paint);
    // deepest: the deepest point of the course as given, for the colour bar's range.
    void routeSet(float deepest);
    void cleared();
    // The course went or the outlines changed: a full repaint.
    void changed();

private:
    TrackList m_track;
    QList<StructRouteInfo> m_route;
    QList<StructKmlInfo> m_outlines;
};
