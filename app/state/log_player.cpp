#include "state/log_player.h"

#include <algorithm>

double LogPlayer::speedOf(int index) {
    static constexpr double kSpeeds[kSpeedCount] = {0.25, 0.5, 1, 2, 4, 8};
    return kSpeeds[std::clamp(index, 0, kSpeedCount - 1)];
}

EnumLogOpen LogPlayer::open(const QString& fileName) {
    const EnumLogOpen result = m_index.open(fileName);
    m_position = -1;
    m_due = 0;
    m_paused = false;
    m_reverse = false;
    m_speed = kNormalSpeed;
    return result;
}

void LogPlayer::close() {
    m_index.close();
    m_position = -1;
}

int LogPlayer::step(int i) const {
    const int n = m_index.count();
    if (m_reverse) return i <= 0 ? n - 1 : i - 1;
    return i + 1 >= n ? 0 : i + 1;
}

QVector<kvl_w> LogPlayer::tick() {
    QVector<kvl_w> out;
    if (!isOpen() || m_paused) return out;
    m_due += speedOf(m_speed);
    const int n = int(m_due);
    m_due -= n;
    if (n == 0) return out;
    const int first = step(m_position);
    // Forward and not across the end: one read of the whole run.
    if (!m_reverse && first >= m_position && first + n <= m_index.count()) {
        m_position = first + n - 1;
        return m_index.frames(first, n);
    }
    for (int k = 0; k < n; ++k) {
        m_position = step(m_position);
        out.append(m_index.frame(m_position));
    }
    return out;
}

void LogPlayer::seek(int i) {
    if (!isOpen()) return;
    m_position = std::clamp(i, 0, m_index.count() - 1);
    m_due = 0;
}

void LogPlayer::skipSeconds(float seconds) {
    if (isOpen()) seek(m_index.indexAfterSkip(m_position, seconds));
}

void LogPlayer::jumpToPercent(int percent) {
    if (isOpen()) seek(m_index.indexAtPercent(percent));
}

void LogPlayer::nextSpeed() {
    m_speed = (m_speed + 1) % kSpeedCount;
}
