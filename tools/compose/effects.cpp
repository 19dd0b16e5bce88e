// Effect synthesis. Both start and end with a fade so the mixer never
// hears a step, and both stay mostly below 2 kHz to sit with the 4 kHz music.
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
    // A soft bell on the open fifth G-D, which sits inside every key the
    // tunes use; the upper note follows 50 ms behind, and all partials stay
    // under 2 kHz like the music, so it marks a moment without cheering.
    std::vector<int16_t> a = render(0, 0.5, {{392.0, 1.0, 0.22}, {784.0, 0.25, 0.1}, {1082, 0.12, 0.06}}, 0.22,
                                    0.004, 0.12);
    std::vector<int16_t> b = render(0.05, 0.5, {{587.33, 0.9, 0.2}, {1174.7, 0.2, 0.09}, {1621, 0.08, 0.05}}, 0.2,
                                    0.004, 0.12);
    for (size_t i = 0; i < a.size(); ++i) a[i] = int16_t(a[i] + b[i]);
    a.front() = a.back() = 0;
    return a;
}

}  // namespace compose
