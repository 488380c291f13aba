#pragma once

#include <QList>
#include <QPoint>

// One point of the boat's track: where it was (relative half-metres) and the depth measured
// there. The map colours it by depth on the colour bar of the moment.
struct StructTrackInfo {
    QPoint point;
    float depth = 0.0f;
};

// The boat's track, oldest point first, bounded so that a long day on the water neither runs
// out of memory nor slows the map down: the oldest point goes when the list is full.
class TrackList {
public:
    static constexpr int kMaxPoints = 5000;

    void append(const StructTrackInfo& point);
    // "Clear Map": only the newest point stays, so the track goes on from where the boat is.
    void keepLast();
    void clear() { m_points.clear(); }

    bool isEmpty() const { return m_points.isEmpty(); }
    int size() const { return m_points.size(); }
    const StructTrackInfo& at(int i) const { return m_points.at(i); }
    const StructTrackInfo& last() const { return m_points.last(); }
    const QList<StructTrackInfo>& points() const { return m_points; }

private:
    QList<StructTrackInfo> m_points;
};
