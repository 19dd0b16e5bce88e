// The title menu: fresh presses only, the pending ticks of a pass, and the
// picture of the two rows.
#include "screens/title.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/globals.h"
#include "shell/loop.h"
#include "support/keys.h"
#include "support/pixels.h"

using namespace testkeys;

namespace {

class Title : public ::testing::Test {
protected:
    void SetUp() override {
        releaseall();
        quit = false;
        speed_count = 0;
        TitleLoop::start();
        effects.reset();
    }
    void TearDown() override {
        releaseall();
        quit = false;
        speed_count = 0;
    }
    // One tick with nothing down clears every held flag.
    void settle() {
        releaseall();
        ticks<TitleLoop>(1);
        effects.reset();
    }
    Effects effects;
};

TEST_F(Title, KeysHeldIntoTheScreenActOnlyAfterReleaseAndPress) {
    TitleLoop::selected = 1;  // left on "Exit" last time
    screenshake = 12;
    hold({KEY_UP, KEY_DOWN, KEY_SPACE, KEY_ESC});
    TitleLoop::start();
    EXPECT_EQ(screenshake, 0);
    ticks<TitleLoop>(10);
    EXPECT_FALSE(quit);
    EXPECT_FALSE(TitleLoop::begin);
    EXPECT_EQ(TitleLoop::selected, 0);
    EXPECT_EQ(effects.select() + effects.confirm(), 0);

    release({KEY_UP, KEY_DOWN, KEY_SPACE, KEY_ESC});
    ticks<TitleLoop>(1);
    hold({KEY_UP});
    ticks<TitleLoop>(5);  // held: one toggle only
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_EQ(effects.select(), 1);
    release({KEY_UP});
    hold({KEY_DOWN});
    ticks<TitleLoop>(3);
    EXPECT_EQ(TitleLoop::selected, 0);
    EXPECT_EQ(effects.select(), 2);

    // Up and Down in one tick toggle twice.
    release({KEY_DOWN});
    ticks<TitleLoop>(1);
    hold({KEY_UP, KEY_DOWN});
    ticks<TitleLoop>(2);
    EXPECT_EQ(TitleLoop::selected, 0);
    EXPECT_EQ(effects.select(), 4);

    hold({KEY_ESC});
    ticks<TitleLoop>(1);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(TitleLoop::done());
}

TEST_F(Title, SpaceStartsWithTheConfirmSoundOrExitsSilently) {
    settle();
    hold({KEY_SPACE});
    ticks<TitleLoop>(1);
    EXPECT_TRUE(TitleLoop::begin);
    EXPECT_FALSE(quit);
    EXPECT_EQ(effects.confirm(), 1);

    TitleLoop::start();
    settle();
    hold({KEY_DOWN});
    ticks<TitleLoop>(1);
    release({KEY_DOWN});
    hold({KEY_SPACE});
    ticks<TitleLoop>(1);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(TitleLoop::begin);
    EXPECT_EQ(effects.confirm(), 0);
}

// Space does not set its own held flag, so every pending tick of the pass in
// which it is first seen acts again; the end condition waits for the pass.
TEST_F(Title, EveryPendingTickWithSpaceDownConfirmsAgain) {
    FakeDisplay display;
    settle();
    hold({KEY_SPACE});
    speed_count = 3;
    pass<TitleLoop>();
    EXPECT_EQ(speed_count.load(), 0);
    EXPECT_TRUE(TitleLoop::begin);
    EXPECT_EQ(effects.confirm(), 3);
}

TEST_F(Title, AFreshUpInALaterPendingTickTurnsStartIntoExit) {
    FakeDisplay display;
    settle();
    hold({KEY_SPACE});
    Scripted<TitleLoop>::reset([](int n) {
        if (n == 1) hold({KEY_UP});
    });
    speed_count = 3;
    pass<Scripted<TitleLoop>>();
    EXPECT_EQ(Scripted<TitleLoop>::ran, 3);
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_TRUE(quit);  // the flow ends the program when quit is set, begin or not
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(effects.select(), 1);
}

TEST_F(Title, TicksAfterTheEndingOneStillRunInThatPass) {
    FakeDisplay display;
    settle();
    Scripted<TitleLoop>::reset([](int n) {
        if (n == 0) hold({KEY_ESC});
        if (n == 2) hold({KEY_DOWN});
    });
    speed_count = 3;
    pass<Scripted<TitleLoop>>();
    EXPECT_TRUE(quit);
    EXPECT_EQ(Scripted<TitleLoop>::ran, 3);
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_EQ(speed_count.load(), 0);

    // No tick pending: the pass still draws, and nothing changes.
    pass<Scripted<TitleLoop>>();
    EXPECT_EQ(Scripted<TitleLoop>::ran, 3);
}

TEST_F(Title, PictureShowsTheNameAndTheHighlightedRow) {
    using testpixels::showstext;
    const int white = makecol(255, 255, 255), black = makecol(0, 0, 0), grey = makecol(100, 100, 100);
    for (int sel = 0; sel < 2; ++sel) {
        TitleLoop::selected = sel;
        clear_to_color(buffer, makecol(9, 9, 9));
        TitleLoop::draw();
        EXPECT_TRUE(showstext("quellmarrow", 8, 7, makecol(136, 126, 114), black));
        EXPECT_TRUE(showstext("Start", 59, 60, sel == 0 ? grey : white, sel == 0 ? white : black)) << sel;
        EXPECT_TRUE(showstext("Exit", 59, 82, sel == 1 ? grey : white, sel == 1 ? white : black)) << sel;
        // The rest is the black preface.
        EXPECT_EQ(testpixels::count(0, 100, 159, 119, black), 160 * 20);
        EXPECT_EQ(testpixels::count(0, 0, 159, 119, makecol(9, 9, 9)), 0);
    }
}

}  // namespace
