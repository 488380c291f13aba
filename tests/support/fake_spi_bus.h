#pragma once

#include "platform/spi_bus.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
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

        void give(const QByteArray& bytes) {
            std::lock_guard<std::mutex> lock(mutex);
            incoming = bytes;
        }
        QByteArray writtenBytes() {
            std::lock_guard<std::mutex> lock(mutex);
            return written;
        }
    };

    explicit FakeSpiBus(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    void open() override {}
    void configure(uint8_t, uint8_t, uint32_t) override {}
    long read(uint8_t* buf, size_t n) override {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        const QByteArray got = m_state->incoming.left(int(n));
        m_state->incoming.remove(0, got.size());
        std::fill(std::copy(got.begin(), got.end(), buf), buf + n, 0);
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
        return line == EnumGpioLine::RxReady && !m_state->incoming.isEmpty() ? 1 : 0;
    }

private:
    std::shared_ptr<State> m_state;
};

// Bytes of the link built by hand from the packet formats, independently of the handset's own
// builders.
namespace FakeLink {

inline const uint8_t* raw(const QByteArray& b) {
    return reinterpret_cast<const uint8_t*>(b.constData());
}

inline uint8_t xorOf(const QByteArray& b, int from = 0, int count = -1) {
    uint8_t x = 0;
    for (int i = from; i < (count < 0 ? b.size() : from + count); ++i)
        x ^= uint8_t(b[i]);
    return x;
}

// "#sbus", type, index, 0, payload length (LE), XOR of bytes 5..9, '*', payload.
inline QByteArray packet(uint8_t type, const QByteArray& payload, uint8_t index = 0) {
    QByteArray p("#sbus");
    p += char(type);
    p += char(index);
    p += char(0);
    p += char(payload.size() & 0xff);
    p += char(payload.size() >> 8);
    p += char(xorOf(p, 5));
    return p + '*' + payload;
}

// A command and its complement, then the rest.
inline QByteArray command(uint8_t cmd, const QByteArray& rest = QByteArray()) {
    return QByteArray(1, char(cmd)) + char(~cmd) + rest;
}

// A sonar frame: '#', range 10 m, `tag` in the depth byte, varied samples, and the checksum
// that makes bytes 3..275 XOR to 0 (or not).
inline QByteArray frame(uint8_t tag, bool goodChecksum = true, int size = 276) {
    QByteArray f(size, '\0');
    f[0] = '#';
    f[4] = char(0xE8);
    f[5] = 0x03;
    f[33] = char(tag);
    for (int i = 35; i < size - 1; ++i)
        f[i] = char((i * 13 + tag) & 0xff);
    f[size - 1] = char(xorOf(f, 3, size - 4) ^ (goodChecksum ? 0 : 0x55));
    return f;
}

}  // namespace FakeLink
