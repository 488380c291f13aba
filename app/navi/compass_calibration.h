#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The hard-iron calibration of the handset's magnetometer: per axis the minimum and maximum
// met while the handset was turned in every direction, and their range (never 0).
struct StructMegCalibration {
    int min[3] = {-324, -456, -400};  // the built-in values, until a stored one is loaded
    int max[3] = {283, 200, 185};
    int range[3] = {607, 656, 585};

    // range = max - min, a zero range becoming 1 (it divides).
    void recomputeRanges();
    bool operator==(const StructMegCalibration& o) const;
};

// The calibration's 14-byte record (maximum x, y, z, then minimum x, y, z, each 16-bit
// little-endian, a 0, and the XOR of the 13 bytes before), kept as an INI file with the keys
// "OFFSET_BUF/0" .. "OFFSET_BUF/13", one byte value each. A record is valid when it has all
// 14 bytes and the XOR of all of them is 0; a missing file or key makes it short, so a
// missing file never passes for a calibration of zeros.
namespace CompassCalibration {

constexpr int kRecordSize = 14;
constexpr const char* kFile = "/opt/offset.kco";
constexpr const char* kFactoryFile = "/root/offset2.kco";

QByteArray record(const StructMegCalibration& cal);
// False for a short record or one whose XOR is not 0; *cal is then left alone.
bool fromRecord(const QByteArray& record, StructMegCalibration* cal);

// The record's bytes as the file holds them; short when the file or a key is missing or a
// value is not a byte. The path is absolute on the handset (mapped under the root).
QByteArray readRecord(const QString& path);
bool writeRecord(const QString& path, const QByteArray& record);

// The stored calibration, else the factory copy; false (and *cal unchanged) when neither
// holds a valid record.
bool load(StructMegCalibration* cal);
bool save(const StructMegCalibration& cal);

}  // namespace CompassCalibration
