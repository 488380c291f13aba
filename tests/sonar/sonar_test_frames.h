#pragma once

#include "link/kvl_frame.h"

#include <QObject>

// Hand-made frames for the column tests.
inline kvl_w sonarTestFrame(uint32_t rangeCm, uint16_t depthCm, int topRow, int fishRow = 0,
                            int fishStrength = 0) {
    kvl_w f{};
    f.bytes[0] = '#';
    for (int i = 0; i < 4; ++i)
        f.bytes[4 + i] = static_cast<uint8_t>(rangeCm >> (8 * i));
    f.bytes[28] = static_cast<uint8_t>(fishRow);
    f.bytes[29] = static_cast<uint8_t>(fishStrength);
    f.bytes[30] = static_cast<uint8_t>(topRow);
    f.bytes[33] = static_cast<uint8_t>(depthCm & 0xff);
    f.bytes[34] = static_cast<uint8_t>(depthCm >> 8);
    return f;
}

inline uint8_t* sonarTestSamples(kvl_w& f) {
    return f.bytes + 35;
}

QObject* makeSonarColumnTest();
QObject* makeSonarRenderTest();
QObject* makeSonarEchogramTest();
QObject* makeSonarShownTest();
