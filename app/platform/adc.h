#pragma once
#include "platform/handset_board.h"

#include <functional>
#include <memory>

// The handset battery's ADC driver "/dev/magic-adc". One reading is one raw 12-bit sample;
// Global::getBatVoltage turns it into volts.
class AdcDevice {
public:
    // The driver's request for one sample (an int written by the driver).
    static constexpr unsigned long kReadRequest = 0x40046A1A;

    virtual ~AdcDevice() = default;

    // Opens the driver; false (after printing why) when it cannot be opened.
    virtual bool open() = 0;
    // One raw sample into *raw; false when there is none.
    virtual bool read(int* raw) = 0;

    // The backend of the platform, unless a test has installed its own factory.
    static std::unique_ptr<AdcDevice> create();
    using Factory = std::function<std::unique_ptr<AdcDevice>()>;
    static void setFactory(Factory factory);
};
