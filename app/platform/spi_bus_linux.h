#pragma once

#include "platform/spi_bus.h"

// The handset's own devices: spidev and the board's GPIO character devices.
class SpiBusLinux : public SpiBus {
public:
    ~SpiBusLinux() override;
    void open() override;
    void configure(uint8_t mode, uint8_t bitsPerWord, uint32_t speedHz) override;
    long read(uint8_t* buf, size_t n) override;
    long write(const uint8_t* buf, size_t n) override;
    void setLine(EnumGpioLine line, bool high) override;
    int readLine(EnumGpioLine line) override;
    bool isOpen() const override { return m_spi >= 0; }

private:
    int lineFd(EnumGpioLine line) const;

    int m_spi = -1;
    int m_cs = -1;
    int m_rx = -1;
    int m_tx = -1;
};
