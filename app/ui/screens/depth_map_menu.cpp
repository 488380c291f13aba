#include "ui/screens/depth_map_menu.h"

#include "base/global.h"
#include "base/tr_resource.h"

namespace {

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

QString withState(EnumTrString name, const QString& state) {
    return trText(name) + QStringLiteral(": ") + state;
}

}  // namespace

QStringList DepthMapMenu::rows(const StructDepthMapView& view, float intervalMetres) {
    const auto onOff = [](bool on) { return trText(on ? TR_On : TR_Off); };
    return {withState(TR_Shading, onOff(view.shading)),
            withState(TR_Contours, onOff(view.contours)),
            withState(TR_ContourInterval, Global::getString_depthValue(intervalMetres, 1, false) +
                                              Global::getString_depthUnit()),
            trText(TR_ExportDepthMap),
            trText(TR_AddLogToDepthMap),
            trText(TR_ClearDepthMap)};
}
