#pragma once

// The digits of the echogram's read-outs. Every digit is 0..9, whatever the value: a value
// outside what four digits can show is held at the nearest one they can.
struct StructSonarReadout {
    int depth[4] = {0, 0, 0, 0};           // three digits, a point, one decimal
    int temperature[5] = {1, 0, 0, 0, 0};  // sign flag (1: not negative), then four digits
    int battery[3] = {0, 0, 0};            // two digits, a point, one decimal
    // False while nothing has been measured (no frame yet, or the link lost): every read-out
    // then shows "-.-" rather than a value that looks measured.
    bool valid = true;
};

namespace SonarReadout {
// boatDepth in metres, waterTemp in degrees Celsius, boatVoltage in volts.
StructSonarReadout digits(float boatDepth, float waterTemp, float boatVoltage, bool feet,
                          bool fahrenheit);
}  // namespace SonarReadout
