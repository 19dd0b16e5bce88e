// The play screen's picture, read back pixel by pixel: markers, gauges, the
// selected row, the message box and the label line.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "play/game_loop.h"
#include "play/narrative.h"
#include "play/play_state.h"
#include "screens/select.h"
#include "shell/globals.h"
#include "support/keys.h"
#include "support/pixels.h"

using testpixels::at;
using testpixels::count;
using testpixels::showstext;

namespace {

int white() { return makecol(255, 255, 255); }
int blue() { return makecol(0, 0, 255); }
int red() { return makecol(255, 0, 0); }
int grey() { return makecol(50, 50, 50); }
int black() { return makecol(0, 0, 0); }

int top(int row) { return 64 + 11 * row; }

class PlayPicture : public ::testing::Test {
protected:
    void TearDown() override {
        SelectLoop::selected = 0;
        curslice = GameSlice{};
        curselected = 0;
        curstring.clear();
    }
    // Level N's picture of the given slice, nothing in the message box.
    template <int N>
    void show(const GameSlice& slice, unsigned row = 0) {
        SelectLoop::selected = N;
        curslice = slice;
        curselected = row;
        curstring.clear();
        clear_to_color(buffer, makecol(9, 9, 9));
        GameLoop<N>::draw();
    }
    // Height of the gauge tick between x0 and x1, or -1 when it lies on the
    // frame's top or bottom edge; fails on anything but one full line.
    static int tickrow(int x0, int x1) {
        int found = -1;
        for (int y = 1; y <= 63; ++y) {
            const int n = count(x0 + 1, y, x1 - 1, y, white());
            if (n == 0) continue;
            EXPECT_EQ(n, x1 - x0 - 1) << "partial tick at y " << y;
            EXPECT_EQ(found, -1) << "second tick at y " << y;
            found = y;
        }
        return found;
    }
};

GameSlice withcontrols(double c0, double c1, double c2, double c3) {
    GameSlice s{};
    s.dat.control[0] = c0;
    s.dat.control[1] = c1;
    s.dat.control[2] = c2;
    s.dat.control[3] = c3;
    return s;
}

TEST_F(PlayPicture, MarkersSitAtTheirValuesInRowsWithAControl) {
    show<6>(withcontrols(-1.0, 0.0, 1.0, 0.5), 3);
    const int expected[4] = {1, 80, 158, 119};
    for (int row = 0; row < 4; ++row) {
        const int t = top(row), x = expected[row];
        for (int y = t + 1; y <= t + 10; ++y) EXPECT_EQ(getpixel(buffer, x, y), blue()) << at(x, y);
        EXPECT_EQ(count(0, t + 1, 159, t + 10, blue()), 10) << "row " << row;
        // The lowest pixel lies on the border: the next row's frame covers it.
        EXPECT_EQ(getpixel(buffer, x, t + 11), row < 3 ? white() : blue()) << at(x, t + 11);
    }

    // Fold has one control: the other rows stay empty frames whatever the
    // unused controls hold.
    show<0>(withcontrols(0.0, 0.5, -0.5, 1.0));
    EXPECT_EQ(count(0, top(0) + 1, 159, top(0) + 10, blue()), 10);
    EXPECT_EQ(count(0, top(1), 159, 119, blue()), 0);
    EXPECT_EQ(count(1, top(2) + 1, 158, top(2) + 10, black()), 158 * 10);

    show<4>(withcontrols(0.0, 0.0, 0.0, 1.0));
    EXPECT_EQ(count(0, top(3), 159, 119, blue()), 0);
    EXPECT_EQ(count(0, top(2) + 1, 159, top(2) + 10, blue()), 10);
}

TEST_F(PlayPicture, GaugeTicksFollowTheStateAndPinAtTheEnds) {
    struct Case {
        double v;
        int y;  // -1: on the frame's edge (0 or 64)
    };
    const Case cases[] = {{-7.0, -1}, {-2.0, -1}, {-1.0, 16}, {-0.03, 31}, {0.0, 32},
                          {0.5, 40},  {1.0, 48},  {2.0, -1},  {1e9, -1}};
    for (const Case& c : cases) {
        GameSlice s{};
        s.dat.x = c.v;
        s.dat.y = -0.5;  // ignored on the one-axis levels
        show<2>(s);
        EXPECT_EQ(tickrow(0, 11), c.y) << "x " << c.v;
        EXPECT_EQ(tickrow(148, 159), c.y) << "x " << c.v;
    }
    // Pinned ticks lie on the frame: its edges are whole white lines.
    EXPECT_EQ(count(0, 0, 11, 0, white()), 12);
    EXPECT_EQ(count(0, 64, 11, 64, white()), 12);

    // On the two-axis levels the right gauge follows y.
    GameSlice s{};
    s.dat.x = 1.0;
    s.dat.y = -1.0;
    show<5>(s);
    EXPECT_EQ(tickrow(0, 11), 48);
    EXPECT_EQ(tickrow(148, 159), 16);
}

TEST_F(PlayPicture, TheSelectedRowHasARedFrameCrossedByItsMarker) {
    show<3>(withcontrols(0.5, 0.0, -0.5, 1.0), 1);
    const int t = top(1);
    EXPECT_EQ(getpixel(buffer, 20, t), white()) << at(20, t);
    EXPECT_EQ(getpixel(buffer, 20, t + 1), red()) << at(20, t + 1);
    EXPECT_EQ(getpixel(buffer, 20, t + 10), red()) << at(20, t + 10);
    EXPECT_EQ(getpixel(buffer, 1, t + 5), red()) << at(1, t + 5);
    EXPECT_EQ(getpixel(buffer, 158, t + 5), red()) << at(158, t + 5);
    EXPECT_EQ(getpixel(buffer, 0, t + 5), white()) << at(0, t + 5);
    EXPECT_EQ(getpixel(buffer, 80, t + 1), blue()) << at(80, t + 1);
    EXPECT_EQ(getpixel(buffer, 80, t + 10), blue()) << at(80, t + 10);
    // Only the selected row is framed in red.
    EXPECT_EQ(count(0, 64, 159, 108, red()), 2 * 158 + 2 * 8 - 2);
    EXPECT_EQ(getpixel(buffer, 20, top(0) + 1), black());
    EXPECT_EQ(getpixel(buffer, 20, top(2) + 1), black());
}

TEST_F(PlayPicture, MessageBoxIsGreyWhenCalmAndRedAfterARunAway) {
    GameSlice s{};
    show<0>(s);
    EXPECT_EQ(col, grey());
    EXPECT_EQ(count(12, 0, 147, 63, grey()), 136 * 64);
    EXPECT_EQ(getpixel(buffer, 11, 30), white());
    EXPECT_EQ(getpixel(buffer, 148, 30), white());
    EXPECT_EQ(count(12, 64, 147, 64, white()), 136);

    s.state = 1;
    show<0>(s);
    EXPECT_EQ(col, red());
    EXPECT_EQ(count(12, 0, 147, 63, red()), 136 * 64);

    // The sentence is white on the box colour from (16, 4).
    curstring = "a short line";
    GameLoop<0>::draw();
    EXPECT_TRUE(showstext("a short line", 16, 4, white(), red()));
    EXPECT_EQ(count(12, 0, 147, 63, red()) + count(12, 0, 147, 63, white()), 136 * 64);

    // Back to calm: grey again on the next frame.
    curslice.state = 0;
    GameLoop<0>::draw();
    EXPECT_TRUE(showstext("a short line", 16, 4, white(), grey()));
    EXPECT_EQ(count(12, 0, 147, 63, red()), 0);
}

// Walks every row reachable with Down and reads the label line each time.
template <int N>
void checklabels() {
    using namespace testkeys;
    releaseall();
    SelectLoop::selected = N;
    testing::internal::CaptureStdout();
    GameLoop<N>::start();
    GameLoop<N>::tick();
    for (unsigned press = 0; press <= GameLoop<N>::R; ++press) {
        const std::string label = levels[N].description[curselected];
        GameLoop<N>::draw();
        EXPECT_TRUE(showstext(label.c_str(), 4, 111, white(), black())) << "level " << N << " " << label;
        EXPECT_NE(label.compare(0, 5, "item "), 0) << "level " << N << " row " << curselected;
        EXPECT_EQ(count(4 + 8 * static_cast<int>(label.size()), 111, 159, 118, white()), 0);
        hold({KEY_DOWN});
        GameLoop<N>::tick();
        release({KEY_DOWN});
        GameLoop<N>::tick();
    }
    testing::internal::GetCapturedStdout();
}

template <int... N>
void checkalllabels(std::integer_sequence<int, N...>) {
    (checklabels<N>(), ...);
}

TEST_F(PlayPicture, TheLabelLineShowsTheSelectedControlsLabel) {
    checkalllabels(std::make_integer_sequence<int, levelcount>{});
    EXPECT_STREQ(levels[4].description[2], levels[2].description[0]);
}

}  // namespace
