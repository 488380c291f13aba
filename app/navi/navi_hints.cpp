#include "navi/navi_hints.h"

#include "base/tr_resource.h"

namespace NaviHints {

StructNaviHint hint(const QString& code) {
    const auto tr = [](EnumTrString id) { return TrResource::getTrString(id); };
    const QString error = tr(TR_Error);
    const QString offline = tr(TR_AutopilotModule) + QLatin1Char(' ') + tr(TR_Offline);
    const int n = code.toInt();
    switch (n) {
        case 401:
        case 405:
            return {code, error, tr(TR_InSimulatorMode)};
        case 402:
        case 406:
            return {code, error, offline};
        case 403:
        case 409:
        case 416:
            return {code, error, tr(TR_TargetTooFar)};
        case 404:
            return {code, error, tr(TR_HomeNotDefined)};
        case 407:
            return {code, error, tr(TR_NotEnoughSatellites)};
        case 408:
            return {code, error, tr(TR_StopAutopilotFirst)};
        case 410:
            return {code, error, tr(TR_Target1Empty)};
        case 419:
            return {code, error, tr(TR_Target2Empty)};
        case 418:
            return {code, error, tr(TR_TargetListEmpty)};
        case 501:
            return {code, error, QStringLiteral("Autopilot Error!"), true};
        case 603:
            return {code, tr(TR_Message),
                    QStringLiteral("Strong Magnetic-Field interference, Please Calibrate the "
                                   "compass on boat")};
        default:
            return {code, QString(), QString()};
    }
}

}  // namespace NaviHints
