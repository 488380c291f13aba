#pragma once

// The handset's own compass as the controller uses it: read on the tick, detected again when
// it stops answering, calibrated from the menu. The calibration runs on the device's own timer
// and dialog; while it runs, nothing else may touch the bus. A handset without a compass has
// no object of this kind.
class HandsetCompass {
public:
    // The heading read when no new reading was available.
    static constexpr int kNoReading = 720;

    virtual ~HandsetCompass() = default;

    // Closes and reopens the bus.
    virtual void reopen() = 0;
    // Closes and reopens the bus and detects the chip again; true when it answered.
    virtual bool redetect() = 0;
    // One reading: the raw heading 0..359, or kNoReading.
    virtual int read() = 0;
    // Starts the magnetic calibration.
    virtual void startCalibration() = 0;
    virtual bool calibrating() const = 0;
};
