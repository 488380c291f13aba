#include "data/boat_values.h"

#include "data/kvlw_time.h"
#include "link/sonar_frame_values.h"
#include "navi/convert.h"

void BoatValues::update(const kvl_w& newest, const StructConfiguration& cfg, bool dataArriving) {
    StructBoatValues& v = m_values;
    v.sonar_dataArriving = dataArriving;
    // The data source hands the empty frame until a frame arrives and again once the link has
    // been silent for a while.
    v.measured = newest.bytes[0] == '#';
    const StructSonarFrameFields f = SonarFrameValues::fields(newest);
    v.sonar_status = f.status;
    v.sonar_range = SonarFrameValues::rangeMetres(f.rangeCm);
    v.current_depth =
        SonarFrameValues::depthMetres(calcMiddleDepth(f.depthCm / 100.0f), cfg.depthOffset);
    v.water_temp = SonarFrameValues::waterCelsius(f.temperatureF, cfg.tempOffset);
    v.boat_voltage = SonarFrameValues::boatVolts(f.batteryTenths, cfg.vtgOffset);
    if (f.headingTenths != 0) v.boat_heading = f.headingTenths / 10.0f;
    v.gps_satellites = f.satellites;
    v.gps_fixQuality = f.fixQuality;
    if (SonarFrameValues::positionUsable(f.fixQuality, cfg.gpsFilter)) {
        v.boat_lat = Convert::dmS32_to_ddS32(f.latitudeDm);
        v.boat_lon = Convert::dmS32_to_ddS32(f.longitudeDm);
        v.boat_speed = f.speedTenths / 10.0f;
    }
    if (f.satellites != 0) v.boat_time = KvlwTime::utc2Local(f.utc, cfg.timeZone);
}
