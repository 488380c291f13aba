#pragma once

#include "platform/adc.h"

// The battery ADC of a development machine: the file <root>/dev/magic-adc holds the raw
// sample as decimal text ("1500" is about 10.6 V). A test or the user writes it; it is read
// again for every sample, so a change shows at the next reading. A missing file or text that
// is not a number gives no sample, which the program shows as no battery reading.
class AdcVirtual : public AdcDevice {
public:
    bool open() override { return true; }
    bool read(int* raw) override;
};
