#pragma once

#include "base/configuration.h"
#include "data/depth_median_filter.h"
#include "link/kvl_frame.h"

// The current values of the boat and the handset that the screens, the alarms and the
// recorder read: derived from the newest sonar record once per tick.
struct StructBoatValues {
    float water_temp = 0;    // degrees Celsius
    float sonar_range = 10;  // metres, 3..50
    int sonar_status = 0;    // the frame's status byte
    int gps_fixQuality = 0;  // HDOP x 100
    int gps_satellites = 0;
    int boat_lat = 0;           // ddS32
    int boat_lon = 0;           // ddS32
    float boat_speed = 0;       // m/s
    float boat_heading = 0;     // degrees
    float boat_voltage = 0;     // V, 0 when not plausible
    float current_depth = 0;    // m, filtered, with the offset
    unsigned boat_time = 0;     // packed local date-time, 0 before the first GPS time
    float handset_voltage = 0;  // V, from the handset's ADC; 0 without a valid reading
    bool sonar_dataArriving = false;
    // The newest record is a frame from the boat (not the empty frame of no data): the values
    // above were measured.
    bool measured = false;
    // The boat's fix as the handset may use it: usable now (a good fix, not stale), settled
    // since the GPS's cold start, and the age of the last good one (-1 before the first).
    bool fix_usable = false;
    bool fix_settled = false;
    qint64 fix_ageMs = -1;
};

// Turns the newest record into the current values by the frame's scales, the configured
// offsets, the GPS filter and the depth median filter.
class BoatValues {
public:
    // dataArriving: the link has brought sonar data lately.
    void update(const kvl_w& newest, const StructConfiguration& cfg, bool dataArriving);
    // The median of the last seven depths (each given once per update).
    float calcMiddleDepth(float depth) { return m_depthFilter.push(depth); }

    const StructBoatValues& values() const { return m_values; }
    StructBoatValues& values() { return m_values; }

private:
    StructBoatValues m_values;
    DepthMedianFilter m_depthFilter;
};
