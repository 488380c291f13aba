#pragma once

#include <QByteArray>

// The boat compass's calibration as the sonar box runs it after command 0xA4: the box turns
// the boat's compass through its calibration for a few seconds and then reports the result
// once with command 0xC3, "CCR," and a stage digit: '0' calibrated, '1' failed, '2' the
// result could not be stored. ('3', the compass asking to be calibrated, comes on its own and
// is not a result.) A box before version 123 calibrates but reports nothing.
namespace vboat {

class CompassCali {
public:
    enum class Outcome { Success, Fail, FlashError, Silent };

    static constexpr double kSeconds = 4.0;
    static constexpr int kFirstReportingVersion = 123;

    // "ok", "fail", "flash" or "none"; false for any other name.
    static bool outcomeFromName(const QByteArray& name, Outcome& outcome);
    static QByteArray nameOf(Outcome outcome);

    void setOutcome(Outcome outcome) { outcome_ = outcome; }
    Outcome outcome() const { return outcome_; }

    // The command arrived at now. False while a calibration is still under way (a repeated
    // command does not start it again).
    bool start(double now);
    // The report's data ("CCR,0" ...) for a box of this version; empty when it says nothing.
    QByteArray report(int sonarVersion) const;
    // When the started calibration ends.
    double endsAt() const { return endsAt_; }

private:
    Outcome outcome_ = Outcome::Success;
    double endsAt_ = -1;
};

}  // namespace vboat
