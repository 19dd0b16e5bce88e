// Sets the scrambling globals to a chosen draw.
#pragma once
#include "model/scrambling.h"

inline void setscrambling(bool s0, bool s1, bool s2, bool s3, int p0, int p1, int p2, int p3,
                          bool swap) {
    amountsign[0] = s0;
    amountsign[1] = s1;
    amountsign[2] = s2;
    amountsign[3] = s3;
    amountperm[0] = p0;
    amountperm[1] = p1;
    amountperm[2] = p2;
    amountperm[3] = p3;
    swapxy = swap;
}

// All signs +1, identity permutation, no swap.
inline void plainscrambling() { setscrambling(true, true, true, true, 0, 1, 2, 3, false); }
