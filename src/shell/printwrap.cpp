// Word wrapping for the message box. The rule is deliberately literal: the
// first character of a line is never a break, a space found within the line
// length is a candidate, a newline breaks at once, and a word longer than a
// line is cut at the line length.
#include "shell/printwrap.h"

#include <allegro.h>

#include "shell/globals.h"

namespace {

constexpr size_t nobreak = std::string::npos;

// The position that ends the line starting at start, or nobreak when the
// examined characters hold no space (the line is then cut at width).
size_t findbreak(const std::string& text, size_t start, unsigned width) {
    const size_t n = text.size();
    if (start + 1 == n) return n;
    size_t candidate = nobreak;
    for (unsigned examined = 1; examined <= width; ++examined) {
        const size_t i = start + examined;
        if (text[i] == '\n') return i;
        if (text[i] == ' ') candidate = i;
        if (examined == width) return candidate;
        if (i == n - 1) return n;
    }
    return candidate;  // not reached: width >= 1 returns inside the loop
}

}  // namespace

std::vector<WrapLine> wraplines(const std::string& text, unsigned width) {
    std::vector<WrapLine> lines;
    const size_t n = text.size();
    if (width == 0 || n == 0) return lines;
    size_t start = 0;
    while (start < n) {
        const size_t b = findbreak(text, start, width);
        if (b != nobreak) {
            std::string line = text.substr(start, b - start);
            const bool drawn = line != "\n";
            lines.push_back({std::move(line), drawn});
            start = b + 1;
        } else {
            lines.push_back({text.substr(start, width), true});
            start += width;
        }
    }
    return lines;
}

void printwrap(const std::string& text, int x, int y, int fg, int bg, unsigned width) {
    int top = y;
    for (const WrapLine& line : wraplines(text, width)) {
        if (line.drawn) textout_ex(buffer, font, line.text.c_str(), x, top, fg, bg);
        top += 10;
    }
}
