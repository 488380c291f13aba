#pragma once

#include "navi/depth_color_bar.h"
#include "navi/depth_grid.h"
#include "navi/map_mapping.h"

#include <QImage>
#include <QPointF>

// What the depth map layer shows and where: the grid, where its origin lies on the map (in
// relative half-metres), the map's centre and zoom, the colour bar of the track, and the
// angler's choices.
struct StructDepthMapScene {
    const DepthGrid* grid = nullptr;
    QPointF originRelative;
    MapMapping map;
    const DepthColorBar* colours = nullptr;
    bool shading = true;
    bool contours = true;
    float intervalMetres = 1.0f;
};

// The depth map drawn into the map's layer picture (kLayerSize square, its middle the map's
// centre): measured water shaded with the depth colours, the gaps between survey lines
// bridged, isobaths over it with a few depth labels. The picture is cleared first.
namespace DepthMapPicture {

// Cells per lattice node at a zoom: a node is never smaller than about 1.5 pixels, so the work
// follows the picture, not the cells.
int stepFor(float ratio);
// The cells under the layer, with a margin for the gap filling, aligned to the step so that
// the lattice does not shift as the map moves.
QRect regionFor(const StructDepthMapScene& scene, int step);

// Returns the number of isobath lines drawn.
int render(QImage& picture, const StructDepthMapScene& scene);

}  // namespace DepthMapPicture
