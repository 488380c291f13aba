#pragma once

#include <QString>

// Where a handset compass calibration stands.
struct StructCompassCali {
    int samples = 0;        // taken so far
    QString text;           // the axes' minimum and maximum so far
    bool finished = false;  // ended: saved, or cancelled
    bool saved = false;     // ran to the end and was stored
};

// The handset's own compass as the controller uses it: looked for at start, read on the tick,
// detected again when it stops answering, calibrated from the menu. Its bus work has waits
// of up to a few hundred milliseconds, so an implementation does it away from the caller's
// thread and none of these calls waits for the chip. While it calibrates nothing else may
// touch the bus. A handset without a compass has no object of this kind.
class HandsetCompass {
public:
    // The heading read when no new reading was available.
    static constexpr int kNoReading = 720;
    static constexpr int kCaliSamples = 999;

    virtual ~HandsetCompass() = default;

    // Looks for the chip: up to five tries of supply off, supply on and detection. The answer
    // may come after the call returns.
    virtual void detect() = 0;
    // Whether the chip answered that first detection (the compass is fitted).
    virtual bool fitted() const = 0;
    // Closes and reopens the bus.
    virtual void reopen() = 0;
    // Closes and reopens the bus and detects the chip again.
    virtual void redetect() = 0;
    // One reading: the raw heading 0..359, or kNoReading.
    virtual int read() = 0;
    // Whether the last reading lay outside the calibrated range of an axis.
    virtual bool outOfRange() const { return false; }
    // The chip generation's text ("v1", "v2"), empty until detected.
    virtual QString generation() const { return QString(); }

    // Starts the magnetic calibration; cancelCalibration() ends it and keeps the calibration
    // that was in use.
    virtual void startCalibration() = 0;
    virtual bool calibrating() const = 0;
    virtual StructCompassCali calibration() const { return StructCompassCali(); }
    virtual void cancelCalibration() {}
};
