#pragma once

#include "platform/platform.h"

#include <functional>
#include <memory>

// The backend a device interface hands out: the one a test installed, else the virtual one on
// a development root, else the Linux one.
template <class Device, class Linux, class Virtual>
struct DeviceBackend {
    using Factory = std::function<std::unique_ptr<Device>()>;
    static Factory& factory() {
        static Factory f;
        return f;
    }
    static std::unique_ptr<Device> create() {
        if (factory()) return factory()();
        if (Platform::isVirtual()) return std::make_unique<Virtual>();
        return std::make_unique<Linux>();
    }
};
