#pragma once

#include <cstdint>

// The echogram's colours, RGB565. Every palette runs from weak echo (entry 0) to strong echo;
// entry 255 is never used. Three zones (above the surface row, water, bottom) times three
// schemes (blue, yellow, user). The user palettes start as a built-in gradient and are
// overwritten from a colour-table file.
constexpr int kPaletteSize = 256;

extern uint32_t colorArray_rgb565_surface_blue[kPaletteSize];
extern uint32_t colorArray_rgb565_surface_yellow[kPaletteSize];
extern uint32_t colorArray_rgb565_surface_user[kPaletteSize];
extern uint32_t colorArray_rgb565_fish_blue[kPaletteSize];
extern uint32_t colorArray_rgb565_fish_yellow[kPaletteSize];
extern uint32_t colorArray_rgb565_fish_user[kPaletteSize];
extern uint32_t colorArray_rgb565_bottom_blue[kPaletteSize];
extern uint32_t colorArray_rgb565_bottom_yellow[kPaletteSize];
extern uint32_t colorArray_rgb565_bottom_user[kPaletteSize];

// Background fills by the configuration's backgroundColor: white, black, dark blue-green.
extern const uint16_t backgroundColor[3];
// The dark blue gradient below the bottom on a white background, by row.
extern const uint16_t preColor[kPaletteSize];

namespace SonarPalette {

constexpr uint16_t kBlack = 0x0000;

// The colour of a sample: entry sample + offset, held within 0..254.
inline uint16_t lookup(const uint32_t* palette, int sample, int offset) {
    int i = sample + offset;
    if (i > 254) i = 254;
    if (i < 0) i = 0;
    return static_cast<uint16_t>(palette[i] & 0xFFFF);
}

// The background fill; a value outside 0..2 shows black.
uint16_t background(int index);

// The built-in user palettes again (a colour table replaces them).
void resetUser();

uint16_t rgb565(int r, int g, int b);

}  // namespace SonarPalette
