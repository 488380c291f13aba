#pragma once

#include "core/configuration.h"

#include <QString>
#include <QStringList>

// Process-wide state and shared helper routines of the handset program. Each group of
// routines lives in a file of its own (global_*.cpp) next to the area that owns it.
class Global {
public:
    // The user settings and run-time modes; filled by Korvel::system_useDefaultSetting before
    // anything reads them.
    static StructConfiguration configuration;

    // --- Shell runner -------------------------------------------------------------------
    // Runs cmd through a shell pipe with its handset paths mapped under the root, echoes its
    // output to standard output and returns the pclose status (-1 on failure to run).
    // Only for fixed command texts: a name that comes from a file or the user must never be
    // pasted into cmd; pass it to my_system_args.
    static int my_system(const char* cmd);
    static int my_system(const QString& cmd);
    // Runs program with args, each argument passed as one word whatever characters it holds
    // (spaces, quotes, ';', '$', '`'), so a file name cannot start a second command. Handset
    // paths among the arguments are mapped under the root. Output and status as my_system.
    // Example: my_system_args("cp", {"/opt/waycourse1.kwc", "/mnt/sd/Korvel/Course/" + name}).
    static int my_system_args(const QString& program, const QStringList& args);
    // arg as one single-quoted shell word: a'b becomes 'a'\''b'.
    static QString shellQuote(const QString& arg);
    // Records the text of every command the runner is given (tests); nullptr: off.
    static void setCommandLog(QStringList* log);

    // --- Board: battery, version texts (global_system.cpp, global_versions.cpp) -----------
    // Opens the battery ADC; on failure prints why and goes on (the voltage then reads 0).
    static void initADC();
    // The handset battery voltage from one ADC sample, or 0 when there is no sample or the
    // value lies outside 6..16 V.
    static float getBatVoltage();
    // A raw ADC sample in volts: raw x 3.7 / 4096 x 78 / 10, 0 outside 6..16 V.
    static float adcToVoltage(int raw);
    // The unit's model letter ('4', '5', 'd', 'e'; 0 when unknown), set by getCurrent_model.
    static quint16 current_model;
    // The kernel text, set by getCurrent_kernel.
    static QString current_kernel;
    // The installed application's version ("Info/VERSION" of /opt/korvel/readme.kvc).
    static QString getCurrent_app();
    // The model letter and model version, e.g. "5 1.02", from /opt/model.kvc.
    static QString getCurrent_model();
    // The kernel's build date as "yyyyMMdd" from /proc/version ("-.-" when unknown).
    static QString getCurrent_kernel();

    // --- Beeper (global_system.cpp) ---------------------------------------------------------
    // One click, whatever the key-tone setting.
    static void beeperForceOnOneTime();
    // One click when the key tone is on.
    static void beeperOnOneTime();
    // "key": a key click; "fish": one click; "message": two; "alarm": three; else nothing.
    static void beeperOn(const QString& kind);

    // --- Checksums ------------------------------------------------------------------------
    // XOR of len bytes from data.
    static unsigned char XOR_chk(const unsigned char* data, int len);
    // Checksum byte of a sonar configuration message: XOR of the character codes up to the
    // first '*' (codes of 256 and above count as 0).
    static unsigned char xorChk_SnrCmd(const QString& text);
    // Checksum of an autopilot sentence: XOR of the character codes after the '$' up to the
    // first '*'; written as two upper-case hexadecimal digits.
    static unsigned char xorChk_ApCmd(const QString& text);

    // --- Packed date-time word of the sonar frames (data/global_kvlw_time.cpp) -------------
    // year - 2000, month and day of the word.
    static void getKvlwDate(unsigned word, quint16& year, quint8& month, quint8& day);
    static void getKvlwTime(unsigned word, quint8& hour, quint8& minute, quint8& second);

    // --- Units and value formatting (global_units.cpp) --------------------------------------
    // Values are held in SI units (m, m/s, Celsius) and turned into text only for display,
    // in the units chosen by configuration.unit, distanceUnit and speedUnit. Feet are always
    // metres x 3.3. Numbers are fixed notation with the caller's decimals; a value outside its
    // plausible window shows as "-.-".
    static QString getString_depthUnit();
    static QString getString_tempUnit();
    static QString getString_dstUnit();
    static QString getString_speedUnit();
    // Valid from -2 to 99 m; outside it "0" when zeroWhenInvalid, else "-.-".
    static QString getString_depthValue(float metres, int decimals, bool zeroWhenInvalid);
    // Valid from -99 to 99 degrees Celsius.
    static QString getString_tempValue(float celsius, int decimals);
    // Invalid when negative or not finite, and above 999 m when limit is set.
    static QString getString_dstValue(float metres, int decimals, bool limit);
    // Valid from 0 to 9 m/s.
    static QString getString_speedValue(float metresPerSecond, int decimals);
    // An entered depth in the current depth unit back to metres, rounded to one decimal.
    static float getValue_depth(const QString& text);
    // ":/ico/targetIco_1" and ":/ico/targetIco_2" for 1 and 2, ":/ico/targetIco_0" otherwise.
    static QString getIconPath_target(int index);
    // The pixmap at getIconPath_target(index). The elaborated "class" keeps QtGui headers out
    // of this header; callers include <QPixmap>.
    static class QPixmap getIcon_target(int index);

    // --- Map geometry on relative coordinates (global_geodesy.cpp) ---------------------------
    // Relative map points are half-metres from the map origin, x east, y south.
    // Distance between two points in metres.
    static float calc_pixDst(const class QPointF& p1, const class QPointF& p2);
    // Direction from p1 to p2 in whole degrees: 0 south, 90 west, -90 east, +-180 north
    // (add 180 for a compass bearing).
    static int calc_pixDir(const class QPointF& p1, const class QPointF& p2);
};
