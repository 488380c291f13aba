#pragma once

#include <QString>

#include <cstdint>

// The boat's GPS fix as an NMEA 0183 "$GPGGA" sentence for a chart plotter or PC on the
// handset's serial port:
//   $GPGGA,hhmmss,ddmm.mmmm,N|S,dddmm.mmmm,E|W,q,ss,h.h,,,,,*CS CR LF
// The time is the frame's UTC; positions are the frame's degrees-and-minutes fields
// (ddmm.mmmmm x 100000), written by their magnitude with the fifth decimal of the minutes
// dropped; q is 1 (a GPS fix) with at least 3 satellites, else 0, so that receivers take the
// position only when there is one; h.h is the HDOP.
namespace NmeaGga {

// The frame's values the sentence is made of.
struct StructFix {
    uint32_t utc = 0;  // packed date-time word
    int32_t latitudeDm = 0;
    int32_t longitudeDm = 0;
    int satellites = 0;
    int hdopHundredths = 0;  // the frame's fix quality
};

QString sentence(const StructFix& fix);
// "ddmm.mmmm" (degreeDigits 2) or "dddmm.mmmm" (3) of a field's magnitude.
QString coordinate(int32_t dm, int degreeDigits);
// The XOR of the characters between '$' and '*' (a character beyond 255 counts as 0), as two
// upper-case hexadecimal digits.
QString checksum(const QString& body);

}  // namespace NmeaGga
