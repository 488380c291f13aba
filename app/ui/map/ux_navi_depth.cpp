#include "navi/convert.h"
#include "state/depth_map_state.h"
#include "ui/map/depth_map_picture.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"

// The depth map layer of the map: under the track layer, turning with it.

void UxNavi::setDepthMap(const DepthMapState* depthMap) {
    m_depthMap = depthMap;
    depthMap_paint();
}

QGraphicsItem* UxNavi::depthMapLayer() const {
    return m_depthLayer;
}

void UxNavi::depthMap_paint() {
    m_depthTick = m_tick;
    if (m_depthMap == nullptr) return;
    m_depthRevision = m_depthMap->revision();
    const DepthGrid& grid = m_depthMap->grid();
    StructDepthMapScene scene;
    scene.map = m_map;
    scene.colours = &m_colorBar;
    scene.shading = m_depthMap->view().shading;
    scene.contours = m_depthMap->view().contours;
    scene.intervalMetres = m_depthMap->intervalMetres();
    // Without a map origin there is nowhere to put the grid yet.
    if (!grid.isEmpty() && Convert::haveSetStartPoint()) {
        scene.grid = &grid;
        scene.originRelative =
            Convert::navi_ddS32_to_relativeCoor(grid.origin().lon(), grid.origin().lat());
    }
    m_depthLines = DepthMapPicture::render(m_depthLayer->layer(), scene);
    m_depthLayer->update();
}

void UxNavi::depthMap_update() {
    if (m_depthMap == nullptr || m_depthMap->revision() == m_depthRevision) return;
    const int since =
        m_tick >= m_depthTick ? m_tick - m_depthTick : m_tick + kTickWrap - m_depthTick;
    if (since >= kDepthMapEvery) depthMap_paint();
}
