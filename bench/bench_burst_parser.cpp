// The burst parser's own cost, without wire or pauses: packets from an in-memory radio module
// through SpiDevice::pollOnce with pacing 0. Items are frames (or replies) handed over.
#include "link/sbus.h"
#include "link/spi_device.h"
#include "platform/spi_bus.h"

#include <benchmark/benchmark.h>
#include <QByteArray>
#include <QLoggingCategory>
#include <cstring>
#include <memory>

namespace {

// One message held in memory; the receive-ready line is high while bytes remain.
class MemorySpiBus : public SpiBus {
public:
    void load(const QByteArray& b) {
        m_bytes = b;
        m_pos = 0;
    }
    void open() override {}
    void configure(uint8_t, uint8_t, uint32_t) override {}
    long read(uint8_t* buf, size_t n) override {
        const size_t k = std::min(n, size_t(m_bytes.size() - m_pos));
        std::memcpy(buf, m_bytes.constData() + m_pos, k);
        std::memset(buf + k, 0, n - k);
        m_pos += int(k);
        return long(n);
    }
    long write(const uint8_t*, size_t n) override { return long(n); }
    void setLine(EnumGpioLine, bool) override {}
    bool isOpen() const override { return true; }
    int readLine(EnumGpioLine line) override {
        return line == EnumGpioLine::RxReady && m_pos < m_bytes.size() ? 1 : 0;
    }

private:
    QByteArray m_bytes;
    int m_pos = 0;
};

QByteArray packet(uint8_t type, const QByteArray& payload) {
    uint8_t hdr[Sbus::kHeaderSize];
    Sbus::writeHeader(hdr, type, 0, payload.size());
    return QByteArray(reinterpret_cast<const char*>(hdr), Sbus::kHeaderSize) + payload;
}

QByteArray frame() {
    kvl_w f = kvl_w::zero();
    f.bytes[0] = '#';
    for (int i = 35; i < kvl_w::kSize - 1; ++i)
        f.bytes[i] = uint8_t(i * 7);
    uint8_t x = 0;
    for (int i = kvl_w::kChecksumFrom; i < kvl_w::kSize - 1; ++i)
        x ^= f.bytes[i];
    f.bytes[kvl_w::kSize - 1] = x;
    return QByteArray(reinterpret_cast<const char*>(f.bytes), kvl_w::kSize);
}

void run(benchmark::State& state, const QByteArray& message) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    auto owned = std::make_unique<MemorySpiBus>();
    MemorySpiBus* bus = owned.get();
    SpiDevice dev(std::move(owned));
    dev.setPacing({0, 0, 0});
    int64_t handed = 0;
    for (auto _ : state) {
        bus->load(message);
        dev.pollOnce();
        if (dev.haveNewFrame()) {
            benchmark::DoNotOptimize(dev.takeFrame());
            ++handed;
        }
    }
    state.SetItemsProcessed(handed);
    state.SetBytesProcessed(int64_t(state.iterations()) * message.size());
}

void BM_Frame_OnePacket(benchmark::State& state) {
    run(state, packet(Sbus::PK_SONAR, frame()));
}

void BM_Frame_SplitInTwo(benchmark::State& state) {
    const QByteArray f = frame();
    run(state, packet(Sbus::PK_SONAR, f.left(100)) + packet(Sbus::PK_SONAR, f.mid(100)));
}

void BM_Frame_NoiseInFront(benchmark::State& state) {
    run(state, QByteArray(24, '\x55') + "###" + packet(Sbus::PK_SONAR, frame()));
}

void BM_BoatHello(benchmark::State& state) {
    static const char hello[] = {char(0xA6), char(0x59)};
    run(state, packet(Sbus::PK_BOAT, QByteArray(hello, 2)));
    state.SetItemsProcessed(int64_t(state.iterations()));
}

}  // namespace

BENCHMARK(BM_Frame_OnePacket);
BENCHMARK(BM_Frame_SplitInTwo);
BENCHMARK(BM_Frame_NoiseInFront);
BENCHMARK(BM_BoatHello);
BENCHMARK_MAIN();
