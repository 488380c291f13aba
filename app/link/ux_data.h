#pragma once

#include "link/kvl_frame.h"
#include "link/link_state.h"
#include "platform/spi_bus.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <memory>

class SerialPort;
class SpiBus;
class SpiRwThread;

// The one object through which the program talks to the link: one sonar frame per request
// from the radio link, the built-in simulator recording or a log being played back; one method
// per command to the radio module or the boat; and the serial port.
class UxData : public QObject {
    Q_OBJECT
public:
    // Starts the reading thread on the bus (the platform's when none is given) and opens the
    // serial port at 115200 baud.
    explicit UxData(std::unique_ptr<SpiBus> bus = nullptr, QObject* parent = nullptr);
    ~UxData() override;

    // --- Frames -------------------------------------------------------------------------------
    // source: "sim", "play", "zero" or "spi"; any other text gives the zero frame.
    kvl_w getOnePkgData(const QString& source);
    // The last frame handed out came from its source since the request before (not the last
    // frame handed again to bridge a gap, nor the empty frame).
    bool lastFrameFresh() const { return m_lastFresh; }
    // Every valid frame the radio has brought since the last call, oldest first (for the
    // recorder); the newest of them is also what the next "spi" request returns.
    QVector<kvl_w> takeReceivedFrames();
    kvl_w readOnePkgFromSim();
    kvl_w readOnePkgFromPlay();
    kvl_w readOnePkgFromSpi();
    int getCurrentSimIdx() const { return m_simIdx; }
    int getCurrentPlayIdx() const { return m_playIdx; }
    void loadSimList();
    void loadPlayList(const QString& fileName);
    void clearPlayList();
    int simListSize() const { return m_simList.size(); }
    int playListSize() const { return m_playList.size(); }
    const kvl_w& zeroFrame() const { return m_zero; }

    // A silent link shows the last frame for this many requests, then zeros.
    static constexpr int kBridgeRequests = 20;
    // Frames taken from the radio and not yet handed to the recorder are kept up to this many.
    static constexpr int kReceivedLimit = 256;

    // --- Commands -----------------------------------------------------------------------------
    void sendCmd_bind();
    void sendCmd_askRssi();
    void sendCmd_askInfo();
    void sendCmd_sonarHello();
    void sendCmd_resetSonar();
    void sendCmd_boatCompassCali();
    void sendCmd_sonarCfg(const QString& text);
    void sendCmd_ap(const QString& text);
    void sendCmd_update_hb_ap();
    void sendCmd_update_hb_sonar();
    void sendCmd_update_stx_ap(uint32_t size, uint8_t x);
    void sendCmd_update_stx_sonar(uint32_t size, uint8_t x);
    void sendCmd_update_fm_ap(uint16_t index, const uint8_t* bytes);
    void sendCmd_update_fm_sonar(uint16_t index, const uint8_t* bytes);

    // --- Update support -----------------------------------------------------------------------
    void startTimer_apHB();
    void stopTimer_apHB();
    void startTimer_sonarHB();
    void stopTimer_sonarHB();
    int getNowReqIndex() const;
    void clearNowReqIndex();
    void clearComAck();

    // --- Serial port --------------------------------------------------------------------------
    int openSerial(int rate);
    // Closes the serial port (the program's end: a virtual port's link goes with it).
    void closeSerial();
    int setBaudRate(int rate);
    int writeDataToSerial(const QString& text);

    // What the radio module and the boat have reported.
    LinkState& linkState();
    // Ends the reading thread, waiting at most timeoutMs; false when it has not ended.
    bool stop(int timeoutMs);

    SpiRwThread* thread() const { return m_thread; }

private:
    void drainReader();

    QVector<kvl_w> m_simList;
    QVector<kvl_w> m_playList;
    int m_simIdx = 0;
    int m_playIdx = 0;
    kvl_w m_zero;
    kvl_w m_lastSpi;
    int m_repeatCount = 0;
    bool m_freshSpi = false;  // a frame has arrived since the last "spi" request
    bool m_lastFresh = false;
    QVector<kvl_w> m_received;
    SpiRwThread* m_thread = nullptr;
    std::unique_ptr<SerialPort> m_serial;
};
