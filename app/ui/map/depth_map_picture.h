#pragma once

#include "navi/depth_color_bar.h"
#include "navi/depth_grid.h"
#include "navi/map_mapping.h"

#include <QImage>
#include <QPointF>
#include <QString>
#include <QVector>

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

// A depth label of an isobath: its text centred on a layer pixel.
struct StructDepthLabel {
    QPointF at;
    QString text;
};

// The depth map drawn into the map's layer picture (kLayerSize square, its middle the map's
// centre): measured water shaded with the depth colours, the gaps between survey lines
// bridged, isobaths over it with a few depth labels. The picture is cleared first.
namespace DepthMapPicture {

// Cells per lattice node at a zoom: a node is never smaller than about 1.5 pixels, so the work
// follows the picture, not the cells.
int stepFor(float ratio);
// The cells under pixels of the layer, with a margin for the gap filling, aligned to the step
// so that the lattice is the same for every part of the picture.
QRect regionFor(const StructDepthMapScene& scene, int step, const QRect& pixels);
// The pixels that changed cells can change: theirs, those of the gaps they may bridge and of
// the lines through them.
QRect pixelsFor(const StructDepthMapScene& scene, const QRect& cells);

// Draws the whole picture, or only part of it (the rest stays); the number of isobath lines
// drawn. A whole picture also gives the places of a few depth labels, clear of each other,
// which the map shows upright over it whichever way the picture turns.
int render(QImage& picture, const StructDepthMapScene& scene, const QRect& part = QRect(),
           QVector<StructDepthLabel>* labels = nullptr);

}  // namespace DepthMapPicture
