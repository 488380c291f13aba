#pragma once

// Watches the boat compass's calibration reports for magnetic disturbance: a compass that keeps
// asking for calibration (more than 15 reports, each counted at most once per evaluation) gets
// one warning per run; reports that stop for about ten evaluations are forgotten.
class BoatCompassWatch {
public:
    struct StructResult {
        bool evaluated = false;  // this pass looked at the report (every ninth pass)
        bool needCali = false;   // the boat compass asks for calibration: show its mark
        bool warn = false;       // show the interference warning now
    };

    static constexpr int kPassesPerLook = 9;
    static constexpr int kReportsBeforeWarning = 15;
    static constexpr int kQuietLooks = 10;

    // One supervision pass; needsCalibration: the boat reported that its compass needs it.
    // The report is used (and should be cleared) only when the result says evaluated.
    StructResult pass(bool needsCalibration);
    bool warned() const { return m_warned; }
    // After a successful calibration a new disturbance is worth a new warning.
    void allowWarningAgain() { m_warned = false; }

private:
    int m_pass = 0;
    int m_reports = 0;
    int m_lastReports = 0;
    int m_sameLooks = 0;
    bool m_warned = false;
};
