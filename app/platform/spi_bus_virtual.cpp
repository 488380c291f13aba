#include "platform/spi_bus_virtual.h"

#include "base/log.h"
#include "platform/platform.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {
constexpr auto kRetryInterval = std::chrono::seconds(1);
constexpr uint8_t kBusyCode = 4;  // the boat's error: another handset is connected

void putU16(uint8_t* p, size_t v) {
    p[0] = v & 0xff;
    p[1] = (v >> 8) & 0xff;
}
size_t getU16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
}  // namespace

QString SpiBusVirtual::defaultSocketPath() {
    const QString env = qEnvironmentVariable("KORVEL_VBOAT_SOCKET");
    return env.isEmpty() ? Platform::path(QStringLiteral("/dev/vboat.sock")) : env;
}

SpiBusVirtual::SpiBusVirtual(QString socketPath) : m_path(std::move(socketPath)) {}

SpiBusVirtual::SpiBusVirtual(int connectedFd) : m_fd(connectedFd), m_canReconnect(false) {}

SpiBusVirtual::~SpiBusVirtual() {
    disconnect();
}

bool SpiBusVirtual::isConnected() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fd >= 0;
}

void SpiBusVirtual::disconnect() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool SpiBusVirtual::ensureConnected() {
    if (m_fd >= 0) return true;
    if (!m_canReconnect) return false;
    const auto now = std::chrono::steady_clock::now();
    if (m_lastAttempt != std::chrono::steady_clock::time_point{} &&
        now - m_lastAttempt < kRetryInterval)
        return false;
    m_lastAttempt = now;
    const QByteArray path = m_path.toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof addr.sun_path) {
        qCWarning(lcPlatform) << "virtual boat socket path too long:" << m_path;
        return false;
    }
    std::memcpy(addr.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    // The boat answers its version, or says that it serves another handset already.
    // The refusal comes unasked, so it is read even when the question could not be sent.
    const uint8_t ask = 'V';
    uint8_t reply[2] = {0, 0};
    sendAll(&ask, 1);
    if (!recvAll(reply, 2) || reply[0] != 'v') {
        disconnect();
        if (reply[0] == 'E' && reply[1] == kBusyCode && !m_refused) {
            qCWarning(lcPlatform).noquote()
                << "the virtual boat at" << m_path
                << "serves another handset already; this one tries again every second";
        }
        m_refused = reply[0] == 'E' && reply[1] == kBusyCode;
        return false;
    }
    m_refused = false;
    qCInfo(lcPlatform) << "connected to the virtual boat at" << m_path;
    return true;
}

bool SpiBusVirtual::sendAll(const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t k = ::send(m_fd, p, n, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= size_t(k);
    }
    return true;
}

bool SpiBusVirtual::recvAll(uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t k = ::recv(m_fd, p, n, 0);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= size_t(k);
    }
    return true;
}

void SpiBusVirtual::open() {
    std::lock_guard<std::mutex> lock(m_mutex);
    // No boat yet is normal on a development machine: the link stays silent and connects as
    // soon as one answers.
    if (!ensureConnected() && !m_refused)
        qCInfo(lcPlatform).noquote() << "no virtual boat answers at" << m_path
                                     << "- the radio link stays silent until one does";
}

// The virtual module has no clock or mode to set.
void SpiBusVirtual::configure(uint8_t, uint8_t, uint32_t) {}

long SpiBusVirtual::transferChunk(char verb, uint8_t* in, const uint8_t* out, size_t n) {
    uint8_t head[3] = {uint8_t(verb), 0, 0};
    putU16(head + 1, n);
    if (!sendAll(head, 3) || (out && !sendAll(out, n))) {
        disconnect();
        return -1;
    }
    uint8_t reply[3];
    if (!recvAll(reply, 3) || reply[0] != uint8_t(verb + ('a' - 'A')) || getU16(reply + 1) != n ||
        (in && !recvAll(in, n))) {
        disconnect();
        return -1;
    }
    return long(n);
}

long SpiBusVirtual::read(uint8_t* buf, size_t n) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!ensureConnected()) return -1;
    size_t done = 0;
    while (done < n) {
        const size_t chunk = std::min(kMaxChunk, n - done);
        if (transferChunk('R', buf + done, nullptr, chunk) < 0) return -1;
        done += chunk;
    }
    return long(n);
}

long SpiBusVirtual::write(const uint8_t* buf, size_t n) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!ensureConnected()) return -1;
    size_t done = 0;
    while (done < n) {
        const size_t chunk = std::min(kMaxChunk, n - done);
        if (transferChunk('W', nullptr, buf + done, chunk) < 0) return -1;
        done += chunk;
    }
    return long(n);
}

void SpiBusVirtual::setLine(EnumGpioLine line, bool high) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!ensureConnected()) return;
    const uint8_t req[3] = {'S', uint8_t(line), uint8_t(high ? 1 : 0)};
    uint8_t reply[3];
    if (!sendAll(req, 3) || !recvAll(reply, 3) || reply[0] != 's') disconnect();
}

int SpiBusVirtual::readLine(EnumGpioLine line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!ensureConnected()) return 0;
    const uint8_t req[2] = {'G', uint8_t(line)};
    uint8_t reply[3];
    if (!sendAll(req, 2) || !recvAll(reply, 3) || reply[0] != 'g') {
        disconnect();
        return 0;
    }
    return reply[2];
}
