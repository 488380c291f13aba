#pragma once

#include "link/kvl_frame.h"

#include <QtGlobal>
#include <vector>

// The newest frames up to a fixed count, each with its serial number (0 for the first frame
// ever taken, counting on without end), so a place in the history stays the same frame while
// newer ones arrive and the oldest go. Memory grows with the frames up to the bound, then stays.
class FrameRing {
public:
    explicit FrameRing(int capacity);

    void push(const kvl_w& frame);
    void clear();

    int capacity() const { return m_capacity; }
    int size() const { return int(m_frames.size()); }
    // The oldest frame kept and the newest; newest() < first() while empty.
    qint64 first() const { return m_next - size(); }
    qint64 newest() const { return m_next - 1; }
    bool has(qint64 serial) const { return serial >= first() && serial <= newest(); }
    // The frame of a serial number that has(); the zero frame otherwise.
    const kvl_w& at(qint64 serial) const;
    // The memory the frames take when the ring is full.
    qint64 boundBytes() const { return qint64(m_capacity) * qint64(sizeof(kvl_w)); }

private:
    int m_capacity;
    std::vector<kvl_w> m_frames;
    qint64 m_next = 0;
    kvl_w m_zero = kvl_w::zero();
};
