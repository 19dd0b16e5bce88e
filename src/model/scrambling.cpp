// The scrambling globals and their draw at a level start.
#include "model/scrambling.h"

#include <cstdlib>

bool amountsign[4];
int amountperm[4];
bool swapxy;

void drawscrambling(int R) {
    // The order of the rand() calls is fixed: four signs, the swap, then the shuffle.
    for (int i = 0; i < 4; ++i) amountsign[i] = rand() & 1;
    swapxy = rand() & 1;
    for (int k = 0; k < R; ++k) amountperm[k] = k;
    for (int i = 1; i < R; ++i) {
        const int j = static_cast<int>(static_cast<unsigned>(rand()) % static_cast<unsigned>(i + 1));
        const int t = amountperm[i];
        amountperm[i] = amountperm[j];
        amountperm[j] = t;
    }
}
