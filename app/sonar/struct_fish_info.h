#pragma once

#include <cstdint>

// One fish shown on the echogram.
struct StructFishInfo {
    float x = 0;           // echogram column
    float y = 0;           // pixel row 0..239
    uint8_t strength = 0;  // echo strength 0..255
    float depth = 0;       // metres
};
