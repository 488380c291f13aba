#include "base/global.h"

#include <cmath>

// Display conversions. The factors are the handset's own (feet = metres x 3.3, not 3.2808)
// so that every screen, read-out and scale agrees with the others. Where the conversion is
// done in double and where in float is kept as it is: it decides the last printed digit.

namespace {

const QString kInvalid = QStringLiteral("-.-");

constexpr double kFeetPerMetre = 3.3;
constexpr double kKphPerMps = 3.6;
constexpr double kMetresPerYard = 0.9144;
constexpr float kMetresPerKm = 1000.0f;
constexpr float kMpsPerKnot = 0.514f;

bool depthInFeet() {
    const int u = Global::configuration.unit;
    return u == 2 || u == 3;
}

bool tempInFahrenheit() {
    const int u = Global::configuration.unit;
    return u == 1 || u == 3;
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

}  // namespace

QString Global::getString_depthUnit() {
    return depthInFeet() ? QStringLiteral("ft") : QStringLiteral("m");
}

QString Global::getString_tempUnit() {
    return tempInFahrenheit() ? QStringLiteral("\u2109") : QStringLiteral("\u2103");
}

QString Global::getString_dstUnit() {
    switch (configuration.distanceUnit) {
        case 0:
            return QStringLiteral("KM");
        case 1:
            return QStringLiteral("Yard");
        case 3:
            return QStringLiteral("ft");
        default:
            return QStringLiteral("m");
    }
}

QString Global::getString_speedUnit() {
    switch (configuration.speedUnit) {
        case 0:
            return QStringLiteral("KPH");
        case 1:
            return QStringLiteral("Knot");
        case 3:
            return QStringLiteral("ft/s");
        default:
            return QStringLiteral("m/s");
    }
}

QString Global::getString_depthValue(float metres, int decimals, bool zeroWhenInvalid) {
    if (!(metres >= -2.0f && metres <= 99.0f))
        return zeroWhenInvalid ? QStringLiteral("0") : kInvalid;
    const float shown = depthInFeet() ? float(metres * kFeetPerMetre) : metres;
    return fixed(shown, decimals);
}

QString Global::getString_tempValue(float celsius, int decimals) {
    if (!(celsius >= -99.0f && celsius <= 99.0f)) return kInvalid;
    if (tempInFahrenheit()) return fixed(celsius * 1.8 + 32.0, decimals);
    return fixed(celsius, decimals);
}

QString Global::getString_dstValue(float metres, int decimals, bool limit) {
    // A distance that is not a number (no fix yet) is as unknown as a negative one.
    if (!std::isfinite(metres) || metres < 0.0f) return kInvalid;
    if (limit && metres > 999.0f) return kInvalid;
    float shown = metres;
    switch (configuration.distanceUnit) {
        case 0:
            shown = metres / kMetresPerKm;
            break;
        case 1:
            shown = float(metres / kMetresPerYard);
            break;
        case 3:
            shown = float(metres * kFeetPerMetre);
            break;
        default:
            break;
    }
    return fixed(shown, decimals);
}

QString Global::getString_speedValue(float metresPerSecond, int decimals) {
    if (!(metresPerSecond >= 0.0f && metresPerSecond <= 9.0f)) return kInvalid;
    float shown = metresPerSecond;
    switch (configuration.speedUnit) {
        case 0:
            shown = float(metresPerSecond * kKphPerMps);
            break;
        case 1:
            shown = metresPerSecond / kMpsPerKnot;
            break;
        case 3:
            shown = float(metresPerSecond * kFeetPerMetre);
            break;
        default:
            break;
    }
    return fixed(shown, decimals);
}

float Global::getValue_depth(const QString& text) {
    const float entered = text.toFloat();
    const double metres = depthInFeet() ? entered / kFeetPerMetre : entered;
    // Kept to one decimal, the resolution of the depth editors.
    return fixed(metres, 1).toFloat();
}
