#pragma once

#include "platform/value_file.h"

#include <memory>

// The screen's backlight: the configured level 1..9 becomes brightness level x 11 + 1. A level
// is written only when it changed; the first one always is, since the brightness the board
// starts with is not known.
class Backlight {
public:
    explicit Backlight(std::unique_ptr<ValueFileDevice> device = nullptr);

    // Writes the level's brightness when the level changed; true when it wrote. Nothing is
    // written while the backlight is off.
    bool apply(float level);
    // Brightness 0, and it stays dark whatever apply() is asked (power-off).
    void off();
    // Lights the screen again at level (a power-off that did not happen).
    void restore(float level);
    bool isOff() const { return m_off; }
    // The level last written, -1 before the first write; 0 after off().
    float current() const { return m_current; }

private:
    std::unique_ptr<ValueFileDevice> m_device;
    float m_current = -1;
    bool m_off = false;
};
