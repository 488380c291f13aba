#include "link/module_update.h"

#include <algorithm>
#include <cstring>
#include <vector>

ModuleUpdate::ModuleUpdate(const QByteArray& image, ModuleUpdateLink& link,
                           StructUpdateProfile profile, StructTiming timing)
    : m_image(image), m_link(link), m_profile(profile), m_timing(timing) {
    m_blocks = (image.size() + m_profile.blockSize - 1) / m_profile.blockSize;
    m_view.title = m_profile.textTitle;
    for (char c : image)
        m_xor ^= uint8_t(c);
}

void ModuleUpdate::blockBytes(int index, uint8_t* out) const {
    const int size = m_profile.blockSize;
    std::memset(out, 0xFF, size_t(size));
    const int from = index * size;
    if (index < 0 || from >= m_image.size()) return;
    const int n = std::min(size, int(m_image.size()) - from);
    std::memcpy(out, m_image.constData() + from, size_t(n));
}

void ModuleUpdate::setView(int step, int text, const QString& detail) {
    if (step >= 0) m_view.code = QString::number(m_profile.firstCode + step);
    m_view.text = text;
    m_view.detail = detail;
}

void ModuleUpdate::fail(int step, int text) {
    setView(step, text);
    m_view.button = true;
    m_state = State::Failed;
    m_link.stopHeartbeatTimer();
}

void ModuleUpdate::sendBlock(int index) {
    std::vector<uint8_t> block(size_t(m_profile.blockSize));
    blockBytes(index, block.data());
    m_link.sendBlock(uint16_t(index), block.data());
    ++m_blocksSent;
}

int ModuleUpdate::step() {
    switch (m_state) {
        case State::Begin:
            m_link.clearFlags();
            setView(0, kTextWaitSync);
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

int ModuleUpdate::stepSync() {
    if (m_syncWaited) {
        m_syncWaited = false;
        if (m_attempts % 5 != 0) m_link.sendReset();
        if (m_attempts >= kSyncAttempts) {
            fail(1, m_profile.textDisconnected);
            m_view.text = kTextCancelled;
        }
        return 0;
    }
    if (m_link.comAck()) {
        setView(-1, m_profile.textConnected);
        m_link.clearHeartbeatMisses();
        m_link.sendStart(uint32_t(m_image.size()), m_xor);
        // The heartbeat also runs while the loader has not asked for a block yet, so that a
        // box that goes quiet now is noticed.
        m_link.startHeartbeatTimer();
        m_state = State::Start;
        return 0;
    }
    ++m_attempts;
    setView(0, kTextWaitSync);
    m_link.sendHeartbeat();
    m_syncWaited = true;
    return m_timing.syncWaitMs;
}

int ModuleUpdate::stepStart() {
    if (m_link.fmAck()) {
        setView(-1, kTextUpdating);
        m_last = 0;
        m_idle = 0;
        m_state = State::Transfer;
        return 0;
    }
    if (!m_link.comAck()) {
        fail(3, m_profile.textDisconnected);
        return 0;
    }
    if (++m_starts > kStartLimit) {
        fail(3, kTextNoRequest);
        return 0;
    }
    setView(2, kTextWaitRequest);
    m_link.sendStart(uint32_t(m_image.size()), m_xor);
    return m_timing.idleWaitMs;
}

int ModuleUpdate::stepTransfer() {
    if (m_link.fmOk()) {
        m_view.progress = m_blocks;
        m_view.hidden = true;
        m_state = State::Succeeded;
        m_link.stopHeartbeatTimer();
        return 0;
    }
    if (m_link.fmFail()) {
        fail(4, kTextFailed);
        m_view.progress = 0;
        return 0;
    }
    if (!m_link.comAck()) {
        fail(7, m_profile.textDisconnected);
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
        if (m_idle == kIdleShowCount) setView(5, kTextWaitRequest, QString::number(m_last) + total);
        if (m_idle > kIdleLimit) fail(6, kTextNoRequest);
        return m_timing.idleWaitMs;
    }
    m_link.stopHeartbeatTimer();
    m_link.clearHeartbeatMisses();
    // Cleared before the block goes out, so the loader's next request cannot be lost to it.
    m_link.clearRequest();
    sendBlock(r);
    setView(-1, kTextUpdating, QString::number(r) + total);
    m_view.progress = r;
    m_idle = 0;
    m_last = r;
    return 0;
}
