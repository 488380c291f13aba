#pragma once

#include "base/dialog_kind.h"

#include <QString>

// Counts consecutive checks on which a condition holds.
class ConditionCounter {
public:
    explicit ConditionCounter(int limit = 10) : m_limit(limit) {}
    // True once the condition has held on more than `limit` consecutive checks.
    bool update(bool holds) {
        if (!holds) {
            m_count = 0;
        } else if (m_count <= m_limit) {
            ++m_count;
        }
        return m_count > m_limit;
    }
    void clear() { m_count = 0; }
    int count() const { return m_count; }

private:
    int m_limit;
    int m_count = 0;
};

// The alarm questions' "Ignore" answers, kept for the rest of the run, and the compass-present
// flag.
struct StructFlagRow {
    bool ignoreShallow = false;
    bool ignoreVtg = false;
    bool ignoreBoatVtg = false;
    bool compassPresent = false;
    // "Ignore" on the question of that kind of alarm; any other kind changes nothing.
    void ignore(EnumDialogKind kind);
};

// What the alarm check sees of the boat, the handset and the screen.
struct StructAlarmInputs {
    bool sonarDataArriving = false;  // the sonar no-data counter is below 3
    bool questionVisible = false;    // an alarm question is already on screen
    float boatVoltage = 0;           // V, from the sonar frame
    float handsetVoltage = 0;        // V, 0 when the ADC has no valid reading
    float depth = 0;                 // m
    int satellites = 0;
    float boatVoltageAlarmLevel = 10;
    float batteryAlarmLevel = 10;
    float shallowAlarmLevel = 0;
    bool ignoreBoatBattery = false;
    bool ignoreHandsetBattery = false;
    bool ignoreShallow = false;
};

// The result of one check: the alarm to raise (its question type, or empty) and the blinks.
struct StructAlarmOutcome {
    QString alarmType;  // "boatVtg", "vtg", "shallow" or empty
    int messageText = -1;
    bool boatBlink = false;
    bool depthBlink = false;
};

// The alarm check of the main tick (every 5th tick): an alarm fires when its condition has
// held on more than 10 consecutive checks; then its count starts again.
class AlarmMonitor {
public:
    static constexpr float kMinVoltage = 6.0f;     // below: no reading
    static constexpr float kAlarmLevelOff = 8.0f;  // a level below this is OFF
    static constexpr int kFewSatellites = 2;
    static constexpr float kNoDepth = 0.1f;

    StructAlarmOutcome check(const StructAlarmInputs& in);

private:
    ConditionCounter m_boatBattery;
    ConditionCounter m_handsetBattery;
    ConditionCounter m_shallow;
    ConditionCounter m_boatBlink;
    ConditionCounter m_depthBlink;
};
