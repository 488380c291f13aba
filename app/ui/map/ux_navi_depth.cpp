#include "navi/convert.h"
#include "state/depth_map_state.h"
#include "ui/map/depth_map_picture.h"
#include "ui/map/item_depth_label.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"

// The depth map layer of the map: under the track layer, turning with it.

void UxNavi::setDepthMap(DepthMapState* depthMap) {
    m_depthMap = depthMap;
    depthMap_paint();
}

QGraphicsItem* UxNavi::depthMapLayer() const {
    return m_depthLayer;
}

StructDepthMapScene UxNavi::depthMapScene() const {
    StructDepthMapScene scene;
    scene.map = m_map;
    scene.colours = &m_colorBar;
    scene.shading = m_depthMap->view().shading;
    scene.contours = m_depthMap->view().contours;
    scene.intervalMetres = m_depthMap->intervalMetres();
    const DepthGrid& grid = m_depthMap->grid();
    // Without a map origin there is nowhere to put the grid yet.
    if (!grid.isEmpty() && Convert::haveSetStartPoint()) {
        scene.grid = &grid;
        scene.originRelative =
            Convert::navi_ddS32_to_relativeCoor(grid.origin().lon(), grid.origin().lat());
    }
    return scene;
}

void UxNavi::depthMap_paint() {
    m_depthTick = m_tick;
    if (m_depthMap == nullptr) return;
    m_depthRevision = m_depthMap->revision();
    m_depthMap->takeChanged();
    const StructDepthMapScene scene = depthMapScene();
    m_depthPlaced = scene.grid != nullptr;
    QVector<StructDepthLabel> labels;
    m_depthLines = DepthMapPicture::render(m_depthLayer->layer(), scene, QRect(), &labels);
    m_depthLayer->update();
    while (m_depthLabels.size() < labels.size())
        m_depthLabels.append(new ItemDepthLabel(m_depthLayer));
    for (int i = 0; i < m_depthLabels.size(); ++i) {
        ItemDepthLabel* item = m_depthLabels.at(i);
        item->setVisible(i < labels.size());
        if (i >= labels.size()) continue;
        item->setText(labels.at(i).text);
        item->setPos(labels.at(i).at - QPointF(MapMapping::kHalfLayer, MapMapping::kHalfLayer));
        item->setRotation(-m_compassHeading);
    }
}

QStringList UxNavi::depthMap_labels() const {
    QStringList out;
    for (const ItemDepthLabel* item : m_depthLabels)
        if (item->isVisible()) out << item->text();
    return out;
}

// New soundings redraw only the part of the picture they can change, at most once a second.
void UxNavi::depthMap_update() {
    if (m_depthMap == nullptr || m_depthMap->revision() == m_depthRevision) return;
    const int since =
        m_tick >= m_depthTick ? m_tick - m_depthTick : m_tick + kTickWrap - m_depthTick;
    if (since < kDepthMapEvery) return;
    const StructDepthMapScene scene = depthMapScene();
    const QRect cells = m_depthMap->takeChanged();
    if (!m_depthPlaced || scene.grid == nullptr || cells.isEmpty()) {
        depthMap_paint();
        return;
    }
    m_depthTick = m_tick;
    m_depthRevision = m_depthMap->revision();
    const QRect part = DepthMapPicture::pixelsFor(scene, cells);
    if (part.isEmpty()) return;
    DepthMapPicture::render(m_depthLayer->layer(), scene, part);
    m_depthLayer->update(QRectF(part).translated(-MapMapping::kHalfLayer, -MapMapping::kHalfLayer));
}
