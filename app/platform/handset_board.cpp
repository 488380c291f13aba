#include "platform/handset_board.h"

#include "base/global.h"
#include "platform/adc.h"
#include "platform/board.h"
#include "platform/value_file.h"

#include <memory>

namespace {
// The ADC driver opened by initADC; reads before it (or after a failed open) give no sample.
std::unique_ptr<AdcDevice>& adc() {
    static std::unique_ptr<AdcDevice> device;
    return device;
}

constexpr double kAdcReference = 3.7;  // volts at full scale
constexpr double kAdcSteps = 4096;
constexpr double kDividerTimes10 = 78;  // the battery divider: 7.8 : 1
constexpr double kMinVolts = 6;
constexpr double kMaxVolts = 16;
}  // namespace

// The device is made for each click, so a click always goes to the root in force.
void Global::beeperForceOnOneTime() {
    const std::unique_ptr<ValueFileDevice> beeper =
        ValueFileDevice::create(QLatin1String(Board::kBeeper));
    beeper->write("1");
    beeper->write("0");
}

void Global::beeperOnOneTime() {
    if (Global::configuration.keyTone == 1) beeperForceOnOneTime();
}

void Global::beeperOn(const QString& kind) {
    if (kind == QLatin1String("key")) {
        beeperOnOneTime();
        return;
    }
    int clicks = 0;
    if (kind == QLatin1String("fish")) clicks = 1;
    if (kind == QLatin1String("message")) clicks = 2;
    if (kind == QLatin1String("alarm")) clicks = 3;
    if (kind == QLatin1String("link")) clicks = 5;
    for (int i = 0; i < clicks; ++i)
        beeperForceOnOneTime();
}

void Global::initADC() {
    auto device = AdcDevice::create();
    if (device->open()) {
        adc() = std::move(device);
    } else {
        adc().reset();
    }
}

float Global::adcToVoltage(int raw) {
    const double volts = raw * kAdcReference / kAdcSteps * kDividerTimes10 / 10;
    return volts > kMinVolts && volts < kMaxVolts ? static_cast<float>(volts) : 0.0f;
}

float Global::getBatVoltage() {
    int raw = 0;
    if (!adc() || !adc()->read(&raw)) return 0.0f;
    return adcToVoltage(raw);
}
