#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// What the sonar box's firmware update needs from the link. The controller implements it over
// the data source; the tests over a script.
class SonarUpdateLink {
public:
    virtual ~SonarUpdateLink() = default;
    virtual void sendReset() = 0;
    virtual void sendHeartbeat() = 0;
    virtual void sendStart(uint32_t imageSize, uint8_t imageXor) = 0;
    virtual void sendBlock(uint16_t index, const uint8_t* block128) = 0;
    // Starts the 1 s heartbeat timer unless it already runs.
    virtual void startHeartbeatTimer() = 0;
    virtual void stopHeartbeatTimer() = 0;
    virtual void clearHeartbeatMisses() = 0;
    // The block the box asks for, -1 when none.
    virtual int requestedIndex() = 0;
    virtual void clearRequest() = 0;
    // Clears the four flags below.
    virtual void clearFlags() = 0;
    virtual bool comAck() = 0;  // the loader answers heartbeats
    virtual bool fmAck() = 0;   // the loader asked for a block
    virtual bool fmOk() = 0;    // the loader reported success
    virtual bool fmFail() = 0;  // the loader reported failure
};

// What the progress dialog shows: title code (before text 78), text index with an optional
// second line, progress value, and whether the button is offered.
struct StructUpdateView {
    QString code;
    int text = 0;
    QString detail;
    int progress = 0;
    bool button = false;
    bool hidden = false;
};

// The firmware update of the sonar box as a state machine. Each step() does one piece of work
// and returns how long the caller should let the event loop run before the next step.
//   sync:     heartbeat, 200 ms, reset again (not on every 5th attempt); 51 attempts at most
//   start:    the start message until the loader asks for a block
//   transfer: send each block asked for; while none is asked for, heartbeats keep the link
//             checked, the last block goes again every 50 idle counts, and 1000 idle counts
//             end it
class SonarUpdate {
public:
    enum class State { Begin, Sync, Start, Transfer, Succeeded, Failed };

    struct StructTiming {
        int syncWaitMs = 200;
        int idleWaitMs = 10;
    };

    static constexpr int kBlockSize = 128;
    static constexpr int kSyncAttempts = 51;
    static constexpr int kResendEvery = 50;
    static constexpr int kIdleShowCount = 100;
    static constexpr int kIdleLimit = 1000;
    // A loader that answers heartbeats but never asks for a block would hold the start step
    // for ever: it gives up after this many start messages.
    static constexpr int kStartLimit = 200;

    // Text indices of the dialog.
    enum : int {
        kTextTitle = 78,
        kTextCancelled = 176,
        kTextConnected = 177,
        kTextDisconnected = 178,
        kTextWaitSync = 181,
        kTextUpdating = 182,
        kTextWaitRequest = 183,
        kTextNoRequest = 184,
        kTextFailed = 185,
    };

    SonarUpdate(const QByteArray& image, SonarUpdateLink& link)
        : SonarUpdate(image, link, StructTiming()) {}
    SonarUpdate(const QByteArray& image, SonarUpdateLink& link, StructTiming timing);

    int step();
    State state() const { return m_state; }
    bool finished() const { return m_state == State::Succeeded || m_state == State::Failed; }
    const StructUpdateView& view() const { return m_view; }
    int blockCount() const { return m_blocks; }
    uint8_t imageXor() const { return m_xor; }
    int syncAttempts() const { return m_attempts; }
    int blocksSent() const { return m_blocksSent; }

    // Block index of the image, padded with 0xFF beyond its end.
    void blockBytes(int index, uint8_t* out128) const;

private:
    int stepSync();
    int stepStart();
    int stepTransfer();
    void sendBlock(int index);
    void fail(const char* code, int text);
    void setView(const char* code, int text, const QString& detail = QString());

    QByteArray m_image;
    SonarUpdateLink& m_link;
    StructTiming m_timing;
    State m_state = State::Begin;
    StructUpdateView m_view;
    int m_blocks = 0;
    uint8_t m_xor = 0;
    int m_attempts = 0;
    bool m_syncWaited = false;
    int m_starts = 0;
    int m_last = 0;
    int m_idle = 0;
    int m_blocksSent = 0;
};
