// Events to sentences: the signal index of every event, and a sentence shown
// once per visit with its shake, sound, unlock and output line.
#include "play/narrative.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "play/stories.h"
#include "screens/select.h"
#include "shell/globals.h"
#include "support/keys.h"

namespace {

MoveInfo event(int kind, int control, bool raised, bool flag1, bool flag2) {
    return MoveInfo{kind, control, raised, flag1, flag2};
}

TEST(SignalIndex, EveryEventHasItsOwnSlotInItsBlock) {
    std::set<int> seen;
    for (int control = 0; control < 4; ++control)
        for (int raised = 0; raised < 2; ++raised) {
            const int offset = 2 * control + raised;
            // Jumps: x smaller, x larger, y smaller, y larger.
            EXPECT_EQ(MoveInfoToInt(event(1, control, raised, false, false)), 1 + offset);
            EXPECT_EQ(MoveInfoToInt(event(1, control, raised, false, true)), 9 + offset);
            EXPECT_EQ(MoveInfoToInt(event(1, control, raised, true, false)), 17 + offset);
            EXPECT_EQ(MoveInfoToInt(event(1, control, raised, true, true)), 25 + offset);
            // Run-aways: x alone, y alone, both.
            EXPECT_EQ(MoveInfoToInt(event(2, control, raised, true, false)), 33 + offset);
            EXPECT_EQ(MoveInfoToInt(event(2, control, raised, false, true)), 41 + offset);
            EXPECT_EQ(MoveInfoToInt(event(2, control, raised, true, true)), 49 + offset);
            for (int kind = 1; kind <= 2; ++kind)
                for (int f = 0; f < 4; ++f) {
                    if (kind == 2 && f == 0) continue;  // a run-away always names an axis
                    seen.insert(MoveInfoToInt(event(kind, control, raised, f & 1, f & 2)));
                }
        }
    EXPECT_EQ(seen.size(), 56u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 56);
}

TEST(SignalIndex, NoEventAndUnknownKindsAreMinusOne) {
    EXPECT_EQ(MoveInfoToInt(nosignal), -1);
    EXPECT_EQ(MoveInfoToInt(event(0, 3, true, true, true)), -1);
    EXPECT_EQ(MoveInfoToInt(event(3, 1, true, false, true)), -1);
    EXPECT_EQ(MoveInfoToInt(event(-1, 0, false, true, false)), -1);
    // A run-away naming neither axis counts from the y block, as the rule reads.
    EXPECT_EQ(MoveInfoToInt(event(2, 1, true, false, false)), 44);
}

class Sentences : public ::testing::Test {
protected:
    void SetUp() override {
        savedmax = levelmax;
        savedlevel = SelectLoop::selected;
        std::memset(stringseen, 0, sizeof stringseen);
        curstring = "before";
        screenshake = 0;
    }
    void TearDown() override {
        levelmax = savedmax;
        SelectLoop::selected = savedlevel;
        std::memset(stringseen, 0, sizeof stringseen);
        screenshake = 0;
    }
    // trysetstring(index) on level, returning what it wrote to standard output.
    std::string offer(unsigned level, int index) {
        SelectLoop::selected = level;
        testing::internal::CaptureStdout();
        trysetstring(index);
        return testing::internal::GetCapturedStdout();
    }
    unsigned savedmax = 0, savedlevel = 0;
    testkeys::Effects effects;
};

TEST_F(Sentences, ANewSentenceShakesSoundsUnlocksAndPrintsItsIndex) {
    levelmax = 0;
    EXPECT_EQ(offer(0, 34), "\n\n\n34\n\n\n");
    EXPECT_EQ(curstring, jumpstrings[0][34]);
    EXPECT_EQ(screenshake, 30);
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(effects.select(), 0);
    EXPECT_EQ(stringseen[34], 1);
    EXPECT_EQ(levelmax, 1u);

    // Offered again, as on every later tick: nothing at all.
    screenshake = 3;
    curstring = "later";
    EXPECT_EQ(offer(0, 34), "");
    EXPECT_EQ(screenshake, 3);
    EXPECT_EQ(curstring, "later");
    EXPECT_EQ(effects.confirm(), 1);
    EXPECT_EQ(levelmax, 1u);
}

TEST_F(Sentences, EmptySlotsAndNoEventDoNothing) {
    levelmax = 4;
    ASSERT_TRUE(jumpstrings[4][1].empty());  // pyramid speaks only after run-aways
    EXPECT_EQ(offer(4, 1), "");
    EXPECT_EQ(offer(4, -1), "");
    EXPECT_EQ(offer(0, 33), "");
    EXPECT_EQ(stringseen[1], 0);
    EXPECT_EQ(stringseen[33], 0);
    EXPECT_EQ(curstring, "before");
    EXPECT_EQ(screenshake, 0);
    EXPECT_EQ(effects.confirm(), 0);
    EXPECT_EQ(levelmax, 4u);
}

TEST_F(Sentences, OnlyTheHighestUnlockedLevelUnlocksAndNeverPastTheLast) {
    // Below levelmax: shown, but nothing unlocked.
    levelmax = 4;
    ASSERT_FALSE(jumpstrings[2][1].empty());
    EXPECT_EQ(offer(2, 1), "\n\n\n1\n\n\n");
    EXPECT_EQ(curstring, jumpstrings[2][1]);
    EXPECT_EQ(levelmax, 4u);

    // Only the first new sentence counts: levelmax moves once per level.
    std::memset(stringseen, 0, sizeof stringseen);
    levelmax = 2;
    offer(2, 1);
    offer(2, 4);
    EXPECT_EQ(levelmax, 3u);
    EXPECT_EQ(effects.confirm(), 3);

    // Every story opens with slot 0, which a level start shows without offering it.
    const unsigned last = levelcount - 1;
    levelmax = last;
    std::memset(stringseen, 0, sizeof stringseen);
    EXPECT_EQ(offer(last, 0), "\n\n\n0\n\n\n");
    EXPECT_EQ(levelmax, last);
}

}  // namespace
