#include "core/alarm_monitor.h"

namespace {
// Translation indices of the alarm messages.
constexpr int kTextShallow = 138;
constexpr int kTextHandsetBattery = 139;
constexpr int kTextBoatBattery = 140;

void raise(StructAlarmOutcome& out, ConditionCounter& counter, const char* type, int text) {
    counter.clear();
    // One question at a time: the first alarm of a check wins, the others fire next time.
    if (!out.alarmType.isEmpty()) return;
    out.alarmType = QString::fromLatin1(type);
    out.messageText = text;
}
}  // namespace

StructAlarmOutcome AlarmMonitor::check(const StructAlarmInputs& in) {
    StructAlarmOutcome out;

    const bool boatLow = in.sonarDataArriving && !in.questionVisible &&
                         in.boatVoltage > kMinVoltage &&
                         in.boatVoltage < in.boatVoltageAlarmLevel &&
                         in.boatVoltageAlarmLevel >= kAlarmLevelOff && !in.ignoreBoatBattery;
    if (m_boatBattery.update(boatLow)) raise(out, m_boatBattery, "boatVtg", kTextBoatBattery);

    const bool questionShown = in.questionVisible || !out.alarmType.isEmpty();
    const bool handsetLow = !questionShown && in.handsetVoltage > kMinVoltage &&
                            in.handsetVoltage < in.batteryAlarmLevel &&
                            in.batteryAlarmLevel >= kAlarmLevelOff && !in.ignoreHandsetBattery;
    if (m_handsetBattery.update(handsetLow))
        raise(out, m_handsetBattery, "vtg", kTextHandsetBattery);

    const bool questionNow = in.questionVisible || !out.alarmType.isEmpty();
    const bool shallow = in.sonarDataArriving && !questionNow && in.depth > 0 &&
                         in.depth < in.shallowAlarmLevel && !in.ignoreShallow;
    if (m_shallow.update(shallow)) raise(out, m_shallow, "shallow", kTextShallow);

    out.boatBlink = m_boatBlink.update(in.satellites <= kFewSatellites);
    out.depthBlink = m_depthBlink.update(in.depth <= kNoDepth);
    return out;
}

void StructFlagRow::ignore(EnumDialogKind kind) {
    if (kind == EnumDialogKind::ShallowAlarm) ignoreShallow = true;
    if (kind == EnumDialogKind::VtgAlarm) ignoreVtg = true;
    if (kind == EnumDialogKind::BoatVtgAlarm) ignoreBoatVtg = true;
}
