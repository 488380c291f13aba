#include "ui/screens/status_icons.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>

namespace {
constexpr int kStatusRowY = 215;
}

StatusIcons::StatusIcons(QGraphicsScene* scene) {
    const char* const files[StructScreenLayout::kIcons] = {":/ico/signalfull", ":/ico/sdcard",
                                                           ":/ico/455K.png", ":/ico/goback.png",
                                                           ":/ico/multitarget.png"};
    const int x[StructScreenLayout::kIcons] = {0, 25, 50, 75, 75};
    for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
        QGraphicsPixmapItem* item = scene->addPixmap(QPixmap(QLatin1String(files[i])));
        item->setPos(x[i], kStatusRowY);
        // Over the scrolling picture they are blitted on every column: a rectangle clip (not
        // the pixmap's outline) keeps that a blend of whole rows.
        item->setShapeMode(QGraphicsPixmapItem::BoundingRectShape);
        item->setFlag(QGraphicsItem::ItemClipsToShape);
        item->hide();
        m_icons[size_t(i)] = item;
    }
}

QGraphicsPixmapItem* StatusIcons::icon(int index) const {
    return index >= 0 && index < StructScreenLayout::kIcons ? m_icons[size_t(index)] : nullptr;
}

void StatusIcons::applyLayout(const StructScreenLayout& layout) {
    if (!layout.valid) return;
    for (int i = 0; i < StructScreenLayout::kIcons; ++i)
        m_icons[size_t(i)]->setPos(layout.iconPos[size_t(i)]);
}

void StatusIcons::setSdCard(bool mounted) {
    m_icons[ScreenLayout::IconSdCard]->setVisible(mounted);
}
