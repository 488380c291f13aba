#include "control_server.h"

#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <vector>

namespace vboat {

namespace {
constexpr int kMaxLine = 4096;  // a writer that sends more without a line end is cut off

void sendAll(int fd, const QByteArray& bytes) {
    for (int done = 0; done < bytes.size();) {
        const ssize_t n =
            ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n <= 0) return;
        done += int(n);
    }
}
}  // namespace

int listenUnixSocket(const QString& path) {
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= int(sizeof addr.sun_path)) return -1;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const QFileInfo info(path);
    if (info.exists() && (info.isFile() || info.isDir())) return -1;
    ::unlink(name.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

ControlServer::ControlServer(Handler handler) : handler_(std::move(handler)) {}

ControlServer::~ControlServer() {
    stopping_ = true;
    if (wakeWrite_ >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &c, 1);
    }
    if (thread_.joinable()) thread_.join();
    for (int fd : {listenFd_, wakeRead_, wakeWrite_}) {
        if (fd >= 0) ::close(fd);
    }
    if (listenFd_ >= 0) ::unlink(path_.toLocal8Bit().constData());
}

bool ControlServer::listen(const QString& path) {
    if (listenFd_ >= 0) return false;
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    listenFd_ = listenUnixSocket(path);
    if (listenFd_ < 0) return false;
    path_ = path;
    thread_ = std::thread([this] { run(); });
    return true;
}

void ControlServer::run() {
    struct Client {
        int fd;
        QByteArray input;
    };
    std::vector<Client> clients;
    while (!stopping_) {
        std::vector<pollfd> fds{{wakeRead_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (const Client& c : clients)
            fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), nfds_t(fds.size()), 500) <= 0) continue;
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) clients.push_back({fd, QByteArray()});
        }
        // Newly accepted clients have no entry in fds yet: they are polled next round.
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            Client& c = clients[i - 2];
            char buf[1024];
            const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
            if (n > 0) c.input.append(buf, int(n));
            for (int end; (end = c.input.indexOf('\n')) >= 0;) {
                const QByteArray line = c.input.left(end).trimmed();
                c.input.remove(0, end + 1);
                if (!line.isEmpty()) sendAll(c.fd, handler_(line) + '\n');
            }
            // A last line without its line end counts all the same.
            if (n == 0 && !c.input.trimmed().isEmpty())
                sendAll(c.fd, handler_(c.input.trimmed()) + '\n');
            if (n <= 0 || c.input.size() > kMaxLine) {
                ::close(c.fd);
                c.fd = -1;
            }
        }
        for (size_t i = clients.size(); i-- > 0;) {
            if (clients[i].fd < 0) clients.erase(clients.begin() + long(i));
        }
    }
    for (const Client& c : clients)
        ::close(c.fd);
}

}  // namespace vboat
