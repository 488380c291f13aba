#pragma once

// Follows the boat compass calibration the user started: the progress to show and the end.
// A sonar box with firmware from 123 on reports its result (1 success, 2 failure, 3 storage
// failure), which is polled every 300 ms, at most 119 times; an older one reports nothing,
// so the progress simply runs to its end, a step every 250 ms. Driven by a timer, one step()
// per interval.
class BoatCompassCali {
public:
    static constexpr int kMaximum = 120;
    static constexpr int kFirstReportingFirmware = 123;
    static constexpr int kBlindStepMs = 250;
    static constexpr int kPollMs = 300;
    static constexpr int kPolls = 119;
    static constexpr int kProgressPolls = 90;

    enum class EnumEnd {
        Running,
        Done,        // an older box: the time it needs has passed
        Success,     // the box reported success
        Fail,        // "601"
        FlashError,  // "602"
        Timeout,     // "604"
    };

    struct StructStep {
        int progress = -1;  // the value to show, -1: unchanged
        EnumEnd end = EnumEnd::Running;
    };

    void start(int firmware);
    void stop() { m_running = false; }
    bool running() const { return m_running; }
    // The wait before the next step.
    int intervalMs() const { return m_reporting ? kPollMs : kBlindStepMs; }
    // One step; report is the calibration result the boat has sent (0: none yet).
    StructStep step(int report);

private:
    bool m_running = false;
    bool m_reporting = false;
    int m_step = 0;
};
