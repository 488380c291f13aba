#include "base/screen_layout.h"

namespace {
constexpr int kFullHeight = 480;
constexpr int kHalfHeight = 240;
constexpr int kIconStep = 25;  // icons sit side by side; go-back and multi-target share x
constexpr int kMapY = 244;
constexpr int kTaskLabelX = 100;      // right of the go-back and multi-target icon
constexpr int kTaskLabelDy = 4;       // the label's text on the icons' middle
constexpr int kUnderReadoutsY = 112;  // the echogram's read-outs end at 110

void placeIcons(StructScreenLayout& l, int y) {
    for (int i = 0; i < StructScreenLayout::kIcons; ++i) {
        const int slot = i < ScreenLayout::IconMultiTarget ? i : ScreenLayout::IconGoBack;
        l.iconPos[static_cast<size_t>(i)] = QPoint(slot * kIconStep, y);
    }
    l.taskLabelPos = QPoint(kTaskLabelX, y + kTaskLabelDy);
}
}  // namespace

namespace ScreenLayout {

StructScreenLayout forMode(int screenMode) {
    StructScreenLayout l;
    if (screenMode < 0 || screenMode > 3) return l;
    l.valid = true;
    l.echogramHeight = kHalfHeight;
    l.compassPos = QPoint(133, kMapY);
    l.largeCompassPos = QPoint(133, kMapY);
    l.mapPos = QPoint(133, kMapY);
    l.mapBound = QSize(140, 240);
    switch (screenMode) {
        case 0:
            l.echogramHeight = kFullHeight;
            placeIcons(l, 332);
            l.devOverlayY = 312;
            l.largeCompassVisible = true;
            break;
        case 1:
            // The icons stand just under the read-outs (depth, temperature, battery), clear of
            // the big depth digits; the overlay takes the echogram's free bottom edge.
            placeIcons(l, kUnderReadoutsY);
            l.devOverlayY = 220;
            l.mapVisible = true;
            l.mapPos = QPoint(0, kMapY);
            l.mapBound = QSize(272, 240);
            l.fullInfoVisible = true;
            break;
        case 2:
            placeIcons(l, 215);
            l.mapVisible = true;
            l.panelVisible = {true, true, true, true, false, false};
            break;
        case 3:
            placeIcons(l, 215);
            l.compassVisible = true;  // in the place of the map, beside panels 1..4
            l.panelVisible = {true, true, true, true, true, true};
            break;
    }
    return l;
}

QRect panelRect(int panel) {
    static const QRect rects[StructScreenLayout::kPanels] = {
        {0, 240, 129, 60}, {0, 300, 129, 60},   {0, 360, 129, 60},
        {0, 420, 129, 60}, {133, 360, 139, 60}, {133, 420, 139, 60},
    };
    return panel >= 0 && panel < StructScreenLayout::kPanels ? rects[panel] : QRect();
}

}  // namespace ScreenLayout
