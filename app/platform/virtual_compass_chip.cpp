#include "platform/virtual_compass_chip.h"

#include <QStringList>

#include <cmath>

namespace {

constexpr uint8_t kAcc1 = 0x30;
constexpr uint8_t kAcc2 = 0x32;
constexpr uint8_t kMag = 0x3C;
constexpr double kOneG = 16384;
// The hard-iron offsets and ranges of the emulated magnetometer, per axis.
constexpr double kMagMin[3] = {-324, -456, -400};
constexpr double kMagRange[3] = {607, 656, 585};
// The earth's field in the level frame, normalised: horizontal strength and downward part.
constexpr double kHorizontal = 0.8;
constexpr double kVertical = -0.5;

double radians(double degrees) {
    return degrees * M_PI / 180.0;
}

int key(uint8_t address, uint8_t reg) {
    return address << 8 | reg;
}

}  // namespace

bool VirtualCompassChip::parsePose(const QString& text, StructPose* pose) {
    const QStringList w = text.simplified().split(' ', Qt::SkipEmptyParts);
    if (w.size() < 3 || w.size() > 4) return false;
    bool ok[3] = {false, false, false};
    StructPose p;
    p.heading = w[0].toDouble(&ok[0]);
    p.pitch = w[1].toDouble(&ok[1]);
    p.roll = w[2].toDouble(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2]) return false;
    if (w.size() == 4) {
        if (w[3] != QLatin1String("v1") && w[3] != QLatin1String("v2")) return false;
        p.generation = w[3] == QLatin1String("v1") ? 0 : 1;
    }
    *pose = p;
    return true;
}

// The accelerometer sees gravity, the magnetometer the level field turned into the handset's
// frame, so that the handset's tilt-compensated heading comes out as the pose's heading. The
// sensor is mounted turned by half a turn: its own heading is the pose's plus 180 degrees.
void VirtualCompassChip::setPose(const StructPose& pose) {
    m_pose = pose;
    const double p = radians(pose.pitch), r = radians(pose.roll);
    const double sensor = radians(pose.heading + 180);
    m_acc[0] = int16_t(std::lround(-std::sin(p) * kOneG));
    m_acc[1] = int16_t(std::lround(std::sin(r) * std::cos(p) * kOneG));
    m_acc[2] = int16_t(std::lround(std::cos(r) * std::cos(p) * kOneG));
    const double level[3] = {kHorizontal * std::cos(sensor), kHorizontal * std::sin(sensor),
                             kVertical};
    // The rows of the level frame in the handset's frame (the compensation's rotation).
    const double rows[3][3] = {
        {std::cos(p), 0, std::sin(p)},
        {std::sin(r) * std::sin(p), std::cos(r), -std::sin(r) * std::cos(p)},
        {-std::cos(r) * std::sin(p), std::sin(r), std::cos(r) * std::cos(p)}};
    for (int axis = 0; axis < 3; ++axis) {
        double m = 0;
        for (int row = 0; row < 3; ++row)
            m += rows[row][axis] * level[row];
        m_mag[axis] = int16_t(std::lround((m + 1) * kMagRange[axis] / 2 + kMagMin[axis]));
    }
}

bool VirtualCompassChip::answers(uint8_t address) const {
    if (address == kMag) return true;
    return address == (m_pose.generation == 0 ? kAcc1 : kAcc2);
}

// Measuring once the magnetometer's continuous mode is set.
bool VirtualCompassChip::dataReady() const {
    const auto mode = m_written.find(key(kMag, m_pose.generation == 0 ? 0x02 : 0x22));
    return mode != m_written.end() && mode->second == 0x00;
}

uint8_t VirtualCompassChip::dataByte(uint8_t address, uint8_t reg) const {
    const bool mag = address == kMag;
    const int16_t* values = mag ? m_mag : m_acc;
    if (mag && m_pose.generation == 0) {  // 0x03..0x08, high byte first
        const uint16_t v = uint16_t(values[(reg - 0x03) / 2]);
        return (reg - 0x03) % 2 == 0 ? uint8_t(v >> 8) : uint8_t(v & 0xff);
    }
    const uint16_t v = uint16_t(values[(reg - 0x28) / 2]);  // 0x28..0x2D, low byte first
    return (reg - 0x28) % 2 == 0 ? uint8_t(v & 0xff) : uint8_t(v >> 8);
}

bool VirtualCompassChip::read(uint8_t address, uint8_t reg, uint8_t* value) const {
    if (!answers(address)) return false;
    const bool v1 = m_pose.generation == 0;
    const bool mag = address == kMag;
    uint8_t v = 0;
    if (mag && v1 && reg >= 0x0A && reg <= 0x0C) {
        const uint8_t identity[3] = {0x48, 0x34, 0x33};
        v = identity[reg - 0x0A];
    } else if (reg == 0x0F && !v1) {
        v = mag ? 0x3D : 0x33;
    } else if (mag && v1 && reg == 0x09) {
        v = dataReady() ? 1 : 0;
    } else if (mag && !v1 && reg == 0x27) {
        v = dataReady() ? 0x08 : 0;
    } else if (mag && v1 && reg >= 0x03 && reg <= 0x08) {
        v = dataByte(address, reg);
    } else if ((!mag || !v1) && reg >= 0x28 && reg <= 0x2D) {
        v = dataByte(address, reg);
    } else {
        const auto it = m_written.find(key(address, reg));
        v = it == m_written.end() ? 0 : it->second;
    }
    *value = v;
    return true;
}

bool VirtualCompassChip::write(uint8_t address, uint8_t reg, uint8_t value) {
    if (!answers(address)) return false;
    m_written[key(address, reg)] = value;
    return true;
}
