#include "navi/map_zoom.h"

#include <QtGlobal>

namespace {

constexpr MapZoom::StructZoomRow kTable[MapZoom::kRows] = {
    {0.1f, 7}, {0.3f, 7}, {0.5f, 7}, {1.0f, 6}, {1.5f, 6},
    {2.0f, 6}, {4.0f, 4}, {6.0f, 4}, {8.0f, 4},
};

}  // namespace

MapZoom::StructZoomRow MapZoom::row(int index) {
    return kTable[qBound(0, index, kRows - 1)];
}

int MapZoom::nextIndex(int index) {
    return index >= 0 && index < kRows - 1 ? index + 1 : 0;
}
