#include "core/tick_timing.h"

#include <algorithm>

Q_LOGGING_CATEGORY(lcTick, "korvel.tick", QtWarningMsg)

TickTiming::TickTiming() : m_enabled(lcTick().isInfoEnabled()) {}

void TickTiming::begin() {
    if (m_enabled) m_clock.start();
}

void TickTiming::end() {
    if (m_enabled && m_clock.isValid()) add(m_clock.nsecsElapsed());
}

void TickTiming::add(qint64 nsecs) {
    if (m_nsecs.size() < kMaxSamples) m_nsecs.push_back(nsecs);
}

QString TickTiming::summary() const {
    if (m_nsecs.empty()) return QStringLiteral("no ticks");
    std::vector<qint64> sorted = m_nsecs;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    const double median = n % 2 ? double(sorted[n / 2]) : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
    const auto ms = [](double nsecs) { return QString::number(nsecs / 1e6, 'f', 2); };
    return QStringLiteral("%1 ticks, median %2 ms, slowest %3 ms")
        .arg(n)
        .arg(ms(median), ms(double(sorted.back())));
}
