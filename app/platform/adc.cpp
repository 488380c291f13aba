#include "platform/adc.h"

#include "platform/adc_linux.h"
#include "platform/adc_virtual.h"
#include "platform/platform.h"

namespace {
AdcDevice::Factory& factory() {
    static AdcDevice::Factory f;
    return f;
}
}  // namespace

void AdcDevice::setFactory(Factory f) {
    factory() = std::move(f);
}

std::unique_ptr<AdcDevice> AdcDevice::create() {
    if (factory()) return factory()();
    if (Platform::isVirtual()) return std::make_unique<AdcVirtual>();
    return std::make_unique<AdcLinux>();
}
