#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// The radio module's SPI bus and its three GPIO lines: "/dev/spidev1.0" for the data, and the
// chip-select, receive-ready and transmit lines. The link code above it is the same for every
// backend; a backend replaces only these primitive operations.
enum class EnumGpioLine { ChipSelect = 0, RxReady = 1, TxFlag = 2 };

class SpiBus {
public:
    virtual ~SpiBus() = default;

    // Opens the bus and the three lines, reporting each failure; the bus is usable as far as
    // it opened.
    virtual void open() = 0;
    // SPI mode, bits per word and speed, each set and read back, reporting each failure.
    virtual void configure(uint8_t mode, uint8_t bitsPerWord, uint32_t speedHz) = 0;
    // Plain transfers; the number of bytes moved, or -1.
    virtual long read(uint8_t* buf, size_t n) = 0;
    virtual long write(const uint8_t* buf, size_t n) = 0;
    virtual void setLine(EnumGpioLine line, bool high) = 0;
    // False while the bus cannot carry data (the device did not open, no boat answers); a
    // failure of that kind is reported once, where it is found.
    virtual bool isOpen() const = 0;
    // The line's level (0 = low), or 0 when it cannot be read.
    virtual int readLine(EnumGpioLine line) = 0;

    // The backend of the platform (Linux devices or the virtual boat), unless a test has
    // installed its own factory.
    static std::unique_ptr<SpiBus> create();
    using Factory = std::function<std::unique_ptr<SpiBus>()>;
    static void setFactory(Factory factory);
};

// The ioctl requests of the board's GPIO driver.
namespace GpioRequest {
constexpr unsigned long kHigh = 9;
constexpr unsigned long kLow = 10;
constexpr unsigned long kRead = 11;
}  // namespace GpioRequest
