#include "base/dialog_kind.h"

namespace {

struct StructKindName {
    EnumDialogKind kind;
    const char* name;
};

constexpr StructKindName kKinds[] = {
    {EnumDialogKind::HomePoint, "homePoint"},
    {EnumDialogKind::GoToWaypoint, "waypoint"},
    {EnumDialogKind::SelectPoint, "selectPoint"},
    {EnumDialogKind::StopAutopilot, "stop"},
    {EnumDialogKind::ShallowAlarm, "shallow"},
    {EnumDialogKind::VtgAlarm, "vtg"},
    {EnumDialogKind::BoatVtgAlarm, "boatVtg"},
    {EnumDialogKind::ResetSettings, "reset"},
    {EnumDialogKind::KmlWaypointImport, "kmlWaypoint"},
    {EnumDialogKind::SonarConfig, "sonar_cfg"},
    {EnumDialogKind::SonarCompassCali, "sonar_cali"},
    {EnumDialogKind::ApConfig, "ap_cfg"},
    {EnumDialogKind::ApStop, "ap_stop"},
    {EnumDialogKind::ApGoTarget, "ap_goTarget"},
    {EnumDialogKind::ApGoHome, "ap_goHome"},
    {EnumDialogKind::ApGoBack1, "ap_goTarget_1"},
    {EnumDialogKind::ApGoBack2, "ap_goTarget_2"},
    {EnumDialogKind::ApGoMultiTarget, "ap_goMultiTarget"},
    {EnumDialogKind::ApWiringForward, "ap_forward"},
    {EnumDialogKind::ApWiringLeft, "ap_left"},
    {EnumDialogKind::ApWiringRight, "ap_right"},
    {EnumDialogKind::RadioBind, "bind"},
    {EnumDialogKind::DisplayCompassCali, "dsp"},
    {EnumDialogKind::BoatCompassCali, "boat"},
    {EnumDialogKind::ClearDepthMap, "clearDepthMap"},
    {EnumDialogKind::ReturnNow, "returnNow"},
    {EnumDialogKind::GpxCourseImport, "gpxCourse"},
};

}  // namespace

namespace DialogKind {

QString text(EnumDialogKind kind) {
    for (const StructKindName& k : kKinds)
        if (k.kind == kind) return QLatin1String(k.name);
    return QString();
}

EnumDialogKind fromText(const QString& text) {
    for (const StructKindName& k : kKinds)
        if (text == QLatin1String(k.name)) return k.kind;
    return EnumDialogKind::None;
}

}  // namespace DialogKind
