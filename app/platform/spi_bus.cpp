#include "platform/spi_bus.h"

#include "platform/platform.h"
#include "platform/spi_bus_linux.h"
#include "platform/spi_bus_virtual.h"

namespace {
SpiBus::Factory& factory() {
    static SpiBus::Factory f;
    return f;
}
}  // namespace

void SpiBus::setFactory(Factory f) {
    factory() = std::move(f);
}

std::unique_ptr<SpiBus> SpiBus::create() {
    if (factory()) return factory()();
    if (Platform::isVirtual()) return std::make_unique<SpiBusVirtual>();
    return std::make_unique<SpiBusLinux>();
}
