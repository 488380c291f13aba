#include "ui/screens/screen_overlays.h"

#include "ui/map/item_marks.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/item_full_info.h"

#include <QGraphicsScene>

namespace {
// Over the echogram, the map and the panels alike.
constexpr qreal kOverlayZ = 20;

template <class T>
T* add(QGraphicsScene* scene, T* item, const QPoint& pos) {
    item->setPos(pos);
    item->setZValue(kOverlayZ);
    item->hide();
    scene->addItem(item);
    return item;
}
}  // namespace

ScreenOverlays::ScreenOverlays(QGraphicsScene* scene) {
    const StructScreenLayout start = ScreenLayout::forMode(ScreenLayout::kStartMode);
    m_fullInfo = add(scene, new ItemFullInfo(), ScreenLayout::kFullInfoPos);
    m_recordText = add(scene, new ItemRecordText(), ScreenLayout::kRecordMarkPos);
    m_exportIco = add(scene, new ItemExportIco(), ScreenLayout::kExportIconPos);
    m_goBackText = add(scene, new ItemGoBackText(), start.taskLabelPos);
    m_multiTargetText = add(scene, new ItemMultiTargetText(), start.taskLabelPos);
    m_devMode = add(scene, new ItemDevMode(), QPoint(0, start.devOverlayY));
}

void ScreenOverlays::applyLayout(const StructScreenLayout& layout) {
    if (!layout.valid) return;
    m_fullInfo->setVisible(layout.fullInfoVisible);
    m_goBackText->setPos(layout.taskLabelPos);
    m_multiTargetText->setPos(layout.taskLabelPos);
    m_devMode->setY(layout.devOverlayY);
}
