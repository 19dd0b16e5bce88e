// The potentials as the relaxation evaluates them: the signed, permuted weights
// are formed once per relaxation instead of at every evaluation. Multiplying
// by +-1 is exact and the groupings are those of potentials.h, so the values
// are the same to the last bit as catastrophe<N>.
#pragma once
#include "model/dat.h"
#include "model/scrambling.h"

// The term weights of one level under one scrambling, and the coordinate swap.
struct Weights {
    double w[4];
    bool swap;
};

template <int N> inline Weights weights(const Dat& d) {
    Weights k{{d.control[0], d.control[1], d.control[2], d.control[3]}, false};
    if constexpr (N == 2) {
        k.w[0] = -d.control[0];  // the swallowtail's fixed minus
    } else if constexpr (N == 3) {
        for (int i = 0; i < 4; ++i) k.w[i] = (amountsign[i] ? 1.0 : -1.0) * d.control[i];
    } else if constexpr (N == 5 || N == 6) {
        constexpr int R = N == 5 ? 3 : 4;
        k.w[3] = 0;
        for (int i = 0; i < R; ++i) k.w[amountperm[i]] = (amountsign[i] ? 1.0 : -1.0) * d.control[i];
        k.swap = swapxy;
    }
    return k;
}

template <int N> inline double energy(const Weights& k, double x, double y) {
    const double* w = k.w;
    if constexpr (N == 0) {
        return (x * x) * x + x * w[0];
    } else if constexpr (N == 1) {
        return ((x * x) * x) * x + (x * w[0]) * x + x * w[1];
    } else if constexpr (N == 2) {
        return (((x * x) * x) * x) * x + (((w[0] * x) * x) * x) + (x * w[1]) * x + x * w[2];
    } else if constexpr (N == 3) {
        return ((((x * x) * x) * x) * x) * x + (((w[0] * x) * x) * x) * x + ((w[1] * x) * x) * x +
               (w[2] * x) * x + w[3] * x;
    } else if constexpr (N == 4) {
        return (x * x) * x + (y * y) * y + (x * w[0]) * y + x * w[1] + y * w[2];
    } else if constexpr (N == 5) {
        const double u = k.swap ? y : x, v = k.swap ? x : y;
        return (u * (u * u)) / 3.0 - (u * v) * v + ((u * u) + (v * v)) * w[0] + u * w[1] + v * w[2];
    } else {
        static_assert(N == 6, "levels are 0 to 6");
        const double p = k.swap ? y : x, q = k.swap ? x : y;
        return (p * p) * q + ((q * q) * q) * q + (p * w[0]) * p + (q * w[1]) * q + p * w[2] + q * w[3];
    }
}
