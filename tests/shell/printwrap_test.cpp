// The word wrap of the message box: the break rules, and what reaches the picture.
#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/globals.h"
#include "shell/printwrap.h"

namespace {

std::vector<std::string> texts(const std::string& text, unsigned width) {
    std::vector<std::string> out;
    for (const WrapLine& l : wraplines(text, width)) out.push_back(l.drawn ? l.text : "<skipped>");
    return out;
}

using Lines = std::vector<std::string>;

TEST(Wrap, NothingForEmptyTextOrZeroWidth) {
    EXPECT_TRUE(wraplines("", 16).empty());
    EXPECT_TRUE(wraplines("some words", 0).empty());
}

TEST(Wrap, ShortTextIsOneLineSpacesIncluded) {
    EXPECT_EQ(texts("i can hear it. ", 16), Lines{"i can hear it. "});
    EXPECT_EQ(texts("x", 16), Lines{"x"});
}

TEST(Wrap, LongWordIsCutAtTheWidth) {
    EXPECT_EQ(texts("abcdefghijklmnopq", 16), (Lines{"abcdefghijklmnop", "q"}));
    EXPECT_EQ(texts("abcdef", 1), (Lines{"a", "b", "c", "d", "e", "f"}));
}

TEST(Wrap, SpaceRightAfterAFullLineBreaksCleanly) {
    EXPECT_EQ(texts("abcdefghijklmnop qrs tu", 16), (Lines{"abcdefghijklmnop", "qrs tu"}));
}

TEST(Wrap, BreaksAtTheLastSpaceWithinTheLine) {
    EXPECT_EQ(texts("the night is long and i am awake", 16),
              (Lines{"the night is", "long and i am", "awake"}));
}

TEST(Wrap, TextThatFitsTheRestIsTakenWholeDespiteSpaces) {
    // The end-of-text rule wins over the space candidates once the text ends
    // inside the line.
    EXPECT_EQ(texts("ab cd ef gh ij kl mn", 16), (Lines{"ab cd ef gh ij", "kl mn"}));
    EXPECT_EQ(texts("a b c", 16), Lines{"a b c"});
}

TEST(Wrap, WidthRuleDecidesWhenTheLastCharacterIsAtTheWidth) {
    // 16 characters: the text ends inside the line and is taken whole.
    EXPECT_EQ(texts("abcdefg ijklmnop", 16), (Lines{"abcdefg ijklmnop"}));
    // 17 characters, the last at start + 16: the width rule breaks at the space.
    EXPECT_EQ(texts("abcdefgh ijklmnop", 16), (Lines{"abcdefgh", "ijklmnop"}));
}

TEST(Wrap, NewlinesBreakAndAreNotDrawn) {
    EXPECT_EQ(texts("a\nb", 16), (Lines{"a", "b"}));
    EXPECT_EQ(texts("\n", 16), Lines{"<skipped>"});
    EXPECT_EQ(texts("a\n", 16), Lines{"a"});
    // The second newline of a pair starts the next line and is kept there.
    EXPECT_EQ(texts("ab\n\ncd", 16), (Lines{"ab", "\ncd"}));
    // Three in a row: the middle one stands alone, skipped but counted.
    EXPECT_EQ(texts("ab\n\n\ncd", 16), (Lines{"ab", "<skipped>", "cd"}));
}

TEST(Wrap, SpacesAtALineStartStayAndExtraSpacesRemain) {
    EXPECT_EQ(texts(" abc", 16), Lines{" abc"});
    EXPECT_EQ(texts("abcdefghijklmno   xyz qqqqqqqqqqqqq", 16),
              (Lines{"abcdefghijklmno ", " xyz", "qqqqqqqqqqqqq"}));
}

TEST(Wrap, NoLineIsLongerThanTheWidth) {
    const std::string text = "a bb ccc dddd eeeee ffffff ggggggg hhhhhhhh iiiiiiiii \n j  k   l";
    for (unsigned w = 1; w < 20; ++w)
        for (const WrapLine& l : wraplines(text, w)) EXPECT_LE(l.text.size(), w) << "width " << w;
}

// Columns of buffer row y that hold colour c, between x0 and x1.
int countrow(int y, int c, int x0 = 0, int x1 = 159) {
    int n = 0;
    for (int x = x0; x <= x1; ++x) n += getpixel(buffer, x, y) == c;
    return n;
}

TEST(Wrap, DrawsEachLineTenPixelsLowerInItsColours) {
    const int black = makecol(0, 0, 0), bg = makecol(50, 50, 50), fg = makecol(255, 255, 255);
    clear_to_color(buffer, black);
    printwrap("abcdefghijklmnop qr\n\n\nz", 16, 4, fg, bg, 16);
    // Line cells are 8x8 with a background; rows 4..11, 14..21, then a
    // skipped line (24..31 untouched), then "z" at 34..41.
    EXPECT_GT(countrow(4, bg, 16, 16 + 127), 0);
    EXPECT_EQ(countrow(4, bg, 16 + 128, 159), 0);
    EXPECT_GT(countrow(14, bg, 16, 31), 0);
    EXPECT_EQ(countrow(14, bg, 32, 159), 0);
    for (int y = 24; y < 34; ++y) EXPECT_EQ(countrow(y, black), 160) << "row " << y;
    EXPECT_GT(countrow(34, bg, 16, 23), 0);
    EXPECT_EQ(countrow(12, bg) + countrow(13, bg), 0);
    EXPECT_EQ(countrow(44, bg), 0);
    int fgseen = 0;
    for (int y = 4; y < 12; ++y) fgseen += countrow(y, fg, 16, 143);
    EXPECT_GT(fgseen, 0);
}

}  // namespace
