// The seven potentials, one per level, in a fixed evaluation order.
//
// Every product is grouped as written and the terms are summed strictly left
// to right: the relaxation amplifies the last bit, so this order is part of
// the game's behaviour. These read the scrambling globals on every call; the
// relaxation uses the equivalent form in energy.h with the weights formed once.
#pragma once
#include "model/dat.h"
#include "model/scrambling.h"

// Potential of level N (0 fold ... 6 parabola) at d, under the current scrambling.
template <int N> double catastrophe(const Dat& d);

namespace potentialdetail {
inline double sign(int i) { return amountsign[i] ? 1.0 : -1.0; }
}

// 0 fold: x^3 + c0 x
template <> inline double catastrophe<0>(const Dat& d) {
    const double x = d.x;
    return (x * x) * x + x * d.control[0];
}

// 1 cusp: x^4 + c0 x^2 + c1 x
template <> inline double catastrophe<1>(const Dat& d) {
    const double x = d.x;
    return ((x * x) * x) * x + (x * d.control[0]) * x + x * d.control[1];
}

// 2 swallowtail: x^5 - c0 x^3 + c1 x^2 + c2 x
template <> inline double catastrophe<2>(const Dat& d) {
    const double x = d.x;
    return (((x * x) * x) * x) * x + (((-d.control[0]) * x) * x) * x +
           (x * d.control[1]) * x + x * d.control[2];
}

// 3 butterfly: x^6 + a0 x^4 + a1 x^3 + a2 x^2 + a3 x, a_i the signed controls
template <> inline double catastrophe<3>(const Dat& d) {
    using potentialdetail::sign;
    const double x = d.x;
    const double a0 = sign(0) * d.control[0], a1 = sign(1) * d.control[1];
    const double a2 = sign(2) * d.control[2], a3 = sign(3) * d.control[3];
    return ((((x * x) * x) * x) * x) * x + (((a0 * x) * x) * x) * x + ((a1 * x) * x) * x +
           (a2 * x) * x + a3 * x;
}

// 4 pyramid: x^3 + y^3 + c0 x y + c1 x + c2 y, never scrambled
template <> inline double catastrophe<4>(const Dat& d) {
    const double x = d.x, y = d.y;
    return (x * x) * x + (y * y) * y + (x * d.control[0]) * y + x * d.control[1] +
           y * d.control[2];
}

// 5 purse: u^3/3 - u v^2 + w0 (u^2 + v^2) + w1 u + w2 v
template <> inline double catastrophe<5>(const Dat& d) {
    using potentialdetail::sign;
    double w[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) w[amountperm[i]] = sign(i) * d.control[i];
    const double u = swapxy ? d.y : d.x, v = swapxy ? d.x : d.y;
    return (u * (u * u)) / 3.0 - (u * v) * v + ((u * u) + (v * v)) * w[0] + u * w[1] +
           v * w[2];
}

// 6 parabola: p^2 q + q^4 + w0 p^2 + w1 q^2 + w2 p + w3 q
template <> inline double catastrophe<6>(const Dat& d) {
    using potentialdetail::sign;
    double w[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) w[amountperm[i]] = sign(i) * d.control[i];
    const double p = swapxy ? d.y : d.x, q = swapxy ? d.x : d.y;
    return (p * p) * q + ((q * q) * q) * q + (p * w[0]) * p + (q * w[1]) * q + p * w[2] +
           q * w[3];
}
