// The play screen's logic as replays: scripted keys for a number of ticks
// from a level start, then a look at the live state, the history and the
// story.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include "model/controls.h"
#include "model/scrambling.h"
#include "play/game_loop.h"
#include "play/narrative.h"
#include "play/play_state.h"
#include "play/stories.h"
#include "screens/select.h"
#include "shell/globals.h"
#include "shell/loop.h"
#include "support/keys.h"

using namespace testkeys;

namespace {

bool zero(const GameSlice& s) {
    static const GameSlice start{};
    return std::memcmp(&s, &start, sizeof s) == 0;
}

bool same(const GameSlice& a, const GameSlice& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

int unseen() {
    return static_cast<int>(std::count(std::begin(stringseen), std::end(stringseen), 0));
}

class Play : public ::testing::Test {
protected:
    void SetUp() override {
        releaseall();
        savedmax = levelmax;
        quit = leave = false;
        speed_count = 0;
    }
    void TearDown() override {
        releaseall();
        levelmax = savedmax;
        SelectLoop::selected = 0;
        quit = leave = false;
        speed_count = 0;
        screenshake = 0;
    }
    // Starts level N as the flow does; returns the start's output.
    template <int N>
    std::string enter() {
        SelectLoop::selected = N;
        testing::internal::CaptureStdout();
        GameLoop<N>::start();
        const std::string out = testing::internal::GetCapturedStdout();
        effects.reset();
        return out;
    }
    // n ticks of level N with the keys as they are; returns their output.
    template <int N>
    std::string run(int n) {
        testing::internal::CaptureStdout();
        ticks<GameLoop<N>>(n);
        return testing::internal::GetCapturedStdout();
    }
    unsigned savedmax = 0;
    Effects effects;
};

TEST_F(Play, StartWritesOnePermutationLinePerRow) {
    EXPECT_EQ(enter<0>(), "P 0,0\n");

    std::istringstream lines(enter<6>());
    std::set<int> values;
    std::string line;
    for (int s = 0; s < 4; ++s) {
        ASSERT_TRUE(std::getline(lines, line));
        const std::string head = "P " + std::to_string(s) + ",";
        ASSERT_EQ(line.compare(0, head.size(), head), 0) << line;
        const int v = std::stoi(line.substr(head.size()));
        EXPECT_EQ(v, amountperm[s]);
        values.insert(v);
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(values, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(Play, FoldRunsAwayOnTheFirstRightTickAndUnlocksCusp) {
    levelmax = 0;
    enter<0>();
    EXPECT_EQ(curstring, jumpstrings[0][0]);
    hold({KEY_RIGHT});
    const std::string out = run<0>(1);
    EXPECT_NE(out.find("FAIL1,0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n\n\n34\n\n\n"), std::string::npos) << out;
    EXPECT_EQ(curslice.state, 1);
    EXPECT_EQ(cursignal.kind, 2);
    EXPECT_EQ(cursignal.control, 0);
    EXPECT_TRUE(cursignal.raised);
    EXPECT_TRUE(cursignal.flag1);
    EXPECT_FALSE(cursignal.flag2);
    EXPECT_EQ(curstring, jumpstrings[0][34]);
    EXPECT_EQ(screenshake, 30);
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(levelmax, 1u);
    EXPECT_EQ(undos.size(), 2u);

    // The state is gone for good: later nudges report nothing, replace the
    // run-away in cursignal, and show nothing new.
    const std::string later = run<0>(3);
    EXPECT_EQ(later.find("34"), std::string::npos);
    EXPECT_EQ(cursignal.kind, 0);
    EXPECT_EQ(curslice.state, 1);
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(undos.size(), 5u);
}

TEST_F(Play, EnteringALevelAgainStartsFresh) {
    levelmax = 1;
    enter<1>();
    release({KEY_UP, KEY_DOWN, KEY_ESC});
    run<1>(1);
    hold({KEY_DOWN});
    run<1>(1);
    release({KEY_DOWN});
    hold({KEY_LEFT});
    run<1>(30);
    ASSERT_EQ(curselected, 1u);
    ASSERT_GT(undos.size(), 1u);
    stringseen[11] = 1;
    curstring = "stale";
    cursignal = MoveInfo{1, 1, false, false, true};
    screenshake = 9;
    leave = true;

    enter<1>();
    EXPECT_EQ(undos.size(), 1u);
    EXPECT_TRUE(zero(undos.back()));
    EXPECT_TRUE(zero(curslice));
    EXPECT_EQ(unseen(), 57);
    EXPECT_EQ(curstring, jumpstrings[1][0]);
    EXPECT_EQ(cursignal.kind, 0);
    EXPECT_EQ(MoveInfoToInt(cursignal), -1);
    EXPECT_EQ(curselected, 0u);
    EXPECT_EQ(screenshake, 0);
    EXPECT_FALSE(leave);
    EXPECT_EQ(levelmax, 1u);
}

TEST_F(Play, LeftAndRightTogetherMoveNothingButLetUndoRun) {
    enter<0>();
    hold({KEY_LEFT, KEY_RIGHT});
    const std::string out = run<0>(3);
    EXPECT_EQ(out.find("STARTCALC"), std::string::npos);
    EXPECT_TRUE(zero(curslice));
    EXPECT_EQ(undos.size(), 1u);

    release({KEY_RIGHT});
    run<0>(1);
    ASSERT_FALSE(zero(curslice));
    hold({KEY_RIGHT, KEY_BACKSPACE});
    run<0>(2);
    EXPECT_TRUE(zero(curslice));
}

// Every undo tick shows a change: the slice a nudge pushed, and the copies
// that nudges at a bound push, are skipped.
TEST_F(Play, EachUndoTickBringsBackAnEarlierState) {
    enter<0>();
    hold({KEY_LEFT});
    run<0>(1);
    const GameSlice first = curslice;
    ASSERT_EQ(first.dat.control[0], -delta);
    ASSERT_GT(first.dat.x, 0.05);  // slid into the new hollow
    curslice.dat.control[0] = -1.0;
    run<0>(3);  // at the bound: three equal slices
    ASSERT_EQ(undos.size(), 5u);
    release({KEY_LEFT});
    hold({KEY_DEL});
    run<0>(1);
    EXPECT_TRUE(same(curslice, first));
    run<0>(1);
    EXPECT_TRUE(zero(curslice));
    EXPECT_TRUE(undos.empty());
}

TEST_F(Play, UndoPastARunAwayCalmsTheLevelButKeepsItsSentence) {
    levelmax = 3;
    enter<0>();
    hold({KEY_RIGHT});
    run<0>(1);
    ASSERT_EQ(curslice.state, 1);
    release({KEY_RIGHT});
    hold({KEY_BACKSPACE});
    const std::string out = run<0>(1);
    EXPECT_EQ(curslice.state, 0);
    EXPECT_TRUE(zero(curslice));
    EXPECT_EQ(cursignal.kind, 2);
    EXPECT_EQ(curstring, jumpstrings[0][34]);
    EXPECT_EQ(out, "");  // the run-away is offered again and not shown again
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(levelmax, 3u);
}

TEST_F(Play, HoldingUndoLongReturnsToTheStartAndStaysThere) {
    enter<1>();
    hold({KEY_RIGHT});
    run<1>(6);
    release({KEY_RIGHT});
    hold({KEY_BACKSPACE});
    run<1>(7);
    EXPECT_TRUE(zero(curslice));
    EXPECT_TRUE(undos.empty());
    run<1>(20);
    EXPECT_TRUE(zero(curslice));
    EXPECT_EQ(curstring, jumpstrings[1][0]);
    EXPECT_EQ(effects.confirm() + effects.select(), 0);
}

// From the right hollow of the cusp, raising the tilt makes that hollow
// vanish and the state jumps left; a blown-up level stays blown up.
TEST_F(Play, AJumpLeavesTheStateAsItWas) {
    for (int blown = 0; blown < 2; ++blown) {
        enter<1>();
        curslice.dat.control[0] = -1.0;
        curslice.dat.control[1] = 0.3;
        curslice.dat.x = 0.7;
        curslice.state = blown;
        release({KEY_UP, KEY_DOWN});
        run<1>(1);
        hold({KEY_DOWN});
        run<1>(1);
        ASSERT_EQ(curselected, 1u);
        release({KEY_DOWN});
        hold({KEY_RIGHT});
        int n = 0;
        while (cursignal.kind == 0 && n < 20) run<1>(1), ++n;
        ASSERT_EQ(cursignal.kind, 1) << "no jump after " << n << " nudges";
        EXPECT_EQ(cursignal.control, 1);
        EXPECT_TRUE(cursignal.raised);
        EXPECT_EQ(curslice.state, blown);
        EXPECT_LT(curslice.dat.x, 0.4);
        release({KEY_RIGHT});
    }
}

TEST_F(Play, NudgesActFromTheFirstTickButSelectionAndEscWaitForAFreshPress) {
    hold({KEY_UP, KEY_DOWN, KEY_ESC, KEY_RIGHT});
    enter<3>();
    run<3>(3);
    EXPECT_EQ(curslice.dat.control[0], delta + delta + delta);
    EXPECT_EQ(curselected, 0u);
    EXPECT_FALSE(leave);
    EXPECT_EQ(effects.select(), 0);

    release({KEY_UP, KEY_DOWN, KEY_ESC, KEY_RIGHT});
    run<3>(1);
    hold({KEY_UP});
    run<3>(4);
    EXPECT_EQ(curselected, 3u);  // row 0 up to the last row
    release({KEY_UP});
    hold({KEY_DOWN});
    run<3>(4);
    EXPECT_EQ(curselected, 0u);  // and the last row down to row 0
    EXPECT_EQ(effects.select(), 2);
    release({KEY_DOWN});
    hold({KEY_ESC});
    run<3>(1);
    EXPECT_TRUE(leave);
}

TEST_F(Play, RowSelectionOnCuspAndFold) {
    enter<1>();
    run<1>(1);
    hold({KEY_UP});
    run<1>(1);
    EXPECT_EQ(curselected, 1u);
    release({KEY_UP});
    run<1>(1);
    hold({KEY_UP});
    run<1>(1);
    EXPECT_EQ(curselected, 0u);
    release({KEY_UP});
    hold({KEY_DOWN});
    run<1>(1);
    EXPECT_EQ(curselected, 1u);
    EXPECT_EQ(effects.select(), 3);
    // Up and Down freshly together: Up alone acts.
    releaseall();
    run<1>(1);
    hold({KEY_UP, KEY_DOWN});
    run<1>(1);
    EXPECT_EQ(curselected, 0u);
    EXPECT_EQ(effects.select(), 4);

    releaseall();
    enter<0>();
    run<0>(1);
    for (int k : {KEY_UP, KEY_DOWN}) {
        hold({k});
        run<0>(1);
        release({k});
        run<0>(1);
    }
    EXPECT_EQ(curselected, 0u);
    EXPECT_EQ(effects.select(), 0);
    EXPECT_TRUE(zero(curslice));
}

TEST_F(Play, FortyStepsFromZeroAndEightyFromMinusOneReachOne) {
    enter<1>();
    hold({KEY_RIGHT});
    run<1>(39);
    EXPECT_LT(curslice.dat.control[0], 1.0);
    run<1>(1);
    EXPECT_EQ(curslice.dat.control[0], 1.0);
    // At the bound a nudge still relaxes and still pushes.
    const std::string out = run<1>(1);
    EXPECT_EQ(curslice.dat.control[0], 1.0);
    EXPECT_NE(out.find("STARTCALC"), std::string::npos);
    EXPECT_EQ(undos.size(), 42u);

    enter<1>();
    curslice.dat.control[0] = -1.0;
    run<1>(79);
    EXPECT_LT(curslice.dat.control[0], 1.0);
    run<1>(1);
    EXPECT_EQ(curslice.dat.control[0], 1.0);
}

// Esc ends the screen, yet the other pending ticks of that pass still run.
TEST_F(Play, TicksAfterEscStillRunInThatPass) {
    FakeDisplay display;
    enter<1>();
    run<1>(1);
    Scripted<GameLoop<1>>::reset([](int n) {
        if (n == 0) hold({KEY_ESC});
        if (n == 1) hold({KEY_RIGHT});
    });
    speed_count = 3;
    testing::internal::CaptureStdout();
    pass<Scripted<GameLoop<1>>>();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(leave);
    EXPECT_TRUE(GameLoop<1>::done());
    EXPECT_EQ(Scripted<GameLoop<1>>::ran, 3);
    EXPECT_EQ(curslice.dat.control[0], delta + delta);
}

}  // namespace
