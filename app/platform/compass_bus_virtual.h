#pragma once

#include "platform/compass_bus.h"
#include "platform/virtual_compass_chip.h"

// The compass of a development machine: the file <root>/dev/magic-compass holds the handset's
// heading, pitch and roll in degrees and, optionally, the chip generation ("275 3 -2" or
// "90 0 0 v1"). It is read again for every register, so a change shows at the next reading.
// Without the file, or with text not of that form, no chip answers: a handset without a
// compass.
class CompassBusVirtual : public CompassBus {
public:
    static constexpr const char* kPoseFile = "/dev/magic-compass";

    bool open() override;
    void close() override { m_open = false; }
    void setPower(bool on) override;
    bool readRegister(uint8_t address, uint8_t reg, uint8_t* value) override;
    bool writeRegister(uint8_t address, uint8_t reg, uint8_t value) override;

private:
    bool present();

    VirtualCompassChip m_chip;
    bool m_open = false;
    bool m_powered = true;  // like the board, whose line is on until switched
};
