#include "ui/map/ux_navi.h"

#include "base/global.h"
#include "base/resources.h"
#include "navi/convert.h"
#include "navi/map_zoom.h"
#include "state/navigation_state.h"
#include "ui/kit/item_info.h"
#include "ui/kit/ux_dialog_select_point.h"
#include "ui/map/item_boat.h"
#include "ui/map/item_depth_label.h"
#include "ui/map/item_map_symbols.h"
#include "ui/map/item_navi.h"
#include "ui/map/item_track.h"

#include <QGraphicsLineItem>
#include <QPen>

namespace {

// The colour bar picture lives in the resources, which must be registered before it is read.
QImage colorBarImage() {
    korvelInitResources();
    return QImage(QString::fromLatin1(DepthColorBar::kImage));
}

// Stacking on the drawing layer: the line under the symbols, the cursor on top.
enum EnumLayerZ { ZLine = 1, ZHome, ZTarget, ZArrow, ZBoat, ZText, ZCursor };

}  // namespace

UxNavi::UxNavi(UxDialogSelectPoint* dialog, QObject* parent)
    : QObject(parent),
      m_zoomIndex(MapZoom::kStartIndex),
      m_lineWidth(MapZoom::row(MapZoom::kStartIndex).lineWidth),
      m_colorBar(colorBarImage()) {
    m_map.ratio = MapZoom::row(m_zoomIndex).ratio;
    m_navi = new ItemNavi;
    m_layer = new ItemTrack(m_navi);
    m_depthLayer = new ItemTrack(m_layer);
    m_depthLayer->setFlag(QGraphicsItem::ItemStacksBehindParent);
    m_info = new ItemInfo(m_navi);
    m_info->setZValue(1);
    m_targetLine = new QGraphicsLineItem(m_layer);
    m_targetLine->setPen(QPen(Qt::red, 2));
    m_targetLine->setZValue(ZLine);
    m_homeItem = new ItemHome(m_layer);
    m_homeItem->setZValue(ZHome);
    m_targetItem = new ItemTarget(m_layer);
    m_targetItem->setZValue(ZTarget);
    m_targetDir = new ItemTargetDir(m_layer);
    m_targetDir->setZValue(ZArrow);
    m_boat = new ItemBoat(m_layer);
    m_boat->setZValue(ZBoat);
    m_targetDst = new ItemTargetDst(m_layer);
    m_targetDst->setZValue(ZText);
    m_cursorItem = new ItemSelectPoint(m_layer);
    m_cursorItem->setZValue(ZCursor);
    for (QGraphicsItem* hidden :
         {static_cast<QGraphicsItem*>(m_homeItem), static_cast<QGraphicsItem*>(m_targetItem),
          static_cast<QGraphicsItem*>(m_targetDst), static_cast<QGraphicsItem*>(m_targetDir),
          static_cast<QGraphicsItem*>(m_targetLine), static_cast<QGraphicsItem*>(m_cursorItem)})
        hidden->hide();
    setLed_rc(QStringLiteral("off"));
    setLed_ap(QStringLiteral("off"));
    setSelectDialog(dialog);
    setContent(new MapContent(this));
    setBoundSize(140, 240);  // the split screen's map until the controller says otherwise
    scale_setRatio(m_map.ratio, m_lineWidth);
    colorBarChanged();
}

UxNavi::~UxNavi() {
    delete m_navi.data();  // the scene may have deleted it first
}

QGraphicsItem* UxNavi::item() const {
    return m_navi.data();
}

void UxNavi::setSelectDialog(UxDialogSelectPoint* dialog) {
    if (m_dialog) disconnect(m_dialog, nullptr, this, nullptr);
    m_dialog = dialog;
    if (m_dialog)
        connect(m_dialog, &UxDialogSelectPoint::signal_keyClick, this,
                &UxNavi::slot_dialogSelect_movePoint);
}

void UxNavi::setBoundSize(int width, int height) {
    m_width = width;
    m_height = height;
    m_navi->setBoundSize(width, height);
    m_info->setBoundSize(width, height);
    m_layer->setPos(width / 2, height / 2);
    track_repaint();  // what counts as inside depends on the size
}

void UxNavi::scale_setRatio(float ratio, int lineWidth) {
    m_map.ratio = ratio > 0.0f ? ratio : MapZoom::row(MapZoom::kStartIndex).ratio;
    m_lineWidth = lineWidth;
    // One 20-pixel grid cell in metres.
    m_info->setScaleText(QString::number(int(m_map.ratio * 10)) + QLatin1Char('m'));
    boat_resetToCenter();
}

void UxNavi::zoom_next() {
    m_zoomIndex = MapZoom::nextIndex(m_zoomIndex);
    const MapZoom::StructZoomRow row = MapZoom::row(m_zoomIndex);
    scale_setRatio(row.ratio, row.lineWidth);
}

void UxNavi::boat_resetToCenter() {
    m_map.centre = track_getCurrentRelativeCoor();
    track_repaint();
}

void UxNavi::setContent(MapContent* content) {
    const bool replaced = m_content != nullptr;
    if (replaced) disconnect(m_content, nullptr, this, nullptr);
    m_content = content;
    connect(content, &MapContent::trackAppended, this, &UxNavi::trackAppended);
    connect(content, &MapContent::routeSet, this, &UxNavi::routeSet);
    connect(content, &MapContent::cleared, this, &UxNavi::mapCleared);
    connect(content, &MapContent::changed, this, &UxNavi::track_repaint);
    if (replaced) track_repaint();
}

void UxNavi::track_appendPoint(const QPoint& point, float depth) {
    m_content->appendTrack(point, depth);
}

void UxNavi::trackAppended(float depth, bool paint) {
    if (m_colorBar.noteDepth(depth)) {
        m_holdNewest = true;
        colorBarChanged();
        m_holdNewest = false;
    }
    if (paint) track_paint();
}

void UxNavi::track_clearMap() {
    m_content->clearMap();
}

void UxNavi::mapCleared() {
    m_colorBar.set(true, 0, 0);
    colorBarChanged();
}

int UxNavi::track_segmentCount() const {
    return m_segments;
}

void UxNavi::home_setPoint(const QPoint& point) {
    m_home = point;
    placeItems();
    m_homeItem->setVisible(home_haveSet());
}

void UxNavi::setNavigation(const NavigationState* navigation) {
    m_navigation = navigation;
}

bool UxNavi::home_haveSet() const {
    if (m_navigation) return m_navigation->homeSet();
    return m_home != QPoint(kUnsetCoor, kUnsetCoor);
}

QPoint UxNavi::home_getPoint() const {
    return m_navigation ? m_navigation->homePoint() : m_home;
}

float UxNavi::home_getCurrentDst() const {
    return home_haveSet() ? m_homeDst : -1.0f;
}

void UxNavi::target_setPoint(const QPoint& point, int icon) {
    m_target = point;
    m_targetItem->setIcon(icon);
    if (!target_haveSet()) {
        target_clearInfo();
        return;
    }
    placeItems();
    for (QGraphicsItem* shown :
         {static_cast<QGraphicsItem*>(m_targetItem), static_cast<QGraphicsItem*>(m_targetDst),
          static_cast<QGraphicsItem*>(m_targetDir), static_cast<QGraphicsItem*>(m_targetLine)})
        shown->show();
}

bool UxNavi::target_haveSet() const {
    if (m_navigation) return m_navigation->targetSet();
    return m_target != QPoint(kUnsetCoor, kUnsetCoor);
}

QPoint UxNavi::target_getPoint() const {
    return m_navigation ? m_navigation->targetPoint() : m_target;
}

float UxNavi::target_getCurrentDst() const {
    return target_haveSet() ? m_targetDstValue : -1.0f;
}

int UxNavi::target_getCurrentDir() const {
    return target_haveSet() ? m_targetDirValue : 0;
}

QString UxNavi::target_getDstText() const {
    return m_targetDst->text();
}

void UxNavi::target_clearInfo() {
    m_target = QPoint(kUnsetCoor, kUnsetCoor);
    m_targetDstValue = -1.0f;
    m_targetDirValue = 0;
    for (QGraphicsItem* hidden :
         {static_cast<QGraphicsItem*>(m_targetItem), static_cast<QGraphicsItem*>(m_targetDst),
          static_cast<QGraphicsItem*>(m_targetDir), static_cast<QGraphicsItem*>(m_targetLine)})
        hidden->hide();
}

void UxNavi::boat_setHeading(int heading) {
    m_boat->setRotation(heading);
}

void UxNavi::setCompassHeading(int heading) {
    if (m_selecting) return;  // the cursor moves on a still map
    m_compassHeading = heading;
    m_layer->setRotation(heading);
    m_info->setCompassHeading(heading);
    setUpright(heading);
}

void UxNavi::setUpright(int heading) {
    for (QGraphicsItem* upright :
         {static_cast<QGraphicsItem*>(m_homeItem), static_cast<QGraphicsItem*>(m_targetItem),
          static_cast<QGraphicsItem*>(m_targetDst), static_cast<QGraphicsItem*>(m_cursorItem)})
        upright->setRotation(-heading);
    for (QGraphicsItem* label : qAsConst(m_depthLabels))
        label->setRotation(-heading);
}

void UxNavi::boat_setBlink(bool blink) {
    m_blink = blink;
    if (!blink) {
        m_blinkShown = false;
        m_boat->setBlinkShown(false);
    }
}

void UxNavi::boat_setNeedCali(bool needCali) {
    m_boat->setNeedCali(needCali);
}

void UxNavi::info_needCali(bool needCali) {
    m_info->setNeedCali(needCali);
}

void UxNavi::setLed_rc(const QString& state) {
    m_info->setLed_rc(state == QLatin1String("on"));
}

void UxNavi::setLed_ap(const QString& state) {
    m_info->setLed_ap(state == QLatin1String("on"));
}

void UxNavi::colorBar_set(bool automatic, int upRng, int loRng) {
    if (m_colorBar.set(automatic, upRng, loRng)) colorBarChanged();
}

int UxNavi::colorBar_get(const QString& key) const {
    return m_colorBar.get(key);
}

// The limits in the current depth unit.
void UxNavi::refreshInfoTexts() {
    const QString unit = Global::getString_depthUnit();
    m_info->setColorBar(m_colorBar.image(),
                        Global::getString_depthValue(m_colorBar.upRng(), 0, false) + unit,
                        Global::getString_depthValue(m_colorBar.loRng(), 0, false) + unit);
}

// New limits: the texts and the picture, every point coloured anew.
void UxNavi::colorBarChanged() {
    refreshInfoTexts();
    track_repaint();
}

void UxNavi::route_setInfo(const QList<StructRouteInfo>& points) {
    m_content->setRoute(points);
}

void UxNavi::routeSet(float deepest) {
    if (m_colorBar.noteDepth(deepest))
        colorBarChanged();
    else
        track_repaint();
}

void UxNavi::route_clearInfo() {
    m_content->clearRoute();
}

void UxNavi::kml_setOutlines(const QList<StructKmlInfo>& outlines) {
    m_content->setOutlines(outlines);
}

void UxNavi::kml_clearInfo() {
    m_content->clearOutlines();
}

void UxNavi::multiTarget_setLine(unsigned int lon, unsigned int lat) {
    const int lonS = static_cast<int>(lon);
    const int latS = static_cast<int>(lat);
    if (!Convert::haveSetStartPoint()) Convert::setStartPoint(lonS, latS);
    m_multiTarget.append(Convert::navi_ddS32_to_relativeCoor(lonS, latS));
    track_repaint();
}

void UxNavi::multiTarget_clearLine() {
    m_multiTarget.clear();
    track_repaint();
}

void UxNavi::updateItem() {
    refreshInfoTexts();  // the depth unit may have changed
    m_info->update();    // and the developer display its segment count
    m_navi->update();
}

QGraphicsItem* UxNavi::trackLayer() const {
    return m_layer;
}
QGraphicsItem* UxNavi::boatItem() const {
    return m_boat;
}
QGraphicsItem* UxNavi::homeItem() const {
    return m_homeItem;
}
QGraphicsItem* UxNavi::targetItem() const {
    return m_targetItem;
}
QGraphicsItem* UxNavi::cursorItem() const {
    return m_cursorItem;
}
