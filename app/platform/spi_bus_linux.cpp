#include "platform/spi_bus_linux.h"

#include "platform/platform.h"

#include <fcntl.h>
#include <linux/spi/spidev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <cstdio>

namespace {
int openRw(const char* path, const char* failure) {
    const int fd = ::open(Platform::pathBytes(QString::fromLatin1(path)).constData(), O_RDWR);
    if (fd < 0) perror(failure);
    return fd;
}
}  // namespace

SpiBusLinux::~SpiBusLinux() {
    for (int fd : {m_spi, m_cs, m_rx, m_tx}) {
        if (fd >= 0) ::close(fd);
    }
}

void SpiBusLinux::open() {
    m_spi = openRw("/dev/spidev1.0", "open spidev fail...\n");
    m_cs = openRw("/dev/gpio-UTX3", "open spinss fail...\n");
    m_rx = openRw("/dev/gpio-UTX4", "open spirx fail...\n");
    m_tx = openRw("/dev/gpio-URX4", "open spitx fail...\n");
}

void SpiBusLinux::configure(uint8_t mode, uint8_t bitsPerWord, uint32_t speedHz) {
    if (ioctl(m_spi, SPI_IOC_WR_MODE, &mode) == -1) perror("can't set wr spi mode");
    if (ioctl(m_spi, SPI_IOC_RD_MODE, &mode) == -1) perror("can't set rd spi mode");
    if (ioctl(m_spi, SPI_IOC_WR_BITS_PER_WORD, &bitsPerWord) == -1)
        perror("can't set bits per word");
    if (ioctl(m_spi, SPI_IOC_RD_BITS_PER_WORD, &bitsPerWord) == -1)
        perror("can't get bits per word");
    if (ioctl(m_spi, SPI_IOC_WR_MAX_SPEED_HZ, &speedHz) == -1) perror("can't set wr max speed hz");
    if (ioctl(m_spi, SPI_IOC_RD_MAX_SPEED_HZ, &speedHz) == -1) perror("can't set rd max speed hz");
}

long SpiBusLinux::read(uint8_t* buf, size_t n) {
    return ::read(m_spi, buf, n);
}

long SpiBusLinux::write(const uint8_t* buf, size_t n) {
    return ::write(m_spi, buf, n);
}

int SpiBusLinux::lineFd(EnumGpioLine line) const {
    switch (line) {
        case EnumGpioLine::ChipSelect:
            return m_cs;
        case EnumGpioLine::RxReady:
            return m_rx;
        case EnumGpioLine::TxFlag:
            return m_tx;
    }
    return -1;
}

void SpiBusLinux::setLine(EnumGpioLine line, bool high) {
    ioctl(lineFd(line), high ? GpioRequest::kHigh : GpioRequest::kLow, 0);
}

int SpiBusLinux::readLine(EnumGpioLine line) {
    int level = 0;
    if (ioctl(lineFd(line), GpioRequest::kRead, &level) == -1) return 0;
    return level;
}
