#pragma once

#include <QPoint>
#include <QSize>
#include <array>

// Where everything of the main screen stands in each of the four layouts (the configuration's
// screenMode). The controller applies the parts it has; every view takes its own part of the
// same description, so the layouts are defined in one place.
//   0: full-height echogram, status icons low on the left, large compass
//   1: echogram over a full-width map, status icons at the top
//   2: echogram over four info panels and a narrow map (the start layout)
//   3: echogram over six info panels and the compass
struct StructScreenLayout {
    static constexpr int kIcons = 5;   // signal, SD card, frequency, go-back, multi-target
    static constexpr int kPanels = 6;  // info panels 1..6

    bool valid = false;  // false for a mode outside 0..3: nothing is moved
    int echogramHeight = 240;
    std::array<QPoint, kIcons> iconPos{};
    int devOverlayY = 195;
    bool mapVisible = false;
    QPoint mapPos;
    QSize mapBound;
    bool compassVisible = false;  // the compass of layout 3 (scaled 0.6)
    QPoint compassPos;
    bool largeCompassVisible = false;  // the compass of layout 0
    QPoint largeCompassPos;
    std::array<bool, kPanels> panelVisible{};
};

namespace ScreenLayout {

// The status icons, in the order of StructScreenLayout::iconPos.
enum EnumIcon { IconSignal = 0, IconSdCard, IconFreq, IconGoBack, IconMultiTarget };

StructScreenLayout forMode(int screenMode);

}  // namespace ScreenLayout
