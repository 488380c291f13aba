#include "link/sbus.h"

#include "base/global.h"

#include <cstring>

namespace Sbus {

void writeHeader(uint8_t* out, uint8_t type, uint8_t index, int payloadLength) {
    std::memcpy(out, "#sbus", 5);
    out[5] = type;
    out[6] = index;
    out[7] = 0;
    const int field = payloadLength > kMaxPayloadField ? 0 : payloadLength;
    out[8] = field & 0xff;
    out[9] = (field >> 8) & 0xff;
    out[10] = Global::XOR_chk(out + 5, 5);
    out[11] = '*';
}

int sbus_cmd_pkg(uint8_t* out, uint8_t cmd, const uint8_t* data, uint8_t len, int device,
                 uint8_t index) {
    uint8_t* p = out + kHeaderSize;
    int n = 0;
    const int cls = cmd & 0xF0;
    if (cls == 0xA0) {
        p[n++] = cmd;
        p[n++] = uint8_t(~cmd);
    } else if (cmd == CMD_SONAR_CFG) {
        p[n++] = cmd;
        p[n++] = uint8_t(~cmd);
        if (data && len) std::memcpy(p + n, data, len);
        n += data ? len : 0;
    } else if ((cls == 0xB0 && data) || cls == 0xC0) {
        p[n++] = cmd;
        p[n++] = uint8_t(~cmd);
        p[n++] = data ? len : 0;
        if (data && len) std::memcpy(p + n, data, len);
        n += data ? len : 0;
    } else if (cls == 0x00 && data) {
        std::memcpy(p, data, len);
        n = len;
    } else {
        return 0;
    }
    writeHeader(out, device == DEV_BOAT ? PK_BOAT : PK_RADIO, index, n);
    return kHeaderSize + n;
}

uint8_t sbus_rd_cmd(const uint8_t* bytes) {
    return uint8_t(~bytes[0]) == bytes[1] ? bytes[0] : 0;
}

}  // namespace Sbus
