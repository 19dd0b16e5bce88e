// Reading the picture back in the headless tests: colours of single pixels
// and whole text cells compared with what textout_ex draws on its own.
#pragma once
#include <allegro.h>

#include <cstring>
#include <string>

#include "shell/globals.h"

namespace testpixels {

inline bool is(int x, int y, int r, int g, int b) {
    return getpixel(buffer, x, y) == makecol(r, g, b);
}

// Describes a pixel for failure messages.
inline std::string at(int x, int y) {
    const int c = getpixel(buffer, x, y);
    return "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + std::to_string(getr(c)) + "," +
           std::to_string(getg(c)) + "," + std::to_string(getb(c));
}

// Whether buffer holds exactly text's cells at (x, y) in fg on bg: the text
// is drawn into a scratch picture of another colour and the 8-pixel-high
// cells are compared pixel by pixel. Glyph shapes come from the library.
inline bool showstext(const char* text, int x, int y, int fg, int bg) {
    BITMAP* scratch = create_bitmap(buffer->w, buffer->h);
    clear_to_color(scratch, makecol(1, 2, 3));
    textout_ex(scratch, font, text, x, y, fg, bg);
    const int w = text_length(font, text), h = text_height(font);
    bool same = w > 0;
    for (int py = y; py < y + h && same; ++py)
        for (int px = x; px < x + w && same; ++px)
            same = getpixel(buffer, px, py) == getpixel(scratch, px, py);
    destroy_bitmap(scratch);
    return same;
}

// Pixels of colour c within the rectangle, corners inclusive.
inline int count(int x0, int y0, int x1, int y1, int c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += getpixel(buffer, x, y) == c;
    return n;
}

}  // namespace testpixels
