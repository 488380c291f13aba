#pragma once

#include "base/configuration.h"

#include <QString>

// Process-wide state and the shared helpers of the handset program. Global is a namespace
// that each layer extends with what it owns, so a helper lives with its layer and nothing
// here reaches upwards: the shell runner, the beeper, the battery and the version texts in
// platform/ (shell.h, handset_board.h, versions.h), the frame time words in data/kvlw_time.h,
// the map geometry in navi/geodesy.h and the target icons in ui/target_icon.h.
namespace Global {

// The user settings and run-time modes; filled with the defaults before anything reads them.
extern StructConfiguration configuration;

// --- Checksums ------------------------------------------------------------------------------
// XOR of len bytes from data.
unsigned char XOR_chk(const unsigned char* data, int len);
// Checksum byte of a sonar configuration message: XOR of the character codes up to the first
// '*' (codes of 256 and above count as 0).
unsigned char xorChk_SnrCmd(const QString& text);
// Checksum of an autopilot sentence: XOR of the character codes after the '$' up to the first
// '*'; written as two upper-case hexadecimal digits.
unsigned char xorChk_ApCmd(const QString& text);

// --- Units and value formatting -------------------------------------------------------------
// Values are held in SI units (m, m/s, Celsius) and turned into text only for display, in the
// units chosen by configuration.unit, distanceUnit and speedUnit. Feet are always metres x 3.3.
// Numbers are fixed notation with the caller's decimals; a value outside its plausible window
// shows as "-.-".
QString getString_depthUnit();
QString getString_tempUnit();
QString getString_dstUnit();
QString getString_speedUnit();
// Valid from -2 to 99 m; outside it "0" when zeroWhenInvalid, else "-.-".
QString getString_depthValue(float metres, int decimals, bool zeroWhenInvalid);
// Valid from -99 to 99 degrees Celsius.
QString getString_tempValue(float celsius, int decimals);
// Invalid when negative or not finite, and above 999 m when limit is set.
QString getString_dstValue(float metres, int decimals, bool limit);
// Valid from 0 to 9 m/s.
QString getString_speedValue(float metresPerSecond, int decimals);
// An entered depth in the current depth unit back to metres, rounded to one decimal.
float getValue_depth(const QString& text);

}  // namespace Global
