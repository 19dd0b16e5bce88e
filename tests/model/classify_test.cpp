// The event boundaries of a relaxation, on chosen displacements.
#include <gtest/gtest.h>

#include <cmath>

#include "model/relax.h"

namespace {
// Displacements from (3, -2) stay exact for the offsets used here.
MoveInfo displaced(double dx, double dy, double bx = 3, double by = -2) {
    const Dat before{{0.5, 0, 0, 0}, bx, by};
    Dat after = before;
    after.x += dx;
    after.y += dy;
    return classify(before, after);
}
}  // namespace

TEST(Classify, JumpAndRunAwayBounds) {
    EXPECT_EQ(displaced(0.25, 0).kind, 0);  // exactly 0.0625 squared
    EXPECT_EQ(displaced(0, -0.25).kind, 0);
    EXPECT_EQ(displaced(0.2500001, 0).kind, 1);
    EXPECT_EQ(displaced(0.2, 0.2).kind, 1);  // 0.08 in total, although each axis is small
    EXPECT_EQ(displaced(100, 0).kind, 1);    // exactly 10000 squared
    EXPECT_EQ(displaced(0, 100).kind, 1);
    EXPECT_EQ(displaced(-100.000001, 0).kind, 2);
    EXPECT_EQ(displaced(80, 80).kind, 2);  // 12800 over two axes
}

TEST(Classify, JumpAxisAndDirection) {
    MoveInfo m = displaced(-0.7, 0.3);
    EXPECT_FALSE(m.flag1);
    EXPECT_FALSE(m.flag2);
    m = displaced(0.7, -0.3);
    EXPECT_FALSE(m.flag1);
    EXPECT_TRUE(m.flag2);
    m = displaced(0.3, -0.7);
    EXPECT_TRUE(m.flag1);
    EXPECT_FALSE(m.flag2);
    m = displaced(-0.5, 0.5);  // a tie goes to y
    EXPECT_TRUE(m.flag1);
    EXPECT_TRUE(m.flag2);
    m = displaced(0.5, -0.5);
    EXPECT_TRUE(m.flag1);
    EXPECT_FALSE(m.flag2);
    EXPECT_EQ(m.control, 0);
    EXPECT_FALSE(m.raised);
}

TEST(Classify, RunAwayAxisFlags) {
    const double root = std::sqrt(5000.0);  // squares to exactly 5000
    ASSERT_EQ(root * root, 5000.0);
    MoveInfo m = displaced(-root, 80, 0, 0);
    EXPECT_EQ(m.kind, 2);
    EXPECT_TRUE(m.flag1);  // inclusive at 5000
    EXPECT_TRUE(m.flag2);
    m = displaced(std::nextafter(root, 0.0), 80, 0, 0);
    EXPECT_FALSE(m.flag1);
    EXPECT_TRUE(m.flag2);
    m = displaced(0, -root - 40, 0, 0);
    EXPECT_FALSE(m.flag1);
    EXPECT_TRUE(m.flag2);
    m = displaced(500, 0);
    EXPECT_TRUE(m.flag1);
    EXPECT_FALSE(m.flag2);
}
