#include "base/global.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "ui/kit/ux_dialog_select_point.h"
#include "ui/map/item_boat.h"
#include "ui/map/item_map_symbols.h"
#include "ui/map/item_track.h"
#include "ui/map/ux_navi.h"

// The cursor for picking a point on the map, and the periodic work of the tick.

void UxNavi::select_show(const QString& key) {
    Q_UNUSED(key);  // any arrow opens the cursor at the boat
    m_cursor = track_getCurrentRelativeCoor();
    m_selecting = true;
    m_cursorItem->setPos(m_map.layerPoint(m_cursor));
    m_cursorItem->setRotation(-m_compassHeading);
    m_cursorItem->show();
    select_refreshTexts(true);
}

void UxNavi::select_move(const QString& key, int step) {
    if (!m_selecting) return;
    if (key == QLatin1String("enter")) {
        const QPoint point = m_cursor.toPoint();
        select_end();
        emit signal_selectPoint_use(point);
        return;
    }
    const QPointF move =
        MapArea::screenMove(key, MapArea::cursorStep(step, m_map.ratio), m_compassHeading);
    m_cursor += move;
    m_cursorItem->setPos(m_map.layerPoint(m_cursor));
    select_refreshTexts(false);
    // At the edge the map follows the cursor, which then stays where it is on the screen.
    if (MapArea::atMargin(toView(m_cursorItem->pos()).toPoint(), m_width, m_height)) {
        m_map.centre += move;
        track_repaint();
    }
}

void UxNavi::slot_dialogSelect_movePoint(QString key, int step) {
    select_move(key, step);
}

void UxNavi::select_refreshTexts(bool open) {
    if (!m_dialog) return;
    const QString lon =
        Convert::ddS32_to_dmString_lon(Convert::navi_relativeCoor_to_ddS32_lon(m_cursor));
    const QString lat =
        Convert::ddS32_to_dmString_lat(Convert::navi_relativeCoor_to_ddS32_lat(m_cursor));
    const float dst = Global::calc_pixDst(m_cursor, track_getCurrentRelativeCoor());
    const QString distance =
        Global::getString_dstValue(dst, 1, false) + Global::getString_dstUnit();
    if (open)
        m_dialog->select_show(lon, lat, distance);
    else
        m_dialog->setTexts(lon, lat, distance);
}

void UxNavi::select_end() {
    m_selecting = false;
    m_cursorItem->hide();
}

void UxNavi::do_timer() {
    m_tick = m_tick >= kTickWrap ? 0 : m_tick + 1;
    if (m_blink && m_tick % kBlinkEvery == 0) {
        m_blinkShown = !m_blinkShown;
        m_boat->setBlinkShown(m_blinkShown);
        if (!m_selecting) boat_resetToCenter();
    }
    if (!m_selecting) return;
    // The dialog closed by its own keys (escape, menu) ends the cursor mode.
    if (m_dialog && !m_dialog->isVisible())
        select_end();
    else
        select_refreshTexts(false);
}
