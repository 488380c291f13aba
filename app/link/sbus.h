#pragma once

#include <cstdint>

// The sbus packet that carries every message between the handset and its radio module:
//   "#sbus", type, index, 0, payload length (u16 LE), XOR of bytes 5..9, '*', payload.
namespace Sbus {

constexpr int kHeaderSize = 12;
constexpr int kMaxPayloadField = 1012;  // a longer payload is announced as length 0
constexpr int kBufferSize = 1024;

enum sbus_pkTyp_e : uint8_t { PK_RADIO = 0x10, PK_BOAT = 0x11, PK_SONAR = 0x12 };
enum ss_device_e { DEV_RADIO = 0, DEV_BOAT = 1 };

enum sbus_cmd_t : uint8_t {
    CMD_ACK = 0xA0,
    CMD_BIND = 0xA1,
    CMD_BIND_OK = 0xA2,
    CMD_ASK_INFO = 0xA3,
    CMD_COMPASS_CALI = 0xA4,
    CMD_RESET = 0xA5,
    CMD_HELLO = 0xA6,
    CMD_SONAR_CFG = 0xB1,
    CMD_REPORT = 0xC1,
    CMD_AP_LINK = 0xC2,
    CMD_COMPASS_REPORT = 0xC3,
    CMD_KBOOT = 0x00,
};

// Writes the 12-byte header for a payload of payloadLength bytes.
void writeHeader(uint8_t* out, uint8_t type, uint8_t index, int payloadLength);

// Builds a whole packet into out (at least 12 + 3 + 255 bytes) and returns its length, or 0
// when the command class takes no packet (or needs data and none is given).
int sbus_cmd_pkg(uint8_t* out, uint8_t cmd, const uint8_t* data, uint8_t len, int device,
                 uint8_t index);

// The command of a payload that starts with a command and its complement, else 0.
uint8_t sbus_rd_cmd(const uint8_t* bytes);

}  // namespace Sbus
