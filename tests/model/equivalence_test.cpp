// The relaxation's own evaluation of the potentials against the plain
// definition, bit for bit, over random states and scramblings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "model/energy.h"
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
        s.scramble(controlcount[N]);
        const Dat start = s.dat();
        ASSERT_TRUE(samebits(energy<N>(weights<N>(start), start.x, start.y), catastrophe<N>(start)))
            << "level " << N << " case " << i;
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
}  // namespace

TEST(Equivalence, DescentMatchesThePlainDefinition) {
    Sampler s;
    checklevel<0>(s, 150);
    checklevel<1>(s, 150);
    checklevel<2>(s, 150);
    checklevel<3>(s, 150);
    checklevel<4>(s, 150);
    checklevel<5>(s, 150);
    checklevel<6>(s, 150);
}
