#include "platform/serial_port.h"

#include "platform/platform.h"
#include "platform/serial_port_linux.h"
#include "platform/serial_port_virtual.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kMaxLineBytes = 255;

speed_t speedForRate(int rateIndex) {
    switch (rateIndex) {
        case BaudRate4800:
            return B4800;
        case BaudRate9600:
            return B9600;
        case BaudRate38400:
            return B38400;
        case BaudRate115200:
            return B115200;
        default:
            // A damaged configuration must not leave the speed undefined: fall back to the
            // start-up speed.
            return B115200;
    }
}

// The steps of opening, in the handset's order: speed first, then the raw line.
bool configureLine(int fd, speed_t speed) {
    termios tio;
    std::memset(&tio, 0, sizeof tio);
    // Start from the port's own settings rather than a blank record, so that flags this
    // routine does not mention (CREAD, CLOCAL) keep their values.
    if (tcgetattr(fd, &tio) != 0) return false;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    if (tcgetattr(fd, &tio) != 0) return false;

    tio.c_iflag &= ~(BRKINT | INPCK | ISTRIP | ICRNL | IXON);
    tio.c_oflag &= ~OPOST;
    tio.c_cflag &= ~(CSIZE | PARENB);
    tio.c_cflag |= CS8;
    tio.c_lflag &= ~(ISIG | ICANON | ECHO | IEXTEN);
    tio.c_cc[VTIME] = 150;
    tio.c_cc[VMIN] = 255;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

std::unique_ptr<SerialPort> SerialPort::create() {
    if (Platform::isVirtual()) return std::make_unique<VirtualSerialPort>();
    return std::make_unique<LinuxSerialPort>();
}

SerialPort::~SerialPort() {
    if (m_fd >= 0) ::close(m_fd);
}

int SerialPort::open(int rateIndex) {
    close();
    const int fd = openDevice();
    if (fd < 0) return -1;
    m_fd = fd;
    if (!configureLine(fd, speedForRate(rateIndex))) {
        perror(kDevice);
        close();
        return -1;
    }
    const int flushed = tcflush(fd, TCIOFLUSH);
    if (flushed != 0) {
        perror(kDevice);
        close();
        return -1;
    }
    m_writeFailing = false;
    return flushed;
}

int SerialPort::setBaudRate(int rateIndex) {
    if (m_fd < 0) return -1;
    const speed_t speed = speedForRate(rateIndex);
    termios tio;
    std::memset(&tio, 0, sizeof tio);
    if (tcgetattr(m_fd, &tio) != 0 || cfsetispeed(&tio, speed) != 0 ||
        cfsetospeed(&tio, speed) != 0 || tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        perror(kDevice);
        return -1;
    }
    return 0;
}

int SerialPort::writeLine(const QString& text) {
    if (m_fd < 0) return -1;  // a port that never opened stays quiet; open() said why
    QByteArray line = text.toLatin1().left(kMaxLineBytes);
    line.append('\n');
    const ssize_t written = ::write(m_fd, line.constData(), static_cast<size_t>(line.size()));
    if (written == line.size()) {
        m_writeFailing = false;
        return static_cast<int>(written);
    }
    // Report the first failure of a run only: with nobody listening every sentence fails.
    if (!m_writeFailing) {
        if (written < 0) {
            perror(kDevice);
        } else {
            std::fprintf(stderr, "%s: line cut after %zd of %d bytes\n", kDevice, written,
                         line.size());
        }
    }
    m_writeFailing = true;
    return -1;
}

void SerialPort::close() {
    if (m_fd < 0) return;
    releaseDevice();
    ::close(m_fd);
    m_fd = -1;
}
