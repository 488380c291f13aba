#pragma once

#include "link/kvl_frame.h"

#include <cstdint>

// The fields of a sonar data frame and the rules that turn them into the values the handset
// shows. Multi-byte fields are little-endian.
struct StructSonarFrameFields {
    uint8_t status = 0;      // bits 0-1: gain in use
    uint32_t rangeCm = 0;    // depth the 240 samples span
    int32_t latitudeDm = 0;  // ddmm.mmmmm x 100000, negative south
    int32_t longitudeDm = 0;
    uint32_t utc = 0;  // packed date-time word
    uint16_t headingTenths = 0;
    uint16_t fixQuality = 0;  // HDOP x 100
    uint8_t satellites = 0;
    uint8_t speedTenths = 0;  // 0.1 m/s
    uint8_t fishRow = 0;
    uint8_t fishStrength = 0;
    uint8_t topRow = 0;
    uint8_t batteryTenths = 0;
    uint8_t temperatureF = 0;
    uint16_t depthCm = 0;
};

namespace SonarFrameValues {

StructSonarFrameFields fields(const kvl_w& frame);

// range / 100, limited to 3..50 m.
float rangeMetres(uint32_t rangeCm);
// A filtered depth plus the offset; below 0 or above 99 m gives 0.
float depthMetres(float filteredMetres, float offset);
// (F - 32) / 1.8 plus the offset, limited to -99..99.
float waterCelsius(uint8_t fahrenheit, float offset);
// tenths / 10 plus the offset; above 16 or below 6 V gives 0.
float boatVolts(uint8_t tenths, float offset);
// The position and speed are taken only from a fix better than the GPS filter allows and
// better than HDOP 30.
bool positionUsable(uint16_t fixQuality, float gpsFilter);

}  // namespace SonarFrameValues
