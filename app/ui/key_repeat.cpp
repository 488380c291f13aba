#include "ui/key_repeat.h"

void KeyRepeat::press(int key) {
    m_key = key;
    m_ticks = 0;
}

void KeyRepeat::release(int key) {
    if (key == m_key) reset();
}

void KeyRepeat::reset() {
    m_key = 0;
    m_ticks = 0;
}

int KeyRepeat::tick() {
    if (m_key == 0) return 0;
    // The count stops growing once it is past every threshold, so a key held for hours
    // cannot overflow it.
    if (m_ticks < 1000000) ++m_ticks;
    if (m_ticks < m_schedule.firstTick) return 0;
    const int every = m_schedule.every > 0 ? m_schedule.every : 1;
    if ((m_ticks - m_schedule.firstTick) % every != 0) return 0;
    if (m_schedule.accelTick > 0 && m_ticks >= m_schedule.accelTick) return m_schedule.factor;
    return 1;
}
