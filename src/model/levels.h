// Per-level constants of the seven catastrophes, indexed by level.
#pragma once

// Number of control rows R of each level.
inline constexpr int controlcount[7] = {
    1,  // 0 fold
    2,  // 1 cusp
    3,  // 2 swallowtail
    4,  // 3 butterfly
    3,  // 4 pyramid
    3,  // 5 purse
    4,  // 6 parabola
};

// Whether level N has the second state coordinate y (the umbilics 4 to 6);
// on the others y never moves.
constexpr bool hasy(int N) { return N >= 4; }
