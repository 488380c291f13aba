#pragma once

#include <QStringList>

#include <cmath>
#include <cstdint>

// The sentences a chart plotter reads from a sounder with a GPS, beside the GGA one:
//   $GPRMC  time, status, position, speed and course over ground, date
//   $GPVTG  course and speed over ground
//   $SDDPT  depth below the transducer and the transducer's offset
//   $SDDBT  depth below the transducer in feet, metres and fathoms
//   $YXMTW  water temperature
//   $HCHDG  the handset compass's magnetic heading
// each with its checksum and CR LF. A value the handset does not have leaves its fields empty
// (never a zero a plotter would show), and a sentence with nothing to say is not sent.
namespace NmeaPlotter {

struct StructValues {
    uint32_t utc = 0;         // packed date-time word; 0: no time
    bool fix = false;         // a position the fix gate let through
    int32_t latitudeDm = 0;   // ddmm.mmmmm x 100000, negative south
    int32_t longitudeDm = 0;  // negative west
    float speedMs = NAN;      // over ground
    float courseDegrees = NAN;
    float depthMetres = NAN;  // below the transducer
    float offsetMetres = 0;   // added to the depth on the screen
    float waterCelsius = NAN;
    float headingDegrees = NAN;  // magnetic
};

QStringList sentences(const StructValues& v);

}  // namespace NmeaPlotter
