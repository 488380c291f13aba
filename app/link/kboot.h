#pragma once

#include <cstdint>

// The firmware-update sub-protocol carried inside sbus payloads:
//   '#', data length n (u16 LE), type, n data bytes, XOR of all bytes before it.
struct KBootTxPkgT {
    uint8_t type = 0;
    uint16_t len = 0;
    uint8_t data[1024] = {};
};
using KBootRxPkgT = KBootTxPkgT;

namespace KBoot {

constexpr int kOverhead = 5;
constexpr int kMaxData = 1024;

enum : uint8_t {
    TYPE_HEARTBEAT = 0x00,
    TYPE_HEARTBEAT_ANSWER = 0x0C,
    TYPE_START = 0x1F,
    TYPE_BLOCK = 0x20,
    TYPE_REPORT = 0x36,
};

constexpr uint16_t kHeartbeatValue = 64;
constexpr uint16_t kBlockSizeAp = 48;
constexpr uint16_t kBlockSizeSonar = 128;

// Serialises pkg into out (at least 5 + pkg.len bytes); returns the byte count, 0 when the
// data length is beyond the packet's room.
int encode(const KBootTxPkgT& pkg, uint8_t* out);

// Accepts a packet of count bytes only when its last byte is the XOR of the bytes before it
// and its length field is count - 5.
bool decode(const uint8_t* bytes, int count, KBootRxPkgT& out);

// The messages the handset sends.
KBootTxPkgT heartbeat();
KBootTxPkgT startOfTransfer(uint32_t imageSize, uint16_t blockSize, uint8_t imageXor);
KBootTxPkgT block(uint16_t index, const uint8_t* bytes, uint16_t blockSize);

}  // namespace KBoot
