#include "link/sonar_frame_values.h"

#include <algorithm>

namespace {
uint32_t u32(const uint8_t* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}
uint16_t u16(const uint8_t* b) {
    return uint16_t(b[0] | b[1] << 8);
}
constexpr uint16_t kFixQualityLimit = 3000;
}  // namespace

namespace SonarFrameValues {

StructSonarFrameFields fields(const kvl_w& frame) {
    const uint8_t* b = frame.bytes;
    StructSonarFrameFields f;
    f.status = b[3];
    f.rangeCm = u32(b + 4);
    f.latitudeDm = int32_t(u32(b + 8));
    f.longitudeDm = int32_t(u32(b + 12));
    f.utc = u32(b + 16);
    f.headingTenths = u16(b + 20);
    f.fixQuality = u16(b + 22);
    f.satellites = b[24];
    f.speedTenths = b[25];
    f.fishRow = b[28];
    f.fishStrength = b[29];
    f.topRow = b[30];
    f.batteryTenths = b[31];
    f.temperatureF = b[32];
    f.depthCm = u16(b + 33);
    return f;
}

float rangeMetres(uint32_t rangeCm) {
    return std::clamp(float(rangeCm) / 100.0f, 3.0f, 50.0f);
}

float depthMetres(float filteredMetres, float offset) {
    const float d = filteredMetres + offset;
    return d < 0.0f || d > 99.0f ? 0.0f : d;
}

float waterCelsius(uint8_t fahrenheit, float offset) {
    return std::clamp((float(fahrenheit) - 32.0f) / 1.8f + offset, -99.0f, 99.0f);
}

float boatVolts(uint8_t tenths, float offset) {
    const float v = float(tenths) / 10.0f + offset;
    return v > 16.0f || v < 6.0f ? 0.0f : v;
}

bool positionUsable(uint16_t fixQuality, float gpsFilter) {
    return float(fixQuality) < gpsFilter * 100.0f * 0.25f && fixQuality < kFixQualityLimit;
}

}  // namespace SonarFrameValues
