#pragma once

// The map's zoom steps, from the closest view to the widest: how many half-metres one pixel
// covers and how wide the track is drawn at that scale. The zoom key walks through them in a
// cycle; the map starts at one half-metre per pixel.
namespace MapZoom {

struct StructZoomRow {
    float ratio;    // half-metres per pixel
    int lineWidth;  // track line width, pixels
};

constexpr int kRows = 9;
constexpr int kStartIndex = 3;

// The row at index, clamped into the table.
StructZoomRow row(int index);
// The index after index: the next row, and back to the first after the last.
int nextIndex(int index);

}  // namespace MapZoom
