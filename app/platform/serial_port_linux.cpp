#include "platform/serial_port_linux.h"

#include "platform/platform.h"

#include <cstdio>

#include <fcntl.h>

int LinuxSerialPort::openDevice() {
    const QByteArray path = Platform::pathBytes(QString::fromLatin1(kDevice));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) perror(kDevice);
    return fd;
}
