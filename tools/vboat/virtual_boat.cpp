#include "virtual_boat.h"

#include "control.h"
#include "wire_server.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <memory>

namespace vboat {

namespace {
constexpr int kTickMs = 5;
constexpr int kReadChunk = 65536;

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}
}  // namespace

VirtualBoat::VirtualBoat(const SimOptions& options)
    : core_(options), epoch_(std::chrono::steady_clock::now()) {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
    thread_ = std::thread([this] { run(); });
}

VirtualBoat::~VirtualBoat() {
    stop();
    if (thread_.joinable()) thread_.join();
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
    std::lock_guard<std::mutex> lock(mutex_);
    if (hasPending_) closeFd(pendingFd_);
}

double VirtualBoat::now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - epoch_).count();
}

void VirtualBoat::wake() {
    if (wakeWrite_ < 0) return;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &c, 1);
}

void VirtualBoat::attach(int fd) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (hasPending_) closeFd(pendingFd_);
        pendingFd_ = fd;
        hasPending_ = true;
    }
    wake();
}

int VirtualBoat::attachSocketPair() {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return -1;
    attach(fds[0]);
    return fds[1];
}

bool VirtualBoat::connected() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connected_ || hasPending_;
}

void VirtualBoat::powerOn() {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.powerOn(now());
}

void VirtualBoat::powerOff() {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.powerOff();
}

bool VirtualBoat::poweredOn() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return core_.poweredOn();
}

void VirtualBoat::setFrameRate(double framesPerSecond) {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setFrameRate(framesPerSecond);
}

void VirtualBoat::setFault(Fault fault, int everyNth) {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setFault(fault, everyNth);
}

void VirtualBoat::setLoaderFault(LoaderFault fault, int stopAfterBlocks) {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setLoaderFault(fault, stopAfterBlocks);
}

void VirtualBoat::setLoaderReRequestEvery(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setLoaderReRequestEvery(n);
}

void VirtualBoat::setVersions(const BoatVersions& versions) {
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setVersions(versions);
}

SonarSettings VirtualBoat::sonarSettings() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return core_.sonarSettings();
}

BoatStats VirtualBoat::stats() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return core_.stats();
}

QByteArray VirtualBoat::control(const QByteArray& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    return controlCommand(core_, line, now());
}

bool VirtualBoat::setTraceFile(const QString& path) {
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    core_.setTrace([file](const QByteArray& line) {
        file->write(line);
        file->flush();  // a reader sees each line as it happens
    });
    return true;
}

bool VirtualBoat::stop(int timeoutMs) {
    stopping_ = true;
    wake();
    std::unique_lock<std::mutex> lock(mutex_);
    const bool done = finishedCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                           [this] { return finished_; });
    lock.unlock();
    if (done && thread_.joinable()) thread_.join();
    return done;
}

void VirtualBoat::run() {
    int fd = -1;
    QByteArray input;
    QByteArray output;
    bool closeWhenSent = false;
    QByteArray chunk(kReadChunk, '\0');

    while (!stopping_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (hasPending_) {
                closeFd(fd);
                fd = pendingFd_;
                pendingFd_ = -1;
                hasPending_ = false;
                ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
                input.clear();
                output.clear();
                closeWhenSent = false;
                connected_ = fd >= 0;
                core_.resetConnection();
            }
        }

        pollfd fds[2] = {{wakeRead_, POLLIN, 0},
                         {fd, short(POLLIN | (output.isEmpty() ? 0 : POLLOUT)), 0}};
        ::poll(fds, fd >= 0 ? 2 : 1, kTickMs);
        char drain[64];
        while (wakeRead_ >= 0 && ::read(wakeRead_, drain, sizeof drain) > 0) {
        }

        bool hangUp = false;
        if (fd >= 0 && !closeWhenSent && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            for (;;) {
                const ssize_t n = ::recv(fd, chunk.data(), chunk.size(), 0);
                if (n > 0) {
                    input.append(chunk.constData(), static_cast<int>(n));
                    continue;
                }
                if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                    hangUp = true;
                break;
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const double t = now();
            if (fd >= 0 && !closeWhenSent && !serveRequests(input, output, core_, t)) {
                closeWhenSent = true;
            }
            core_.tick(t);
        }
        while (fd >= 0 && !output.isEmpty()) {
            const ssize_t n = ::send(fd, output.constData(), output.size(), MSG_NOSIGNAL);
            if (n > 0) {
                output.remove(0, static_cast<int>(n));
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) hangUp = true;
            break;
        }
        if (fd >= 0 && (hangUp || (closeWhenSent && output.isEmpty()))) {
            closeFd(fd);
            input.clear();
            output.clear();
            closeWhenSent = false;
            std::lock_guard<std::mutex> lock(mutex_);
            connected_ = false;
            core_.resetConnection();
        }
    }

    closeFd(fd);
    std::lock_guard<std::mutex> lock(mutex_);
    connected_ = false;
    finished_ = true;
    finishedCv_.notify_all();
}

}  // namespace vboat
