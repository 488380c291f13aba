#pragma once

#include <cstdint>
#include <cstring>

// One sonar data frame as the boat sends it, byte for byte; the same 276 bytes are one record
// of the sonar history and of a log file.
struct kvl_w {
    static constexpr int kSize = 276;
    static constexpr int kChecksumFrom = 3;  // the XOR of bytes 3..275 is 0 in a valid frame
    uint8_t bytes[kSize];

    // The frame that stands for "no data": zeros with a range of 1000 cm.
    static kvl_w zero() {
        kvl_w f{};
        const uint32_t range = 1000;
        f.bytes[4] = range & 0xff;
        f.bytes[5] = (range >> 8) & 0xff;
        return f;
    }
    static bool isValid(const uint8_t* data, int len) {
        if (len != kSize) return false;
        uint8_t x = 0;
        for (int i = kChecksumFrom; i < kSize; ++i)
            x ^= data[i];
        return x == 0;
    }
    bool isValid() const { return isValid(bytes, kSize); }
    bool operator==(const kvl_w& o) const { return std::memcmp(bytes, o.bytes, kSize) == 0; }
    bool operator!=(const kvl_w& o) const { return !(*this == o); }
};
static_assert(sizeof(kvl_w) == 276, "a frame is 276 bytes");
