#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "data/kvlw_time.h"
#include "data/nmea_gga.h"
#include "data/nmea_plotter.h"
#include "data/recorder.h"
#include "link/sonar_frame_values.h"
#include "link/ux_data.h"
#include "platform/handset_board.h"
#include "sonar/ux_sonar.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/map/item_marks.h"
#include "ui/screens/screen_overlays.h"

namespace {
// Where the frames come from: a log being replayed, the built-in recording, or the boat.
QString frameSource(const StructConfiguration& cfg) {
    if (cfg.workMode == 2) return QStringLiteral("play");
    if (cfg.simulator == 1) return QStringLiteral("sim");
    return QStringLiteral("spi");
}
}  // namespace

// One new frame per tick into the history; at a chart speed other than 0 an interpolated
// column goes before it, so the history always holds one record per echogram column. Every
// frame the radio brought since the last tick goes to the recorder, whatever is shown.
void Korvel::data_getOrigin_kvlw() {
    history_takeFrames(frameSource(Global::configuration));
    const QVector<kvl_w> received = m_data->takeReceivedFrames();
    m_recorder->appendFrames(received);
    depthMap_takeFrames(received);
    // When the simulator index is 1 the recording has started over, and so does the map
    // track (at chart speed 0 only for "sim" and "play"): the map view clears it here once
    // it exists.
}

// The current values from the newest record.
void Korvel::data_getCurrent_kvlw() {
    const bool arriving = m_data->linkState().count_noData_sonar.load() < 3;
    const int lat = values().boat_lat;
    const int lon = values().boat_lon;
    m_boatValues.update(m_history.newest(), Global::configuration, arriving);
    safety_takeFix(lat, lon);
}

void Korvel::data_exportCurrentData() {
    const StructBoatValues& v = values();
    m_recorder->exportCurrentData(Global::configuration, v.boat_lat, v.boat_lon, v.current_depth,
                                  v.boat_time, [this] {
                                      // A position the fix gate refused goes to no plotter.
                                      if (values().fix_usable)
                                          m_data->writeDataToSerial(data_creatNMEA());
                                      if (Global::configuration.nmeaSentences == 1)
                                          m_data->writeDataToSerial(data_plotterNMEA());
                                  });
    // A logger that has just failed must not go on looking as if it logs.
    m_overlays->exportIco()->setVisible(m_recorder->logging());
}

// The GGA sentence of the newest frame: its own time and position, the controller's
// satellites and fix quality (taken from the same frame).
QString Korvel::data_creatNMEA() {
    const StructSonarFrameFields f = SonarFrameValues::fields(m_history.newest());
    const StructBoatValues& v = values();
    return NmeaGga::sentence(
        {f.utc, f.latitudeDm, f.longitudeDm, v.gps_satellites, v.gps_fixQuality});
}

// A chart plotter's sentences of the newest frame, when the angler chose them: only what the
// handset knows. The position only from a fix the gate let through; no course over ground
// (the boat's compass heading is not one); depth and water only while frames arrive.
QString Korvel::data_plotterNMEA() {
    const StructSonarFrameFields f = SonarFrameValues::fields(m_history.newest());
    const StructBoatValues& v = values();
    const StructConfiguration& cfg = Global::configuration;
    NmeaPlotter::StructValues p;
    p.utc = v.gps_satellites > 0 ? f.utc : 0;
    p.fix = v.fix_usable;
    p.latitudeDm = f.latitudeDm;
    p.longitudeDm = f.longitudeDm;
    p.speedMs = v.boat_speed;
    if (v.sonar_dataArriving && v.current_depth - cfg.depthOffset > 0) {
        p.depthMetres = v.current_depth - cfg.depthOffset;
        p.offsetMetres = cfg.depthOffset;
    }
    if (v.sonar_dataArriving) p.waterCelsius = v.water_temp;
    if (navi_compassPresent() && m_headingFilter.hasValue())
        p.headingDegrees = float((-m_headingFilter.shown() % 360 + 360) % 360);
    return NmeaPlotter::sentences(p).join(QString());
}

unsigned Korvel::data_utc2Local(unsigned word) {
    return KvlwTime::utc2Local(word, Global::configuration.timeZone);
}

float Korvel::data_calcMiddle_depth(float x) {
    return m_boatValues.calcMiddleDepth(x);
}

// The alarm check, every 5th tick (625 ms): boat battery, handset battery and shallow water,
// and the blinking of the depth read-out.
void Korvel::data_checkState() {
    if (m_tickCount % 5 != 0) return;
    const StructConfiguration& cfg = Global::configuration;
    StructBoatValues& v = values();
    v.handset_voltage = Global::getBatVoltage();
    StructAlarmInputs in;
    in.sonarDataArriving = v.sonar_dataArriving;
    in.questionVisible = m_dialogs->question()->isVisible();
    in.boatVoltage = v.boat_voltage;
    in.handsetVoltage = v.handset_voltage;
    in.depth = v.current_depth;
    in.satellites = v.gps_satellites;
    in.boatVoltageAlarmLevel = cfg.boatVoltageAlarmLevel;
    in.batteryAlarmLevel = cfg.batteryAlarmLevel;
    in.shallowAlarmLevel = cfg.shallowAlarmLevel;
    in.ignoreBoatBattery = m_flags.ignoreBoatVtg;
    in.ignoreHandsetBattery = m_flags.ignoreVtg;
    in.ignoreShallow = m_flags.ignoreShallow;

    const StructAlarmOutcome out = m_alarms.check(in);
    sonar()->setTextBlink(out.depthBlink);
    if (!out.alarmType.isEmpty()) {
        qCInfo(lcCore) << "alarm" << out.alarmType;
        // "Ignore" silences that alarm for the run.
        const EnumDialogKind kind = DialogKind::fromText(out.alarmType);
        prompter().ask({kind, TrResource::getTrString(TR_Alarm),
                        TrResource::getTrString(EnumTrString(out.messageText)),
                        TrResource::getTrString(TR_Ignore), TrResource::getTrString(TR_Ok)},
                       [this, kind](EnumAnswer a) {
                           if (a == EnumAnswer::Left) dialog_ignoreAlarm(kind);
                       });
        emit signal_alarm(out.alarmType, out.messageText);
    }
}
