#include "sonar/sonar_palette.h"

#include <array>
#include <initializer_list>

uint32_t colorArray_rgb565_surface_blue[kPaletteSize];
uint32_t colorArray_rgb565_surface_yellow[kPaletteSize];
uint32_t colorArray_rgb565_surface_user[kPaletteSize];
uint32_t colorArray_rgb565_fish_blue[kPaletteSize];
uint32_t colorArray_rgb565_fish_yellow[kPaletteSize];
uint32_t colorArray_rgb565_fish_user[kPaletteSize];
uint32_t colorArray_rgb565_bottom_blue[kPaletteSize];
uint32_t colorArray_rgb565_bottom_yellow[kPaletteSize];
uint32_t colorArray_rgb565_bottom_user[kPaletteSize];

const uint16_t backgroundColor[3] = {0xFFFF, 0x0000, 0x1230};

namespace {

constexpr std::array<uint16_t, kPaletteSize> makePreColor() {
    std::array<uint16_t, kPaletteSize> t{};
    for (int row = 0; row < kPaletteSize; ++row) {
        uint16_t c = 0;
        if (row <= 3) {
            c = 0x0090;
        } else if (row <= 9) {
            c = 0x0070;
        } else if (row <= 13) {
            c = 0x0050;
        } else if (row <= 19) {
            c = 0x0030;
        } else if (row <= 22) {
            c = 0x0010;
        } else if (row <= 122) {
            c = static_cast<uint16_t>(15 - (row - 23) * 15 / 100);  // 0x000F .. 0x0001
        }
        t[row] = c;
    }
    return t;
}
constexpr std::array<uint16_t, kPaletteSize> kPreColor = makePreColor();

struct Stop {
    int at;
    int r, g, b;
};

// Straight lines between the stops; the last stop holds up to entry 255.
void gradient(uint32_t* out, std::initializer_list<Stop> stops) {
    const Stop* s = stops.begin();
    const int n = static_cast<int>(stops.size());
    for (int i = 0; i < kPaletteSize; ++i) {
        int k = 0;
        while (k + 1 < n && s[k + 1].at <= i)
            ++k;
        if (k + 1 >= n) {
            out[i] = SonarPalette::rgb565(s[k].r, s[k].g, s[k].b);
            continue;
        }
        const Stop& a = s[k];
        const Stop& b = s[k + 1];
        const int span = b.at - a.at;
        const int f = i - a.at;
        out[i] = SonarPalette::rgb565(a.r + (b.r - a.r) * f / span, a.g + (b.g - a.g) * f / span,
                                      a.b + (b.b - a.b) * f / span);
    }
}

void buildFixed() {
    // Blue: dark blue-grey through blue and green to red.
    gradient(colorArray_rgb565_surface_blue, {{0, 8, 40, 80},
                                              {60, 20, 70, 150},
                                              {120, 30, 140, 170},
                                              {180, 90, 180, 90},
                                              {230, 200, 170, 40},
                                              {254, 220, 90, 40}});
    gradient(colorArray_rgb565_fish_blue, {{0, 16, 48, 130},
                                           {30, 20, 100, 210},
                                           {60, 0, 190, 230},
                                           {85, 40, 215, 90},
                                           {105, 235, 235, 40},
                                           {125, 255, 140, 0},
                                           {150, 240, 30, 20},
                                           {200, 180, 0, 40},
                                           {254, 130, 0, 60}});
    gradient(colorArray_rgb565_bottom_blue, {{0, 0, 0, 0},
                                             {25, 110, 60, 40},
                                             {50, 200, 150, 110},
                                             {80, 235, 120, 40},
                                             {100, 250, 80, 20},
                                             {140, 230, 20, 20},
                                             {254, 140, 0, 30}});
    // Yellow: browns to yellow.
    gradient(colorArray_rgb565_surface_yellow,
             {{0, 48, 36, 16}, {100, 110, 80, 30}, {180, 170, 130, 40}, {254, 230, 200, 80}});
    gradient(colorArray_rgb565_fish_yellow, {{0, 70, 48, 12},
                                             {50, 140, 90, 20},
                                             {100, 215, 160, 30},
                                             {140, 255, 230, 60},
                                             {254, 255, 255, 200}});
    gradient(colorArray_rgb565_bottom_yellow, {{0, 0, 0, 0},
                                               {25, 100, 70, 10},
                                               {50, 220, 190, 90},
                                               {80, 250, 210, 40},
                                               {100, 255, 160, 0},
                                               {254, 255, 250, 210}});
}

}  // namespace

const uint16_t preColor[kPaletteSize] = {
#define P(i) kPreColor[i], kPreColor[i + 1], kPreColor[i + 2], kPreColor[i + 3]
#define P16(i) P(i), P(i + 4), P(i + 8), P(i + 12)
    P16(0),   P16(16),  P16(32),  P16(48),  P16(64),  P16(80),  P16(96), P16(112), P16(128),
    P16(144), P16(160), P16(176), P16(192), P16(208), P16(224), P16(240)
#undef P16
#undef P
};

namespace SonarPalette {

uint16_t rgb565(int r, int g, int b) {
    return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

uint16_t background(int index) {
    return index >= 0 && index < 3 ? backgroundColor[index] : kBlack;
}

void resetUser() {
    // Deep blue clutter, a bright blue-to-red water column and a brown bottom whose first
    // entries are light, so the bottom line stands out on the dark backgrounds.
    gradient(colorArray_rgb565_surface_user,
             {{0, 0, 8, 128}, {120, 60, 120, 200}, {200, 150, 190, 240}, {254, 210, 225, 255}});
    gradient(colorArray_rgb565_fish_user, {{0, 0, 50, 170},
                                           {40, 0, 140, 255},
                                           {70, 0, 230, 200},
                                           {90, 120, 255, 60},
                                           {110, 255, 240, 0},
                                           {130, 255, 120, 0},
                                           {155, 255, 0, 0},
                                           {254, 255, 0, 160}});
    gradient(colorArray_rgb565_bottom_user, {{0, 40, 22, 8},
                                             {1, 215, 170, 110},
                                             {3, 215, 170, 110},
                                             {4, 80, 50, 25},
                                             {10, 150, 95, 45},
                                             {12, 110, 65, 25},
                                             {40, 130, 70, 25},
                                             {80, 195, 105, 30},
                                             {110, 255, 165, 40},
                                             {140, 255, 80, 20},
                                             {180, 225, 0, 0},
                                             {254, 150, 0, 30}});
}

}  // namespace SonarPalette

namespace {
struct BuildPalettes {
    BuildPalettes() {
        buildFixed();
        SonarPalette::resetUser();
    }
};
const BuildPalettes kBuildPalettes;
}  // namespace
