#include "core/base/global.h"
#include "core/base/log.h"
#include "core/korvel.h"
#include "platform/handset_board.h"
#include "sonar/ux_sonar.h"

// The alarm check, every 5th tick (625 ms): boat battery, handset battery and shallow water,
// and the blinking of the boat symbol and the depth read-out.
void Korvel::data_checkState() {
    if (m_tickCount % 5 != 0) return;
    const StructConfiguration& cfg = Global::configuration;
    handset_voltage = Global::getBatVoltage();
    StructAlarmInputs in;
    in.sonarDataArriving = sonar_dataArriving;
    in.questionVisible = m_dialogQuestion && m_dialogQuestion->isVisible();
    in.boatVoltage = boat_voltage;
    in.handsetVoltage = handset_voltage;
    in.depth = current_depth;
    in.satellites = gps_satellites;
    in.boatVoltageAlarmLevel = cfg.boatVoltageAlarmLevel;
    in.batteryAlarmLevel = cfg.batteryAlarmLevel;
    in.shallowAlarmLevel = cfg.shallowAlarmLevel;
    in.ignoreBoatBattery = flag_ignoreBoatVtg;
    in.ignoreHandsetBattery = flag_ignoreVtg;
    in.ignoreShallow = flag_ignoreShallow;

    const StructAlarmOutcome out = m_alarms.check(in);
    if (m_sonar) m_sonar->setTextBlink(out.depthBlink);
    if (!out.alarmType.isEmpty()) {
        qCInfo(lcCore) << "alarm" << out.alarmType;
        dialog_showAlarm(out.alarmType, out.messageText);
        emit signal_alarm(out.alarmType, out.messageText);
    }
}
