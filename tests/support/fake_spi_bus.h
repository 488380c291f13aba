#pragma once

#include "platform/spi_bus.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <mutex>

// An in-memory radio module for the link's tests: it hands out the bytes queued in `incoming`,
// holds its receive-ready line high while any are left, and records what the handset writes
// and every line change.
class FakeSpiBus : public SpiBus {
public:
    struct State {
        std::mutex mutex;
        QByteArray incoming;
        QByteArray written;
        QStringList events;  // "cs0", "cs1", "tx0", "tx1", "write:N"
        int reads = 0;
        bool forceReady = false;  // keep the ready line high even when empty
    };

    explicit FakeSpiBus(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    void open() override {}
    void configure(uint8_t, uint8_t, uint32_t) override {}
    long read(uint8_t* buf, size_t n) override {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        ++m_state->reads;
        for (size_t i = 0; i < n; ++i) {
            if (m_state->incoming.isEmpty()) {
                buf[i] = 0;
            } else {
                buf[i] = uint8_t(m_state->incoming.at(0));
                m_state->incoming.remove(0, 1);
            }
        }
        return long(n);
    }
    long write(const uint8_t* buf, size_t n) override {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->written.append(reinterpret_cast<const char*>(buf), int(n));
        m_state->events << QStringLiteral("write:%1").arg(n);
        return long(n);
    }
    void setLine(EnumGpioLine line, bool high) override {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (line == EnumGpioLine::ChipSelect) m_state->events << (high ? "cs1" : "cs0");
        if (line == EnumGpioLine::TxFlag) m_state->events << (high ? "tx1" : "tx0");
    }
    bool isOpen() const override { return true; }
    int readLine(EnumGpioLine line) override {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (line != EnumGpioLine::RxReady) return 0;
        return m_state->forceReady || !m_state->incoming.isEmpty() ? 1 : 0;
    }

private:
    std::shared_ptr<State> m_state;
};
