#include "link/spi_device.h"

#include "base/global.h"
#include "base/log.h"
#include "link/sbus.h"

#include <QStringList>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

namespace {

void sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool isCommand(const uint8_t* p, int len) {
    return len >= 2 && uint8_t(~p[0]) == p[1];
}

constexpr uint8_t kSpiMode = 0;  // SPI_MODE_0
constexpr uint8_t kBitsPerWord = 8;
constexpr uint32_t kSpeedHz = 4000000;

}  // namespace

SpiDevice::SpiDevice(std::unique_ptr<SpiBus> bus) : m_bus(std::move(bus)) {}

void SpiDevice::spiDeviceInit() {
    std::lock_guard<std::mutex> lock(m_busMutex);
    m_bus->open();
    m_bus->configure(kSpiMode, kBitsPerWord, kSpeedHz);
    m_bus->setLine(EnumGpioLine::ChipSelect, true);
    m_bus->setLine(EnumGpioLine::TxFlag, false);
}

// --- Writing ------------------------------------------------------------------------------

int SpiDevice::sbus_cmd_pkg(uint8_t* out, uint8_t cmd, const uint8_t* data, uint8_t len,
                            int device) {
    const int n = Sbus::sbus_cmd_pkg(out, cmd, data, len, device, m_packetIndex);
    if (n > 0) ++m_packetIndex;
    return n;
}

void SpiDevice::spiWrite(const uint8_t* buf, int len) {
    std::lock_guard<std::mutex> lock(m_busMutex);
    writePacket(buf, len);
}

// The transmit handshake around one write. Called with the bus locked. A bus that is not open
// has said so once already; its commands are dropped without a word each.
void SpiDevice::writePacket(const uint8_t* buf, int len) {
    if (!m_bus->isOpen()) return;
    m_bus->setLine(EnumGpioLine::ChipSelect, false);
    m_bus->setLine(EnumGpioLine::TxFlag, true);
    if (m_bus->write(buf, size_t(len)) != len) qCWarning(lcLink) << "spi write failed";
    m_bus->setLine(EnumGpioLine::TxFlag, false);
    sleepMs(m_afterWriteMs.load());
}

// The command waits in the queue; the reading loop writes it after its pause, so the caller
// (the GUI thread) never sleeps or waits for the bus.
void SpiDevice::sendCommand(uint8_t cmd, const uint8_t* data, uint8_t len, int device) {
    StructCommand c;
    c.cmd = cmd;
    c.device = device;
    c.data = QByteArray(reinterpret_cast<const char*>(data), data ? len : 0);
    std::lock_guard<std::mutex> lock(m_commandMutex);
    if (int(m_commands.size()) >= kCommandQueueLimit) {
        qCWarning(lcLink) << "command queue full: command" << Qt::hex << cmd << "dropped";
        return;
    }
    // The pause before a command runs from the moment it reaches the head of the queue.
    if (m_commands.empty())
        m_nextWriteAt = Clock::now() + std::chrono::milliseconds(m_commandPauseMs.load());
    m_commands.push_back(std::move(c));
}

int SpiDevice::queuedCommands() const {
    std::lock_guard<std::mutex> lock(m_commandMutex);
    return int(m_commands.size()) + (m_writing ? 1 : 0);
}

// Writes the head command once its pause has passed; the next one's pause starts after the
// write. Called with the bus locked.
void SpiDevice::writeDueCommand() {
    StructCommand c;
    {
        std::lock_guard<std::mutex> lock(m_commandMutex);
        if (m_commands.empty() || Clock::now() < m_nextWriteAt) return;
        c = std::move(m_commands.front());
        m_commands.pop_front();
        m_writing = true;
    }
    uint8_t tx[Sbus::kBufferSize];
    const int n = sbus_cmd_pkg(tx, c.cmd, reinterpret_cast<const uint8_t*>(c.data.constData()),
                               uint8_t(c.data.size()), c.device);
    if (n > 0) writePacket(tx, n);
    std::lock_guard<std::mutex> lock(m_commandMutex);
    m_writing = false;
    m_nextWriteAt = Clock::now() + std::chrono::milliseconds(m_commandPauseMs.load());
}

void SpiDevice::ss_bind_cmd_tst() {
    sendCommand(Sbus::CMD_BIND, nullptr, 0, Sbus::DEV_RADIO);
}
void SpiDevice::ss_askRadioRssi_tst() {
    sendCommand(Sbus::CMD_ASK_INFO, nullptr, 0, Sbus::DEV_RADIO);
}
void SpiDevice::ss_askSnrInfo_tst() {
    sendCommand(Sbus::CMD_ASK_INFO, nullptr, 0, Sbus::DEV_BOAT);
}
void SpiDevice::ss_compassCali_tst() {
    sendCommand(Sbus::CMD_COMPASS_CALI, nullptr, 0, Sbus::DEV_BOAT);
}
void SpiDevice::ss_sysReset_tst() {
    sendCommand(Sbus::CMD_RESET, nullptr, 0, Sbus::DEV_BOAT);
}
void SpiDevice::ss_snrHello_tst() {
    sendCommand(Sbus::CMD_HELLO, nullptr, 0, Sbus::DEV_BOAT);
}

void SpiDevice::ss_snrCfg_tst(const QByteArray& bytes) {
    sendCommand(Sbus::CMD_SONAR_CFG, reinterpret_cast<const uint8_t*>(bytes.constData()),
                uint8_t(bytes.size()), Sbus::DEV_BOAT);
}

void SpiDevice::ss_wr_aplnk_tst(const QByteArray& sentence) {
    sendCommand(Sbus::CMD_AP_LINK, reinterpret_cast<const uint8_t*>(sentence.constData()),
                uint8_t(sentence.size()), Sbus::DEV_BOAT);
}

void SpiDevice::ss_wr_updatePkg_Ap(const uint8_t* kboot, int len) {
    sendCommand(Sbus::CMD_AP_LINK, kboot, uint8_t(len), Sbus::DEV_BOAT);
}

void SpiDevice::ss_wr_updatePkg_Snr(const uint8_t* kboot, int len) {
    sendCommand(Sbus::CMD_KBOOT, kboot, uint8_t(len), Sbus::DEV_BOAT);
}

void SpiDevice::KBootEncPkg_Ap(const KBootTxPkgT& pkg) {
    uint8_t buf[KBoot::kMaxData + KBoot::kOverhead];
    const int n = KBoot::encode(pkg, buf);
    if (n > 0) ss_wr_updatePkg_Ap(buf, n);
}

void SpiDevice::KBootEncPkg_Snr(const KBootTxPkgT& pkg) {
    uint8_t buf[KBoot::kMaxData + KBoot::kOverhead];
    const int n = KBoot::encode(pkg, buf);
    if (n > 0) ss_wr_updatePkg_Snr(buf, n);
}

void SpiDevice::ss_wr_updateHB_Ap() {
    KBootEncPkg_Ap(KBoot::heartbeat());
}
void SpiDevice::ss_wr_updateHB_Snr() {
    KBootEncPkg_Snr(KBoot::heartbeat());
}

void SpiDevice::ss_wr_updateSTX_Ap(uint32_t size, uint8_t x) {
    KBootEncPkg_Ap(KBoot::startOfTransfer(size, KBoot::kBlockSizeAp, x));
}
void SpiDevice::ss_wr_updateSTX_Snr(uint32_t size, uint8_t x) {
    KBootEncPkg_Snr(KBoot::startOfTransfer(size, KBoot::kBlockSizeSonar, x));
}
void SpiDevice::ss_wr_updateFM_Ap(uint16_t index, const uint8_t* block) {
    KBootEncPkg_Ap(KBoot::block(index, block, KBoot::kBlockSizeAp));
}
void SpiDevice::ss_wr_updateFM_Snr(uint16_t index, const uint8_t* block) {
    KBootEncPkg_Snr(KBoot::block(index, block, KBoot::kBlockSizeSonar));
}

bool SpiDevice::KBootDecPkg_Ap(const uint8_t* bytes, int count, KBootRxPkgT& out) {
    return KBoot::decode(bytes, count, out);
}
bool SpiDevice::KBootDecPkg_Snr(const uint8_t* bytes, int count, KBootRxPkgT& out) {
    return KBoot::decode(bytes, count, out);
}

// --- Reading ------------------------------------------------------------------------------

bool SpiDevice::checkSpiRxFlag() {
    return m_bus->readLine(EnumGpioLine::RxReady) != 0;
}

void SpiDevice::pollOnce() {
    std::lock_guard<std::mutex> lock(m_busMutex);
    writeDueCommand();
    if (checkSpiRxFlag()) spiRead();
    m_bus->setLine(EnumGpioLine::ChipSelect, true);
}

bool SpiDevice::readByte(uint8_t& b) {
    return m_bus->read(&b, 1) == 1;
}

// One burst: packets are read while the module holds its receive-ready line, their payloads
// joined (a sonar frame may come in several packets), then the whole is sorted by the type of
// the last packet. Called with the bus locked.
void SpiDevice::spiRead() {
    m_bus->setLine(EnumGpioLine::ChipSelect, false);
    uint8_t acc[Sbus::kBufferSize] = {};
    int fill = 0;
    int budget = kSyncBudget;
    int lastType = -1;
    int lastLength = 0;

    while (checkSpiRxFlag()) {
        uint8_t hdr[Sbus::kHeaderSize];
        bool synced = false;
        while (budget > 0) {
            --budget;
            if (!readByte(hdr[0])) break;
            if (hdr[0] == '#') {
                synced = true;
                break;
            }
        }
        if (!synced) {
            m_bus->setLine(EnumGpioLine::ChipSelect, true);
            return;  // no header within the budget: nothing of this burst is used
        }
        do {
            if (budget == 0 || !readByte(hdr[1])) {
                m_bus->setLine(EnumGpioLine::ChipSelect, true);
                return;
            }
            --budget;
        } while (hdr[1] == '#');
        if (m_bus->read(hdr + 2, Sbus::kHeaderSize - 2) != Sbus::kHeaderSize - 2) break;
        if (hdr[11] != '*' || Global::XOR_chk(hdr + 5, 6) != 0) break;

        const int length = std::min(hdr[8] | (hdr[9] << 8), Sbus::kBufferSize);
        uint8_t payload[Sbus::kBufferSize];
        if (length > 0 && m_bus->read(payload, size_t(length)) != length) break;
        const int room = std::min(length, Sbus::kBufferSize - fill);
        std::memcpy(acc + fill, payload, size_t(room));
        fill += room;
        lastType = hdr[5];
        lastLength = hdr[8] | (hdr[9] << 8);
        sleepMs(m_packetPauseMs.load());
        if (budget == 0) break;
    }
    m_bus->setLine(EnumGpioLine::ChipSelect, true);
    if (lastType >= 0) dispatch(uint8_t(lastType), acc, fill, lastLength);
}

void SpiDevice::dispatch(uint8_t type, const uint8_t* payload, int len, int lastHeaderLength) {
    switch (type) {
        case Sbus::PK_SONAR:
            onSonarFrame(payload, len);
            break;
        case Sbus::PK_RADIO:
            onRadioReply(payload, len);
            break;
        case Sbus::PK_BOAT:
            onBoatReply(payload, len, lastHeaderLength);
            break;
        default:
            break;
    }
}

void SpiDevice::onSonarFrame(const uint8_t* payload, int len) {
    if (len != kvl_w::kSize) return;
    if (kvl_w::isValid(payload, len)) {
        kvl_w frame;
        std::memcpy(frame.bytes, payload, kvl_w::kSize);
        std::lock_guard<std::mutex> lock(m_frameMutex);
        if (int(m_frames.size()) >= kFrameQueueLimit) m_frames.pop_front();
        m_frames.push_back(frame);
    }
    ++m_windowCount;
    m_state.count_noData_sonar = 0;
    ++m_state.framesHeard;
    const long now = long(time(nullptr));
    if (m_windowStart == 0) m_windowStart = now;
    if (now - m_windowStart > kRateWindowSeconds) {
        m_state.avePkgCnt = m_windowCount;
        m_windowStart = now;
        m_windowCount = 0;
    }
}

void SpiDevice::onRadioReply(const uint8_t* p, int len) {
    if (!isCommand(p, len)) return;
    switch (p[0]) {
        case Sbus::CMD_BIND_OK:
            m_state.flag_getCmd_bindOk = 1;
            break;
        case Sbus::CMD_ACK: {
            m_state.flag_getCmd_ack = 1;
            std::lock_guard<std::mutex> lock(m_frameMutex);
            m_lastMessage = QStringLiteral("Get Radio CMD ACK!");
            break;
        }
        case Sbus::CMD_REPORT: {
            if (len < 3) return;
            const int n = p[2];
            if (n < 2 || 3 + n > len || len < 8) return;  // the five fields must be there
            if (Global::XOR_chk(p + 3, n) != 0) return;
            m_state.currentInfo_radio.md = p[3];
            m_state.currentInfo_radio.pwIdx = p[4];
            m_state.currentInfo_radio.myRssi = p[5];
            m_state.currentInfo_radio.hisRssi = p[6];
            m_state.currentInfo_radio.ver = p[7];
            qCDebug(lcLink).nospace()
                << "radioInfo.md = " << p[3] << " radioInfo.pwIdx = " << p[4]
                << " radioInfo.myRssi = " << p[5] << " radioInfo.hisRssi = " << p[6]
                << " radioInfo.ver = " << p[7];
            break;
        }
        default:
            break;
    }
}

void SpiDevice::onBoatReply(const uint8_t* p, int len, int lastHeaderLength) {
    if (!isCommand(p, len) || p[0] == Sbus::CMD_KBOOT) {
        KBootRxPkgT pkg;
        const int count = std::min(lastHeaderLength & 0xff, len);
        if (KBootDecPkg_Snr(p, count, pkg)) onKBoot(pkg);
        return;
    }
    switch (p[0]) {
        case Sbus::CMD_HELLO:
            m_state.flag_getData_sonar_hello = 1;
            m_state.flag_haveReboot = 1;
            break;
        case Sbus::CMD_ACK: {
            m_state.flag_getData_sonar_ack = 1;
            qCDebug(lcLink) << "Get Snr ACK!";
            std::lock_guard<std::mutex> lock(m_frameMutex);
            m_lastMessage = QStringLiteral("Get Snr Data ACK!");
            break;
        }
        case Sbus::CMD_BIND_OK:
            m_state.flag_getCmd_bindOk = 1;
            break;
        case Sbus::CMD_COMPASS_REPORT:
            if (len >= 8 && p[2] >= 2 && std::memcmp(p + 3, "CCR,", 4) == 0 && p[7] >= '0' &&
                p[7] <= '4')
                m_state.current_compassCali = p[7] - '0' + 1;
            break;
        case Sbus::CMD_REPORT:
            if (len < 21 || Global::XOR_chk(p + 11, 8) != p[20]) return;
            m_state.currentInfo_sys.app = uint16_t(p[11] | (p[12] << 8));
            m_state.currentInfo_sys.radio = uint16_t(p[13] | (p[14] << 8));
            m_state.currentInfo_sys.GPS = uint16_t(p[15] | (p[16] << 8));
            m_state.currentInfo_sys.helmo = uint16_t(p[17] | (p[18] << 8));
            qCDebug(lcLink) << "sysInfo.app =" << m_state.currentInfo_sys.app.load()
                            << "sysInfo.radio =" << m_state.currentInfo_sys.radio.load()
                            << "sysInfo.GPS =" << m_state.currentInfo_sys.GPS.load()
                            << "sysInfo.helmo =" << m_state.currentInfo_sys.helmo.load();
            break;
        case Sbus::CMD_AP_LINK:
            onApChannel(p, len);
            break;
        default:
            break;
    }
}

void SpiDevice::onApChannel(const uint8_t* p, int len) {
    if (len < 3) return;
    const int n = std::min(int(p[2]), len - 3);
    if (p[2] < 2 || n < 1) return;
    if (p[3] == '#') {
        KBootRxPkgT pkg;
        if (KBootDecPkg_Ap(p + 3, n, pkg)) onKBoot(pkg);
        return;
    }
    onApSentence(QString::fromLatin1(reinterpret_cast<const char*>(p + 3), n));
}

void SpiDevice::onApSentence(const QString& s) {
    {
        std::lock_guard<std::mutex> lock(m_frameMutex);
        m_lastMessage = s;
    }
    if (s.size() <= 7) return;
    const int firstStar = s.indexOf('*');
    if (firstStar < 0 || s.size() - firstStar - 1 <= 2) return;
    const QString received = s.mid(s.lastIndexOf('*') + 1, 2);
    const QString expected =
        QStringLiteral("%1").arg(Global::xorChk_ApCmd(s), 2, 16, QLatin1Char('0')).toUpper();
    if (received != expected) return;

    if (s.startsWith(QLatin1String("$HMACK,A"))) {
        m_state.flag_getData_ap_ack = 1;
    } else if (s.startsWith(QLatin1String("$HMINF,"))) {
        const QStringList fields = s.split(',');
        if (fields.size() == 7) {
            ApInfo_t info;
            for (int i = 0; i < 5; ++i)
                info.field[i] = fields[i + 1];
            m_state.setCurrentInfoAp(info);
        }
        m_state.count_noData_ap = 0;
    } else if (s.startsWith(QLatin1String("$HMPWR,"))) {
        m_state.flag_getData_ap_hello = 1;
    }
}

void SpiDevice::onKBoot(const KBootRxPkgT& pkg) {
    if (pkg.type == KBoot::TYPE_HEARTBEAT_ANSWER) {
        m_state.flag_getData_update_comAck = 1;
        heartbeatMiss = 0;
    } else if (pkg.type == KBoot::TYPE_REPORT && pkg.len >= 1) {
        switch (pkg.data[0]) {
            case '4':
                m_state.flag_getData_update_fmOk = 1;
                break;
            case '5':
                m_state.flag_getData_update_fmFail = 1;
                break;
            case '!':
                if (pkg.len >= 3) {
                    m_reqIndex = pkg.data[1] | (pkg.data[2] << 8);
                    m_state.flag_getData_update_fmAck = 1;
                }
                break;
            default:
                break;
        }
    }
}

// --- Hand-over ----------------------------------------------------------------------------

bool SpiDevice::haveNewFrame() const {
    std::lock_guard<std::mutex> lock(m_frameMutex);
    return !m_frames.empty();
}

kvl_w SpiDevice::takeFrame() {
    std::lock_guard<std::mutex> lock(m_frameMutex);
    if (m_frames.empty()) return kvl_w::zero();
    const kvl_w frame = m_frames.front();
    m_frames.pop_front();
    return frame;
}

QVector<kvl_w> SpiDevice::takeFrames() {
    std::lock_guard<std::mutex> lock(m_frameMutex);
    QVector<kvl_w> frames(int(m_frames.size()));
    std::copy(m_frames.begin(), m_frames.end(), frames.begin());
    m_frames.clear();
    return frames;
}

QString SpiDevice::takeLastMessage() {
    std::lock_guard<std::mutex> lock(m_frameMutex);
    QString text;
    text.swap(m_lastMessage);
    return text;
}
