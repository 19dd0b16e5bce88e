// The random scrambling of the controls, drawn afresh at every level start.
#pragma once

extern bool amountsign[4];  // per control: true factor +1, false factor -1
extern int amountperm[4];   // control i feeds term weight amountperm[i]; slots >= R are stale
extern bool swapxy;         // exchange x and y inside the potential (permuted levels)

// Draws the four signs, the swap and a permutation of the first R slots with
// the C library's rand(): exactly 5 + R - 1 numbers.
void drawscrambling(int R);
