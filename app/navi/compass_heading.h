#pragma once

#include "navi/compass_calibration.h"

#include <cstdint>

// The heading of a tilted handset from its accelerometer (16384 = 1 g) and magnetometer.
namespace CompassHeading {

// The value of "no heading".
constexpr int kNone = 720;

// Each axis brought to -1..1 by the calibration: 2 (m - min) / range - 1.
void normalise(const int16_t raw[3], const StructMegCalibration& cal, float m[3]);
// Whether an axis lies outside the calibrated minimum..maximum (time to calibrate again).
bool outOfRange(const int16_t raw[3], const StructMegCalibration& cal);

// The tilt-compensated heading in degrees (0..360) of normalised magnetometer values. The
// pitch and roll come from asin, whose argument is held to -1..1: a shake beyond 1 g gives
// the steepest tilt, not a heading that is not a number.
float tiltHeading(const int16_t acc[3], const float m[3]);
// The same on the raw magnetometer values, with the cosines taken as sqrt(1 - sin^2).
float tiltHeadingRaw(const int16_t acc[3], const int16_t mag[3]);

// A heading as whole degrees (truncated); kNone for one that is not a number.
int whole(float heading);

}  // namespace CompassHeading
