#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// The handset compass's wiring: the I2C bus "/dev/i2c-0" and the supply line "/dev/gpio-SCL".
// Addresses are 8-bit bus addresses (the 7-bit address shifted left by one). A register is
// read with one combined write-register/read-byte transfer and written with one two-byte
// write; the compass logic above is the same for every backend.
class CompassBus {
public:
    static constexpr const char* kBus = "/dev/i2c-0";
    static constexpr const char* kPowerLine = "/dev/gpio-SCL";
    // The supply line driver's requests.
    static constexpr unsigned long kPowerOn = 9;
    static constexpr unsigned long kPowerOff = 10;

    virtual ~CompassBus() = default;

    // Opens or closes the bus; open() is false (after printing why) when it cannot be opened.
    virtual bool open() = 0;
    virtual void close() = 0;
    // Switches the compass's supply.
    virtual void setPower(bool on) = 0;
    // One register; false when the transfer failed (the chip did not answer).
    virtual bool readRegister(uint8_t address, uint8_t reg, uint8_t* value) = 0;
    virtual bool writeRegister(uint8_t address, uint8_t reg, uint8_t value) = 0;

    // The backend of the platform, unless a test has installed its own factory.
    static std::unique_ptr<CompassBus> create();
    using Factory = std::function<std::unique_ptr<CompassBus>()>;
    static void setFactory(Factory factory);
};
