#include "base/hint_code.h"

namespace {

constexpr EnumHintCode kCodes[] = {
    EnumHintCode::ReadFailed,
    EnumHintCode::KmlReadFailed,
    EnumHintCode::UpdateFileReadFailed,
    EnumHintCode::SaveFailed,
    EnumHintCode::CourseCopyFailed,
    EnumHintCode::CourseReadFailed,
    EnumHintCode::BindPowerOffFirst,
    EnumHintCode::BindPowerOn,
    EnumHintCode::BindNoAnswer,
    EnumHintCode::StopInSimulator,
    EnumHintCode::StopApOffline,
    EnumHintCode::MarkTooFar,
    EnumHintCode::HomeNotDefined,
    EnumHintCode::GoInSimulator,
    EnumHintCode::GoApOffline,
    EnumHintCode::GoFewSatellites,
    EnumHintCode::GoStopFirst,
    EnumHintCode::GoTooFar,
    EnumHintCode::GoBackTarget1Empty,
    EnumHintCode::CompassNotConnected,
    EnumHintCode::WiringTestInSimulator,
    EnumHintCode::SetHomeInSimulator,
    EnumHintCode::SetHomeFewSatellites,
    EnumHintCode::WiringTestApOffline,
    EnumHintCode::GoBackTargetTooFar,
    EnumHintCode::CompassReadFailed,
    EnumHintCode::TargetListEmpty,
    EnumHintCode::GoBackTarget2Empty,
    EnumHintCode::ApError,
    EnumHintCode::BoatCompassFail,
    EnumHintCode::BoatCompassFlashError,
    EnumHintCode::MagneticInterference,
    EnumHintCode::BoatCompassTimeout,
    EnumHintCode::DepthMapEmpty,
    EnumHintCode::DepthMapSetAside,
    EnumHintCode::DepthMapLogEmpty,
    EnumHintCode::ReplayLogEmpty,
    EnumHintCode::ReplayLogCut,
    EnumHintCode::MarkWithoutFix,
    EnumHintCode::GpxReadFailed,
    EnumHintCode::GpxRouteTooLong,
    EnumHintCode::GpxNothingToExport,
};

}  // namespace

namespace HintCode {

QString text(EnumHintCode code) {
    if (code == EnumHintCode::None) return QString();
    return QString::number(int(code));
}

EnumHintCode fromText(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) return EnumHintCode::None;
    for (EnumHintCode code : kCodes)
        if (int(code) == n) return code;
    return EnumHintCode::None;
}

}  // namespace HintCode
