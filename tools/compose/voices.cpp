// Instrument recipes. A tone is additive: harmonics shaped by an optional
// vowel formant, a detuned copy that beats slowly inside a loop of many
// cycles (so a held note breathes instead of standing still), a little
// band-limited air, and an unlooped attack where upper harmonics start
// brighter and settle. Every component has a whole number of cycles in
// the loop, so the seam is exact and the spectrum holds no stray partial.
#include "voices.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace compose {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kC4 = 261.6256;

struct Formant { double hz, width, gain; };

struct Recipe {
    const char* id;
    std::vector<double> harmonics;  // amplitude of harmonic 1, 2, ...
    std::vector<Formant> formants;  // vowel colour, fixed in Hz
    double chorus;                  // level of the slowly beating copy
    double air;                     // level of the band-limited breath
    double attack;                  // extra brightness at the start, 0 = none
    double attackSeconds;
    int detune;  // finetune, 1/128 semitone: parts a few cents apart beat instead of locking
    double scoop;  // semitones flat at the first moment, rising to pitch over the attack
    Envelope env;
    uint16_t fadeout;
    uint8_t vibDepth, vibRate;
};

Envelope env(std::vector<EnvPoint> p, int sustain = -1) { return Envelope{std::move(p), sustain}; }

std::vector<double> saw(int n, double tilt) {
    std::vector<double> h;
    for (int k = 1; k <= n; ++k) h.push_back(std::pow(1.0 / k, tilt));
    return h;
}

// x in ticks; at the tempos used here a tick is 16-40 ms.
const std::vector<Recipe>& recipes() {
    static const std::vector<Recipe> r = {
        // Leads: real upper partials, so each has its own colour inside the
        // 1.9 kHz band; wind and voice scoop up into the note.
        {"flute", {1, 0.55, 0.3, 0.18, 0.09, 0.04}, {}, 0.12, 0.06, 1.2, 0.07,
         0, 0.3, env({{0, 0}, {3, 60}, {8, 52}, {60, 44}, {200, 34}}, 4), 0x280, 3, 8},
        {"sine", {1, 0.55, 0.3, 0.15, 0.07}, {}, 0.1, 0.0, 0.6, 0.04, 0, 0, env({{0, 0}, {2, 64}, {10, 50}, {80, 38}, {240, 26}}, 4), 0x300, 2, 9},
        {"reed", saw(10, 0.9), {{600, 250, 1.3}, {1300, 300, 1.3}}, 0.15, 0.02, 0.8, 0.05,
         0, 0.2, env({{0, 0}, {3, 58}, {12, 48}, {90, 40}}, 3), 0x300, 3, 9},
        {"clarinet", {1, 0.1, 0.6, 0.08, 0.4, 0.06, 0.22, 0.04, 0.12}, {}, 0.08, 0.03, 0.6, 0.06, 0, 0.25,
         env({{0, 0}, {3, 60}, {14, 50}, {100, 42}}, 3), 0x300, 2, 8},
        {"pluck", saw(12, 1.3), {}, 0.0, 0.0, 3.0, 0.12, -5, 0, env({{0, 64}, {2, 50}, {8, 30}, {24, 12}, {60, 0}}), 0x400, 0, 0},
        {"glass", {1, 0, 0.12, 0, 0.04}, {}, 0.2, 0.0, 2.0, 0.1, -5, 0, env({{0, 64}, {3, 44}, {16, 24}, {60, 8}, {120, 0}}), 0x300, 0, 0},
        {"epiano", {1, 0.35, 0.1, 0.12, 0.03, 0.03}, {}, 0.1, 0.0, 2.5, 0.15,
         -5, 0, env({{0, 64}, {4, 52}, {20, 36}, {80, 22}, {200, 10}}), 0x300, 0, 0},
        {"pad", saw(8, 1.6), {}, 0.5, 0.03, 0.0, 0.0, 6, 0, env({{0, 0}, {10, 40}, {24, 56}, {48, 48}}, 3), 0x140, 2, 5},
        {"strings", saw(14, 1.1), {{900, 500, 0.6}}, 0.6, 0.02, 0.0, 0.0, 6, 0, env({{0, 0}, {12, 44}, {30, 56}, {60, 50}}, 3), 0x180, 3, 6},
        {"choir", saw(16, 1.0), {{700, 140, 5}, {1150, 160, 3}}, 0.55, 0.04, 0.0, 0.0,
         6, 0, env({{0, 0}, {16, 44}, {40, 60}, {70, 52}}, 3), 0x100, 3, 6},
        {"voice", saw(16, 0.8), {{400, 150, 2.5}, {900, 220, 3.5}, {1500, 250, 1.2}}, 0.3, 0.05, 0.4, 0.08,
         0, 0.5, env({{0, 0}, {8, 52}, {24, 60}, {80, 50}}, 3), 0x200, 4, 7},
        {"organ", {1, 0.7, 0.35, 0.3, 0, 0.15, 0, 0.1}, {}, 0.05, 0.0, 0.5, 0.03, 6, 0, env({{0, 0}, {4, 64}, {10, 56}}, 2), 0x200, 0, 0},
        {"bass", saw(14, 1.0), {}, 0.0, 0.0, 1.5, 0.08, -4, 0, env({{0, 64}, {4, 54}, {30, 42}, {90, 30}, {200, 20}}), 0x400, 0, 0},
        {"softbass", {1, 0.6, 0.35, 0.2, 0.1, 0.06}, {}, 0.05, 0.0, 0.8, 0.05, -4, 0, env({{0, 0}, {2, 64}, {20, 50}, {120, 36}}, 3), 0x300, 0, 0},
        {"cello", saw(16, 1.1), {{500, 250, 1.2}, {1100, 300, 0.95}}, 0.2, 0.03, 0.6, 0.08, 0, 0.3, env({{0, 0}, {6, 56}, {20, 52}, {100, 44}}, 3), 0x200, 3, 7},
    };
    return r;
}

double formantGain(const std::vector<Formant>& fs, double hz) {
    if (fs.empty()) return 1.0;
    double g = 0.3;
    for (const Formant& f : fs) g += f.gain / (1 + std::pow((hz - f.hz) / f.width, 2));
    return g;
}

int pow2AtLeast(double x, int lo, int hi) {
    int p = lo;
    while (p < x && p < hi) p *= 2;
    return p;
}

// Deterministic noise so the output never changes between runs.
struct Noise {
    uint32_t x = 0x2545F491u;
    double next() {
        x = x * 1664525u + 1013904223u;
        return (x >> 8) / double(1 << 23) - 1.0;
    }
};

std::vector<int16_t> normalise(const std::vector<double>& s) {
    double peak = 1e-9;
    for (double v : s) peak = std::max(peak, std::fabs(v));
    std::vector<int16_t> out;
    for (double v : s) out.push_back(int16_t(std::lround(v / peak * 32000)));
    return out;
}

// One register of a tone, good from its own top note down.
Sample toneSample(const Recipe& r, int centreNote, int topNote) {
    double top = noteHz(topNote), centre = noteHz(centreNote);
    int kmax = std::max(1, int(kBandLimitHz / top));
    int period = pow2AtLeast(4.0 * kmax, 16, 256);                // frames per cycle
    int cycles = pow2AtLeast(0.3 * noteHz(centreNote), 8, 256);  // cycles per loop
    int loop = period * cycles;
    Sample s;
    s.relativeNote = int8_t(36 - 12 * int(std::lround(std::log2(256.0 / period))));
    s.finetune = int8_t(2 + r.detune);
    double rateTop = playbackRate(s, topNote);
    auto fits = [&](double cyclesPerLoop) { return cyclesPerLoop / loop * rateTop < kBandLimitHz; };

    struct Part { double cyc, amp, phase, bright; };
    std::vector<Part> parts;
    Noise noise;
    for (size_t k = 1; k <= r.harmonics.size(); ++k) {
        double a = r.harmonics[k - 1] * formantGain(r.formants, k * centre);
        if (a == 0 || !fits(double(k * cycles))) continue;
        double bright = r.attack * (k - 1) / double(r.harmonics.size());
        parts.push_back({double(k * cycles), a, 0, bright});
        if (r.chorus > 0 && fits(k * cycles + 1.0))
            parts.push_back({k * cycles + 1.0, a * r.chorus, kPi * noise.next(), bright});
        for (int j = 2; r.air > 0 && j <= 5; ++j)
            if (fits(k * cycles + j)) parts.push_back({double(k * cycles + j), a * r.air, kPi * noise.next(), 0});
    }
    if (parts.empty()) parts.push_back({double(cycles), 1, 0, 0});
    if (r.attack > 0) parts.push_back({double(cycles), r.attack * 0.3, 0, 1.5});  // a louder first moment

    int attackFrames = int(r.attackSeconds * centre * period);
    std::vector<double> v(size_t(attackFrames + loop), 0.0);
    // A scoop: the attack runs flat and rises to pitch. Time is bent so the
    // phase arrives at the loop start exactly where the loop has it.
    std::vector<double> lag(size_t(attackFrames) + 1, 0.0);
    for (int i = attackFrames - 1; i >= 0; --i) {
        double w = 0.5 - 0.5 * std::cos(kPi * double(attackFrames - i) / attackFrames);
        lag[size_t(i)] = lag[size_t(i) + 1] + (1 - std::pow(2.0, -r.scoop * w / 12));
    }
    for (int i = 0; i < int(v.size()); ++i) {
        int t = i - attackFrames;  // loop starts at t = 0
        double w = t >= 0 ? 0 : 0.5 - 0.5 * std::cos(kPi * double(-t) / attackFrames);
        double bent = t >= 0 ? t : t + lag[size_t(i)];
        for (const Part& p : parts) {
            double gain = p.bright == 0 ? 1 : (p.bright > 1 ? w : 1 + p.bright * w);
            if (p.bright > 1 && t >= 0) continue;
            v[size_t(i)] += gain * p.amp * std::sin(2 * kPi * p.cyc * bent / loop + p.phase);
        }
        if (attackFrames > 0) v[size_t(i)] *= std::min(1.0, i / (0.002 * centre * period));
    }
    s.data = normalise(v);
    s.name = "compose: " + std::to_string(parts.size()) + " partials";
    s.looped = true;
    s.loopStart = uint32_t(attackFrames);
    s.loopLength = uint32_t(loop);
    return s;
}

// A struck tone with inharmonic partials, one-shot, recorded at 8363 Hz
// so C-4 plays it 1:1.
Sample struckSample(const std::string& id, int topNote) {
    struct Partial { double ratio, amp, decay; };
    bool church = id == "bell";
    std::vector<Partial> parts = church
        ? std::vector<Partial>{{0.5, 0.5, 2.2}, {1, 1, 1.6}, {1.19, 0.35, 1.0}, {1.5, 0.25, 0.8}, {2.0, 0.3, 0.6}, {2.66, 0.12, 0.35}}
        : std::vector<Partial>{{1, 1, 0.9}, {2.0, 0.5, 0.4}, {2.76, 0.9, 0.18}, {3.0, 0.3, 0.25}, {5.4, 0.08, 0.12}};
    const double rate = 8363, seconds = church ? 2.2 : 1.2;
    double top = noteHz(topNote) / kC4;  // playback ratio at the highest note
    size_t n = size_t(rate * seconds);
    std::vector<double> s(n, 0.0);
    for (const Partial& p : parts) {
        if (p.ratio * kC4 * top >= kBandLimitHz) continue;
        for (size_t i = 0; i < n; ++i) {
            double t = i / rate;
            s[i] += p.amp * std::exp(-t / p.decay) * std::sin(2 * kPi * p.ratio * kC4 * t);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        double t = i / rate;
        s[i] *= std::min(1.0, t / 0.002) * std::min(1.0, (seconds - t) / 0.05);  // no click at either end
    }
    Sample out;
    out.name = "compose: struck tone";
    out.data = normalise(s);
    return out;
}

// One-shot drums at a 4000 Hz native rate, played 1:1 at C-4 (-13, 30).
Instrument drum(const std::string& id) {
    const double rate = 4000;
    Noise noise;
    std::vector<double> s;
    if (id == "kick" || id == "tom") {
        // The kick's body sweeps down to 100 Hz through the 200-300 Hz that
        // small speakers still play, under a beater click at 1.1 kHz; the
        // tom rings at 150-300 Hz over a softer thump.
        bool tom = id == "tom";
        double phase = 0, tphase = 0;
        for (int i = 0; i < 900; ++i) {
            double t = i / rate, f = tom ? 70 + 60 * std::exp(-t / 0.03) : 100 + 180 * std::exp(-t / 0.025);
            double ft = 165 + 110 * std::exp(-t / 0.04);
            phase += 2 * kPi * f / rate, tphase += 2 * kPi * ft / rate;
            double click = std::exp(-t / 0.006) * (0.9 * std::sin(2 * kPi * 1100 * t) + 0.4 * noise.next());
            double body = std::exp(-t / 0.09) * (std::sin(phase) + 0.7 * std::sin(2 * phase) + 0.35 * std::sin(3 * phase));
            s.push_back(tom ? 0.6 * body + std::exp(-t / 0.14) * (std::sin(tphase) + 0.3 * std::sin(2 * tphase)) + 0.3 * click
                            : body + click);
        }
    } else if (id == "snare") {
        double lp = 0;
        for (int i = 0; i < 800; ++i) {
            double t = i / rate;
            lp += 0.55 * (noise.next() - lp);
            s.push_back(std::exp(-t / 0.07) * (0.9 * lp + 0.4 * std::sin(2 * kPi * 185 * t)));
        }
    } else if (id == "hat") {
        double prev = 0;
        for (int i = 0; i < 320; ++i) {
            double t = i / rate, n = noise.next();
            s.push_back(std::exp(-t / 0.03) * (n - prev));  // first difference: a bright hiss
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
    for (size_t i = 0; i < s.size(); ++i) s[i] *= std::min(1.0, i / 8.0) * std::min(1.0, (s.size() - 1 - i) / 20.0);
    Instrument in;
    in.name = id;
    Sample one;
    one.name = "compose: 4 kHz one-shot";
    one.data = normalise(s);
    one.relativeNote = -13;
    one.finetune = 30;
    in.samples = {one};
    in.volume = env({{0, 64}, {1, 64}});
    in.fadeout = 0x800;
    return in;
}

}  // namespace

double noteHz(int note) { return kC4 * std::pow(2.0, (note - 49) / 12.0); }

double playbackRate(const Sample& s, int note) {
    return 8363.0 * std::pow(2.0, (note - 49 + s.relativeNote + s.finetune / 128.0) / 12.0);
}

bool isDrum(const std::string& id) {
    return id == "kick" || id == "snare" || id == "hat" || id == "tick" || id == "tom";
}

Instrument makeVoice(const std::string& name, int lowNote, int highNote) {
    if (isDrum(name)) return drum(name);
    // "flute+12": the flute tuned 12/128 semitone sharp, so that a second
    // part on the same pitches beats against the first instead of locking.
    size_t plus = name.find('+');
    std::string id = name.substr(0, plus);
    int detune = plus == std::string::npos ? 0 : std::stoi(name.substr(plus + 1));
    bool struck = id == "bell" || id == "musicbox";
    const Recipe* recipe = nullptr;
    for (const Recipe& r : recipes())
        if (id == r.id) recipe = &r;
    if (!struck && !recipe) throw std::runtime_error("unknown instrument " + id);

    Instrument in;
    in.name = name;
    // A tone's sample keeps only the partials its top note allows, so
    // registers a fourth wide keep most of them at every note; a struck
    // tone's few partials fit in octaves.
    int width = struck ? 12 : 5;
    int registers = std::min(16, (highNote - lowNote) / width + 1);
    for (int k = 0; k < registers; ++k) {
        int top = k + 1 == registers ? highNote : lowNote + width * k + width - 1;
        int bottom = lowNote + width * k;
        in.samples.push_back(struck ? struckSample(id, top) : toneSample(*recipe, (top + bottom) / 2, top));
        in.samples.back().finetune = int8_t(in.samples.back().finetune + detune);
        for (int n = k == 0 ? 1 : bottom; n <= (k + 1 == registers ? 96 : top); ++n) in.noteMap[size_t(n - 1)] = uint8_t(k);
    }
    if (struck) {
        in.volume = env({{0, 64}, {1, 64}});
        in.fadeout = 0x200;
    } else {
        in.volume = recipe->env;
        // A detuned copy (a counter-melody, a pad set a little sharp) lets
        // go within half a second, so its tail does not rub the next chord.
        in.fadeout = plus == std::string::npos ? recipe->fadeout : uint16_t(std::max<int>(recipe->fadeout, 0xFFF));
        if (recipe->vibDepth) {
            in.vibSweep = 48;
            in.vibDepth = recipe->vibDepth;
            in.vibRate = recipe->vibRate;
        }
    }
    return in;
}

std::vector<std::string> voiceIds() {
    std::vector<std::string> ids;
    for (const Recipe& r : recipes()) ids.push_back(r.id);
    for (const char* d : {"bell", "musicbox", "kick", "snare", "hat", "tick", "tom"}) ids.push_back(d);
    return ids;
}

}  // namespace compose
