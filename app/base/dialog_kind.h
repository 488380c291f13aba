#pragma once

#include <QString>

// What a question or an acknowledgement wait is about. The dialogs show one of each at a
// time; the kind names it for the answer's receiver, the log and the scripted runs.
enum class EnumDialogKind {
    None,
    // Questions.
    HomePoint,      // use the saved home, or the boat's position
    GoToWaypoint,   // send the boat to a waypoint now
    SelectPoint,    // the map cursor: save it or go there
    StopAutopilot,  // stop the running task
    ShallowAlarm,   // the alarms: "Ignore" silences each for the run
    VtgAlarm,
    BoatVtgAlarm,
    ResetSettings,
    KmlWaypointImport,
    // Acknowledgement waits.
    SonarConfig,
    SonarCompassCali,
    ApConfig,
    ApStop,
    ApGoTarget,
    ApGoHome,
    ApGoBack1,
    ApGoBack2,
    ApGoMultiTarget,
    ApWiringForward,
    ApWiringLeft,
    ApWiringRight,
    // Progress.
    RadioBind,
    // Compass calibrations.
    DisplayCompassCali,
    BoatCompassCali,
    // Questions of later features.
    ClearDepthMap,
    ReturnNow,        // the battery reserve is about to be passed: go home now
    GpxCourseImport,  // a GPX route or track into a course slot
};

namespace DialogKind {

// The kind's name as the dialogs report it ("homePoint", "ap_goHome", ...), and back; None
// for a name that is none of them.
QString text(EnumDialogKind kind);
EnumDialogKind fromText(const QString& text);

}  // namespace DialogKind
