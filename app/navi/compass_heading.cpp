#include "navi/compass_heading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kOneG = 16384.0f;
constexpr float kDegrees = 180.0f / float(M_PI);

float clampUnit(float v) {
    return std::isnan(v) ? v : std::clamp(v, -1.0f, 1.0f);
}

// The formula on sines and cosines of pitch and roll, whatever they were taken from.
float compensate(float sp, float cp, float sr, float cr, float mx, float my, float mz) {
    const float yh = mx * sr * sp + my * cr - mz * sr * cp;
    const float xh = mx * cp + mz * sp;
    float heading = std::atan2(yh, xh) * kDegrees;
    if (yh < 0 && heading < 0) heading += 360.0f;
    return heading;
}

}  // namespace

namespace CompassHeading {

void normalise(const int16_t raw[3], const StructMegCalibration& cal, float m[3]) {
    for (int i = 0; i < 3; ++i)
        m[i] = 2.0f * float(raw[i] - cal.min[i]) / float(cal.range[i]) - 1.0f;
}

bool outOfRange(const int16_t raw[3], const StructMegCalibration& cal) {
    for (int i = 0; i < 3; ++i) {
        if (raw[i] < cal.min[i] || raw[i] > cal.max[i]) return true;
    }
    return false;
}

float tiltHeading(const int16_t acc[3], const float m[3]) {
    const float pitch = std::asin(clampUnit(-acc[0] / kOneG));
    const float roll = std::asin(clampUnit((acc[1] / kOneG) / std::cos(pitch)));
    return compensate(std::sin(pitch), std::cos(pitch), std::sin(roll), std::cos(roll), m[0], m[1],
                      m[2]);
}

float tiltHeadingRaw(const int16_t acc[3], const int16_t mag[3]) {
    const float sp = clampUnit(-acc[0] / kOneG);
    const float cp = std::sqrt(1.0f - sp * sp);
    const float sr = clampUnit((acc[1] / kOneG) / cp);
    const float cr = std::sqrt(1.0f - sr * sr);
    return compensate(sp, cp, sr, cr, mag[0], mag[1], mag[2]);
}

int whole(float heading) {
    return std::isfinite(heading) ? int(heading) : kNone;
}

}  // namespace CompassHeading
