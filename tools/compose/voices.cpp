// Instrument recipes. Harmonic tables are chosen by ear for a 4 kHz mono
// render: a bass gets upper harmonics so small speakers can hear it, a lead
// stays close to a sine so it never turns to hash at the top of its range.
#include "voices.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace compose {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCycle = 256;  // frames per single cycle; tuned with (36, 2)

struct Recipe {
    const char* id;
    std::vector<double> harmonics;  // amplitude of harmonic 1, 2, ...
    Envelope env;
    uint16_t fadeout;
    uint8_t vibDepth, vibRate;
};

Envelope env(std::vector<EnvPoint> p, int sustain = -1) { return Envelope{std::move(p), sustain}; }

// x in ticks; at the tempos used here a tick is 16-40 ms.
const std::vector<Recipe>& recipes() {
    static const std::vector<Recipe> r = {
        {"flute", {1, 0.18, 0.06, 0.03}, env({{0, 0}, {3, 60}, {8, 50}, {60, 40}, {200, 30}}, 4), 0x280, 3, 8},
        {"sine", {1}, env({{0, 0}, {2, 64}, {10, 48}, {80, 36}, {240, 24}}, 4), 0x300, 2, 9},
        {"reed", {1, 0.45, 0.3, 0.2, 0.12, 0.08}, env({{0, 0}, {3, 56}, {12, 46}, {90, 38}}, 3), 0x300, 3, 9},
        {"pluck", {1, 0.5, 0.25, 0.12, 0.06}, env({{0, 64}, {2, 50}, {8, 30}, {24, 12}, {60, 0}}), 0x400, 0, 0},
        {"glass", {1, 0, 0.12, 0, 0.04}, env({{0, 64}, {3, 44}, {16, 24}, {60, 8}, {120, 0}}), 0x300, 0, 0},
        {"pad", {1, 0.3, 0.12, 0.05}, env({{0, 0}, {10, 40}, {24, 56}, {48, 48}}, 3), 0x140, 2, 5},
        {"choir", {1, 0.2, 0.35, 0.1, 0.15, 0.05}, env({{0, 0}, {16, 44}, {40, 60}, {70, 52}}, 3), 0x100, 3, 6},
        {"organ", {1, 0.7, 0.35, 0.3, 0, 0.15, 0, 0.1}, env({{0, 0}, {4, 64}, {10, 56}}, 2), 0x200, 0, 0},
        {"bass", {1, 0.8, 0.5, 0.3, 0.18, 0.1, 0.06, 0.04}, env({{0, 64}, {4, 54}, {30, 42}, {90, 30}, {200, 20}}), 0x400, 0, 0},
        {"softbass", {1, 0.55, 0.25, 0.1}, env({{0, 0}, {2, 64}, {20, 50}, {120, 36}}, 3), 0x300, 0, 0},
    };
    return r;
}

Instrument cycleTone(const Recipe& r, int maxNote) {
    Instrument in;
    in.name = r.id;
    double top = noteHz(maxNote);
    std::vector<double> wave(kCycle, 0.0);
    int used = 0;
    for (size_t k = 1; k <= r.harmonics.size(); ++k) {
        if (k > 1 && k * top >= kBandLimitHz) break;
        ++used;
        for (int i = 0; i < kCycle; ++i) wave[i] += r.harmonics[k - 1] * std::sin(2 * kPi * double(k) * i / kCycle);
    }
    double peak = 0;
    for (double v : wave) peak = std::max(peak, std::fabs(v));
    for (double v : wave) in.data.push_back(int16_t(std::lround(v / peak * 32000)));
    in.sampleName = "compose: " + std::to_string(used) + " harmonics";
    in.looped = true;
    in.loopStart = 0;
    in.loopLength = kCycle;
    in.relativeNote = 36;
    in.finetune = 2;
    in.volume = r.env;
    in.fadeout = r.fadeout;
    if (r.vibDepth) {
        in.vibType = 0;
        in.vibSweep = 48;
        in.vibDepth = r.vibDepth;
        in.vibRate = r.vibRate;
    }
    return in;
}

// A struck tone with inharmonic partials, one-shot, recorded at 16726 Hz so
// C-4 plays it 1:1 (relative note 12).
Instrument struck(const std::string& id, int maxNote) {
    struct Partial { double ratio, amp, decay; };
    bool church = id == "bell";
    std::vector<Partial> parts = church
        ? std::vector<Partial>{{0.5, 0.5, 2.2}, {1, 1, 1.6}, {1.19, 0.35, 1.0}, {1.5, 0.25, 0.8}, {2.0, 0.3, 0.6}, {2.66, 0.12, 0.35}}
        : std::vector<Partial>{{1, 1, 0.9}, {2.0, 0.2, 0.45}, {3.0, 0.25, 0.3}, {5.4, 0.08, 0.12}};
    const double rate = 16726, seconds = church ? 2.6 : 1.4;
    double top = noteHz(maxNote) / 261.6256;  // playback ratio at the highest note
    size_t n = size_t(rate * seconds);
    std::vector<double> s(n, 0.0);
    for (const Partial& p : parts) {
        if (p.ratio * 261.6256 * top >= kBandLimitHz) continue;
        for (size_t i = 0; i < n; ++i) {
            double t = i / rate;
            s[i] += p.amp * std::exp(-t / p.decay) * std::sin(2 * kPi * p.ratio * 261.6256 * t);
        }
    }
    double peak = 0;
    for (size_t i = 0; i < n; ++i) {
        double t = i / rate;
        s[i] *= std::min(1.0, t / 0.002) * std::min(1.0, (seconds - t) / 0.05);  // no click at either end
        peak = std::max(peak, std::fabs(s[i]));
    }
    Instrument in;
    in.name = id;
    in.sampleName = "compose: struck tone";
    for (double v : s) in.data.push_back(int16_t(std::lround(v / peak * 32000)));
    in.relativeNote = 12;
    in.volume = env({{0, 64}, {1, 64}});
    in.fadeout = 0x200;
    return in;
}

// Deterministic noise so the output never changes between runs.
struct Noise {
    uint32_t x = 0x2545F491u;
    double next() {
        x = x * 1664525u + 1013904223u;
        return (x >> 8) / double(1 << 23) - 1.0;
    }
};

// One-shot drums at a 4000 Hz native rate, played 1:1 at C-4 (-13, 30).
Instrument drum(const std::string& id) {
    const double rate = 4000;
    Noise noise;
    std::vector<double> s;
    if (id == "kick") {
        double phase = 0;
        for (int i = 0; i < 800; ++i) {
            double t = i / rate, f = 45 + 85 * std::exp(-t / 0.03);
            phase += 2 * kPi * f / rate;
            s.push_back(std::exp(-t / 0.07) * (std::sin(phase) + 0.3 * std::sin(2 * phase)));
        }
    } else if (id == "snare") {
        double lp = 0;
        for (int i = 0; i < 520; ++i) {
            double t = i / rate;
            lp += 0.55 * (noise.next() - lp);
            s.push_back(std::exp(-t / 0.035) * (0.8 * lp + 0.5 * std::sin(2 * kPi * 185 * t)));
        }
    } else if (id == "hat") {
        double prev = 0;
        for (int i = 0; i < 140; ++i) {
            double t = i / rate, n = noise.next();
            s.push_back(std::exp(-t / 0.009) * (n - prev));  // first difference: a bright hiss
            prev = n;
        }
    } else if (id == "tick") {
        for (int i = 0; i < 200; ++i) {
            double t = i / rate;
            s.push_back(std::exp(-t / 0.012) * (std::sin(2 * kPi * 880 * t) + 0.4 * std::sin(2 * kPi * 1370 * t)));
        }
    } else {
        throw std::runtime_error("unknown drum " + id);
    }
    double peak = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] *= std::min(1.0, i / 8.0) * std::min(1.0, (s.size() - 1 - i) / 20.0);
        peak = std::max(peak, std::fabs(s[i]));
    }
    Instrument in;
    in.name = id;
    in.sampleName = "compose: 4 kHz one-shot";
    for (double v : s) in.data.push_back(int16_t(std::lround(v / peak * 32000)));
    in.relativeNote = -13;
    in.finetune = 30;
    in.volume = env({{0, 64}, {1, 64}});
    in.fadeout = 0x800;
    return in;
}

}  // namespace

double noteHz(int note) { return 261.6256 * std::pow(2.0, (note - 49) / 12.0); }

bool isDrum(const std::string& id) { return id == "kick" || id == "snare" || id == "hat" || id == "tick"; }

Instrument makeVoice(const std::string& id, int maxNote) {
    if (isDrum(id)) return drum(id);
    if (id == "bell" || id == "musicbox") return struck(id, maxNote);
    for (const Recipe& r : recipes())
        if (id == r.id) return cycleTone(r, maxNote);
    throw std::runtime_error("unknown instrument " + id);
}

std::vector<std::string> voiceIds() {
    std::vector<std::string> ids;
    for (const Recipe& r : recipes()) ids.push_back(r.id);
    for (const char* d : {"bell", "musicbox", "kick", "snare", "hat", "tick"}) ids.push_back(d);
    return ids;
}

}  // namespace compose
