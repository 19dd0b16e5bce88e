// Gradient descent on a level's potential after a nudge.
#include "model/relax.h"

#include <cmath>
#include <cstdio>

#include "model/energy.h"
#include "model/levels.h"
#include "model/quiet.h"

namespace {

// One descent step from (x, y). On levels 0 to 3 the potential ignores y, so
// its two values are identical and the y difference is exactly 0: skip them.
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

}  // namespace

template <int N> XY DCatastrophe(const Dat& d) { return descentstep<N>(weights<N>(d), d.x, d.y); }

template <int N> MoveInfo move(Dat& d) {
    Dat w = d;
    if (!quietlog) fputs("STARTCALC\n", stdout);
    // The scrambling cannot change during a relaxation.
    const Weights k = weights<N>(w);
    int n = 0;
    while (std::fabs(w.x) < 2000 && std::fabs(w.y) < 2000) {
        ++n;
        const XY s = descentstep<N>(k, w.x, w.y);
        w.x = w.x - s.x;
        if constexpr (hasy(N)) w.y = w.y - s.y;
        if (n == 1000) break;  // no test of rest: always the full count inside the box
    }
    if (!quietlog) {
        fputs("\n", stdout);
        fflush(stdout);
    }
    const MoveInfo m = classify(d, w);
    if (m.kind == 2 && !quietlog) {
        printf("FAIL%d,%d\n", m.flag1 ? 1 : 0, m.flag2 ? 1 : 0);
        fflush(stdout);
    }
    d = w;
    return m;
}

template XY DCatastrophe<0>(const Dat&);
template XY DCatastrophe<1>(const Dat&);
template XY DCatastrophe<2>(const Dat&);
template XY DCatastrophe<3>(const Dat&);
template XY DCatastrophe<4>(const Dat&);
template XY DCatastrophe<5>(const Dat&);
template XY DCatastrophe<6>(const Dat&);
template MoveInfo move<0>(Dat&);
template MoveInfo move<1>(Dat&);
template MoveInfo move<2>(Dat&);
template MoveInfo move<3>(Dat&);
template MoveInfo move<4>(Dat&);
template MoveInfo move<5>(Dat&);
template MoveInfo move<6>(Dat&);
