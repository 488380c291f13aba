#include "sonar/sonar_paint.h"

#include "sonar/sonar_palette.h"

#include <algorithm>

namespace {
int clampRow(int r) {
    return std::clamp(r, 0, SonarPaint::kRows);
}

// Offsets of step one: a manual colour adjust moves every zone, AUTO only water and bottom.
void offsets(const SonarPaintSettings& cfg, int autoOffset, int& surface, int& current) {
    surface = 0;
    if (cfg.colorLine != 0) {
        surface = current = static_cast<int>(cfg.colorLine * 3);
    } else {
        current = autoOffset;
    }
}
}  // namespace

namespace SonarPaint {

SonarPalettes palettesFor(int scheme) {
    switch (scheme) {
        case 1:
            return {colorArray_rgb565_surface_yellow, colorArray_rgb565_fish_yellow,
                    colorArray_rgb565_bottom_yellow};
        case 2:
            return {colorArray_rgb565_surface_user, colorArray_rgb565_fish_user,
                    colorArray_rgb565_bottom_user};
        default:
            return {colorArray_rgb565_surface_blue, colorArray_rgb565_fish_blue,
                    colorArray_rgb565_bottom_blue};
    }
}

int bottomLineIndex(int background, int scheme) {
    const bool user = scheme == 2;
    switch (background) {
        case 0:
            return user ? 80 : 100;
        case 1:
            return user ? 2 : 50;
        case 2:
            return user ? 10 : 80;
        default:
            return 0;
    }
}

void column(uint16_t* buffer, int width, int x, int top, int bottom, const uint8_t* samples,
            int autoOffset, const SonarPaintSettings& cfg, const SonarPalettes& pal,
            SonarPaintState* state) {
    if (!buffer || x < 0 || x >= width) return;
    SonarPaintState local;
    SonarPaintState& st = state ? *state : local;
    offsets(cfg, autoOffset, st.surfaceOffset, st.currentOffset);

    uint16_t* px = buffer + x;
    const uint16_t bg = SonarPalette::background(cfg.background);
    const int t = clampRow(top);
    const int b = clampRow(bottom);
    // No surface and no bottom found: the ground is plain, but the echoes are still painted,
    // all of them in the bottom zone.
    const bool plain = top == 0 && bottom == 0;
    for (int r = 0; r < b; ++r)
        px[r * width] = bg;
    for (int r = b; r < kRows; ++r) {
        uint16_t c = bg;
        if (cfg.background == 0 && !plain) c = cfg.scheme == 1 ? SonarPalette::kBlack : preColor[r];
        px[r * width] = c;
    }

    auto zone = [&](int from, int to, const uint32_t* palette, int offset) {
        for (int r = from; r < to; ++r) {
            const int s = samples[r];
            if (s == 0) continue;
            px[r * width] = SonarPalette::lookup(palette, s, offset);
        }
        if (to > from) st.nowIdx = std::clamp(samples[to - 1] + offset, 0, 254);
    };
    zone(0, t, pal.surface, st.surfaceOffset);
    zone(t, b, pal.fish, st.currentOffset);
    zone(b, kRows, pal.bottom, st.currentOffset);

    if (cfg.bottomLine == 1 && bottom >= 1 && bottom <= kBottomLineLast) {
        const int k = bottomLineIndex(cfg.background, cfg.scheme);
        st.idx_bottomLine = k;
        const uint16_t c = static_cast<uint16_t>(pal.bottom[k] & 0xFFFF);
        for (int r = bottom; r <= bottom + 2; ++r)
            px[r * width] = c;
    }
}

void waveRows(WaveRows& rows, int top, int bottom, const uint8_t* samples, int autoOffset,
              const SonarPaintSettings& cfg, const SonarPalettes& pal) {
    int surfaceOffset = 0;
    int current = 0;
    offsets(cfg, autoOffset, surfaceOffset, current);
    for (int r = 0; r < kRows; ++r) {
        StructWaveRow& row = rows[static_cast<size_t>(r)];
        row.half = std::min(samples[r] / 10, 12);
        if (row.half == 0) {
            row.colour = 0;
            continue;
        }
        const uint32_t* palette = r < top ? pal.surface : r < bottom ? pal.fish : pal.bottom;
        row.colour = SonarPalette::lookup(palette, samples[r], r < top ? surfaceOffset : current);
    }
}

void fillWave(uint16_t* buffer, const WaveRows& rows, uint16_t background) {
    if (!buffer) return;
    std::fill(buffer, buffer + kWaveWidth * kRows, background);
    for (int r = 0; r < kRows; ++r) {
        const StructWaveRow& row = rows[static_cast<size_t>(r)];
        uint16_t* line = buffer + r * kWaveWidth;
        std::fill(line + 12 - row.half, line + 12 + row.half, row.colour);
    }
}

void wave(uint16_t* buffer, int top, int bottom, const uint8_t* samples, int autoOffset,
          const SonarPaintSettings& cfg, const SonarPalettes& pal) {
    if (!buffer) return;
    WaveRows rows;
    waveRows(rows, top, bottom, samples, autoOffset, cfg, pal);
    fillWave(buffer, rows, SonarPalette::background(cfg.background));
}

}  // namespace SonarPaint
