#include "link/kboot.h"

#include "base/global.h"

#include <cstring>

namespace KBoot {

int encode(const KBootTxPkgT& pkg, uint8_t* out) {
    if (pkg.len > kMaxData) return 0;
    out[0] = '#';
    out[1] = pkg.len & 0xff;
    out[2] = pkg.len >> 8;
    out[3] = pkg.type;
    std::memcpy(out + 4, pkg.data, pkg.len);
    out[4 + pkg.len] = Global::XOR_chk(out, 4 + pkg.len);
    return kOverhead + pkg.len;
}

bool decode(const uint8_t* bytes, int count, KBootRxPkgT& out) {
    if (bytes == nullptr || count < kOverhead) return false;
    if (bytes[count - 1] != Global::XOR_chk(bytes, count - 1)) return false;
    const int len = bytes[1] | (bytes[2] << 8);
    if (len != count - kOverhead || len > kMaxData) return false;
    out.type = bytes[3];
    out.len = uint16_t(len);
    std::memcpy(out.data, bytes + 4, len);
    return true;
}

KBootTxPkgT heartbeat() {
    KBootTxPkgT p;
    p.type = TYPE_HEARTBEAT;
    p.len = 2;
    p.data[0] = kHeartbeatValue & 0xff;
    p.data[1] = kHeartbeatValue >> 8;
    return p;
}

KBootTxPkgT startOfTransfer(uint32_t imageSize, uint16_t blockSize, uint8_t imageXor) {
    KBootTxPkgT p;
    p.type = TYPE_START;
    p.len = 9;
    for (int i = 0; i < 4; ++i)
        p.data[i] = (imageSize >> (8 * i)) & 0xff;
    p.data[4] = blockSize & 0xff;
    p.data[5] = blockSize >> 8;
    p.data[6] = 0;
    p.data[7] = 0;
    p.data[8] = imageXor;
    return p;
}

KBootTxPkgT block(uint16_t index, const uint8_t* bytes, uint16_t blockSize) {
    KBootTxPkgT p;
    p.type = TYPE_BLOCK;
    if (blockSize > kMaxData - 2) blockSize = kMaxData - 2;
    p.len = uint16_t(2 + blockSize);
    p.data[0] = index & 0xff;
    p.data[1] = index >> 8;
    if (bytes) std::memcpy(p.data + 2, bytes, blockSize);
    return p;
}

}  // namespace KBoot
