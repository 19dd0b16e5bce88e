// Power spectrum by radix-2 FFT, for band-limit checks and the chime's pitch classes.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

// |X[k]|^2 for k = 0..n/2 of the samples zero-padded to n, a power of two.
inline std::vector<double> powerSpectrum(const std::vector<double>& x, size_t n) {
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < x.size() && i < n; ++i) a[i] = x[i];
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> w = std::polar(1.0, -2 * 3.14159265358979323846 / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> t = 1;
            for (size_t k = 0; k < len / 2; ++k, t *= w) {
                std::complex<double> u = a[i + k], v = a[i + k + len / 2] * t;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    std::vector<double> p(n / 2 + 1);
    for (size_t k = 0; k <= n / 2; ++k) p[k] = std::norm(a[k]);
    return p;
}
