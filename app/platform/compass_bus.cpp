#include "platform/compass_bus.h"

#include "platform/compass_bus_linux.h"
#include "platform/compass_bus_virtual.h"
#include "platform/platform.h"

namespace {
CompassBus::Factory& factory() {
    static CompassBus::Factory f;
    return f;
}
}  // namespace

void CompassBus::setFactory(Factory f) {
    factory() = std::move(f);
}

std::unique_ptr<CompassBus> CompassBus::create() {
    if (factory()) return factory()();
    if (Platform::isVirtual()) return std::make_unique<CompassBusVirtual>();
    return std::make_unique<CompassBusLinux>();
}
