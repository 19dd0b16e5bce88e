// The scrambling draw: which rand() numbers it takes and what it makes of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "model/scrambling.h"

namespace {
std::vector<int> sequence(unsigned seed, int n) {
    srand(seed);
    std::vector<int> r(n);
    for (int& v : r) v = rand();
    return r;
}
}  // namespace

TEST(Scrambling, TakesFivePlusRMinusOneNumbersInOrder) {
    for (int R = 1; R <= 4; ++R) {
        for (unsigned seed = 1; seed <= 200; ++seed) {
            const std::vector<int> r = sequence(seed, 5 + R);
            for (int& p : amountperm) p = 7;
            srand(seed);
            drawscrambling(R);
            const int next = rand();
            ASSERT_EQ(next, r[5 + R - 1]) << "R " << R << " seed " << seed;
            for (int i = 0; i < 4; ++i) EXPECT_EQ(amountsign[i], (r[i] & 1) != 0);
            EXPECT_EQ(swapxy, (r[4] & 1) != 0);
            std::vector<int> perm(amountperm, amountperm + R);
            std::sort(perm.begin(), perm.end());
            for (int k = 0; k < R; ++k) EXPECT_EQ(perm[k], k);
            for (int k = R; k < 4; ++k) EXPECT_EQ(amountperm[k], 7);  // stale slots kept
        }
    }
}

TEST(Scrambling, ShuffleUsesRandModuloIPlusOne) {
    // R = 3: j = rand() % 2 exchanges slots 1 and j, then rand() % 3 slots 2 and j.
    for (unsigned seed = 1; seed <= 100; ++seed) {
        const std::vector<int> r = sequence(seed, 7);
        int expected[3] = {0, 1, 2};
        std::swap(expected[1], expected[r[5] % 2]);
        std::swap(expected[2], expected[r[6] % 3]);
        srand(seed);
        drawscrambling(3);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(amountperm[k], expected[k]) << "seed " << seed;
    }
    // R = 1 draws no shuffle number and keeps slot 0 at 0.
    srand(5);
    drawscrambling(1);
    EXPECT_EQ(amountperm[0], 0);
    // A fair shuffle reaches all 24 orders of four slots.
    std::set<std::vector<int>> seen;
    srand(11);
    for (int i = 0; i < 2000; ++i) {
        drawscrambling(4);
        seen.insert(std::vector<int>(amountperm, amountperm + 4));
    }
    EXPECT_EQ(seen.size(), 24u);
}
