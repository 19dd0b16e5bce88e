// Relaxations of chosen states: where they end, what they report and print.
#include <gtest/gtest.h>

#include <string>

#include "model/controls.h"
#include "model/relax.h"
#include "reference.h"
#include "setscrambling.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
template <int N> MoveInfo quietmove(Dat& d, std::string* out = nullptr) {
    CaptureStdout();
    const MoveInfo m = move<N>(d);
    const std::string text = GetCapturedStdout();
    if (out) *out = text;
    return m;
}
}  // namespace

TEST(Relax, StepValues) {
    plainscrambling();
    const XY fold = DCatastrophe<0>(Dat{{0, 0, 0, 0}, 0.5, 0});
    EXPECT_EQ(fold.x, 0.007600000229477885);
    EXPECT_EQ(fold.y, 0.0);
    const XY pyramid = DCatastrophe<4>(Dat{{0.3, -0.7, 0.55, 0}, 0.8, -1.3});
    EXPECT_EQ(pyramid.x, 0.008400000253319743);
    EXPECT_EQ(pyramid.y, 0.05870000175237659);
}

TEST(Relax, FoldRunsAwayAfterARaise) {
    Dat d{{0, 0, 0, 0}, 0, 0};
    inc(d.control[0]);
    Dat ref = d;
    EXPECT_LT(referencedescent<0>(ref, 1000), 500);
    std::string out;
    const MoveInfo m = quietmove<0>(d, &out);
    EXPECT_EQ(out, "STARTCALC\n\nFAIL1,0\n");
    EXPECT_EQ(m.kind, 2);
    EXPECT_TRUE(m.flag1);
    EXPECT_FALSE(m.flag2);
    // Written back where the descent stopped, unclamped; the control is kept.
    EXPECT_EQ(d.x, ref.x);
    EXPECT_LE(d.x, -2000);
    EXPECT_EQ(d.y, 0.0);
    EXPECT_EQ(d.control[0], delta);
    // From out there nothing moves any more, whatever the controls do.
    dec(d.control[0]);
    dec(d.control[0]);
    const Dat stuck = d;
    EXPECT_EQ(quietmove<0>(d, &out).kind, 0);
    EXPECT_EQ(out, "STARTCALC\n\n");
    EXPECT_EQ(d.x, stuck.x);
}

TEST(Relax, FoldLowersToTheStepCap) {
    Dat d{{0, 0, 0, 0}, 0, 0};
    dec(d.control[0]);
    std::string out;
    const MoveInfo m = quietmove<0>(d, &out);
    EXPECT_EQ(out, "STARTCALC\n\n");
    EXPECT_EQ(m.kind, 0);
    EXPECT_NEAR(d.x, 0.069, 0.0005);
    EXPECT_LT(d.x, 0.0913);  // still short of the minimum: no test of rest
    // Exactly 1000 steps: one fewer or one more ends elsewhere.
    Dat ref{{-delta, 0, 0, 0}, 0, 0};
    ASSERT_EQ(referencedescent<0>(ref, 999), 999);
    EXPECT_NE(d.x, ref.x);
    referencedescent<0>(ref, 1);
    EXPECT_EQ(d.x, ref.x);
    referencedescent<0>(ref, 1);
    EXPECT_NE(d.x, ref.x);
}

TEST(Relax, CuspHumpAndJump) {
    Dat d{{-1, 0, 0, 0}, 0, 0};
    const XY s = DCatastrophe<1>(d);
    EXPECT_EQ(s.x, 0.0);
    EXPECT_EQ(quietmove<1>(d).kind, 0);
    EXPECT_EQ(d.x, 0.0);

    d.control[1] = delta;
    const MoveInfo m = quietmove<1>(d);
    EXPECT_EQ(m.kind, 1);
    EXPECT_FALSE(m.flag1);
    EXPECT_FALSE(m.flag2);
    EXPECT_NEAR(d.x, -0.706, 0.001);
}

TEST(Relax, PurseRunsAwayAlongTheSwappedAxis) {
    std::string out;
    setscrambling(true, true, true, true, 0, 1, 2, 3, false);
    Dat d{{0, delta, 0, 0}, 0, 0};
    MoveInfo m = quietmove<5>(d, &out);
    EXPECT_EQ(m.kind, 2);
    EXPECT_TRUE(m.flag1);
    EXPECT_FALSE(m.flag2);
    EXPECT_EQ(out, "STARTCALC\n\nFAIL1,0\n");

    setscrambling(true, true, true, true, 0, 1, 2, 3, true);
    d = Dat{{0, delta, 0, 0}, 0, 0};
    m = quietmove<5>(d, &out);
    EXPECT_EQ(m.kind, 2);
    EXPECT_FALSE(m.flag1);
    EXPECT_TRUE(m.flag2);
    EXPECT_EQ(out, "STARTCALC\n\nFAIL0,1\n");
}

TEST(Relax, EnteringOutsideTheBoxTakesNoStep) {
    plainscrambling();
    const Dat starts[] = {{{0.5, 0, 0, 0}, 2000, 0},
                          {{0.5, 0, 0, 0}, 0.3, -2000},  // y counts on the one-axis levels too
                          {{0.5, 0, 0, 0}, -1e6, 0}};
    for (const Dat& start : starts) {
        Dat d = start;
        std::string out;
        EXPECT_EQ(quietmove<0>(d, &out).kind, 0);
        EXPECT_EQ(out, "STARTCALC\n\n");
        EXPECT_EQ(d.x, start.x);
        EXPECT_EQ(d.y, start.y);
        d = start;
        EXPECT_EQ(quietmove<4>(d).kind, 0);
        EXPECT_EQ(d.x, start.x);
        EXPECT_EQ(d.y, start.y);
    }
}
