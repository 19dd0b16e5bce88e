// The level list: the unsigned wrap of the cursor, fresh presses, the
// cursor kept between visits, and the colours of the names.
#include "screens/select.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "model/levels.h"
#include "screens/progress.h"
#include "shell/globals.h"
#include "shell/loop.h"
#include "support/keys.h"
#include "support/pixels.h"

using namespace testkeys;

namespace {

class Select : public ::testing::Test {
protected:
    void SetUp() override {
        releaseall();
        quit = false;
        speed_count = 0;
        savedmax = levelmax;
        SelectLoop::selected = 0;
        SelectLoop::start();
    }
    void TearDown() override {
        releaseall();
        quit = false;
        leave = false;
        speed_count = 0;
        levelmax = savedmax;
        SelectLoop::selected = 0;
    }
    void settle() {
        releaseall();
        ticks<SelectLoop>(1);
        effects.reset();
    }
    // One fresh press of k: down for a tick, then up for a tick.
    void press(int k) {
        hold({k});
        ticks<SelectLoop>(1);
        release({k});
        ticks<SelectLoop>(1);
    }
    unsigned savedmax = 0;
    Effects effects;
};

TEST_F(Select, OnlyFoldWithLevelmaxZero) {
    levelmax = 0;
    settle();
    press(KEY_UP);
    press(KEY_DOWN);
    hold({KEY_UP, KEY_DOWN});
    ticks<SelectLoop>(1);
    EXPECT_EQ(SelectLoop::selected, 0u);
    EXPECT_EQ(effects.select(), 0);
    release({KEY_UP, KEY_DOWN});
    press(KEY_SPACE);
    EXPECT_TRUE(leave);
    EXPECT_EQ(SelectLoop::selected, 0u);
    EXPECT_EQ(effects.confirm(), 1);
}

TEST_F(Select, CursorWrapsWithinTheUnlockedLevels) {
    levelmax = 3;
    settle();
    press(KEY_UP);
    EXPECT_EQ(SelectLoop::selected, 3u);  // fold to butterfly
    press(KEY_DOWN);
    EXPECT_EQ(SelectLoop::selected, 0u);  // butterfly to fold
    press(KEY_DOWN);
    press(KEY_DOWN);
    EXPECT_EQ(SelectLoop::selected, 2u);
    press(KEY_UP);
    EXPECT_EQ(SelectLoop::selected, 1u);
    EXPECT_EQ(effects.select(), 5);

    // Up and Down in one tick: up and back again, two effects.
    hold({KEY_UP, KEY_DOWN});
    ticks<SelectLoop>(3);
    EXPECT_EQ(SelectLoop::selected, 1u);
    EXPECT_EQ(effects.select(), 7);

    // With every level open the wrap still lands on the last one and back.
    const unsigned last = levelcount - 1;
    levelmax = last;
    SelectLoop::selected = 0;
    release({KEY_UP, KEY_DOWN});
    ticks<SelectLoop>(1);
    press(KEY_UP);
    EXPECT_EQ(SelectLoop::selected, last);
    press(KEY_DOWN);
    EXPECT_EQ(SelectLoop::selected, 0u);
}

TEST_F(Select, KeysHeldIntoTheScreenActOnlyAfterReleaseAndPress) {
    levelmax = 6;
    hold({KEY_UP, KEY_DOWN, KEY_SPACE, KEY_ESC});
    SelectLoop::start();
    effects.reset();
    ticks<SelectLoop>(5);
    EXPECT_EQ(SelectLoop::selected, 0u);
    EXPECT_FALSE(leave);
    EXPECT_FALSE(quit);
    EXPECT_EQ(effects.select() + effects.confirm(), 0);

    release({KEY_UP, KEY_DOWN, KEY_SPACE, KEY_ESC});
    ticks<SelectLoop>(1);
    hold({KEY_DOWN});
    ticks<SelectLoop>(4);
    EXPECT_EQ(SelectLoop::selected, 1u);
    release({KEY_DOWN});
    hold({KEY_ESC});
    ticks<SelectLoop>(1);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(leave);
}

TEST_F(Select, AnUpAlreadyDownAfterADownMoveWaitsForItsRelease) {
    levelmax = 6;
    settle();
    hold({KEY_DOWN});
    ticks<SelectLoop>(1);
    EXPECT_EQ(SelectLoop::selected, 1u);
    hold({KEY_UP});
    ticks<SelectLoop>(3);
    EXPECT_EQ(SelectLoop::selected, 1u);
    release({KEY_DOWN});
    ticks<SelectLoop>(2);
    EXPECT_EQ(SelectLoop::selected, 1u);
    release({KEY_UP});
    ticks<SelectLoop>(1);
    hold({KEY_UP});
    ticks<SelectLoop>(1);
    EXPECT_EQ(SelectLoop::selected, 0u);
    EXPECT_EQ(effects.select(), 2);
}

TEST_F(Select, TheCursorStaysOnTheLastLevelAcrossVisits) {
    levelmax = 6;
    SelectLoop::selected = 2;
    SelectLoop::start();
    EXPECT_EQ(SelectLoop::selected, 2u);
    EXPECT_FALSE(leave);
    settle();
    press(KEY_DOWN);
    SelectLoop::start();
    EXPECT_EQ(SelectLoop::selected, 3u);
}

TEST_F(Select, EveryPendingTickWithSpaceDownConfirmsAndADownChangesTheLevel) {
    FakeDisplay display;
    levelmax = 4;
    SelectLoop::selected = 1;
    settle();
    hold({KEY_SPACE});
    Scripted<SelectLoop>::reset([](int n) {
        if (n == 1) hold({KEY_DOWN});
    });
    speed_count = 3;
    pass<Scripted<SelectLoop>>();
    EXPECT_EQ(Scripted<SelectLoop>::ran, 3);
    EXPECT_TRUE(leave);
    EXPECT_TRUE(SelectLoop::done());
    EXPECT_EQ(SelectLoop::selected, 2u);
    EXPECT_EQ(effects.confirm(), 3);
    EXPECT_EQ(effects.select(), 1);
}

TEST_F(Select, NamesInTheirColours) {
    using testpixels::showstext;
    const int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
    const int red = makecol(255, 10, 10), dark = makecol(20, 20, 20);
    levelmax = 3;
    SelectLoop::selected = 1;
    clear_to_color(buffer, makecol(9, 9, 9));
    SelectLoop::draw();
    EXPECT_TRUE(showstext("quellmarrow", 8, 7, makecol(136, 126, 114), black));
    for (int k = 0; k < levelcount; ++k) {
        const int fg = k == 1 ? red : k <= 3 ? white : dark;
        EXPECT_TRUE(showstext(levels[k].name, 54, 30 + 10 * k, fg, black)) << levels[k].name;
    }
    EXPECT_EQ(testpixels::count(0, 0, 159, 119, makecol(9, 9, 9)), 0);

    // A level unlocked since is white the next time.
    levelmax = 4;
    SelectLoop::draw();
    EXPECT_TRUE(showstext("pyramid", 54, 70, white, black));
    EXPECT_TRUE(showstext("purse", 54, 80, dark, black));
}

}  // namespace
