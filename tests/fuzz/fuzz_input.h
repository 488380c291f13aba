#pragma once

#include <QBuffer>
#include <QLoggingCategory>
#include <QtGlobal>
#include <cstdint>

// What the file readers' targets share (each includes it once, in its only source): no debug
// lines, the fuzzer's bytes as a device to read, and the check that a position handed on lies
// on the earth.

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    return 0;
}

inline void openOn(QBuffer& buffer, const uint8_t* data, size_t size) {
    buffer.setData(reinterpret_cast<const char*>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
}

// ddS32 longitude and latitude.
inline bool onEarth(int lon, int lat) {
    return qAbs(qint64(lon)) <= 1800000000 && qAbs(qint64(lat)) <= 900000000;
}
