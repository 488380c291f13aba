#pragma once

#include <array>
#include <cstdint>

// Painting echogram columns and the wave strip into RGB565 buffers (row-major, one uint16_t
// per pixel). Plain routines: the echogram items only own the buffers and show them.
struct SonarPaintSettings {
    int background = 1;   // configuration backgroundColor
    int scheme = 2;       // configuration colorScheme: 0 blue, 1 yellow, 2 user
    float colorLine = 0;  // configuration colorLine; 0 = automatic offset
    int bottomLine = 1;   // configuration bottomLine
};

// The three palettes of one scheme.
struct SonarPalettes {
    const uint32_t* surface = nullptr;
    const uint32_t* fish = nullptr;
    const uint32_t* bottom = nullptr;
};

// The offsets and bottom-line entry of the last column painted.
struct SonarPaintState {
    int currentOffset = 0;
    int surfaceOffset = 0;
    int idx_bottomLine = 0;
    int nowIdx = 0;
};

namespace SonarPaint {

constexpr int kRows = 240;
constexpr int kWaveWidth = 24;
constexpr int kBottomLineLast = 234;  // a bottom below this row draws no line

// Palettes of a scheme; a scheme outside 0..2 uses blue.
SonarPalettes palettesFor(int scheme);

// The palette entry of the bottom line for a background and scheme.
int bottomLineIndex(int background, int scheme);

// Paints column x of a width x 240 buffer. Rows outside 0..239 are held on the screen.
void column(uint16_t* buffer, int width, int x, int top, int bottom, const uint8_t* samples,
            int autoOffset, const SonarPaintSettings& cfg, const SonarPalettes& pal,
            SonarPaintState* state);

// One row of the wave strip: a bar of 2 x half pixels in colour, centred, on the background.
struct StructWaveRow {
    int half = 0;
    uint16_t colour = 0;
    bool operator==(const StructWaveRow& o) const {
        return half == o.half && (half == 0 || colour == o.colour);
    }
    bool operator!=(const StructWaveRow& o) const { return !(*this == o); }
};
using WaveRows = std::array<StructWaveRow, kRows>;

// The wave strip's rows for one column.
void waveRows(WaveRows& rows, int top, int bottom, const uint8_t* samples, int autoOffset,
              const SonarPaintSettings& cfg, const SonarPalettes& pal);
// Paints rows into a 24 x 240 buffer.
void fillWave(uint16_t* buffer, const WaveRows& rows, uint16_t background);
// Repaints the 24 x 240 wave strip as a bar graph of one column.
void wave(uint16_t* buffer, int top, int bottom, const uint8_t* samples, int autoOffset,
          const SonarPaintSettings& cfg, const SonarPalettes& pal);

}  // namespace SonarPaint
