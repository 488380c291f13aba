#pragma once

// The wait for the boat's acknowledgement of a command, counted in main ticks. A step is
// taken every 5th tick (625 ms). From step 3 to step 20 each step finds the acknowledgement
// flag set, which is judged a success at once, or clear, which asks for the command to be sent
// again; a flag still clear at step 20 is a failure. After step 25 the wait is over.
class FeedbackWait {
public:
    // TodoThenFail: the last repeat goes out and the wait is judged a failure.
    enum class EnumEvent { None, Todo, Success, TodoThenFail, Hide };

    static constexpr int kTicksPerStep = 5;
    static constexpr int kFirstRepeatStep = 3;
    static constexpr int kResultStep = 20;
    static constexpr int kLastStep = 25;

    // Starts a new wait from step 0, dropping any wait in progress.
    void start();
    // Ends the wait without a result.
    void stop();
    // One main tick. flagSet is the acknowledgement flag as it stands now.
    EnumEvent tick(bool flagSet);

    bool active() const { return m_active; }
    // True once the result has been given (the progress is at its maximum).
    bool judged() const { return m_step >= kResultStep; }
    int step() const { return m_step; }

private:
    bool m_active = false;
    int m_ticks = 0;
    int m_step = 0;
};
