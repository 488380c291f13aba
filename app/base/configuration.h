#pragma once

#include <QString>

// Every user setting of the handset and a few run-time modes: fifty 32-bit fields in a fixed
// order. The menus edit the fields through float* and int* pointers, so the types matter.
struct StructConfiguration {
    float sonarSensitivity;           // 0 = AUTO, 1..9
    float fishSensitivity;            // 0 = OFF, 1..9
    float surfaceClarify;             // 0 = OFF, 1, 2
    int backgroundColor;              // 0 white, 1 black, 2 dark blue-green
    int colorScheme;                  // 0 blue, 1 yellow, 2 user table
    float colorLine;                  // palette offset -20..21
    int advancedMode;                 // not stored
    int sonarGain;                    // 0 "1x", 1 "2x", 2 "4x", 3 AUTO
    int sonarFreq;                    // 0 wide beam, 1 narrow beam
    float depthRange;                 // 0 = AUTO, else 5..50 m
    float shallowAlarmLevel;          // 0 = OFF, else 0.2..2.0 m
    int showOverlapData_Depth;        // flag
    int showOverlapData_Temperature;  // flag
    int showOverlapData_BoatBat;      // flag
    int unit;                         // 0 m/C, 1 m/F, 2 ft/C, 3 ft/F
    float depthOffset;                // m, -2..2
    float tempOffset;                 // C, -2..2
    float vtgOffset;                  // V, -2..2
    int bottomLine;                   // flag; written, never read back
    float chartSpeed;                 // whole number
    int distanceUnit;                 // 0 KM, 1 Yard, 2 m, 3 ft
    int speedUnit;                    // 0 KPH, 1 Knot, 2 m/s, 3 ft/s
    int hourSystem;                   // 1 = 24 h
    float timeZone;                   // hours, -12..12
    float gpsFilter;                  // 1..20
    float sampleDst;                  // course sample step, m, 1..20
    float arriveAlarmLevel;           // arrival radius, m, 2..20
    int apMode;                       // 0 H-Boat, 1 one engine, 2 two engines
    int apCh1Reverse;                 // flag
    int apCh2Reverse;                 // flag
    float apCh1Speed;                 // percent, 10..100
    float apCh2Speed;                 // percent, 10..100
    float apSenitivity;               // 1.0..10.0
    int systemLanguage;               // 0..7; kept by a reset
    int workMode;                     // 0 normal, 1 record, 2 replay; not stored
    int devMode;                      // developer overlay; kept by a reset, not stored
    int screenMode;                   // layout 0..3; not stored
    int simulator;                    // flag; written, never read back
    int keyTone;                      // flag
    float backLight;                  // 1..9
    int textDataToShow[6];            // info panel contents; entries 1..4 stored
    float batteryAlarmLevel;          // V; 7.9 = OFF
    float boatVoltageAlarmLevel;      // V; 7.9 = OFF
    int dataExport;                   // 0 off, 1 serial, 2 SD card; not stored
    int baudRate;                     // 0 4800, 1 9600, 2 38400, 3 115200
    int reserveAlarm;                 // flag: "Return soon" / "Return now" by the way home
    float reserveEmptyVolts;          // V at which the boat can no longer run, 6.0..16.0
    float reserveMarginVolts;         // V kept on top of the way home, 0.1..2.0
    int nmeaSentences;                // 0 GGA only, 1 a chart plotter's set as well
};
static_assert(sizeof(StructConfiguration) == 54 * 4, "fifty-four 32-bit fields");

namespace Configuration {

// The defaults of every field except systemLanguage and devMode, which keep their values.
void applyDefaults(StructConfiguration& cfg);

// Overlays cfg from the INI file; absent keys leave their fields alone. A value outside the
// field's range (above), or not a number, is brought back to the field's default. Returns the
// number of keys that were found.
// problem (when given) is set to why the file could not be used in full: "not a regular
// file", "cannot be read" or "damaged"; it stays empty for a good file or no file at all.
int load(const QString& fileName, StructConfiguration& cfg, QString* problem = nullptr);

// Whether every field lies where load() would leave it (nothing brought back to a default).
bool inRange(const StructConfiguration& cfg);

// Writes the stored keys in their fixed order. The settings library replaces the file
// atomically, so a power cut leaves either the old or the new file. Returns false when the
// file could not be written.
bool save(const QString& fileName, const StructConfiguration& cfg);

}  // namespace Configuration
