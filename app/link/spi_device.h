#pragma once

#include "link/kboot.h"
#include "link/kvl_frame.h"
#include "platform/spi_bus.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

// The five fields of the autopilot's information sentence; the third is the task mode ("R"
// while it runs a task), the fourth the remote-control state.
struct ApInfo_t {
    QString field[5] = {QString(), QString(), QStringLiteral("F"), QStringLiteral("V"), QString()};
    QString taskMode() const { return field[2]; }
    QString rcState() const { return field[3]; }
};

// The local radio module's report; written by the reading thread, read by the screens.
struct RadioInfo_t {
    std::atomic<uint8_t> md{0};
    std::atomic<uint8_t> pwIdx{0};
    std::atomic<uint8_t> myRssi{0};
    std::atomic<uint8_t> hisRssi{0};
    std::atomic<uint8_t> ver{0};
};

// Version numbers reported by the boat.
struct SysInfo_t {
    std::atomic<uint16_t> app{0};
    std::atomic<uint16_t> radio{0};
    std::atomic<uint16_t> GPS{0};
    std::atomic<uint16_t> helmo{0};
};

// The radio link's lowest layer: builds and writes sbus packets with the transmit handshake,
// reads bursts of packets while the module's receive-ready line is set, reassembles them and
// sorts them into sonar frames, module replies and boat replies.
//
// The reading thread and the GUI thread share the bus: one mutex covers a whole write and a
// whole burst. The frame hand-over and the class-wide flags are atomic or locked.
class SpiDevice {
public:
    explicit SpiDevice(std::unique_ptr<SpiBus> bus = SpiBus::create());

    // Opens and configures the devices (SPI mode 0, 8 bits, 4 MHz), chip select idle.
    void spiDeviceInit();

    // --- Commands (GUI thread) ---------------------------------------------------------------
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
    static int sbus_cmd_pkg(uint8_t* out, uint8_t cmd, const uint8_t* data, uint8_t len,
                            int device);
    // Writes a built packet with the transmit handshake.
    void spiWrite(const uint8_t* buf, int len);

    // --- Reading (worker thread) -------------------------------------------------------------
    bool checkSpiRxFlag();
    // One pass of the reading loop: a burst if the module has data, then chip select idle.
    void pollOnce();
    // Sorts one reassembled payload by its packet type (public for the parser's tests).
    void dispatch(uint8_t type, const uint8_t* payload, int len, int lastHeaderLength);

    static bool KBootDecPkg_Ap(const uint8_t* bytes, int count, KBootRxPkgT& out);
    static bool KBootDecPkg_Snr(const uint8_t* bytes, int count, KBootRxPkgT& out);

    // --- Hand-over ----------------------------------------------------------------------------
    bool haveNewFrame() const { return m_newFrame.load(); }
    kvl_w takeFrame();
    QString takeLastMessage();
    void setRecordName(const QString& fileName);
    QString recordName() const;

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

    // --- Class-wide link state ----------------------------------------------------------------
    static std::atomic<uint8_t> flag_getCmd_ack;
    static std::atomic<uint8_t> flag_getCmd_bindOk;
    static std::atomic<uint8_t> flag_getData_sonar_ack;
    static std::atomic<uint8_t> flag_getData_sonar_hello;
    static std::atomic<uint8_t> flag_haveReboot;
    static std::atomic<uint8_t> flag_getData_ap_ack;
    static std::atomic<uint8_t> flag_getData_ap_hello;
    static std::atomic<uint8_t> flag_getData_update_comAck;
    static std::atomic<uint8_t> flag_getData_update_fmAck;
    static std::atomic<uint8_t> flag_getData_update_fmOk;
    static std::atomic<uint8_t> flag_getData_update_fmFail;
    static RadioInfo_t currentInfo_radio;
    static SysInfo_t currentInfo_sys;
    static std::atomic<int> current_compassCali;
    static std::atomic<int> count_noData_ap;
    static std::atomic<int> count_noData_sonar;
    static std::atomic<int> avePkgCnt;
    // The work mode the reader records in (1 = Record); the controller keeps it in step with
    // the configuration so the reading thread never reads the configuration record itself.
    static std::atomic<int> recordWorkMode;
    // Set by the reader when a frame could not be appended to the record file (card full or
    // pulled); the record name is then cleared, so the log ends with its last whole frame.
    // The controller clears it.
    static std::atomic<uint8_t> flag_recordFail;

    static ApInfo_t currentInfoAp();
    static void setCurrentInfoAp(const ApInfo_t& info);
    // Back to the start-up state (tests).
    static void resetClassState();

    static constexpr int kSyncBudget = 200;
    static constexpr int kRateWindowSeconds = 4;

private:
    void sendCommand(uint8_t cmd, const uint8_t* data, uint8_t len, int device);
    void spiRead();
    bool readByte(uint8_t& b);
    void onSonarFrame(const uint8_t* payload, int len);
    void onRadioReply(const uint8_t* payload, int len);
    void onBoatReply(const uint8_t* payload, int len, int lastHeaderLength);
    void onApChannel(const uint8_t* payload, int len);
    void onApSentence(const QString& sentence);
    void onKBoot(const KBootRxPkgT& pkg);
    void appendRecord(const kvl_w& frame);

    std::unique_ptr<SpiBus> m_bus;
    std::mutex m_busMutex;
    // Read by both threads; a test may change them while the reader runs.
    std::atomic<int> m_commandPauseMs{StructPacing().commandPauseMs};
    std::atomic<int> m_afterWriteMs{StructPacing().afterWriteMs};
    std::atomic<int> m_packetPauseMs{StructPacing().packetPauseMs};

    mutable std::mutex m_frameMutex;
    kvl_w m_frame{};
    std::atomic<bool> m_newFrame{false};
    QString m_recordName;
    QString m_lastMessage;
    std::atomic<int> m_reqIndex{-1};

    // Frame-rate window (reading thread only).
    long m_windowStart = 0;
    int m_windowCount = 0;

    static std::atomic<uint8_t> s_packetIndex;
    static std::mutex s_apInfoMutex;
    static ApInfo_t s_apInfo;
};
