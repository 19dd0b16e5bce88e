// The nudge step and its clamp at the ends of [-1, 1].
#include <gtest/gtest.h>

#include "model/controls.h"

TEST(Controls, StepIsTheWidenedFloat) {
    double v = 0;
    for (int i = 0; i < 39; ++i) inc(v);
    EXPECT_EQ(v, 0.9750000145286322);
    inc(v);  // the sum overshoots 1 and is clamped
    EXPECT_EQ(v, 1.0);

    double w = 0;
    for (int i = 0; i < 39; ++i) dec(w);
    EXPECT_EQ(w, -0.9750000145286322);
    dec(w);
    EXPECT_EQ(w, -1.0);
}

TEST(Controls, ClampAtTheBounds) {
    double v = 1;
    inc(v);
    EXPECT_EQ(v, 1.0);
    v = -1;
    dec(v);
    EXPECT_EQ(v, -1.0);
    v = -0.99;
    dec(v);
    EXPECT_EQ(v, -1.0);
    v = 0.99;
    inc(v);
    EXPECT_EQ(v, 1.0);
    // Moving away from a bound is not clamped.
    v = 1;
    dec(v);
    EXPECT_EQ(v, 1.0 - delta);
}
