#pragma once

#include "state/depth_map_state.h"

#include <QStringList>

// The rows of the quick page's "Depth Map" list, in the language of the moment: the three
// choices with their state ("Shading: ON", "Contour Interval: 0.5m"), then the commands.
namespace DepthMapMenu {

enum EnumRow { RowShading, RowContours, RowInterval, RowExport, RowAddLog, RowClear };

QStringList rows(const StructDepthMapView& view, float intervalMetres);

}  // namespace DepthMapMenu
