#pragma once

#include <QString>

#include <cstdint>
#include <map>

// The registers of the handset's two compass generations, emulated for a development machine:
// "v1" (accelerometer at 0x30, magnetometer with an identity of 0x48 0x34 0x33 and big-endian
// data) and "v2" (accelerometer at 0x32 answering 0x33, magnetometer answering 0x3D,
// little-endian data). The readings are those of a handset held at a heading, pitch and roll
// in the earth's field; the magnetometer's offsets and ranges are those that the built-in
// calibration expects, so an uncalibrated handset reads the heading it is given.
class VirtualCompassChip {
public:
    struct StructPose {
        double heading = 0;  // degrees, clockwise from north, as the handset's user sees it
        double pitch = 0;    // degrees
        double roll = 0;
        int generation = 1;  // 0: v1, 1: v2
    };

    // "HEADING PITCH ROLL [v1|v2]" ("275 3 -2"); false for text that is not of this form.
    static bool parsePose(const QString& text, StructPose* pose);

    void setPose(const StructPose& pose);
    // Power off: the chip forgets its configuration.
    void reset() { m_written.clear(); }
    // False when no chip of this generation answers at the address.
    bool read(uint8_t address, uint8_t reg, uint8_t* value) const;
    bool write(uint8_t address, uint8_t reg, uint8_t value);

private:
    bool answers(uint8_t address) const;
    bool dataReady() const;
    uint8_t dataByte(uint8_t address, uint8_t reg) const;

    StructPose m_pose;
    int16_t m_acc[3] = {0, 0, 16384};
    int16_t m_mag[3] = {0, 0, 0};
    std::map<int, uint8_t> m_written;  // address << 8 | register
};
