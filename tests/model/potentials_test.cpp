// Values of the seven potentials, to the last bit.
#include <gtest/gtest.h>

#include "model/potentials.h"
#include "setscrambling.h"

namespace {
Dat at(double c0, double c1, double c2, double c3, double x, double y) {
    return Dat{{c0, c1, c2, c3}, x, y};
}
}  // namespace

TEST(Potentials, UnscrambledLevels) {
    plainscrambling();
    EXPECT_EQ(catastrophe<0>(at(0, 0, 0, 0, 0, 0)), 0.0);
    const Dat hump = at(-1, 0, 0, 0, 0.37, 0);
    EXPECT_EQ(catastrophe<1>(hump), catastrophe<1>(at(-1, 0, 0, 0, -0.37, 0)));
    // The swallowtail's c0 enters with a fixed minus: 1 - 1, not 1 + 1.
    EXPECT_EQ(catastrophe<2>(at(1, 0, 0, 0, 1, 0)), 0.0);
    EXPECT_EQ(catastrophe<4>(at(0.3, -0.7, 0.55, 0, 0.8, -1.3)), -3.2720000000000002);
    // The pyramid reads no scrambling at all.
    setscrambling(false, true, false, false, 2, 0, 1, 3, true);
    EXPECT_EQ(catastrophe<4>(at(0.3, -0.7, 0.55, 0, 0.8, -1.3)), -3.2720000000000002);
}

TEST(Potentials, PurseScrambling) {
    const Dat d = at(0.3, -0.7, 0.55, 0, 0.8, -1.3);
    setscrambling(true, false, true, false, 2, 0, 1, 3, false);
    EXPECT_EQ(catastrophe<5>(d), 0.4996666666666667);
    setscrambling(true, false, true, false, 2, 0, 1, 3, true);
    EXPECT_EQ(catastrophe<5>(d), 1.2556666666666665);
    // The swap is the same as exchanging the coordinates.
    setscrambling(true, false, true, false, 2, 0, 1, 3, false);
    EXPECT_EQ(catastrophe<5>(at(0.3, -0.7, 0.55, 0, -1.3, 0.8)), 1.2556666666666665);
}

TEST(Potentials, ParabolaScrambling) {
    const Dat d = at(0.3, -0.7, 0.55, 0.9, 0.8, -1.3);
    setscrambling(true, false, true, false, 2, 0, 1, 3, false);
    EXPECT_EQ(catastrophe<6>(d), 4.8116);
    setscrambling(true, false, true, false, 2, 0, 1, 3, true);
    EXPECT_EQ(catastrophe<6>(d), 2.1866000000000003);
    // Permutation 1, 0, 2, 3: control 0 weighs q^2, control 1 weighs p^2.
    const double p = 0.8, q = -1.3, base = (p * p) * q + ((q * q) * q) * q;
    setscrambling(true, true, true, true, 1, 0, 2, 3, false);
    EXPECT_EQ(catastrophe<6>(at(0.3, 0, 0, 0, p, q)), base + (q * 0.3) * q);
    EXPECT_EQ(catastrophe<6>(at(0, 0.3, 0, 0, p, q)), base + (p * 0.3) * p);
}
