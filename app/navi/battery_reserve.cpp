#include "navi/battery_reserve.h"

#include "navi/fix_gate.h"

#include <algorithm>

std::optional<float> BatteryReserve::smoothedVolts(const StructReserveSample& s) {
    const bool reading = s.boatVolts >= kMinVolts;
    if (reading && !m_readings.empty() && s.boatVolts > m_readings.back().volts + kSwapVolts) {
        m_readings.clear();
        m_firstReadingMs.reset();
        m_startVolts.reset();
    }
    if (reading) m_readings.push_back({s.timeMs, s.boatVolts, m_travelledMetres});
    while (!m_readings.empty() && s.timeMs - m_readings.front().timeMs >= kSmoothMs)
        m_readings.pop_front();
    if (m_readings.empty()) return std::nullopt;
    double sum = 0;
    double travelled = 0;
    for (const StructReading& r : m_readings) {
        sum += r.volts;
        travelled += r.travelledMetres;
    }
    const float mean = float(sum / m_readings.size());
    // The mean voltage belongs to where the boat was on average over the window, not to where
    // it is: set against the travel of that moment, a fast boat's rate does not come out low.
    m_meanTravelled = travelled / m_readings.size();
    if (reading && !m_firstReadingMs) m_firstReadingMs = s.timeMs;
    if (reading && !m_startVolts && s.timeMs - *m_firstReadingMs >= kStartMs) {
        m_startVolts = mean;
        m_startTravelled = m_meanTravelled;
    }
    return mean;
}

void BatteryReserve::travel(GeoPoint boat) {
    if (!m_anchor.isSet()) {
        m_anchor = boat;
        return;
    }
    const double step = flatDistanceMetres(m_anchor, boat);
    if (step < kStepMetres) return;
    m_travelledMetres += step;
    m_anchor = boat;
}

void BatteryReserve::judge(float smoothed, const StructReserveEstimate& e) {
    m_soonSamples = smoothed <= e.reserveVolts ? std::min(m_soonSamples + 1, kHoldSamples) : 0;
    m_nowSamples = smoothed <= e.nowVolts ? std::min(m_nowSamples + 1, kHoldSamples) : 0;
    if (m_nowSamples >= kHoldSamples)
        m_stage = EnumReserveStage::ReturnNow;
    else if (m_soonSamples >= kHoldSamples && m_stage == EnumReserveStage::None)
        m_stage = EnumReserveStage::ReturnSoon;
    else if (smoothed > e.reserveVolts + kClearVolts)
        m_stage = EnumReserveStage::None;
}

StructReserveEstimate BatteryReserve::take(const StructReserveSample& s,
                                           const StructReserveSettings& settings) {
    StructReserveEstimate e;
    if (s.boat.isSet()) travel(s.boat);
    std::optional<float> volts = smoothedVolts(s);
    e.travelledMetres = m_travelledMetres;

    e.voltsPer100m = kDefaultVoltsPer100m;
    const double learnt = m_meanTravelled - m_startTravelled;
    if (volts && m_startVolts && learnt > 0) {
        const float observed = float((*m_startVolts - *volts) / learnt * 100.0);
        e.learnt = learnt >= kLearnMetres;
        e.voltsPer100m = std::max(e.learnt ? kFloorVoltsPer100m : kDefaultVoltsPer100m, observed);
    }
    // Judged at the boat's place: the mean less what the travel since its moment has used.
    if (volts)
        volts = *volts - e.voltsPer100m * float(m_travelledMetres - m_meanTravelled) / 100.0f;
    e.smoothedVolts = volts.value_or(0.0f);

    const bool located = s.boat.isSet() && s.home.isSet();
    if (located) {
        e.homeMetres = flatDistanceMetres(s.boat, s.home);
        e.neededVolts = e.voltsPer100m * float(e.homeMetres) / 100.0f;
    }
    e.reserveVolts = settings.emptyVolts + e.neededVolts + settings.marginVolts;
    e.nowVolts = settings.emptyVolts + e.neededVolts + settings.marginVolts / 4;

    if (!settings.on) {
        m_stage = EnumReserveStage::None;
        m_soonSamples = m_nowSamples = 0;
    } else if (located && volts) {
        judge(*volts, e);
    } else {
        m_soonSamples = m_nowSamples = 0;
    }
    e.stage = m_stage;
    return e;
}

void BatteryReserve::reset() {
    *this = BatteryReserve();
}
