// The presentation: the small picture, sprinkled with noise, enlarged
// fourfold with every pixel's rectangle wobbling by up to two pixels, then
// copied to the display. It runs on every pass of every screen, so the hot
// path writes rows of 32-bit memory bitmaps directly; the generic path
// (getpixel / rectfill) draws the same picture for any other bitmap.
#include "shell/present.h"

#include <allegro.h>

#include <cstdint>

#include "shell/globals.h"
#include "shell/jitter.h"

Jitter jitter;

namespace {

constexpr int smallw = 160, smallh = 120;
constexpr int bigw = 640, bigh = 480;
constexpr int noisepixels = 50;

// Corners (inclusive) of the rectangle of small pixel (x, y), each edge
// moved by a value 0..2; all four 1 covers exactly the pixel's 4x4 cell.
struct Cell {
    int x0, y0, x1, y1;
};

inline Cell jittered(int x, int y) {
    // One draw gives four independent digits 0..2: 81 = 3^4 outcomes.
    unsigned k = static_cast<unsigned>((uint64_t(jitter.next()) * 81u) >> 32);
    const int a = k % 3; k /= 3;
    const int b = k % 3; k /= 3;
    const int p = k % 3;
    const int q = k / 3;
    return {4 * x - 1 + a, 4 * y - 1 + b, 4 * x + 2 + p, 4 * y + 2 + q};
}

bool islinear32(BITMAP* b) {
    return is_memory_bitmap(b) && bitmap_color_depth(b) == 32;
}

void enlargefast(BITMAP* small, BITMAP* big) {
    for (int x = 0; x < smallw; ++x) {
        for (int y = 0; y < smallh; ++y) {
            const uint32_t c = reinterpret_cast<uint32_t*>(small->line[y])[x];
            Cell r = jittered(x, y);
            if (r.x0 < 0) r.x0 = 0;
            if (r.y0 < 0) r.y0 = 0;
            if (r.x1 > bigw - 1) r.x1 = bigw - 1;
            if (r.y1 > bigh - 1) r.y1 = bigh - 1;
            for (int row = r.y0; row <= r.y1; ++row) {
                uint32_t* line = reinterpret_cast<uint32_t*>(big->line[row]);
                for (int col = r.x0; col <= r.x1; ++col) line[col] = c;
            }
        }
    }
}

}  // namespace

void enlargereference(BITMAP* small, BITMAP* big) {
    for (int x = 0; x < smallw; ++x) {
        for (int y = 0; y < smallh; ++y) {
            const int c = getpixel(small, x, y);
            const Cell r = jittered(x, y);
            rectfill(big, r.x0, r.y0, r.x1, r.y1, c);
        }
    }
}

void drawPreface() {
    clear_to_color(buffer, makecol(0, 0, 0));
}

void sprinklenoise(BITMAP* small, bool coloured) {
    for (int i = 0; i < noisepixels; ++i) {
        const int x = jitter.below(smallw);
        const int y = jitter.below(smallh);
        int c;
        if (coloured) {
            const int r = jitter.below(255), g = jitter.below(255), b = jitter.below(255);
            c = makecol(r, g, b);
        } else {
            const int g = jitter.below(100);
            c = makecol(g, g, g);
        }
        putpixel(small, x, y, c);
    }
}

void enlarge(BITMAP* small, BITMAP* big) {
    clear_to_color(big, makecol(0, 0, 0));
    if (islinear32(small) && islinear32(big) && big->w == bigw && big->h == bigh)
        enlargefast(small, big);
    else
        enlargereference(small, big);
}

void showframe(BITMAP* big, BITMAP* display, int shake) {
    if (shake > 0) {
        // The display is not cleared: where the shifted frame does not
        // reach, the last frame stays, which smears the shake.
        const int dx = jitter.below(shake) - shake / 2;
        const int dy = jitter.below(shake) - shake / 2;
        blit(big, display, 0, 0, dx, dy, bigw, bigh);
    } else {
        blit(big, display, 0, 0, 0, 0, bigw, bigh);
    }
}

void presentFrame() {
    const int s = screenshake;
    sprinklenoise(buffer, s > 0);
    enlarge(buffer, bigbuffer);
    showframe(bigbuffer, screen, s);
    if (s > 0) screenshake = s - 1;
}
