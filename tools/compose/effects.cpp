// Effect synthesis. Both start and end with a few milliseconds of fade so
// the mixer never hears a step, and both stay mostly below 3 kHz to sit
// with the 4 kHz music.
#include "effects.h"

#include <algorithm>
#include <cmath>

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
    // A muted wooden tick: low partials, a 3 ms rise and a fast decay.
    return render(0, 0.07, {{1046.5, 1.0, 0.014}, {1568, 0.35, 0.008}, {523.25, 0.4, 0.02}}, 0.55, 0.003, 0.012);
}

std::vector<int16_t> chimeEffect() {
    // Two struck notes a fifth apart (E6 then B6), the second landing
    // 60 ms later, so it reads as "yes" rather than as a single ping.
    std::vector<int16_t> a = render(0, 0.5, {{1318.5, 1.0, 0.12}, {2637, 0.25, 0.05}, {659.25, 0.3, 0.15}}, 0.5,
                                    0.004, 0.06);
    std::vector<int16_t> b = render(0.06, 0.5, {{1975.5, 0.9, 0.14}, {3951, 0.15, 0.04}, {987.75, 0.3, 0.16}}, 0.45,
                                    0.004, 0.06);
    for (size_t i = 0; i < a.size(); ++i) a[i] = int16_t(std::clamp(int(a[i]) + int(b[i]), -32767, 32767));
    return a;
}

}  // namespace compose
