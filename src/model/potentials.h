// The potentials, one per level, in a fixed evaluation order.
//
// Every product is grouped as written and the terms are summed strictly left
// to right: the relaxation amplifies the last bit, so this order is part of
// the game's behaviour. A level's scrambling (its row's Scramble) turns the
// controls into term weights once per relaxation; multiplying by +-1 is
// exact, so the weights are the signed controls to the last bit.
#pragma once
#include "model/dat.h"
#include "model/levels.h"
#include "model/scrambling.h"

// The term weights of one level under one scrambling, and the coordinate swap.
struct Weights {
    double w[4];
    bool swap;
};

template <int N> inline Weights weights(const Dat& d) {
    constexpr int R = levels[N].controls;
    constexpr Scramble scramble = levels[N].scramble;
    Weights k{{d.control[0], d.control[1], d.control[2], d.control[3]}, false};
    if constexpr (scramble == Scramble::signs) {
        for (int i = 0; i < R; ++i) k.w[i] = (amountsign[i] ? 1.0 : -1.0) * d.control[i];
    } else if constexpr (scramble == Scramble::permuted) {
        for (int i = R; i < 4; ++i) k.w[i] = 0;
        for (int i = 0; i < R; ++i) k.w[amountperm[i]] = (amountsign[i] ? 1.0 : -1.0) * d.control[i];
        k.swap = swapxy;
    }
    return k;
}

// Potential of level N at (x, y) with the weights w.
template <int N> double energy(const Weights& k, double x, double y) {
    static_assert(N < 0, "every level of the table needs its potential below");
    return k.w[0] + x + y;
}

// 0 fold: x^3 + w0 x
template <> inline double energy<0>(const Weights& k, double x, double) {
    const double* w = k.w;
    return (x * x) * x + x * w[0];
}

// 1 cusp: x^4 + w0 x^2 + w1 x
template <> inline double energy<1>(const Weights& k, double x, double) {
    const double* w = k.w;
    return ((x * x) * x) * x + (x * w[0]) * x + x * w[1];
}

// 2 swallowtail: x^5 - w0 x^3 + w1 x^2 + w2 x, the minus fixed
template <> inline double energy<2>(const Weights& k, double x, double) {
    const double* w = k.w;
    return (((x * x) * x) * x) * x + (((-w[0]) * x) * x) * x + (x * w[1]) * x + x * w[2];
}

// 3 butterfly: x^6 + w0 x^4 + w1 x^3 + w2 x^2 + w3 x, the weights signed
template <> inline double energy<3>(const Weights& k, double x, double) {
    const double* w = k.w;
    return ((((x * x) * x) * x) * x) * x + (((w[0] * x) * x) * x) * x + ((w[1] * x) * x) * x +
           (w[2] * x) * x + w[3] * x;
}

// 4 pyramid: x^3 + y^3 + w0 x y + w1 x + w2 y
template <> inline double energy<4>(const Weights& k, double x, double y) {
    const double* w = k.w;
    return (x * x) * x + (y * y) * y + (x * w[0]) * y + x * w[1] + y * w[2];
}

// 5 purse: u^3/3 - u v^2 + w0 (u^2 + v^2) + w1 u + w2 v, (u, v) = (x, y) or swapped
template <> inline double energy<5>(const Weights& k, double x, double y) {
    const double* w = k.w;
    const double u = k.swap ? y : x, v = k.swap ? x : y;
    return (u * (u * u)) / 3.0 - (u * v) * v + ((u * u) + (v * v)) * w[0] + u * w[1] + v * w[2];
}

// 6 parabola: p^2 q + q^4 + w0 p^2 + w1 q^2 + w2 p + w3 q, (p, q) = (x, y) or swapped
template <> inline double energy<6>(const Weights& k, double x, double y) {
    const double* w = k.w;
    const double p = k.swap ? y : x, q = k.swap ? x : y;
    return (p * p) * q + ((q * q) * q) * q + (p * w[0]) * p + (q * w[1]) * q + p * w[2] + q * w[3];
}

// Potential of level N at d, under the current scrambling.
template <int N> inline double catastrophe(const Dat& d) {
    return energy<N>(weights<N>(d), d.x, d.y);
}
