// The descent written straight from catastrophe<N>, to hold the fast path against.
#pragma once
#include <cmath>

#include "model/potentials.h"
#include "model/relax.h"

template <int N> XY referencestep(const Dat& d) {
    const double h = diffamount;
    Dat a = d, b = d, c = d, e = d;
    a.x = d.x + h;
    b.x = d.x - h;
    c.y = d.y + h;
    e.y = d.y - h;
    return XY{((catastrophe<N>(a) - catastrophe<N>(b)) * h) * 0.5,
              ((catastrophe<N>(c) - catastrophe<N>(e)) * h) * 0.5};
}

// Descends w in place for at most cap steps; returns the steps taken.
template <int N> int referencedescent(Dat& w, int cap) {
    int n = 0;
    while (n < cap && std::fabs(w.x) < 2000 && std::fabs(w.y) < 2000) {
        const XY s = referencestep<N>(w);
        w.x = w.x - s.x;
        w.y = w.y - s.y;
        ++n;
    }
    return n;
}
