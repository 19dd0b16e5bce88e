// The game's icon in its own look: the name in the built-in 8x8 font inside
// a grey message box on black, with a sprinkle of grey noise. The packaging
// draws it into PNG files, the game onto its window.
#pragma once
#include <allegro.h>

#include <cstdint>

// A fixed generator instead of rand, whose sequence differs between C
// libraries, so every build draws the same icon.
inline int iconroll(uint32_t& seed, int bound) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(bound));
}

constexpr uint32_t iconseed = 20240611u;

// Draws the 64x64 icon into `small` (32-bit); `seed` goes on for whatever
// the caller draws next.
inline void drawiconpicture(BITMAP* small, uint32_t& seed) {
    const int black = makecol(0, 0, 0), white = makecol(255, 255, 255);
    clear_to_color(small, black);
    rectfill(small, 4, 14, 59, 47, makecol(50, 50, 50));
    textout_ex(small, font, "quell", 12, 20, white, -1);
    textout_ex(small, font, "marrow", 8, 33, white, -1);
    for (int i = 0; i < 12; ++i) {
        const int g = iconroll(seed, 100);
        putpixel(small, iconroll(seed, 64), iconroll(seed, 64), makecol(g, g, g));
    }
}
