#include "navi/track_list.h"

#include "navi/depth_color_bar.h"

void TrackList::append(const StructTrackInfo& point) {
    while (m_points.size() >= kMaxPoints)
        m_points.removeFirst();
    m_points.append(point);
}

void TrackList::keepLast() {
    if (m_points.size() > 1) m_points.erase(m_points.begin(), m_points.end() - 1);
}

void TrackList::recolour(const DepthColorBar& bar) {
    for (StructTrackInfo& p : m_points)
        p.colour = bar.colour(p.depth);
}
