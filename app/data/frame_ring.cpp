#include "data/frame_ring.h"

#include <algorithm>

FrameRing::FrameRing(int capacity) : m_capacity(std::max(1, capacity)) {}

void FrameRing::push(const kvl_w& frame) {
    if (size() < m_capacity) {
        m_frames.push_back(frame);
    } else {
        m_frames[size_t(m_next % m_capacity)] = frame;
    }
    ++m_next;
}

void FrameRing::clear() {
    m_frames.clear();
    m_next = 0;
}

const kvl_w& FrameRing::at(qint64 serial) const {
    if (!has(serial)) return m_zero;
    return m_frames[size_t(serial % m_capacity)];
}
