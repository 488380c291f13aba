#pragma once

#include "platform/adc.h"

// The board's ADC driver, read-only, one ioctl per sample.
class AdcLinux : public AdcDevice {
public:
    ~AdcLinux() override;
    bool open() override;
    bool read(int* raw) override;

private:
    int m_fd = -1;
};
