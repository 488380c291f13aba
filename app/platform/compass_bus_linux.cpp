#include "platform/compass_bus_linux.h"

#include "platform/platform.h"

#include <QLatin1String>

#include <cstdio>

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int openDevice(const char* device) {
    const int fd =
        ::open(Platform::pathBytes(QLatin1String(device)).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) perror(device);
    return fd;
}

// One combined transfer of the messages; the kernel's I2C_RDWR.
bool transfer(int fd, i2c_msg* messages, unsigned count) {
    if (fd < 0) return false;
    i2c_rdwr_ioctl_data data{messages, count};
    if (ioctl(fd, I2C_RDWR, &data) < 0) {
        perror("ioctl error read");
        return false;
    }
    return true;
}

}  // namespace

CompassBusLinux::CompassBusLinux() : m_power(openDevice(kPowerLine)) {}

CompassBusLinux::~CompassBusLinux() {
    close();
    if (m_power >= 0) ::close(m_power);
}

bool CompassBusLinux::open() {
    if (m_bus < 0) m_bus = openDevice(kBus);
    return m_bus >= 0;
}

void CompassBusLinux::close() {
    if (m_bus >= 0) ::close(m_bus);
    m_bus = -1;
}

void CompassBusLinux::setPower(bool on) {
    if (m_power >= 0 && ioctl(m_power, on ? kPowerOn : kPowerOff) < 0) perror(kPowerLine);
}

bool CompassBusLinux::readRegister(uint8_t address, uint8_t reg, uint8_t* value) {
    uint8_t out = reg;
    uint8_t in = 0;
    const uint16_t chip = address >> 1;
    i2c_msg messages[2] = {{chip, 0, 1, &out}, {chip, I2C_M_RD, 1, &in}};
    if (!transfer(m_bus, messages, 2)) return false;
    *value = in;
    return true;
}

bool CompassBusLinux::writeRegister(uint8_t address, uint8_t reg, uint8_t value) {
    uint8_t out[2] = {reg, value};
    i2c_msg message{static_cast<uint16_t>(address >> 1), 0, 2, out};
    return transfer(m_bus, &message, 1);
}
