#include "platform/compass_bus.h"

#include "platform/compass_bus_linux.h"
#include "platform/compass_bus_virtual.h"
#include "platform/device_backend.h"

using Backend = DeviceBackend<CompassBus, CompassBusLinux, CompassBusVirtual>;

void CompassBus::setFactory(Factory f) {
    Backend::factory() = std::move(f);
}

std::unique_ptr<CompassBus> CompassBus::create() {
    return Backend::create();
}
