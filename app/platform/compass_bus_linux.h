#pragma once

#include "platform/compass_bus.h"

// The board's I2C adapter and the compass's supply line, through their device files. The
// supply line is opened once, with the object, as the handset's driver expects.
class CompassBusLinux : public CompassBus {
public:
    CompassBusLinux();
    ~CompassBusLinux() override;

    bool open() override;
    void close() override;
    void setPower(bool on) override;
    bool readRegister(uint8_t address, uint8_t reg, uint8_t* value) override;
    bool writeRegister(uint8_t address, uint8_t reg, uint8_t value) override;

private:
    int m_bus = -1;
    int m_power = -1;
};
