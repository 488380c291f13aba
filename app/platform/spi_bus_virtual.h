#pragma once

#include "platform/spi_bus.h"

#include <QString>
#include <chrono>
#include <mutex>

// The radio module played by the virtual boat over a Unix stream socket: every bus operation
// is one request and one reply of the virtual boat's wire protocol (tools/vboat/WIRE.md).
// When the boat is not there yet, or has gone, the bus reads nothing and tries to connect
// again at most once a second.
class SpiBusVirtual : public SpiBus {
public:
    // Connects to the socket at socketPath (by default <root>/dev/vboat.sock, or
    // KORVEL_VBOAT_SOCKET).
    explicit SpiBusVirtual(QString socketPath = defaultSocketPath());
    // Uses an already connected socket (one end of a socketpair in a test); takes ownership.
    explicit SpiBusVirtual(int connectedFd);
    ~SpiBusVirtual() override;

    void open() override;
    void configure(uint8_t mode, uint8_t bitsPerWord, uint32_t speedHz) override;
    long read(uint8_t* buf, size_t n) override;
    long write(const uint8_t* buf, size_t n) override;
    void setLine(EnumGpioLine line, bool high) override;
    int readLine(EnumGpioLine line) override;

    bool isConnected() const;
    bool isOpen() const override { return isConnected(); }
    static QString defaultSocketPath();
    static constexpr size_t kMaxChunk = 4096;

private:
    bool ensureConnected();  // called with m_mutex held
    void disconnect();
    bool sendAll(const uint8_t* p, size_t n);
    bool recvAll(uint8_t* p, size_t n);
    long transferChunk(char verb, uint8_t* in, const uint8_t* out, size_t n);

    QString m_path;
    int m_fd = -1;
    bool m_canReconnect = true;
    bool m_refused = false;  // the boat said it serves another handset (said once)
    std::chrono::steady_clock::time_point m_lastAttempt{};
    mutable std::mutex m_mutex;
};
