#include "core/tick_timing.h"

#include <QCoreApplication>
#include <algorithm>

Q_LOGGING_CATEGORY(lcTick, "korvel.tick", QtWarningMsg)

TickTiming::TickTiming(const QString& noun) : m_noun(noun), m_enabled(lcTick().isInfoEnabled()) {}

void TickTiming::logAtEnd(const QString& title, const QObject* context) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!m_enabled || !app) return;
    QObject::connect(app, &QCoreApplication::aboutToQuit, context ? context : app,
                     [this, title] { qCInfo(lcTick).noquote() << title + ':' << summary(); });
}

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
    if (m_nsecs.empty()) return QStringLiteral("no ") + m_noun;
    std::vector<qint64> sorted = m_nsecs;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    const double median = n % 2 ? double(sorted[n / 2]) : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
    const auto ms = [](double nsecs) { return QString::number(nsecs / 1e6, 'f', 2); };
    return QStringLiteral("%1 %2, median %3 ms, slowest %4 ms")
        .arg(n)
        .arg(m_noun, ms(median), ms(double(sorted.back())));
}
