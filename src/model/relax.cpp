// Gradient descent on a level's potential after a nudge.
#include "model/relax.h"

#include <cmath>
#include <cstdio>

#include "model/potentials.h"

template <int N> XY DCatastrophe(const Dat& d) {
    const double h = diffamount;
    Dat a = d, b = d;
    a.x = d.x + h;
    b.x = d.x - h;
    XY s;
    s.x = ((catastrophe<N>(a) - catastrophe<N>(b)) * h) * 0.5;
    a = d;
    b = d;
    a.y = d.y + h;
    b.y = d.y - h;
    s.y = ((catastrophe<N>(a) - catastrophe<N>(b)) * h) * 0.5;
    return s;
}

template <int N> MoveInfo move(Dat& d) {
    Dat w = d;
    fputs("STARTCALC\n", stdout);
    int n = 0;
    while (std::fabs(w.x) < 2000 && std::fabs(w.y) < 2000) {
        ++n;
        const XY s = DCatastrophe<N>(w);
        w.x = w.x - s.x;
        w.y = w.y - s.y;
        if (n == 1000) break;
    }
    fputs("\n", stdout);
    fflush(stdout);
    const MoveInfo m = classify(d, w);
    if (m.kind == 2) {
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
