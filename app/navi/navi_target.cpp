#include "navi/navi_target.h"

#include "base/tr_resource.h"

namespace NaviTarget {

StructTargetFeedback feedback(EnumTargetType type) {
    const auto tr = [](EnumTrString id) { return TrResource::getTrString(id); };
    switch (type) {
        case EnumTargetType::TargetPoint:
            return {QStringLiteral("ap_goTarget"), tr(TR_PushGo), tr(TR_GoToTargetNow)};
        case EnumTargetType::TargetHome:
            return {QStringLiteral("ap_goHome"), tr(TR_PushGo), tr(TR_BackToHomeNow)};
        case EnumTargetType::TargetGoBack1:
            return {QStringLiteral("ap_goTarget_1"), tr(TR_GoBack), tr(TR_GoToTarget1Now)};
        case EnumTargetType::TargetGoBack2:
            return {QStringLiteral("ap_goTarget_2"), tr(TR_GoBack), tr(TR_GoToTarget2Now)};
        case EnumTargetType::TargetMultiTarget:
            // The title is not translated on the handset.
            return {QStringLiteral("ap_goMultiTarget"), QStringLiteral("Multi-Target"),
                    tr(TR_GoToTargetNow)};
    }
    return {};
}

QString connectingText(const QString& text) {
    return text + QStringLiteral(". ") + TrResource::getTrString(TR_ConnectingAutopilot) +
           QStringLiteral("...");
}

}  // namespace NaviTarget
