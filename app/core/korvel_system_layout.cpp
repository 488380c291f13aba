#include "core/korvel.h"

#include "core/screen_layout.h"

#include <QGraphicsPixmapItem>

// Lays the main screen out for a layout. The status icons are placed here; the echogram, the
// map view, the compasses, the info panels and the developer overlay take their places from
// the same ScreenLayout::forMode description.
void Korvel::system_applyScreenLayout(int screenMode) {
    const StructScreenLayout layout = ScreenLayout::forMode(screenMode);
    if (!layout.valid) return;
    QGraphicsPixmapItem* const icons[StructScreenLayout::kIcons] = {
        m_icoSignal, m_icoSdCard, m_icoFreq, m_icoGoBack, m_icoMultiTarget};
    for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
        if (icons[i]) icons[i]->setPos(layout.iconPos[static_cast<size_t>(i)]);
    }
}
