#include "platform/boat_control.h"

#include "platform/platform.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace BoatControl {

QString defaultPath() {
    const QString env = qEnvironmentVariable("KORVEL_VBOAT_CONTROL");
    return env.isEmpty() ? Platform::path(QStringLiteral("/dev/vboat.ctl")) : env;
}

bool send(const QString& line, QString* answer, QString* error, const QString& path,
          int timeoutMs) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof addr.sun_path)
        return fail(QStringLiteral("no usable control path \"%1\"").arg(path));
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return fail(QStringLiteral("no virtual boat at %1: %2").arg(path, why));
    }
    // One line: a command never carries a line end of its own.
    QByteArray out = line.simplified().toUtf8() + '\n';
    for (int done = 0; done < out.size();) {
        const ssize_t n =
            ::send(fd, out.constData() + done, size_t(out.size() - done), MSG_NOSIGNAL);
        if (n <= 0) {
            ::close(fd);
            return fail(QStringLiteral("the virtual boat at %1 hung up").arg(path));
        }
        done += int(n);
    }
    QByteArray in;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!in.contains('\n')) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd p{fd, POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, int(left)) <= 0) break;
        char buf[512];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        in.append(buf, int(n));
    }
    ::close(fd);
    if (!in.contains('\n')) return fail(QStringLiteral("no answer from %1").arg(path));
    if (answer) *answer = QString::fromUtf8(in.left(in.indexOf('\n')));
    return true;
}

}  // namespace BoatControl
