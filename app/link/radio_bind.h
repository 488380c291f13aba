#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class UxData;

// What the progress dialog shows during binding: the step code, the text index, the bar and
// whether the button is offered.
struct StructBindView {
    QString code;
    int text = 0;
    int progress = 0;
    bool button = false;
};

// Pairs the handset's radio module with a boat's: waits until the boat has been silent for
// about three seconds (the user switched its unit off), then sends the bind command until the
// module acknowledges and waits for the pairing (the user switches the boat's unit on). Escape
// cancels at every waiting step. Timer-driven, so the main tick keeps counting the silence in
// the first step; from the first bind command on the tick is stopped (signal_tickStop) until
// the end (signal_finished).
class RadioBind : public QObject {
    Q_OBJECT
public:
    explicit RadioBind(UxData& data, QObject* parent = nullptr);

    // False while a binding runs.
    bool start();
    void cancel();
    bool running() const { return m_state != State::Idle; }

    static constexpr int kPollMs = 100;

    // Text indices of the dialog.
    enum : int {
        kTextPowerOffFirst = 171,
        kTextPowerOn = 172,
        kTextNoAnswer = 173,
        kTextCancelled = 174,
        kTextBound = 175,
    };

signals:
    void signal_view(StructBindView view);
    void signal_tickStop();
    void signal_finished(bool bound);

private:
    enum class State { Idle, WaitSilence, WaitAck, WaitPairing, Progress };

    void step();
    void end(bool bound);
    void show(const char* code, int text);

    UxData& m_data;
    State m_state = State::Idle;
    StructBindView m_view;
    bool m_cancelled = false;
    QTimer m_timer;
};
