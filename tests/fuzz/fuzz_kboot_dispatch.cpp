// Arbitrary packets for the update decoder and arbitrary payloads for the sorting of a
// reassembled burst. Input: packet type, the last header's length (u16 LE), then the payload,
// each given in a buffer of exactly its own size so that any over-read is caught.
#include "fuzz_bus.h"
#include "link/kboot.h"
#include "link/spi_device.h"

#include <QLoggingCategory>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
SpiDevice* g_dev = nullptr;

// A packet the decoder takes must be the one the encoder makes of what it decoded, but for
// the start byte, which the decoder leaves unchecked (and so the final XOR that covers it).
void checkDecode(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> copy(data, data + size);
    KBootRxPkgT pkg;
    if (!KBoot::decode(copy.data(), int(size), pkg)) return;
    std::vector<uint8_t> again(size_t(KBoot::kOverhead) + pkg.len);
    if (KBoot::encode(pkg, again.data()) != int(size)) std::abort();
    if (std::memcmp(again.data() + 1, data + 1, size - 2) != 0) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    g_dev = new SpiDevice(std::make_unique<FuzzSpiBus>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkDecode(data, size);
    if (size < 3) return 0;
    const uint8_t type = data[0];
    const int lastHeaderLength = data[1] | (data[2] << 8);
    const std::vector<uint8_t> payload(data + 3, data + size);
    g_dev->dispatch(type, payload.data(), int(payload.size()), lastHeaderLength);
    for (const kvl_w& f : g_dev->takeFrames())
        if (!f.isValid()) std::abort();
    const int cali = g_dev->state().current_compassCali;
    if (cali < 0 || cali > 5) std::abort();
    return 0;
}
