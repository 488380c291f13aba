#include "navi/navi_rules.h"

namespace NaviRules {

StructGoToVerdict goTo(const StructGoToInput& in) {
    const auto refused = [](const char* code) {
        return StructGoToVerdict{EnumGoTo::Refused, QLatin1String(code)};
    };
    if (in.taskMode == QLatin1String("R")) return refused("408");
    if (in.simulator) return refused("405");
    if (in.noDataApSeconds >= kApOfflineSeconds) return refused("406");
    // Without a track point the distance would be measured from the map's origin.
    if (in.satellites < 3 || !in.boatKnown) return refused("407");
    if (in.distance <= in.arriveLevel) return {EnumGoTo::Arrived, QString()};
    if (in.distance < kGoToLimitM) return {EnumGoTo::Start, QString()};
    return refused("409");
}

EnumMark markTarget(float distance, float arriveLevel) {
    if (distance <= arriveLevel) return EnumMark::Arrived;
    return distance < kMarkLimitM ? EnumMark::Mark : EnumMark::TooFar;
}

EnumStop stop(bool simulator, int noDataApSeconds) {
    if (simulator) return EnumStop::Simulator;
    if (noDataApSeconds >= kApOfflineSeconds) return EnumStop::Offline;
    return EnumStop::Send;
}

}  // namespace NaviRules
