#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// Where everything of the main screen stands in each of the four layouts (the configuration's
// screenMode). The controller applies the parts it has; every view takes its own part of the
// same description, so the layouts are defined in one place.
//   0: full-height echogram, status icons low on the left, large compass
//   1: echogram over a full-width map, status icons under the read-outs
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
    // The distance overlay stands over the map's left edge: only the full-width map leaves
    // it room that no panel or echogram needs.
    bool fullInfoVisible = false;
    // The "Go-Back" and "Multi-Target" labels: beside the status icons, or at the echogram's
    // foot when the icons are at the top, where the recording mark is.
    QPoint taskLabelPos;
};

namespace ScreenLayout {

// The status icons, in the order of StructScreenLayout::iconPos.
enum EnumIcon { IconSignal = 0, IconSdCard, IconFreq, IconGoBack, IconMultiTarget };

// The layout the handset starts in.
constexpr int kStartMode = 2;

StructScreenLayout forMode(int screenMode);

// The places that stay the same in every layout: the info panels (four narrow ones under the
// echogram on the left, two wide ones beside the lower two), the distance overlay, and the
// recording mark and the data logger's icon at the top of the echogram.
QRect panelRect(int panel);
constexpr QPoint kFullInfoPos(2, 360);
constexpr QPoint kRecordMarkPos(120, 0);
constexpr QPoint kExportIconPos(120, 1);

}  // namespace ScreenLayout
