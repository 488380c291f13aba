#include "sonar/sonar_readout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Truncation toward zero of a finite value, held inside what an int can carry.
int toInt(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

void fourDigits(int v, int* out) {
    v = std::clamp(v, 0, 9999);
    out[0] = v / 1000;
    out[1] = v % 1000 / 100;
    out[2] = v % 100 / 10;
    out[3] = v % 10;
}
}  // namespace

namespace SonarReadout {

StructSonarReadout digits(float boatDepth, float waterTemp, float boatVoltage, bool feet,
                          bool fahrenheit) {
    StructSonarReadout r;
    int d = toInt(boatDepth * 10.0f);
    if (feet) d = toInt(d * 3.3);
    fourDigits(d, r.depth);

    int t = toInt(waterTemp * 10.0f);
    if (fahrenheit) t = toInt(t * 1.8 + 320);
    r.temperature[0] = t >= 0 ? 1 : 0;
    fourDigits(std::abs(t), r.temperature + 1);

    const int v = std::clamp(toInt(boatVoltage * 10.0f), 0, 999);
    r.battery[0] = v % 1000 / 100;
    r.battery[1] = v % 100 / 10;
    r.battery[2] = v % 10;
    return r;
}

}  // namespace SonarReadout
