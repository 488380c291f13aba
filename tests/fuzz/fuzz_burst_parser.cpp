// Arbitrary bytes from the radio module through the reading loop: no crash, no read beyond a
// buffer, and every frame handed over is a valid one.
#include "fuzz_bus.h"
#include "link/spi_device.h"

#include <QLoggingCategory>
#include <cstdlib>
#include <memory>

namespace {
FuzzSpiBus* g_bus = nullptr;
SpiDevice* g_dev = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    auto bus = std::make_unique<FuzzSpiBus>();
    g_bus = bus.get();
    g_dev = new SpiDevice(std::move(bus));
    SpiDevice::StructPacing none;
    none.commandPauseMs = 0;
    none.afterWriteMs = 0;
    none.packetPauseMs = 0;
    g_dev->setPacing(none);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_bus->load(data, size);
    // Every burst reads at least one byte while the line is high, so this ends.
    for (size_t polls = 0; g_bus->remaining() > 0 && polls <= size; ++polls) {
        g_dev->pollOnce();
        for (const kvl_w& f : g_dev->takeFrames())
            if (!f.isValid()) std::abort();
    }
    if (g_bus->remaining() > 0) std::abort();  // a burst that read nothing
    return 0;
}
