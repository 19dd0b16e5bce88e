// The numerical gradient and the relaxation that turns a nudge into an event.
// Defined here, so every level of the table gets its instances where it is used.
#pragma once
#include <cmath>
#include <cstdio>

#include "model/dat.h"
#include "model/levels.h"
#include "model/potentials.h"
#include "model/quiet.h"

// Half-width of the central difference and scale of the step: the float 0.1 widened.
inline constexpr double diffamount = 0.1f;

// The event of a relaxation that went from before to after: a displacement
// above 0.25 is a jump, above 100 a run-away. Writes nothing.
MoveInfo classify(const Dat& before, const Dat& after);

namespace relaxdetail {

// One descent step from (x, y). Where the level has no y its potential
// ignores y, so the two values are identical and the y difference is
// exactly 0: skip them.
template <int N> inline XY descentstep(const Weights& k, double x, double y) {
    constexpr double h = diffamount;
    XY s;
    s.x = ((energy<N>(k, x + h, y) - energy<N>(k, x - h, y)) * h) * 0.5;
    if constexpr (hasy(N)) {
        s.y = ((energy<N>(k, x, y + h) - energy<N>(k, x, y - h)) * h) * 0.5;
    } else {
        s.y = 0.0;
    }
    return s;
}

}  // namespace relaxdetail

// Descent step of level N at d: h * h / 2 times the central differences.
template <int N> XY DCatastrophe(const Dat& d) {
    return relaxdetail::descentstep<N>(weights<N>(d), d.x, d.y);
}

// Relaxes d in place (up to 1000 steps, or until a coordinate leaves the box
// of 2000), writes the STARTCALC / FAIL lines (unless quietlog) and reports
// the event.
template <int N> MoveInfo move(Dat& d) {
    Dat w = d;
    if (!quietlog) std::fputs("STARTCALC\n", stdout);
    // The scrambling cannot change during a relaxation.
    const Weights k = weights<N>(w);
    int n = 0;
    while (std::fabs(w.x) < 2000 && std::fabs(w.y) < 2000) {
        ++n;
        const XY s = relaxdetail::descentstep<N>(k, w.x, w.y);
        w.x = w.x - s.x;
        if constexpr (hasy(N)) w.y = w.y - s.y;
        if (n == 1000) break;  // no test of rest: always the full count inside the box
    }
    if (!quietlog) {
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
    const MoveInfo m = classify(d, w);
    if (m.kind == 2 && !quietlog) {
        std::printf("FAIL%d,%d\n", m.flag1 ? 1 : 0, m.flag2 ? 1 : 0);
        std::fflush(stdout);
    }
    d = w;
    return m;
}
