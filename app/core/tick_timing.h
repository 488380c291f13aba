#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QString>
#include <vector>

// Off unless asked for: the main tick's timing.
Q_DECLARE_LOGGING_CATEGORY(lcTick)

// The wall time of each main tick, or of each paint of the screen, kept only while the logging
// category korvel.tick is on at info level (QT_LOGGING_RULES="korvel.tick.info=true"); the
// program end logs the median and the slowest. Off, a tick costs one test of a flag. A rough
// figure for a slow board: the same build under emulation gives an upper bound.
class TickTiming {
public:
    // noun: what is timed, in the plural ("ticks", "paints").
    explicit TickTiming(const QString& noun = QStringLiteral("ticks"));
    bool enabled() const { return m_enabled; }
    void begin();
    void end();
    void add(qint64 nsecs);
    // Times one tick, whichever way it returns.
    struct Scope {
        explicit Scope(TickTiming& t) : timing(t) { timing.begin(); }
        ~Scope() { timing.end(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        TickTiming& timing;
    };
    // "N ticks, median M ms, slowest S ms" (ms with two decimals); "no ticks" before the first.
    QString summary() const;
    // Logs "<title>: <summary>" when the event loop ends, if enabled and context (the owner of
    // this timing; the application by default) is still there.
    void logAtEnd(const QString& title, const QObject* context = nullptr);

private:
    static constexpr size_t kMaxSamples = 1 << 16;  // over two hours of ticks
    QString m_noun;
    bool m_enabled = false;
    QElapsedTimer m_clock;
    std::vector<qint64> m_nsecs;
};
