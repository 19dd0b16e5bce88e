// The play screen of one level, one instance per row of the level table.
// The instances differ only in their row and their potential: each hands
// its level index and its relaxation to the screen's shared code.
#pragma once
#include "model/dat.h"
#include "model/levels.h"
#include "model/relax.h"

extern int col;  // message box colour, recomputed every frame

// The screen's steps for the level of that index (play_tick.cpp, play_draw.cpp).
void startlevel(int level);
bool leveldone();
void ticklevel(int level, MoveInfo (*relax)(Dat&));
void drawlevel(int level);

template <int N>
struct GameLoop {
    static_assert(N >= 0 && N < levelcount, "one screen per row of the level table");
    static constexpr unsigned R = levels[N].controls;  // control rows

    static void start() { startlevel(N); }
    static bool done() { return leveldone(); }
    static void tick() { ticklevel(N, move<N>); }
    static void draw() { drawlevel(N); }
};

// Marker column of a control value (-1 -> 1, 0 -> 80, 1 -> 158).
int markerx(double v);
// Gauge height of a state coordinate: 32 at 0, pinned to 0..64 beyond +-2.
int gaugey(double v);
