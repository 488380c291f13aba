#pragma once

#include "navi/compass_calibration.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class CompassBus;

// The handset's tilt-compensated compass: finds which of the two chip generations is fitted,
// configures it, reads it, turns the readings into a heading with the hard-iron calibration,
// runs the calibration and keeps it in /opt/offset.kco. Straight-line code with waits: it
// runs on a thread of its own (HandsetCompassThread), never on the GUI thread. The waits go
// through the given function, which returns false when the work is to stop.
class UxCompassDevice {
public:
    static constexpr uint8_t kAcc1 = 0x30;  // accelerometer, first generation
    static constexpr uint8_t kAcc2 = 0x32;  // accelerometer, second generation
    static constexpr uint8_t kMag = 0x3C;   // magnetometer, both
    static constexpr int kCaliSamples = 999;

    using Wait = std::function<bool(int ms)>;
    // Samples taken so far and the result text "X:[min,max],Y:[..],Z:[..]", while calibrating.
    using CaliProgress = std::function<void(int samples, const QString& text)>;

    UxCompassDevice(std::unique_ptr<CompassBus> bus, Wait wait);
    ~UxCompassDevice();

    // Supply on (request 9, 100 ms, open the bus, 100 ms) / off (close, 100 ms, 10, 100 ms).
    void openPower();
    void closePower();
    bool openI2cDev();
    void closeI2cDev();

    // Detects and configures the chip; 1 when one was found and delivered data, else 0.
    int device_Init_HW();
    void device_CFG_LSM303D(int mode);
    void device_CFG_new();

    // One register. The value is cleared first: a failed transfer reads as 0, never as what
    // the variable held before.
    bool ReadFromI2c(uint8_t address, uint8_t reg, uint8_t* value);
    bool WriteToI2c(uint8_t address, uint8_t reg, uint8_t value);

    bool device_MegDatRdy();
    // Three signed axes each; false (and zeros for what did not arrive) when a transfer failed.
    bool device_RdAcc(int16_t* acc);
    bool device_RdMega(int16_t* mag);
    // Both, when the magnetometer has data ready.
    bool device_RdRawDat(int16_t* acc, int16_t* mag);

    // The last raw magnetometer reading, normalised by the calibration.
    void device_AdjMegDat(float* m) const;
    float CalHeading_Celiberate(const int16_t* acc, const float* m) const;
    float CalTiltHeading(const int16_t* acc, const int16_t* mag) const;

    // One reading cycle: the heading 0..359, or 720 when no new reading was available.
    int Tsk_RdCompass();

    // The calibration: 999 samples of the magnetometer, widening each axis's minimum and
    // maximum from the first sample (shown as 0 until it comes), then saved. cancel (set from
    // another thread) ends it early and puts back the calibration that was in use. True when it ran
    // to the end and was saved.
    bool device_CeliberMeg(const CaliProgress& progress, std::atomic<int>& cancel);
    bool device_SaveMegCelDat();
    bool device_RdMegCelDat();

    static QString caliText(const StructMegCalibration& cal);

    int heading() const { return m_heading; }
    bool outOfRange() const { return m_outOfRange; }
    QString generationText() const { return m_generationText; }
    const StructMegCalibration& calibration() const { return m_cal; }

private:
    bool readAxes(uint8_t address, uint8_t first, bool bigEndian, int16_t* out);

    std::unique_ptr<CompassBus> m_bus;
    Wait m_wait;
    int m_generation = 0;  // 0: first ("v1"), 1: second ("v2")
    QString m_generationText;
    int m_heading = 720;
    bool m_outOfRange = false;
    int16_t m_lastMag[3] = {0, 0, 0};
    StructMegCalibration m_cal;
};
