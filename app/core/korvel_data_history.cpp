#include "core/base/global.h"
#include "core/korvel.h"
#include "data/kvlw_time.h"
#include "data/sonar_history.h"
#include "link/sonar_frame_values.h"
#include "link/spi_device.h"
#include "link/ux_data.h"
#include "navi/convert.h"

namespace {
// Where the frames come from: a log being replayed, the built-in recording, or the boat.
QString frameSource(const StructConfiguration& cfg) {
    if (cfg.workMode == 2) return QStringLiteral("play");
    if (cfg.simulator == 1) return QStringLiteral("sim");
    return QStringLiteral("spi");
}
}  // namespace

// One new frame per tick into the history; at a chart speed other than 0 an interpolated
// column goes before it, so the history always holds one record per echogram column.
void Korvel::data_getOrigin_kvlw() {
    if (m_history.isEmpty()) return;
    const StructConfiguration& cfg = Global::configuration;
    const QString source = frameSource(cfg);
    const kvl_w frame = m_data->getOnePkgData(source);
    const int chartSpeed = int(cfg.chartSpeed);
    SonarHistory::take(m_history, frame, chartSpeed, m_lastRawData);
    // When the simulator index is 1 the recording has started over, and so does the map
    // track (at chart speed 0 only for "sim" and "play"): the map view clears it here once
    // it exists.
}

// The current values from the newest record.
void Korvel::data_getCurrent_kvlw() {
    sonar_dataArriving = SpiDevice::count_noData_sonar.load() < 3;
    if (m_history.isEmpty()) return;
    const StructConfiguration& cfg = Global::configuration;
    const StructSonarFrameFields f = SonarFrameValues::fields(m_history.last());
    sonar_status = f.status;
    sonar_range = SonarFrameValues::rangeMetres(f.rangeCm);
    current_depth =
        SonarFrameValues::depthMetres(data_calcMiddle_depth(f.depthCm / 100.0f), cfg.depthOffset);
    water_temp = SonarFrameValues::waterCelsius(f.temperatureF, cfg.tempOffset);
    boat_voltage = SonarFrameValues::boatVolts(f.batteryTenths, cfg.vtgOffset);
    if (f.headingTenths != 0) boat_heading = f.headingTenths / 10.0f;
    gps_satellites = f.satellites;
    gps_fixQuality = f.fixQuality;
    if (SonarFrameValues::positionUsable(f.fixQuality, cfg.gpsFilter)) {
        boat_lat = Convert::dmS32_to_ddS32(f.latitudeDm);
        boat_lon = Convert::dmS32_to_ddS32(f.longitudeDm);
        boat_speed = f.speedTenths / 10.0f;
    }
    if (f.satellites != 0) boat_time = data_utc2Local(f.utc);
}

unsigned Korvel::data_utc2Local(unsigned word) {
    return KvlwTime::utc2Local(word, Global::configuration.timeZone);
}

float Korvel::data_calcMiddle_depth(float x) {
    return m_depthFilter.push(x);
}
