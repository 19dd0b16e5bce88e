// The plan's tools and the assembly of a piece from its plan.
#include "develop.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace compose {
namespace {

unsigned mix(unsigned x) {
    x ^= x >> 16, x *= 0x7feb352du, x ^= x >> 15, x *= 0x846ca68bu, x ^= x >> 16;
    return x;
}

bool pitched(const Token& t) { return t.pitch != "." && t.pitch != "-"; }

std::vector<Token> tokens(const std::string& notes) {
    std::vector<Token> out;
    for (const std::string& w : words(notes)) out.push_back(parseToken(w));
    return out;
}

std::string join(const std::vector<Token>& ts) {
    std::string s;
    for (const Token& t : ts) s += formatToken(t) + " ";
    return s;
}

std::vector<int> scaleClasses(const std::string& scale) {
    std::vector<int> pcs;
    for (const std::string& w : words(scale)) pcs.push_back((pitchNote(w + "4") - 1) % 12);
    return pcs;
}

bool inScale(const std::vector<int>& pcs, int note) {
    return std::find(pcs.begin(), pcs.end(), (note - 1) % 12) != pcs.end();
}

// The scale tone one step from `from` towards `to` (above it when they meet).
int stepToward(const std::vector<int>& pcs, int from, int to) {
    int dir = to < from ? -1 : 1;
    for (int n = from + dir; std::abs(n - from) <= 2; n += dir)
        if (inScale(pcs, n) && n != to) return n;
    return from + dir;
}

// (name, rows) of each chord token, '.' and '-' kept as they are.
std::vector<std::pair<std::string, int>> chordList(const std::string& progression) {
    std::vector<std::pair<std::string, int>> out;
    for (const std::string& w : words(progression)) {
        size_t colon = w.find(':');
        out.push_back({w.substr(0, colon), std::stoi(w.substr(colon + 1))});
    }
    return out;
}

// A bass player's variation: some notes jump to the other octave.
std::string varyBass(const std::string& bass, unsigned seed) {
    std::vector<Token> ts = tokens(bass);
    for (size_t i = 0; i < ts.size(); ++i)
        if (pitched(ts[i]) && mix(seed * 31u + unsigned(i)) % 3 == 0) {
            int n = pitchNote(ts[i].pitch);
            ts[i].pitch = noteName(n < pitchNote("C3") ? n + 12 : n - 12);
        }
    return join(ts);
}

// Every line of a section, built from one plan word.
struct Builder {
    const Piece& p;
    int abs = 0;  // rows before this section, for the figures that run on

    std::vector<Line> section(const std::string& word, int index) {
        const Material* m = nullptr;
        int shift = 0, kit = 0;
        bool vary_ = false, octave = false, up = false, counter = false, thin = false, breath = false,
             reharm = false, noDrums = false;
        for (size_t i = 0; i < word.size(); ++i) {
            char c = word[i];
            if (std::isdigit(static_cast<unsigned char>(c)) && !m) {
                size_t k = size_t(c - '0');
                if (k >= p.material.size()) throw std::runtime_error(p.tune.file + ": plan names missing material " + word);
                m = &p.material[k];
            } else if (c == '+' || c == '-') {
                size_t j = i + 1;
                while (j < word.size() && std::isdigit(static_cast<unsigned char>(word[j]))) ++j;
                shift = std::stoi(word.substr(i, j - i));
                i = j - 1;
            } else if (c == 'k' && i + 1 < word.size() && std::isdigit(static_cast<unsigned char>(word[i + 1]))) {
                kit = word[++i] - '0';
            } else if (c == 'v') vary_ = true;
            else if (c == 'o') octave = true;
            else if (c == 'u') up = true;
            else if (c == 'c') counter = true;
            else if (c == 't') thin = true;
            else if (c == 'b') breath = true;
            else if (c == 'r') reharm = true;
            else if (c == 'x') noDrums = true;
            else throw std::runtime_error(p.tune.file + ": bad plan word " + word);
        }
        if (!m) throw std::runtime_error(p.tune.file + ": plan word without material " + word);
        if (reharm && m->reharm.empty()) throw std::runtime_error(p.tune.file + ": no reharmonisation for " + word);

        std::string prog = transposeChords(reharm ? m->reharm : m->chords, shift);
        std::vector<Line> lines;
        if (!p.pad.instrument.empty()) {
            int vol = breath ? p.pad.volume * 2 / 3 : p.pad.volume;
            // The pad stays under the tune, so the lead is never doubled or rubbed.
            int padLow = pitchNote(p.pad.low);
            if (!octave) {
                for (const Token& t : tokens(transpose(m->melody, shift + (up ? 12 : 0))))
                    if (pitched(t)) padLow = std::min(padLow, pitchNote(t.pitch) - 12);
                padLow = std::max(padLow, pitchNote("C3"));
            }
            std::vector<Line> pad = chords(2, p.padVoices, p.pad.instrument, vol, prog, noteName(padLow), p.padGlide);
            lines.insert(lines.end(), pad.begin(), pad.end());
        }
        std::string bass = reharm ? rootLine(prog, "C2") : transpose(m->bass, shift);
        if (vary_ && !reharm) bass = varyBass(vary(bass, m->scale.empty() ? p.scale : m->scale, unsigned(index) * 104729u + 3u),
                                              unsigned(index));
        if (!p.bass.instrument.empty()) lines.push_back({5, p.bass.instrument, p.bass.volume * (breath ? 2 : 3) / 3, bass});
        if (breath) return lines;

        std::string tune = transpose(m->melody, shift + (octave ? -12 : 0) + (up ? 12 : 0));
        if (vary_) tune = vary(tune, m->scale.empty() ? p.scale : m->scale, unsigned(index) * 7919u + 17u);
        // Long notes sing with vibrato; one that ends a phrase dies away instead.
        std::vector<Token> lead = tokens(tune);
        for (size_t i = 0; i < lead.size(); ++i) {
            Token& t = lead[i];
            if (!pitched(t) || t.rows < 6 || t.slide) continue;
            bool last = i + 1 == lead.size() || lead[i + 1].pitch == ".";
            if (last) t.slide = -1;
            else t.vibrato = true;
        }
        const Voice& lv = octave && !p.lead2.instrument.empty() ? p.lead2 : p.lead;
        lines.push_back({0, lv.instrument, lv.volume, join(lead), p.leadAccent});

        if (counter && !p.counter.instrument.empty())
            lines.push_back({1, p.counter.instrument, p.counter.volume,
                             counterLine(prog, noteName(pitchNote(p.counter.low) + (octave && pitchNote(p.counter.low) < pitchNote("A4") ? 12 : 0)))});
        if (!thin && !p.figure.instrument.empty()) {
            // The figure runs on from where the last section left it.
            lines.push_back({7, p.figure.instrument, p.figure.volume, arpeggioFrom(prog, abs, index), p.figureAccent});
        }
        const std::string& grid = p.kits.empty() ? std::string() : p.kits[size_t(kit) % p.kits.size()];
        if (!thin && !noDrums && !grid.empty()) {
            std::string cells;
            for (char c : grid)
                if (c != ' ' && c != '|') cells += c;
            // A drummer, not a loop: the light strokes come and go.
            char light = cells.find('h') != std::string::npos ? 'h' : cells.find('t') != std::string::npos ? 't' : 0;
            std::string bar;
            for (int r = 0; r < p.rows; ++r) {
                char c = cells[size_t(abs + r) % cells.size()];
                unsigned roll = mix(unsigned(abs + r) * 40503u + 7u) % 8;
                if (c == light && roll < 2) c = '.';
                else if (c == '.' && light && r % 2 && roll == 7) c = light;
                bar += c;
            }
            Line d = drums(6, p.drumVolume, bar);
            d.accent = p.drumAccent;
            lines.push_back(d);
        }
        return lines;
    }

    // The figure with its step counter starting at absolute row `from`.
    std::string arpeggioFrom(const std::string& prog, int from, int index) {
        // Figures separated by '/' take turns, two sections each.
        std::vector<std::string> figs;
        for (size_t a = 0, b; a <= p.figureSteps.size(); a = b + 1) {
            b = std::min(p.figureSteps.find('/', a), p.figureSteps.size());
            figs.push_back(p.figureSteps.substr(a, b - a));
        }
        std::vector<std::string> fig = words(figs[size_t(index / 2) % figs.size()]);
        std::string notes;
        int r = 0;
        for (auto& [name, rows] : chordList(prog)) {
            if (name == "." || name == "-") {
                notes += name + ":" + std::to_string(rows) + " ";
                r += rows;
                continue;
            }
            std::vector<int> pcs = chordPitchClasses(name);
            std::vector<int> tones;
            for (size_t k = 0; k < pcs.size() && k < 3; ++k) {
                int n = pitchNote(p.figure.low);
                while ((n - 1) % 12 != pcs[k]) ++n;
                tones.push_back(n);
            }
            std::sort(tones.begin(), tones.end());
            for (int end = r + rows; r < end; r += p.figureStep) {
                int len = std::min(p.figureStep, end - r);
                int step = (from + r) / p.figureStep;
                const std::string& f = fig[size_t(step) % fig.size()];
                Token t;
                t.rows = len;
                if (f == "-" || f == ".") {
                    t.pitch = f;
                } else {
                    int idx = std::stoi(f);
                    t.pitch = noteName(tones[size_t(idx) % tones.size()] + 12 * (idx / int(tones.size())));
                    if (p.swing && step % 2) t.delay = p.swing;
                }
                notes += formatToken(t) + " ";
            }
        }
        return notes;
    }
};

}  // namespace

std::string transpose(const std::string& notes, int semitones) {
    std::vector<Token> ts = tokens(notes);
    for (Token& t : ts)
        if (pitched(t)) t.pitch = noteName(pitchNote(t.pitch) + semitones);
    return join(ts);
}

std::string transposeChords(const std::string& progression, int semitones) {
    static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    std::string out;
    for (auto& [name, rows] : chordList(progression)) {
        std::string n = name;
        if (n != "." && n != "-") {
            size_t len = n.size() > 1 && (n[1] == '#' || n[1] == 'b') ? 2 : 1;
            int pc = (pitchNote(n.substr(0, len) + "4") - 1 + semitones % 12 + 12) % 12;
            n = names[pc] + n.substr(len);
        }
        out += n + ":" + std::to_string(rows) + " ";
    }
    return out;
}

std::string vary(const std::string& melody, const std::string& scale, unsigned seed) {
    std::vector<int> pcs = scaleClasses(scale);
    std::vector<Token> in = tokens(melody), out;
    for (size_t i = 0; i < in.size(); ++i) {
        Token t = in[i];
        const Token* next = nullptr;
        for (size_t j = i + 1; j < in.size() && !next; ++j)
            if (pitched(in[j])) next = &in[j];
        unsigned roll = mix(seed + unsigned(i) * 2654435761u) % 4;
        if (pitched(t) && next && t.rows >= 4 && roll < 3) {
            // Lend the tail of a long note to a passing or neighbour tone.
            int a = pitchNote(t.pitch), b = pitchNote(next->pitch);
            Token tail = t;
            t.rows -= 2;
            tail.rows = 2;
            tail.vibrato = false;
            tail.volume = t.volume >= 0 ? t.volume * 4 / 5 : -1;
            tail.pitch = noteName(stepToward(pcs, a, a == b ? a + 2 : b));
            out.push_back(t);
            out.push_back(tail);
        } else if (t.pitch == "." && t.rows >= 4 && next && roll == 0) {
            // A pick-up from a scale step below into the next note.
            Token rest = t, pick = *next;
            rest.rows -= 2;
            pick.rows = 2;
            pick.vibrato = false;
            pick.pitch = noteName(stepToward(pcs, pitchNote(next->pitch), pitchNote(next->pitch) - 3));
            out.push_back(rest);
            out.push_back(pick);
        } else if (pitched(t) && roll == 3 && t.rows >= 2 && !t.glide) {
            t.delay = 1;  // a little late, as a player would be
            out.push_back(t);
        } else {
            out.push_back(t);
        }
    }
    return join(out);
}

std::string counterLine(const std::string& progression, const std::string& low) {
    int floor = pitchNote(low), last = 0;
    std::string out;
    for (auto& [name, rows] : chordList(progression)) {
        if (name == "." || name == "-") {
            out += name + ":" + std::to_string(rows) + " ";
            last = name == "." ? 0 : last;
            continue;
        }
        std::vector<int> pcs = chordPitchClasses(name);
        int from = last ? last : floor + 7, pick = 0;
        auto nearest = [&](int pc) {
            int best = floor;
            for (int n = floor; n < floor + 12; ++n)
                if ((n - 1) % 12 == pc && (best == floor || std::abs(n - from) < std::abs(best - from))) best = n;
            return best;
        };
        // Guide tones first (third, seventh), then root and fifth: the first
        // within a tone of the last note; failing that, and at the start, the third.
        for (int k : {1, 3, 0, 2})
            if (last && k < int(pcs.size()) && std::abs(nearest(pcs[size_t(k)]) - from) <= 2) {
                pick = nearest(pcs[size_t(k)]);
                break;
            }
        if (!pick) pick = nearest(pcs[pcs.size() > 1 ? 1 : 0]);
        if (pick == last) {
            out += "-:" + std::to_string(rows) + " ";
        } else {
            Token t;
            t.pitch = noteName(pick);
            t.rows = rows;
            t.vibrato = rows >= 6;
            out += formatToken(t) + " ";
        }
        last = pick;
    }
    return out;
}

std::string rootLine(const std::string& progression, const std::string& low) {
    std::string out;
    for (auto& [name, rows] : chordList(progression)) {
        if (name == "." || name == "-") {
            out += name + ":" + std::to_string(rows) + " ";
            continue;
        }
        int n = pitchNote(low);
        while ((n - 1) % 12 != chordPitchClasses(name)[0]) ++n;
        out += noteName(n) + ":" + std::to_string(rows) + " ";
    }
    return out;
}

Tune develop(const Piece& piece) {
    Tune t = piece.tune;
    Builder b{piece};
    std::vector<std::string> plan = words(piece.opening);
    t.restart = int(plan.size());
    for (const std::string& w : words(piece.plan)) plan.push_back(w);
    for (size_t i = 0; i < plan.size(); ++i) {
        std::string name = "S" + std::to_string(i);
        t.sections.push_back(Section{name, piece.rows, b.section(plan[i], int(i))});
        t.form += name + " ";
        b.abs += piece.rows;
    }
    return t;
}

}  // namespace compose
