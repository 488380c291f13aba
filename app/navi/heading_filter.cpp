#include "navi/heading_filter.h"

#include <cstdlib>

namespace {
int limitStep(int last, int now) {
    if (now - last > HeadingFilter::kMaxStep) return last + HeadingFilter::kMaxStep;
    if (last - now > HeadingFilter::kMaxStep) return last - HeadingFilter::kMaxStep;
    return now;
}
}  // namespace

int HeadingFilter::update(int target) {
    if (!m_started) {
        m_last = target;
        m_started = true;
    }
    int now = target;
    const int d = now - m_last;
    if (std::abs(d) <= kDeadBand) {
        now = m_last;
    } else if (std::abs(d) <= 180) {
        now = limitStep(m_last, now);
    } else {
        m_last += m_last < now ? 360 : -360;
        now = limitStep(m_last, now);
    }
    m_last = now;
    return now;
}
