#include "link/ux_data.h"

#include "base/global.h"
#include "base/resources.h"
#include "link/history_log_reader.h"
#include "link/spi_rw_thread.h"
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "platform/spi_bus.h"

#include <QTimer>

namespace {
const char* const kSimRecording = ":/sim/0121-1759.kvlw";

kvl_w nextCyclic(const QVector<kvl_w>& list, int& index, const kvl_w& empty) {
    if (list.isEmpty()) return empty;
    if (index >= 0 && index < list.size()) return list[index++];
    index = 1;
    return list[0];
}
}  // namespace

UxData::UxData(std::unique_ptr<SpiBus> bus, QObject* parent)
    : QObject(parent), m_zero(kvl_w::zero()), m_lastSpi(kvl_w::zero()) {
    loadSimList();
    m_thread = new SpiRwThread(bus ? std::move(bus) : SpiBus::create(), this);
    m_thread->start(QThread::InheritPriority);
    m_serial = SerialPort::create();
    openSerial(BaudRate115200);
}

UxData::~UxData() {
    m_thread->requestStop();
    m_thread->wait();
}

bool UxData::stop(int timeoutMs) {
    return m_thread->stop(timeoutMs);
}

LinkState& UxData::linkState() {
    return m_thread->device().state();
}

// --- Frames -----------------------------------------------------------------------------------

kvl_w UxData::getOnePkgData(const QString& source) {
    m_lastFresh = source == QLatin1String("sim") || source == QLatin1String("play");
    if (source == QLatin1String("sim")) return readOnePkgFromSim();
    if (source == QLatin1String("play")) return readOnePkgFromPlay();
    if (source == QLatin1String("spi")) return readOnePkgFromSpi();
    return m_zero;
}

kvl_w UxData::readOnePkgFromSim() {
    return nextCyclic(m_simList, m_simIdx, m_zero);
}

kvl_w UxData::readOnePkgFromPlay() {
    return nextCyclic(m_playList, m_playIdx, m_zero);
}

// Moves what the reading thread has queued into this side's list.
void UxData::drainReader() {
    const QVector<kvl_w> frames = m_thread->takeNewKvlwData();
    if (frames.isEmpty()) return;
    m_lastSpi = frames.last();
    m_freshSpi = true;
    m_received += frames;
    // Frames nobody has taken for a long time: the oldest go first.
    if (m_received.size() > kReceivedLimit)
        m_received.remove(0, m_received.size() - kReceivedLimit);
}

QVector<kvl_w> UxData::takeReceivedFrames() {
    drainReader();
    QVector<kvl_w> frames;
    frames.swap(m_received);
    return frames;
}

kvl_w UxData::readOnePkgFromSpi() {
    drainReader();
    if (m_freshSpi) {
        m_freshSpi = false;
        m_repeatCount = 0;
        m_lastFresh = true;
        return m_lastSpi;
    }
    if (m_repeatCount < kBridgeRequests) {
        ++m_repeatCount;
        return m_lastSpi;
    }
    return m_zero;
}

void UxData::loadSimList() {
    korvelInitResources();
    m_simList = HistoryLogReader::framesFromFile(QLatin1String(kSimRecording));
    m_simIdx = 0;
}

void UxData::loadPlayList(const QString& fileName) {
    m_playList = HistoryLogReader::framesFromFile(Platform::path(fileName));
    m_playIdx = 0;
}

void UxData::clearPlayList() {
    m_playList.clear();
    m_playIdx = 0;
}

// --- Commands ---------------------------------------------------------------------------------

void UxData::sendCmd_bind() {
    m_thread->device().ss_bind_cmd_tst();
}
void UxData::sendCmd_askRssi() {
    m_thread->device().ss_askRadioRssi_tst();
}
void UxData::sendCmd_askInfo() {
    m_thread->device().ss_askSnrInfo_tst();
}
void UxData::sendCmd_sonarHello() {
    m_thread->device().ss_snrHello_tst();
}
void UxData::sendCmd_resetSonar() {
    m_thread->device().ss_sysReset_tst();
}
void UxData::sendCmd_boatCompassCali() {
    m_thread->device().ss_compassCali_tst();
}

void UxData::sendCmd_sonarCfg(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.append(char(Global::xorChk_SnrCmd(text)));
    m_thread->device().ss_snrCfg_tst(bytes);
}

void UxData::sendCmd_ap(const QString& text) {
    m_thread->device().ss_wr_aplnk_tst(text.toLatin1());
}

void UxData::sendCmd_update_hb_ap() {
    m_thread->device().ss_wr_updateHB_Ap();
}
void UxData::sendCmd_update_hb_sonar() {
    m_thread->device().ss_wr_updateHB_Snr();
}
void UxData::sendCmd_update_stx_ap(uint32_t size, uint8_t x) {
    m_thread->device().ss_wr_updateSTX_Ap(size, x);
}
void UxData::sendCmd_update_stx_sonar(uint32_t size, uint8_t x) {
    m_thread->device().ss_wr_updateSTX_Snr(size, x);
}
void UxData::sendCmd_update_fm_ap(uint16_t index, const uint8_t* bytes) {
    m_thread->device().ss_wr_updateFM_Ap(index, bytes);
}
void UxData::sendCmd_update_fm_sonar(uint16_t index, const uint8_t* bytes) {
    m_thread->device().ss_wr_updateFM_Snr(index, bytes);
}

// --- Update support ---------------------------------------------------------------------------

void UxData::startTimer_apHB() {
    m_thread->heartbeatTimerAp()->start();
}
void UxData::stopTimer_apHB() {
    m_thread->heartbeatTimerAp()->stop();
}
void UxData::startTimer_sonarHB() {
    m_thread->heartbeatTimerSonar()->start();
}
void UxData::stopTimer_sonarHB() {
    m_thread->heartbeatTimerSonar()->stop();
}
int UxData::getNowReqIndex() const {
    return m_thread->device().requestedBlockIndex();
}
void UxData::clearNowReqIndex() {
    m_thread->device().clearRequestedBlockIndex();
}
void UxData::clearComAck() {
    m_thread->device().heartbeatMiss = 0;
}

// --- Serial port ------------------------------------------------------------------------------

int UxData::openSerial(int rate) {
    return m_serial->open(rate);
}
void UxData::closeSerial() {
    m_serial->close();
}

int UxData::setBaudRate(int rate) {
    return m_serial->setBaudRate(rate);
}
int UxData::writeDataToSerial(const QString& text) {
    return m_serial->writeLine(text);
}
