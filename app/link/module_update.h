#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// What a module's firmware update needs from the link. The controller implements it over the
// data source; the tests over a script.
class ModuleUpdateLink {
public:
    virtual ~ModuleUpdateLink() = default;
    // The module restarts into its loader (the sonar box's reset command, the autopilot's
    // "$HMRST" sentence).
    virtual void sendReset() = 0;
    virtual void sendHeartbeat() = 0;
    virtual void sendStart(uint32_t imageSize, uint8_t imageXor) = 0;
    virtual void sendBlock(uint16_t index, const uint8_t* block) = 0;
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
    int title = 78;
    int text = 0;
    QString detail;
    int progress = 0;
    bool button = false;
    bool hidden = false;
};

// The waits between the steps of an update, shortened by tests.
struct StructUpdateTiming {
    int syncWaitMs = 200;
    int idleWaitMs = 10;
};

// Which module an update is for: block size, the dialog's step codes (the first of eight) and
// texts.
struct StructUpdateProfile {
    int blockSize = 128;
    int firstCode = 201;  // 201..208 for the sonar box, 209..216 for the autopilot
    int textTitle = 78;
    int textConnected = 177;
    int textDisconnected = 178;

    static StructUpdateProfile sonar() { return {128, 201, 78, 177, 178}; }
    static StructUpdateProfile autopilot() { return {48, 209, 79, 179, 180}; }
};

// The firmware update of a boat module as a state machine. Each step() does one piece of work
// and returns how long the caller should wait before the next step.
//   sync:     heartbeat, 200 ms, reset again (not on every 5th attempt); 51 attempts at most
//   start:    the start message until the loader asks for a block
//   transfer: send each block asked for; while none is asked for, heartbeats keep the link
//             checked, the last block goes again every 50 idle counts, and 1000 idle counts
//             end it
class ModuleUpdate {
public:
    enum class State { Begin, Sync, Start, Transfer, Succeeded, Failed };

    using StructTiming = StructUpdateTiming;

    static constexpr int kSyncAttempts = 51;
    static constexpr int kResendEvery = 50;
    static constexpr int kIdleShowCount = 100;
    static constexpr int kIdleLimit = 1000;
    // A loader that answers heartbeats but never asks for a block would hold the start step
    // for ever: it gives up after this many start messages.
    static constexpr int kStartLimit = 200;

    // Text indices of the dialog that both modules share.
    enum : int {
        kTextCancelled = 176,
        kTextWaitSync = 181,
        kTextUpdating = 182,
        kTextWaitRequest = 183,
        kTextNoRequest = 184,
        kTextFailed = 185,
    };

    ModuleUpdate(const QByteArray& image, ModuleUpdateLink& link,
                 StructUpdateProfile profile = StructUpdateProfile::sonar(),
                 StructTiming timing = StructTiming());

    int step();
    State state() const { return m_state; }
    bool finished() const { return m_state == State::Succeeded || m_state == State::Failed; }
    const StructUpdateView& view() const { return m_view; }
    int blockCount() const { return m_blocks; }
    uint8_t imageXor() const { return m_xor; }
    const StructUpdateProfile& profile() const { return m_profile; }
    int syncAttempts() const { return m_attempts; }
    int blocksSent() const { return m_blocksSent; }

    // Block index of the image (blockSize bytes), padded with 0xFF beyond its end.
    void blockBytes(int index, uint8_t* out) const;

private:
    int stepSync();
    int stepStart();
    int stepTransfer();
    void sendBlock(int index);
    // step: 0..7, the module's first code + step is shown; -1 keeps the code.
    void fail(int step, int text);
    void setView(int step, int text, const QString& detail = QString());

    QByteArray m_image;
    ModuleUpdateLink& m_link;
    StructUpdateProfile m_profile;
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
