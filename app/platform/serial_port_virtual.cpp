#include "platform/serial_port_virtual.h"

#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readLink(const QByteArray& link) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    return n < 0 ? QByteArray() : QByteArray(target, static_cast<int>(n));
}

}  // namespace

VirtualSerialPort::~VirtualSerialPort() {
    close();
}

int VirtualSerialPort::openDevice() {
    // The pty multiplexer is the host's own, never one under the root.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        perror(kDevice);
        return -1;
    }
    char name[PATH_MAX];
    const int flags = fcntl(master, F_GETFL);
    // Non-blocking like the real port: with nobody reading the slave the buffer fills up and
    // a blocking write would freeze the GUI thread.
    if (flags < 0 || fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0 || grantpt(master) != 0 ||
        unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        perror(kDevice);
        ::close(master);
        return -1;
    }
    m_slave = QByteArray(name);
    if (!publishLink()) {
        m_slave.clear();
        ::close(master);
        return -1;
    }
    return master;
}

bool VirtualSerialPort::publishLink() {
    const QString linkPath = Platform::path(QString::fromLatin1(kDevice));
    const QByteArray link = QFile::encodeName(linkPath);
    if (!QDir().mkpath(QFileInfo(linkPath).absolutePath())) {
        std::fprintf(stderr, "%s: cannot create the folder of %s\n", kDevice, link.constData());
        return false;
    }
    // Only a link left by an earlier run is replaced; a real device node or a file of the
    // same name is not ours to remove.
    struct stat st;
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        std::fprintf(stderr, "%s: %s exists and is not a link, not replacing it\n", kDevice,
                     link.constData());
        return false;
    }
    // Made under a temporary name and renamed over the old link, so that a reader never
    // finds the name missing or half made.
    const QByteArray temporary = link + ".new" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    if (::symlink(m_slave.constData(), temporary.constData()) != 0 ||
        ::rename(temporary.constData(), link.constData()) != 0) {
        perror(kDevice);
        ::unlink(temporary.constData());
        return false;
    }
    m_link = link;
    return true;
}

void VirtualSerialPort::releaseDevice() {
    // Another port may have taken the name over meanwhile; its link stays.
    if (!m_link.isEmpty() && readLink(m_link) == m_slave) ::unlink(m_link.constData());
    m_link.clear();
    m_slave.clear();
}
