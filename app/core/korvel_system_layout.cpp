#include "core/base/screen_layout.h"
#include "core/korvel.h"
#include "sonar/ux_sonar.h"

#include <QGraphicsPixmapItem>

// Lays the main screen out for a layout: the status icons and the echogram's height. The map
// view, the compasses, the info panels and the developer overlay take their places from the
// same ScreenLayout::forMode description as they are built.
void Korvel::system_applyScreenLayout(int screenMode) {
    const StructScreenLayout layout = ScreenLayout::forMode(screenMode);
    if (!layout.valid) return;
    QGraphicsPixmapItem* const icons[StructScreenLayout::kIcons] = {
        m_icoSignal, m_icoSdCard, m_icoFreq, m_icoGoBack, m_icoMultiTarget};
    for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
        if (icons[i]) icons[i]->setPos(layout.iconPos[static_cast<size_t>(i)]);
    }
    if (m_sonar) m_sonar->setImageHight(layout.echogramHeight);
}
