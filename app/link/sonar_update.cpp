#include "link/sonar_update.h"

#include <algorithm>
#include <cstring>

SonarUpdate::SonarUpdate(const QByteArray& image, SonarUpdateLink& link, StructTiming timing)
    : m_image(image), m_link(link), m_timing(timing) {
    m_blocks = (image.size() + kBlockSize - 1) / kBlockSize;
    for (char c : image)
        m_xor ^= uint8_t(c);
}

void SonarUpdate::blockBytes(int index, uint8_t* out128) const {
    std::memset(out128, 0xFF, kBlockSize);
    const int from = index * kBlockSize;
    if (index < 0 || from >= m_image.size()) return;
    const int n = std::min(kBlockSize, int(m_image.size()) - from);
    std::memcpy(out128, m_image.constData() + from, size_t(n));
}

void SonarUpdate::setView(const char* code, int text, const QString& detail) {
    if (code) m_view.code = QLatin1String(code);
    m_view.text = text;
    m_view.detail = detail;
}

void SonarUpdate::fail(const char* code, int text) {
    setView(code, text);
    m_view.button = true;
    m_state = State::Failed;
    m_link.stopHeartbeatTimer();
}

void SonarUpdate::sendBlock(int index) {
    uint8_t block[kBlockSize];
    blockBytes(index, block);
    m_link.sendBlock(uint16_t(index), block);
    ++m_blocksSent;
}

int SonarUpdate::step() {
    switch (m_state) {
        case State::Begin:
            m_link.clearFlags();
            setView("201", kTextWaitSync);
            m_view.progress = 0;
            m_link.sendReset();
            m_state = State::Sync;
            return 0;
        case State::Sync:
            return stepSync();
        case State::Start:
            return stepStart();
        case State::Transfer:
            return stepTransfer();
        default:
            return 0;
    }
}

int SonarUpdate::stepSync() {
    if (m_syncWaited) {
        m_syncWaited = false;
        if (m_attempts % 5 != 0) m_link.sendReset();
        if (m_attempts >= kSyncAttempts) {
            fail("202", kTextDisconnected);
            m_view.text = kTextCancelled;
        }
        return 0;
    }
    if (m_link.comAck()) {
        setView(nullptr, kTextConnected);
        m_link.clearHeartbeatMisses();
        m_link.sendStart(uint32_t(m_image.size()), m_xor);
        // The heartbeat also runs while the loader has not asked for a block yet, so that a
        // box that goes quiet now is noticed.
        m_link.startHeartbeatTimer();
        m_state = State::Start;
        return 0;
    }
    ++m_attempts;
    setView("201", kTextWaitSync);
    m_link.sendHeartbeat();
    m_syncWaited = true;
    return m_timing.syncWaitMs;
}

int SonarUpdate::stepStart() {
    if (m_link.fmAck()) {
        setView(nullptr, kTextUpdating);
        m_last = 0;
        m_idle = 0;
        m_state = State::Transfer;
        return 0;
    }
    if (!m_link.comAck()) {
        fail("204", kTextDisconnected);
        return 0;
    }
    if (++m_starts > kStartLimit) {
        fail("204", kTextNoRequest);
        return 0;
    }
    setView("203", kTextWaitRequest);
    m_link.sendStart(uint32_t(m_image.size()), m_xor);
    return m_timing.idleWaitMs;
}

int SonarUpdate::stepTransfer() {
    if (m_link.fmOk()) {
        m_view.progress = m_blocks;
        m_view.hidden = true;
        m_state = State::Succeeded;
        m_link.stopHeartbeatTimer();
        return 0;
    }
    if (m_link.fmFail()) {
        fail("205", kTextFailed);
        m_view.progress = 0;
        return 0;
    }
    if (!m_link.comAck()) {
        fail("208", kTextDisconnected);
        return 0;
    }
    int r = m_link.requestedIndex();
    if (r >= m_blocks) {
        // A request beyond the image is line noise, not something to read memory for.
        m_link.clearRequest();
        r = -1;
    }
    const QString total = QStringLiteral("/") + QString::number(m_blocks);
    if (r < 0) {
        m_link.startHeartbeatTimer();
        ++m_idle;
        if (m_idle % kResendEvery == 0) sendBlock(m_last);
        if (m_idle == kIdleShowCount)
            setView("206", kTextWaitRequest, QString::number(m_last) + total);
        if (m_idle > kIdleLimit) fail("207", kTextNoRequest);
        return m_timing.idleWaitMs;
    }
    m_link.stopHeartbeatTimer();
    m_link.clearHeartbeatMisses();
    // Cleared before the block goes out, so the loader's next request cannot be lost to it.
    m_link.clearRequest();
    sendBlock(r);
    setView(nullptr, kTextUpdating, QString::number(r) + total);
    m_view.progress = r;
    m_idle = 0;
    m_last = r;
    return 0;
}
