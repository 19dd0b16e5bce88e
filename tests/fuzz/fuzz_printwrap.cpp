// Fuzz target for the word wrap: any bytes, any width up to 200, any
// position. The lines must respect the width, give back the text when put
// together again with the consumed breaks, and the drawing must stay inside
// the cells of the lines it draws.
//
// Input: byte 0 width (mod 201), bytes 1-2 and 3-4 x and y (signed, folded
// into -300..299), the rest is the text.
#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/globals.h"
#include "shell/printwrap.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "printwrap: %s\n", what);
        std::abort();
    }
}

int coordinate(const uint8_t* p) {
    const int v = static_cast<int16_t>(p[0] | p[1] << 8);
    return v % 300;
}

bool isbreak(char c) {
    return c == ' ' || c == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) std::abort();
    set_color_depth(32);
    buffer = create_bitmap(160, 120);
    if (!buffer) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const unsigned width = data[0] % 201;
    const int x = coordinate(data + 1), y = coordinate(data + 3);
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);
    const size_t n = text.size();

    const std::vector<WrapLine> lines = wraplines(text, width);
    if (width == 0 || n == 0) require(lines.empty(), "lines for an empty text or width 0");

    // Each line is the next piece of the text; a space or newline right after
    // a line is the break it consumed (a cut line never stops before one, nor
    // at the end of the text).
    size_t at = 0;
    for (const WrapLine& line : lines) {
        require(!line.text.empty(), "an empty line");
        require(line.text.size() <= width, "a line longer than the width");
        require(text.compare(at, line.text.size(), line.text) == 0, "a line that is not the text");
        require(line.text.find('\n', 1) == std::string::npos, "a newline inside a line");
        at += line.text.size();
        // A lone newline that ends at a break is skipped; one cut off by the
        // width is an ordinary line.
        const bool broken = at == n || isbreak(text[at]);
        require(line.drawn == !(broken && line.text == "\n"), "the wrong lines skipped");
        if (at < n && broken) ++at;
    }
    if (width > 0) require(at == n, "the lines do not cover the text");

    // Drawn pixels lie in the 8x8 cells of drawn lines, lines 10 pixels apart.
    const int untouched = makecol(1, 2, 3), fg = makecol(250, 250, 250), bg = makecol(40, 40, 40);
    clear_to_color(buffer, untouched);
    printwrap(text, x, y, fg, bg, width);
    for (int py = 0; py < buffer->h; ++py) {
        for (int px = 0; px < buffer->w; ++px) {
            const int c = static_cast<int>(reinterpret_cast<uint32_t*>(buffer->line[py])[px]);
            if (c == untouched) continue;
            require(c == fg || c == bg, "a pixel in neither text colour");
            const int row = (py - y) / 10;
            bool inside = false;
            if (py >= y && static_cast<size_t>(row) < lines.size() && (py - y) % 10 < 8) {
                const WrapLine& line = lines[row];
                inside = line.drawn && px >= x &&
                         static_cast<long>(px) < x + 8L * static_cast<long>(line.text.size());
            }
            require(inside, "a pixel outside the cells of the drawn lines");
        }
    }
    return 0;
}
