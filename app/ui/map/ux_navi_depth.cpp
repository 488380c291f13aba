#include "navi/convert.h"
#include "state/depth_map_state.h"
#include "ui/map/depth_map_picture.h"
#include "ui/map/item_depth_label.h"
#include "ui/map/item_navi.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"

#include <cmath>
#include <cstring>

// The depth map layer of the map: under the track layer, turning with it. Its picture is
// drawn for a centre on whole pixels of the zoom; the layer item makes up the fraction, so a
// map that moves shifts the picture and draws only the strips that came into view.

namespace {

// What a whole picture depends on besides the centre and the soundings.
bool sameLook(const StructDepthMapScene& a, const StructDepthMapScene& b, const DepthColorBar& bar,
              int up, int lo) {
    return a.map.ratio == b.map.ratio && a.shading == b.shading && a.contours == b.contours &&
           a.intervalMetres == b.intervalMetres && a.originRelative == b.originRelative &&
           (a.grid != nullptr) == (b.grid != nullptr) && bar.upRng() == up && bar.loRng() == lo;
}

// Moves the picture's pixels by (dx, dy) in place; what comes into view is left transparent.
void shiftPicture(QImage& picture, int dx, int dy) {
    const int w = picture.width();
    const int h = picture.height();
    const int width = w - std::abs(dx);
    const auto row = [&picture](int y) { return reinterpret_cast<QRgb*>(picture.scanLine(y)); };
    // Rows are walked away from where they go, so none is overwritten before it is moved.
    for (int i = 0; i < h; ++i) {
        const int y = dy > 0 ? h - 1 - i : i;
        const int from = y - dy;
        QRgb* to = row(y);
        if (from < 0 || from >= h || width <= 0) {
            std::fill(to, to + w, QRgb(0));
            continue;
        }
        std::memmove(to + std::max(0, dx), row(from) + std::max(0, -dx),
                     size_t(width) * sizeof(QRgb));
        if (dx > 0) std::fill(to, to + dx, QRgb(0));
        if (dx < 0) std::fill(to + w + dx, to + w, QRgb(0));
    }
}

}  // namespace

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
    const qreal r = m_map.ratio;
    scene.map.centre =
        QPointF(std::round(m_map.centre.x() / r) * r, std::round(m_map.centre.y() / r) * r);
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

void UxNavi::placeDepthLayer(const StructDepthMapScene& scene) {
    m_depthLayer->setPos((scene.map.centre - m_map.centre) / qreal(m_map.ratio));
}

// Only the pixels the sounded cells reach are blended with the map; a young map is a strip
// of a mostly clear picture. The margin covers a picture shifted by whole pixels since.
void UxNavi::depthMap_setDrawnPart() {
    const DepthGrid& grid = m_depthMap->grid();
    m_depthLayer->setDrawnPart(
        m_depthScene.grid == nullptr || grid.isEmpty()
            ? QRect()
            : DepthMapPicture::pixelsFor(m_depthScene, grid.bounds()).adjusted(-2, -2, 2, 2));
}

// The colour bar's automatic range covers the map's depths as it covers the track's, so the
// bar beside the map reads for both.
bool UxNavi::depthMap_noteDeepest() {
    if (!m_colorBar.noteDepth(m_depthMap->grid().deepestMetres())) return false;
    colorBarChanged();  // draws the track and the depth map again
    return true;
}

// A hidden map draws nothing: it is drawn whole when it shows again.
bool UxNavi::depthMap_hidden() {
    const bool hidden = m_navi != nullptr && !m_navi->isVisible();
    m_depthStale = m_depthStale || hidden;
    return hidden;
}

void UxNavi::depthMap_paint() {
    m_depthTick = m_tick;
    if (m_depthMap == nullptr || depthMap_hidden() || depthMap_noteDeepest()) return;
    m_depthStale = false;
    m_depthRevision = m_depthMap->revision();
    m_depthMap->takeChanged();
    const StructDepthMapScene scene = depthMapScene();
    m_depthScene = scene;
    m_depthUp = m_colorBar.upRng();
    m_depthLo = m_colorBar.loRng();
    placeDepthLayer(scene);
    QVector<StructDepthLabel> labels;
    m_depthLines = DepthMapPicture::render(m_depthLayer->layer(), scene, QRect(), &labels);
    depthMap_setDrawnPart();
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

// With every repaint of the map: a map that only moved shifts the picture and draws the
// strips that came into view, with any soundings not yet drawn; anything else draws it whole.
void UxNavi::depthMap_follow() {
    if (m_depthMap == nullptr || depthMap_hidden()) return;
    const StructDepthMapScene scene = depthMapScene();
    if (scene.grid == nullptr || !sameLook(scene, m_depthScene, m_colorBar, m_depthUp, m_depthLo)) {
        depthMap_paint();
        return;
    }
    const qreal r = scene.map.ratio;
    const int dx = int(std::lround((m_depthScene.map.centre.x() - scene.map.centre.x()) / r));
    const int dy = int(std::lround((m_depthScene.map.centre.y() - scene.map.centre.y()) / r));
    placeDepthLayer(scene);
    if (dx == 0 && dy == 0) return;
    const int side = MapMapping::kLayerSize;
    if (std::abs(dx) >= side / 2 || std::abs(dy) >= side / 2) {
        depthMap_paint();
        return;
    }
    m_depthScene = scene;
    QImage& picture = m_depthLayer->layer();
    shiftPicture(picture, dx, dy);
    if (dx != 0)
        DepthMapPicture::render(picture, scene,
                                dx > 0 ? QRect(0, 0, dx, side) : QRect(side + dx, 0, -dx, side));
    if (dy != 0)
        DepthMapPicture::render(picture, scene,
                                dy > 0 ? QRect(0, 0, side, dy) : QRect(0, side + dy, side, -dy));
    const QRect cells = m_depthMap->takeChanged();
    if (!cells.isEmpty())
        DepthMapPicture::render(picture, scene, DepthMapPicture::pixelsFor(scene, cells));
    m_depthRevision = m_depthMap->revision();
    const QRectF inside(-side / 2 + 8, -side / 2 + 8, side - 16, side - 16);
    for (ItemDepthLabel* item : qAsConst(m_depthLabels)) {
        item->setPos(item->pos() + QPointF(dx, dy));
        if (!inside.contains(item->pos())) item->hide();
    }
    depthMap_setDrawnPart();
    m_depthLayer->update();
}

QStringList UxNavi::depthMap_labels() const {
    QStringList out;
    for (const ItemDepthLabel* item : m_depthLabels)
        if (item->isVisible()) out << item->text();
    return out;
}

// New soundings redraw only the part of the picture they can change, at most every four
// seconds.
void UxNavi::depthMap_update() {
    if (m_depthMap == nullptr || depthMap_hidden()) return;
    if (m_depthStale) {
        depthMap_paint();
        return;
    }
    if (m_depthMap->revision() == m_depthRevision) return;
    const int since =
        m_tick >= m_depthTick ? m_tick - m_depthTick : m_tick + kTickWrap - m_depthTick;
    if (since < kDepthMapEvery || depthMap_noteDeepest()) return;
    const QRect cells = m_depthMap->takeChanged();
    if (m_depthScene.grid == nullptr || m_depthMap->grid().isEmpty() || cells.isEmpty()) {
        depthMap_paint();
        return;
    }
    m_depthTick = m_tick;
    m_depthRevision = m_depthMap->revision();
    const QRect part = DepthMapPicture::pixelsFor(m_depthScene, cells);
    if (part.isEmpty()) return;
    DepthMapPicture::render(m_depthLayer->layer(), m_depthScene, part);
    depthMap_setDrawnPart();
    m_depthLayer->update(QRectF(part).translated(-MapMapping::kHalfLayer, -MapMapping::kHalfLayer));
}
