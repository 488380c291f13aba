#pragma once

#include "base/tr_string.h"

// The power-off count in main ticks while the power-off dialog is up: three seconds of eight
// ticks each, with the text that goes with each tick, and the power-off at the 24th tick.
namespace PowerOffCount {

constexpr int kTicksPerSecond = 8;
constexpr int kPowerOffTick = 24;

// The text shown at tick (1..23): "Power off in 3 seconds", 2, 1; TR_PowerOff before tick 1.
inline EnumTrString textAt(int tick) {
    if (tick <= 0) return TR_PowerOff;
    if (tick < kTicksPerSecond) return TR_PowerOffIn3;
    if (tick < 2 * kTicksPerSecond) return TR_PowerOffIn2;
    return TR_PowerOffIn1;
}

}  // namespace PowerOffCount
