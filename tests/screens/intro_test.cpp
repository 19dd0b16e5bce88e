// The intro: how long it lasts, what ends it, and its one line.
#include "screens/intro.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/globals.h"
#include "shell/loop.h"
#include "support/keys.h"
#include "support/pixels.h"

using namespace testkeys;

namespace {

class Intro : public ::testing::Test {
protected:
    void SetUp() override {
        releaseall();
        quit = false;
        IntroLoop::start();
    }
    void TearDown() override {
        releaseall();
        speed_count = 0;
    }
};

TEST_F(Intro, WithoutInputItEndsOnTick601) {
    speed_count = 7;  // due while the display was being set up
    IntroLoop::start();
    EXPECT_EQ(speed_count.load(), 0);
    ticks<IntroLoop>(600);
    EXPECT_FALSE(finishedtitle);
    ticks<IntroLoop>(1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_TRUE(IntroLoop::done());
}

TEST_F(Intro, OnlyTheLeftMouseButtonEndsIt) {
    mouse_b = 2;
    ticks<IntroLoop>(3);
    mouse_b = 4;
    ticks<IntroLoop>(3);
    EXPECT_FALSE(finishedtitle);
    mouse_b = 1 | 2;
    ticks<IntroLoop>(1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_EQ(titletimer, 7);
}

TEST_F(Intro, AKeyPressEndsItAndStaysInTheBuffer) {
    // A held key that is not in the buffer (the key array alone) does nothing.
    hold({KEY_ESC});
    ticks<IntroLoop>(2);
    EXPECT_FALSE(finishedtitle);
    simulate_keypress((KEY_ESC << 8) | 27);
    ticks<IntroLoop>(1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_TRUE(keypressed());
}

TEST_F(Intro, PendingTicksAfterTheEndStillRun) {
    FakeDisplay display;
    simulate_keypress((KEY_SPACE << 8) | ' ');
    speed_count = 3;
    pass<IntroLoop>();
    EXPECT_TRUE(finishedtitle);
    EXPECT_EQ(titletimer, 3);
    EXPECT_EQ(speed_count.load(), 0);
}

TEST_F(Intro, PictureIsTheGreyCreditLine) {
    clear_to_color(buffer, makecol(9, 9, 9));
    IntroLoop::draw();
    const int black = makecol(0, 0, 0);
    EXPECT_TRUE(testpixels::showstext("tolvaric presents", 4, 50, makecol(100, 100, 100), black));
    EXPECT_GT(testpixels::count(4, 50, 4 + 17 * 8 - 1, 57, makecol(100, 100, 100)), 0);
    EXPECT_EQ(testpixels::count(0, 0, 159, 49, black), 160 * 50);
    EXPECT_EQ(testpixels::count(0, 58, 159, 119, black), 160 * 62);
}

}  // namespace
