#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

#include <array>

// The 276-byte sonar data frame of the boat's sonar box (also one record of a history log).
namespace vboat {

constexpr int kFrameSize = 276;
constexpr int kSampleCount = 240;
constexpr int kSamplesOffset = 35;

struct FrameFields {
    quint8 status = 0;          // bits 0-1: gain in use (0 = 1x, 1 = 2x, 2 = 4x)
    quint32 rangeCm = 1000;     // depth that the 240 samples span
    qint32 latitudeDm = 0;      // ddmm.mmmmm x 100000, negative south
    qint32 longitudeDm = 0;     // dddmm.mmmmm x 100000, negative west
    quint32 utc = 0;            // packed date and time, see packUtc()
    quint16 headingTenths = 0;  // 0 = no heading
    quint16 hdop100 = 9999;     // fix quality: HDOP x 100
    quint8 satellites = 0;      // 0 = no fix, no time
    quint8 speedTenths = 0;     // tenths of a metre per second
    quint8 fishRow = 0;
    quint8 fishStrength = 0;
    quint8 topRow = 0;
    quint8 batteryTenths = 0;  // volts x 10
    quint8 temperatureF = 0;   // degrees Fahrenheit
    quint16 depthCm = 0;
    std::array<quint8, kSampleCount> samples{};
};

// Frame bytes with a checksum that makes bytes 3..275 XOR to 0.
QByteArray encodeFrame(const FrameFields& fields);

// Packed UTC word: year-2000 in bits 31-26, month 25-22, day 21-17, hour 16-12, minute 11-6,
// second 5-0. Years outside 2000..2063 give 0.
quint32 packUtc(const QDateTime& utc);

// Signed decimal degrees to the frame's degree-and-minute encoding.
qint32 degreesToDm(double degrees);

}  // namespace vboat
