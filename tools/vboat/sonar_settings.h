#pragma once

#include <QByteArray>

// What the handset can set on the sonar box with its configuration messages
// (",Gain=1*" and friends, followed by one raw checksum byte).
namespace vboat {

struct SonarSettings {
    int gain = 3;             // 0 = 1x, 1 = 2x, 2 = 4x, 3 = automatic
    int frequency = 2;        // 2 = wide beam, 0 = narrow beam
    int rangeM = 0;           // 0 = automatic, else the range in metres
    int sensitivity = 0;      // 0 = automatic, 1..9
    int fishSensitivity = 6;  // 0 = off, 1..9
};

// Applies one configuration message: the text up to the first '*', then the checksum byte
// (XOR of the text). The message is taken whole or not at all: a wrong or missing checksum,
// a field without '=', an unknown key, a value that is not a decimal number or lies outside
// the key's range leave the settings unchanged and return false.
bool applyConfigMessage(const QByteArray& message, SonarSettings& settings);

}  // namespace vboat
