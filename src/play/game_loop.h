// The play screen of one level, one instance per level index.
#pragma once
#include "model/levels.h"

// Label of each control row; columns beyond a level's rows are never shown.
extern const char* const description[7][4];

extern int col;  // message box colour, recomputed every frame

template <int N>
struct GameLoop {
    static_assert(N >= 0 && N < 7, "seven levels");
    static constexpr unsigned R = controlcount[N];  // control rows

    static void start();
    static bool done();
    static void tick();
    static void draw();
};

// Marker column of a control value (-1 -> 1, 0 -> 80, 1 -> 158).
int markerx(double v);
// Gauge height of a state coordinate: 32 at 0, pinned to 0..64 beyond +-2.
int gaugey(double v);
