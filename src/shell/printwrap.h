// Word-wrapped text for the message box.
#pragma once
#include <string>
#include <vector>

// One line of a wrapped text: its characters and whether it is drawn (a line
// holding a lone newline is skipped but still takes its 10 pixels).
struct WrapLine {
    std::string text;
    bool drawn;
};

// The lines printwrap draws for text at the given width, top to bottom.
std::vector<WrapLine> wraplines(const std::string& text, unsigned width);

// Draws text into buffer from (x, y), at most width characters a line,
// lines 10 pixels apart, one textout_ex per drawn line.
void printwrap(const std::string& text, int x, int y, int fg, int bg, unsigned width);
