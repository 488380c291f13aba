#pragma once

#include "platform/spi_bus.h"

#include <cstring>
#include <vector>

// A radio module that holds one byte stream: the receive-ready line is high while bytes
// remain, reads past the end give the idle filler 0, and writes go nowhere.
class FuzzSpiBus : public SpiBus {
public:
    void load(const uint8_t* data, size_t size) {
        m_bytes.assign(data, data + size);
        m_pos = 0;
    }
    size_t remaining() const { return m_bytes.size() - m_pos; }

    void open() override {}
    void configure(uint8_t, uint8_t, uint32_t) override {}
    long read(uint8_t* buf, size_t n) override {
        const size_t k = std::min(n, remaining());
        if (k) std::memcpy(buf, m_bytes.data() + m_pos, k);
        std::memset(buf + k, 0, n - k);
        m_pos += k;
        return long(n);
    }
    long write(const uint8_t*, size_t n) override { return long(n); }
    void setLine(EnumGpioLine, bool) override {}
    bool isOpen() const override { return true; }
    int readLine(EnumGpioLine line) override {
        return line == EnumGpioLine::RxReady && remaining() > 0 ? 1 : 0;
    }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_pos = 0;
};
