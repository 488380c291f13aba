#include "platform/backlight.h"

#include "platform/board.h"

#include <QtGlobal>

namespace {
constexpr float kEpsilon = 0.001f;
constexpr int kScale = 11;  // level 1..9 -> 12..100
}  // namespace

Backlight::Backlight(std::unique_ptr<ValueFileDevice> device)
    : m_device(device ? std::move(device)
                      : ValueFileDevice::create(QLatin1String(Board::kBacklight))) {}

bool Backlight::apply(float level) {
    if (m_off) return false;
    if (m_current >= 0 && qAbs(level - m_current) <= kEpsilon) return false;
    m_current = level;
    m_device->write(QByteArray::number(double(level * kScale + 1), 'g', 6));
    return true;
}

void Backlight::off() {
    m_device->write("0");
    m_current = 0;
    m_off = true;
}

void Backlight::restore(float level) {
    m_off = false;
    m_current = -1;
    apply(level);
}
