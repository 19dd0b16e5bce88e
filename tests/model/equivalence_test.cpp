// The relaxation's own descent (weights formed once, y left out where it
// never moves) against the plain descent written from catastrophe<N>, bit
// for bit, over random states and scramblings, on every level of the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <utility>

#include "model/levels.h"
#include "model/relax.h"
#include "reference.h"
#include "setscrambling.h"

namespace {
bool samebits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Sampler {
    std::mt19937_64 gen{20240607};
    double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(gen); }
    Dat dat() {
        Dat d;
        for (double& c : d.control) c = uniform(-1, 1);
        // Mostly near the minima, sometimes far out towards the box.
        const double r = gen() % 4 == 0 ? 1500 : 2;
        d.x = uniform(-r, r);
        d.y = uniform(-r, r);
        return d;
    }
    // A permutation of the level's first R slots; the stale ones hold the rest.
    void scramble(int R) {
        int perm[4] = {0, 1, 2, 3};
        std::shuffle(perm, perm + R, gen);
        setscrambling(gen() & 1, gen() & 1, gen() & 1, gen() & 1, perm[0], perm[1], perm[2],
                      perm[3], gen() & 1);
    }
};

template <int N> void checklevel(Sampler& s, int cases) {
    for (int i = 0; i < cases; ++i) {
        s.scramble(levels[N].controls);
        const Dat start = s.dat();
        const XY fast = DCatastrophe<N>(start), slow = referencestep<N>(start);
        ASSERT_TRUE(samebits(fast.x, slow.x) && samebits(fast.y, slow.y))
            << "level " << N << " case " << i;

        Dat d = start, ref = start;
        testing::internal::CaptureStdout();
        const MoveInfo m = move<N>(d);
        testing::internal::GetCapturedStdout();
        referencedescent<N>(ref, 1000);
        ASSERT_TRUE(samebits(d.x, ref.x) && samebits(d.y, ref.y)) << "level " << N << " case " << i;
        const MoveInfo expected = classify(start, ref);
        EXPECT_EQ(m.kind, expected.kind);
        EXPECT_EQ(m.flag1, expected.flag1);
        EXPECT_EQ(m.flag2, expected.flag2);
        EXPECT_EQ(std::memcmp(d.control, start.control, sizeof d.control), 0);
        if (!hasy(N)) {
            EXPECT_TRUE(samebits(d.y, start.y));
        }
    }
}
template <int... N> void checklevels(std::integer_sequence<int, N...>) {
    Sampler s;
    (checklevel<N>(s, 150), ...);
}
}  // namespace

TEST(Equivalence, DescentMatchesThePlainDefinition) {
    checklevels(std::make_integer_sequence<int, levelcount>{});
}
