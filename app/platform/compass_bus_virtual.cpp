#include "platform/compass_bus_virtual.h"

#include "base/regular_file.h"
#include "platform/platform.h"

#include <QFile>

bool CompassBusVirtual::open() {
    m_open = true;
    return true;
}

void CompassBusVirtual::setPower(bool on) {
    if (!on) m_chip.reset();
    m_powered = on;
}

// The chip answers while it is powered, the bus is open and the pose file can be read.
bool CompassBusVirtual::present() {
    if (!m_open || !m_powered) return false;
    const QString path = Platform::path(QLatin1String(kPoseFile));
    if (!isRegularFile(path)) return false;
    QFile f(path);
    VirtualCompassChip::StructPose pose;
    if (!f.open(QIODevice::ReadOnly) ||
        !VirtualCompassChip::parsePose(QString::fromLatin1(f.read(256)), &pose))
        return false;
    m_chip.setPose(pose);
    return true;
}

bool CompassBusVirtual::readRegister(uint8_t address, uint8_t reg, uint8_t* value) {
    return present() && m_chip.read(address, reg, value);
}

bool CompassBusVirtual::writeRegister(uint8_t address, uint8_t reg, uint8_t value) {
    return present() && m_chip.write(address, reg, value);
}
