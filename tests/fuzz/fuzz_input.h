#pragma once

#include <QBuffer>
#include <QtGlobal>
#include <cstdint>

// What the file readers' targets share: the fuzzer's bytes as a device to read, and the check
// that a position handed on lies on the earth.

inline void openOn(QBuffer& buffer, const uint8_t* data, size_t size) {
    buffer.setData(reinterpret_cast<const char*>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
}

// ddS32 longitude and latitude.
inline bool onEarth(int lon, int lat) {
    return qAbs(qint64(lon)) <= 1800000000 && qAbs(qint64(lat)) <= 900000000;
}
