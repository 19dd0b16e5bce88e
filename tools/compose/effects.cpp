// Effect synthesis. Both start and end with a fade so the mixer never
// hears a step, and both stay mostly below 2 kHz to sit with the 4 kHz music.
#include "effects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace compose {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Partial { double hz, amp, decay; };

std::vector<int16_t> render(double start, double seconds, const std::vector<Partial>& parts, double peakOut,
                            double fadeIn, double fadeOut) {
    size_t n = size_t(seconds * kEffectRate);
    std::vector<double> s(n, 0.0);
    for (const Partial& p : parts)
        for (size_t i = size_t(start * kEffectRate); i < n; ++i) {
            double t = double(i) / kEffectRate - start;
            s[i] += p.amp * std::min(1.0, t / 0.002) * std::exp(-t / p.decay) * std::sin(2 * kPi * p.hz * t);
        }
    double peak = 1e-9;
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kEffectRate;
        double in = std::min(1.0, t / fadeIn), out = std::min(1.0, (seconds - t) / fadeOut);
        s[i] *= 0.5 - 0.5 * std::cos(kPi * std::clamp(in, 0.0, 1.0));
        s[i] *= 0.5 - 0.5 * std::cos(kPi * std::clamp(out, 0.0, 1.0));
        peak = std::max(peak, std::fabs(s[i]));
    }
    std::vector<int16_t> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = int16_t(std::lround(s[i] / peak * peakOut * 32767));
    return out;
}

}  // namespace

std::vector<int16_t> tickEffect() {
    // A muted wooden tick on D, the one note every tune's home key holds.
    return render(0, 0.07, {{1174.66, 1.0, 0.014}, {587.33, 0.45, 0.02}}, 0.55, 0.003, 0.012);
}

std::vector<int16_t> chimeEffect() { return struckChime(587.33); }

std::vector<int16_t> struckChime(double hz) {
    // A soft strike on a small bar tuned to `hz`: its octave 8 dB down,
    // over a short knock that says "struck" rather than "played".
    const double seconds = 0.4;
    size_t n = size_t(seconds * kEffectRate);
    std::vector<double> s(n, 0.0);
    for (auto [f, amp, decay] : {std::tuple{hz, 1.0, 0.16}, std::tuple{2 * hz, 0.4, 0.09}})
        for (size_t i = 0; i < n; ++i) {
            double t = double(i) / kEffectRate;
            s[i] += amp * std::min(1.0, t / 0.003) * std::exp(-t / decay) * std::sin(2 * kPi * f * t);
        }
    // The knock: noise through two resonators (~500 Hz and ~1.1 kHz), short.
    uint32_t x = 0x9E3779B9u;
    double a1 = 0, a2 = 0, b1 = 0, b2 = 0;
    auto reson = [](double f, double q, double& y1, double& y2, double in) {
        double w = 2 * kPi * f / kEffectRate, r = std::exp(-w / (2 * q));
        double y = in + 2 * r * std::cos(w) * y1 - r * r * y2;
        y2 = y1, y1 = y;
        return y * (1 - r);
    };
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kEffectRate;
        x = x * 1664525u + 1013904223u;
        double white = (x >> 8) / double(1 << 23) - 1.0;
        double knock = reson(520, 3, a1, a2, white) + reson(1150, 4, b1, b2, white);
        s[i] += 2.0 * std::min(1.0, t / 0.002) * std::exp(-t / 0.025) * knock;
    }
    double peak = 1e-9;
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kEffectRate;
        s[i] *= 0.5 - 0.5 * std::cos(kPi * std::min(1.0, t / 0.004));
        s[i] *= 0.5 - 0.5 * std::cos(kPi * std::clamp((seconds - t) / 0.12, 0.0, 1.0));
        peak = std::max(peak, std::fabs(s[i]));
    }
    std::vector<int16_t> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = int16_t(std::lround(s[i] / peak * 0.3 * 32767));
    out.front() = out.back() = 0;
    return out;
}

}  // namespace compose
