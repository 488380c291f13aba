#include "platform/adc_linux.h"

#include "platform/board.h"
#include "platform/platform.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <cstdio>

AdcLinux::~AdcLinux() {
    if (m_fd >= 0) ::close(m_fd);
}

bool AdcLinux::open() {
    if (m_fd >= 0) return true;
    // Non-blocking: the battery is read on the GUI thread, which must never wait for it.
    m_fd = ::open(Platform::pathBytes(QLatin1String(Board::kAdc)).constData(),
                  O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        perror("adc open error by APP");
        return false;
    }
    return true;
}

bool AdcLinux::read(int* raw) {
    if (m_fd < 0 || raw == nullptr) return false;
    int value = 0;
    if (ioctl(m_fd, kReadRequest, &value) < 0) return false;
    *raw = value;
    return true;
}
