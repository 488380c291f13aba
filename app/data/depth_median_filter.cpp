#include "data/depth_median_filter.h"

#include <algorithm>

float DepthMedianFilter::push(float depth) {
    std::copy(m_window + 1, m_window + kWindow, m_window);
    m_window[kWindow - 1] = depth;
    if (m_count < kWindow) ++m_count;
    if (m_count < kWindow) return depth;
    float sorted[kWindow];
    std::copy(m_window, m_window + kWindow, sorted);
    std::sort(sorted, sorted + kWindow);
    return sorted[kWindow / 2];
}

void DepthMedianFilter::reset() {
    std::fill(m_window, m_window + kWindow, 0.0f);
    m_count = 0;
}
