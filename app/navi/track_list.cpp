#include "navi/track_list.h"

void TrackList::append(const StructTrackInfo& point) {
    while (m_points.size() >= kMaxPoints)
        m_points.removeFirst();
    m_points.append(point);
}

void TrackList::keepLast() {
    if (m_points.size() > 1) m_points.erase(m_points.begin(), m_points.end() - 1);
}
