#pragma once

#include "link/kboot.h"
#include "link/kvl_frame.h"
#include "link/link_state.h"
#include "platform/spi_bus.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

// The radio link's lowest layer: builds and writes sbus packets with the transmit handshake,
// reads bursts of packets while the module's receive-ready line is set, reassembles them and
// sorts them into sonar frames, module replies and boat replies.
//
// Only the reading thread touches the bus: the command routines queue their command, and the
// reading loop writes it once its pause has passed, polling meanwhile, so no caller ever waits
// for the radio. Received frames queue up for the GUI thread; what the replies tell goes into
// the device's LinkState.
class SpiDevice {
public:
    explicit SpiDevice(std::unique_ptr<SpiBus> bus = SpiBus::create());

    // Opens and configures the devices (SPI mode 0, 8 bits, 4 MHz), chip select idle.
    void spiDeviceInit();

    // --- Commands (any thread): each queues its packet for the reading loop ----------------
    void ss_bind_cmd_tst();
    void ss_askRadioRssi_tst();
    void ss_askSnrInfo_tst();
    void ss_compassCali_tst();
    void ss_sysReset_tst();
    void ss_snrHello_tst();
    void ss_snrCfg_tst(const QByteArray& bytes);       // configuration text + checksum byte
    void ss_wr_aplnk_tst(const QByteArray& sentence);  // autopilot sentence, Latin-1
    void ss_wr_updatePkg_Ap(const uint8_t* kboot, int len);
    void ss_wr_updatePkg_Snr(const uint8_t* kboot, int len);
    void KBootEncPkg_Ap(const KBootTxPkgT& pkg);
    void KBootEncPkg_Snr(const KBootTxPkgT& pkg);
    void ss_wr_updateHB_Ap();
    void ss_wr_updateHB_Snr();
    void ss_wr_updateSTX_Ap(uint32_t size, uint8_t x);
    void ss_wr_updateSTX_Snr(uint32_t size, uint8_t x);
    void ss_wr_updateFM_Ap(uint16_t index, const uint8_t* block);
    void ss_wr_updateFM_Snr(uint16_t index, const uint8_t* block);

    // Builds one packet with the next packet index; returns its length (0: nothing built).
    int sbus_cmd_pkg(uint8_t* out, uint8_t cmd, const uint8_t* data, uint8_t len, int device);
    // Writes a built packet with the transmit handshake.
    void spiWrite(const uint8_t* buf, int len);
    // Commands not yet on the wire, the one being written included.
    int queuedCommands() const;
    static constexpr int kCommandQueueLimit = 256;

    // --- Reading (worker thread) -------------------------------------------------------------
    bool checkSpiRxFlag();
    // One pass of the reading loop: the next queued command when its pause has passed, a burst
    // if the module has data, then chip select idle.
    void pollOnce();
    // Sorts one reassembled payload by its packet type (public for the parser's tests).
    void dispatch(uint8_t type, const uint8_t* payload, int len, int lastHeaderLength);

    static bool KBootDecPkg_Ap(const uint8_t* bytes, int count, KBootRxPkgT& out);
    static bool KBootDecPkg_Snr(const uint8_t* bytes, int count, KBootRxPkgT& out);

    // --- Hand-over ----------------------------------------------------------------------------
    // Valid frames wait here, oldest first, until the GUI thread takes them; beyond the limit
    // the oldest goes.
    bool haveNewFrame() const;
    // The oldest waiting frame, or the zero frame when none waits.
    kvl_w takeFrame();
    // Every waiting frame, oldest first.
    QVector<kvl_w> takeFrames();
    QString takeLastMessage();
    static constexpr int kFrameQueueLimit = 256;

    int requestedBlockIndex() const { return m_reqIndex.load(); }
    void clearRequestedBlockIndex() { m_reqIndex = -1; }
    std::atomic<int> heartbeatMiss{0};

    // Pauses of the link timing, shortened by tests.
    struct StructPacing {
        int commandPauseMs = 50;  // before each command
        int afterWriteMs = 5;     // after each write
        int packetPauseMs = 50;   // after each packet of a burst
    };
    void setPacing(const StructPacing& p) {
        m_commandPauseMs = p.commandPauseMs;
        m_afterWriteMs = p.afterWriteMs;
        m_packetPauseMs = p.packetPauseMs;
    }

    // What the replies have told so far.
    LinkState& state() { return m_state; }
    const LinkState& state() const { return m_state; }

    static constexpr int kSyncBudget = 200;
    static constexpr int kRateWindowSeconds = 4;

private:
    struct StructCommand {
        uint8_t cmd = 0;
        int device = 0;
        QByteArray data;
    };
    using Clock = std::chrono::steady_clock;

    void sendCommand(uint8_t cmd, const uint8_t* data, uint8_t len, int device);
    void writeDueCommand();
    void writePacket(const uint8_t* buf, int len);
    void spiRead();
    bool readByte(uint8_t& b);
    void onSonarFrame(const uint8_t* payload, int len);
    void onRadioReply(const uint8_t* payload, int len);
    void onBoatReply(const uint8_t* payload, int len, int lastHeaderLength);
    void onApChannel(const uint8_t* payload, int len);
    void onApSentence(const QString& sentence);
    void onKBoot(const KBootRxPkgT& pkg);

    std::unique_ptr<SpiBus> m_bus;
    std::mutex m_busMutex;
    // Read by both threads; a test may change them while the reader runs.
    std::atomic<int> m_commandPauseMs{StructPacing().commandPauseMs};
    std::atomic<int> m_afterWriteMs{StructPacing().afterWriteMs};
    std::atomic<int> m_packetPauseMs{StructPacing().packetPauseMs};

    mutable std::mutex m_commandMutex;
    std::deque<StructCommand> m_commands;
    bool m_writing = false;           // the head was taken off and is not yet written
    Clock::time_point m_nextWriteAt;  // when the head command may go out
    uint8_t m_packetIndex = 0;        // written under m_busMutex

    mutable std::mutex m_frameMutex;
    std::deque<kvl_w> m_frames;
    QString m_lastMessage;
    std::atomic<int> m_reqIndex{-1};
    LinkState m_state;

    // Frame-rate window (reading thread only).
    long m_windowStart = 0;
    int m_windowCount = 0;
};
