#pragma once

#include "base/geo_point.h"

#include <QtGlobal>
#include <deque>
#include <optional>

// What the handset tells the angler about the boat's battery.
enum class EnumReserveStage { None, ReturnSoon, ReturnNow };

struct StructReserveSettings {
    bool on = true;
    float emptyVolts = 10.5f;  // the voltage at which the boat can no longer run
    float marginVolts = 0.5f;  // kept on top of what the way home needs
};

struct StructReserveSample {
    float boatVolts = 0;  // from the boat's frame; under kMinVolts (0) is no reading
    GeoPoint boat;        // a fix that has passed the fix gate; not set: no usable fix
    GeoPoint home;        // not set: home not known yet
    qint64 timeMs = 0;    // monotonic
};

struct StructReserveEstimate {
    EnumReserveStage stage = EnumReserveStage::None;
    float smoothedVolts = 0;     // what the stage is judged on; 0 without a reading
    float voltsPer100m = 0;      // the consumption in use
    bool learnt = false;         // false while the conservative default is in use
    double travelledMetres = 0;  // since the start
    double homeMetres = -1;      // -1 without home or fix
    float neededVolts = 0;       // voltsPer100m * homeMetres / 100
    float reserveVolts = 0;      // empty + needed + margin: "Return soon" at or under it
    float nowVolts = 0;          // empty + needed + margin / 4: "Return now" at or under it
};

// The battery the boat needs to come home, and when to call it back. Taken once a second.
// - Voltage: the mean of the readings of kMinVolts and more of the last kSmoothMs, as a loaded
//   bait boat's voltage sags and its 0.1 V readings jitter. The mean stands for the window's
//   mean travel; it is judged less what the travel since then has used (at the rate in use).
// - Travel: a fix kStepMetres or more from the anchor fix adds its distance and becomes the
//   anchor, so that the GPS's wander at a spot is not counted as travel.
// - Consumption: the start voltage is the smoothed voltage at the first reading kStartMs or more
//   after the first reading; observed = (start - mean) / (the window's mean travel since the
//   start's) * 100, so that a fast boat's lagging mean does not make the rate look low. Before
//   kLearnMetres of travel since the start the rate used is never under kDefaultVoltsPer100m (a
//   short trip says too little); from then on the observed rate is used, never under
//   kFloorVoltsPer100m.
// - Stage, judged only with home, a fix and a voltage: Now at or under nowVolts, Soon at or under
//   reserveVolts. A stage is raised once the voltage has been at least that low for
//   kHoldSamples samples in a row; it never falls from Now to Soon, and clears only above
//   reserveVolts + kClearVolts (a fresh battery). A sample not judged breaks the run but keeps
//   the stage: a fix lost for a moment does not withdraw a warning. Off: no stage.
class BatteryReserve {
public:
    static constexpr float kMinVolts = 6.0f;              // under it: no reading
    static constexpr float kDefaultVoltsPer100m = 0.15f;  // conservative until enough is seen
    static constexpr float kFloorVoltsPer100m = 0.02f;    // never trust less than this
    static constexpr double kLearnMetres = 200.0;  // travelled before the observed rate alone
    static constexpr double kStepMetres = 3.0;     // GPS wander under this is not travel
    static constexpr qint64 kSmoothMs = 30000;     // voltage averaged over this window
    static constexpr qint64 kStartMs = 10000;      // readings in before the start voltage is set
    static constexpr int kHoldSamples = 5;         // samples a stage must hold before it is raised
    static constexpr float kClearVolts = 0.3f;     // above the soon level by this: the stage clears
    // A reading this far above the one before is a fresh battery: its consumption is learnt
    // anew (the conservative default meanwhile), or the old start would make it look free.
    static constexpr float kSwapVolts = 0.5f;

    StructReserveEstimate take(const StructReserveSample& s, const StructReserveSettings& settings);
    void reset();

    EnumReserveStage stage() const { return m_stage; }
    double travelledMetres() const { return m_travelledMetres; }

private:
    struct StructReading {
        qint64 timeMs;
        float volts;
        double travelledMetres;  // when it was read
    };

    std::optional<float> smoothedVolts(const StructReserveSample& s);
    void travel(GeoPoint boat);
    void judge(float smoothed, const StructReserveEstimate& e);

    std::deque<StructReading> m_readings;
    std::optional<qint64> m_firstReadingMs;
    std::optional<float> m_startVolts;
    double m_startTravelled = 0;  // the window's mean travel when the start voltage was set
    double m_meanTravelled = 0;   // the window's mean travel, where its mean voltage stands
    GeoPoint m_anchor;
    double m_travelledMetres = 0;
    EnumReserveStage m_stage = EnumReserveStage::None;
    int m_soonSamples = 0;  // in a row at or under the soon level, up to kHoldSamples
    int m_nowSamples = 0;   // in a row at or under the now level, up to kHoldSamples
};
