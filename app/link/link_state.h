#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

// The five fields of the autopilot's information sentence; the third is the task mode ("R"
// while it runs a task), the fourth the remote-control state.
struct ApInfo_t {
    QString field[5] = {QString(), QString(), QStringLiteral("F"), QStringLiteral("V"), QString()};
    QString taskMode() const { return field[2]; }
    QString rcState() const { return field[3]; }
};

// The local radio module's report.
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

// A copy of the link state taken at one moment, for the tick and the screens.
struct StructLinkSnapshot {
    uint8_t radioMd = 0;
    uint8_t radioPwIdx = 0;
    uint8_t myRssi = 0;
    uint8_t hisRssi = 0;
    uint8_t radioVersion = 0;
    uint16_t sysApp = 0;
    uint16_t sysRadio = 0;
    uint16_t sysGps = 0;
    uint16_t sysHelmo = 0;
    int compassCali = 0;
    int noDataAp = 10;
    int noDataSonar = 10;
    int framesPerWindow = 0;
    ApInfo_t ap;
};

// What the reading thread has learnt from the boat and the radio module: one-shot flags that
// the consumer clears once it has acted on them, the latest reports, and the no-data
// counters that link supervision counts up once a second and a received message clears.
// Written by the reading thread, read and cleared by the GUI thread: every field is atomic,
// the autopilot's strings are locked.
class LinkState {
public:
    std::atomic<uint8_t> flag_getCmd_ack{0};
    std::atomic<uint8_t> flag_getCmd_bindOk{0};
    std::atomic<uint8_t> flag_getData_sonar_ack{0};
    std::atomic<uint8_t> flag_getData_sonar_hello{0};
    std::atomic<uint8_t> flag_haveReboot{0};
    std::atomic<uint8_t> flag_getData_ap_ack{0};
    std::atomic<uint8_t> flag_getData_ap_hello{0};
    std::atomic<uint8_t> flag_getData_update_comAck{0};
    std::atomic<uint8_t> flag_getData_update_fmAck{0};
    std::atomic<uint8_t> flag_getData_update_fmOk{0};
    std::atomic<uint8_t> flag_getData_update_fmFail{0};
    RadioInfo_t currentInfo_radio;
    SysInfo_t currentInfo_sys;
    std::atomic<int> current_compassCali{0};
    std::atomic<int> count_noData_ap{10};
    std::atomic<int> count_noData_sonar{10};
    // Every sonar packet heard, however it wraps: the loss of the link is seen within a tick.
    std::atomic<uint32_t> framesHeard{0};
    std::atomic<int> avePkgCnt{0};

    ApInfo_t currentInfoAp() const;
    void setCurrentInfoAp(const ApInfo_t& info);
    StructLinkSnapshot snapshot() const;

private:
    mutable std::mutex m_apMutex;
    ApInfo_t m_ap;
};
