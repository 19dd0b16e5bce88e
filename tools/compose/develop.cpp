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

// The scale tone next to `n` in direction `dir` (a half or whole step), 0 if none.
int scaleStep(const std::vector<int>& pcs, int n, int dir) {
    for (int m = n + dir; std::abs(m - n) <= 2; m += dir)
        if (inScale(pcs, m)) return m;
    return 0;
}

// The note an ornament lends a long note's tail to on the way from a to b:
// a passing tone across a leap, the next note itself (anticipation) before
// a step, an upper neighbour before a repeat; always in the scale, 0 if none.
int ornamentNote(const std::vector<int>& pcs, int a, int b) {
    if (!inScale(pcs, b)) return 0;
    if (std::abs(b - a) > 2) {
        int m = scaleStep(pcs, a, b > a ? 1 : -1);
        return m && m != b ? m : 0;
    }
    if (a != b) return b;
    return scaleStep(pcs, a, 1);
}

// (name, rows) of each chord token, '.' and '-' kept as they are.
std::vector<std::pair<std::string, int>> chordList(const std::string& progression) {
    std::vector<std::pair<std::string, int>> out;
    for (const std::string& w : words(progression)) {
        size_t colon = w.find(':');
        if (colon == std::string::npos || colon == 0) throw std::runtime_error("chord without length: " + w);
        out.push_back({w.substr(0, colon), number(w.substr(colon + 1), "the length of " + w)});
    }
    return out;
}

}  // namespace

// A bass player's variation keeps the line's shape and only changes the
// way into the next chord: the tail of the note before a change becomes
// the scale tone beside the new root, at most once a bar.
std::string varyBass(const std::string& bass, const std::string& scale, unsigned seed, int bar) {
    std::vector<int> pcs = scaleClasses(scale);
    std::vector<Token> in = tokens(bass), out;
    int row = 0, used = -1;
    for (size_t i = 0; i < in.size(); ++i) {
        Token t = in[i];
        int start = row, b = start / bar;
        row += t.rows;
        const Token* next = i + 1 < in.size() ? &in[i + 1] : nullptr;
        if (b != used && pitched(t) && next && pitched(*next) && next->pitch != t.pitch && t.rows >= 8 &&
            mix(seed ^ mix(unsigned(b) * 2654435761u + 1u)) % 2 == 0) {
            int a = pitchNote(t.pitch), n = pitchNote(next->pitch);
            int lead = scaleStep(pcs, n, a < n ? -1 : 1);
            if (lead && lead != a && inScale(pcs, n)) {
                Token tail = t;
                t.rows -= 2, tail.rows = 2, tail.pitch = noteName(lead);
                out.push_back(t), out.push_back(tail), used = b;
                continue;
            }
        }
        out.push_back(t);
    }
    return join(out);
}

// Long notes sing with vibrato; one that ends a phrase dies away instead.
std::string sing(const std::string& notes) {
    std::vector<Token> ts = tokens(notes);
    for (size_t i = 0; i < ts.size(); ++i) {
        Token& t = ts[i];
        if (!pitched(t) || t.rows < 6 || t.slide || t.vibrato) continue;
        bool last = i + 1 == ts.size() || ts[i + 1].pitch == ".";
        if (last) t.slide = -1;
        else t.vibrato = true;
    }
    return join(ts);
}

namespace {

// Every line of a section, built from one plan word.
struct Builder {
    const Piece& p;
    int abs = 0;  // rows before this section, for the figures that run on

    std::vector<Line> section(const std::string& word, int index, std::string& scale) {
        const std::string where = p.tune.file + " plan word " + std::to_string(index + 1) + " '" + word + "'";
        const Material* m = nullptr;
        int shift = 0, kit = 0;
        bool vary_ = false, octave = false, up = false, counter = false, thin = false, breath = false,
             reharm = false, noDrums = false;
        for (size_t i = 0; i < word.size(); ++i) {
            char c = word[i];
            if (std::isdigit(static_cast<unsigned char>(c)) && !m) {
                size_t k = size_t(c - '0');
                if (k >= p.material.size()) throw std::runtime_error(where + ": no material " + std::to_string(k));
                m = &p.material[k];
            } else if (c == '+' || c == '-') {
                size_t j = i + 1;
                while (j < word.size() && std::isdigit(static_cast<unsigned char>(word[j]))) ++j;
                shift = number(word.substr(i, j - i), where);
                i = j - 1;
            } else if (c == 'k' && i + 1 < word.size() && std::isdigit(static_cast<unsigned char>(word[i + 1]))) {
                kit = word[++i] - '0';
                if (size_t(kit) >= p.kits.size()) throw std::runtime_error(where + ": no kit " + std::to_string(kit));
            } else if (c == 'v') vary_ = true;
            else if (c == 'o') octave = true;
            else if (c == 'u') up = true;
            else if (c == 'c') counter = true;
            else if (c == 't') thin = true;
            else if (c == 'b') breath = true;
            else if (c == 'r') reharm = true;
            else if (c == 'x') noDrums = true;
            else throw std::runtime_error(where + ": unknown letter '" + std::string(1, c) + "'");
        }
        if (!m) throw std::runtime_error(where + ": no material");
        if (reharm && m->reharm.empty()) throw std::runtime_error(where + ": no reharmonisation");
        // Ornaments and the check keep to the key the section sounds in.
        scale = transposeScale(m->scale.empty() ? p.scale : m->scale, shift);

        std::string prog = transposeChords(reharm ? m->reharm : m->chords, shift);
        std::vector<Line> lines;
        if (!p.pad.instrument.empty()) {
            int vol = breath ? p.pad.volume * 2 / 3 : p.pad.volume;
            std::vector<Line> pad = chords(kPad, p.padVoices, p.pad.instrument, vol, prog,
                                           padFloor(p, octave ? "" : transpose(m->melody, shift + (up ? 12 : 0))),
                                           p.padGlide);
            lines.insert(lines.end(), pad.begin(), pad.end());
        }
        std::string bass = reharm ? rootLine(prog, "C2") : transpose(m->bass, shift);
        if (vary_ && !reharm) bass = varyBass(bass, scale, unsigned(index) * 104729u + 3u, 16);
        if (!p.bass.instrument.empty()) lines.push_back({kBass, p.bass.instrument, p.bass.volume * (breath ? 2 : 3) / 3, bass});
        if (breath) return lines;

        std::string tune = transpose(m->melody, shift + (octave ? -12 : 0) + (up ? 12 : 0));
        if (vary_) tune = vary(tune, scale, unsigned(index) * 7919u + 17u);
        const Voice& lv = octave && !p.lead2.instrument.empty() ? p.lead2 : p.lead;
        lines.push_back({kLead, lv.instrument, lv.volume, sing(tune), p.leadAccent});

        if (counter && !p.counter.instrument.empty())
            lines.push_back({kCounter, p.counter.instrument, p.counter.volume,
                             counterLine(prog, noteName(pitchNote(p.counter.low) + (octave && pitchNote(p.counter.low) < pitchNote("A4") ? 12 : 0)))});
        if (!thin && !p.figure.instrument.empty())
            lines.push_back(figureLine(p, prog, abs, index / 2));  // runs on from where the last section left it
        if (!thin && !noDrums && !p.kits.empty() && !p.kits[size_t(kit)].empty())
            lines.push_back(drumLine(p, p.kits[size_t(kit)], abs, p.rows, true));
        return lines;
    }
};

}  // namespace

std::string padFloor(const Palette& p, const std::string& melody) {
    // The pad stays under the tune, so the lead is never doubled or rubbed.
    int low = pitchNote(p.pad.low);
    bool any = false;
    for (const Token& t : tokens(melody))
        if (pitched(t)) low = std::min(low, pitchNote(t.pitch) - 12), any = true;
    return noteName(any ? std::max(low, pitchNote("C3")) : low);
}

std::string transposeScale(const std::string& scale, int semitones) {
    static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    std::string out;
    for (const std::string& w : words(scale)) out += std::string(out.empty() ? "" : " ") + names[((pitchNote(w + "4") - 1 + semitones) % 12 + 12) % 12];
    return out;
}

Line drumLine(const Palette& p, const std::string& grid, int from, int rows, bool lenient) {
    std::string cells;
    for (char c : grid)
        if (c != ' ' && c != '|') cells += c;
    if (cells.empty()) throw std::runtime_error(p.tune.file + ": empty drum grid");
    // A drummer, not a loop: the light strokes come and go, seeded by the row.
    char light = cells.find('h') != std::string::npos ? 'h' : cells.find('t') != std::string::npos ? 't' : 0;
    std::string bar;
    for (int r = 0; r < rows; ++r) {
        char c = cells[size_t(from + r) % cells.size()];
        unsigned roll = mix(unsigned(from + r) * 40503u + 7u) % 8;
        if (c == light && roll < 2) c = '.';
        else if (c == '.' && light && r % 2 && roll == 7) c = light;
        bar += c;
    }
    Line d = drums(kDrums, p.drumVolume, bar, lenient);
    d.accent = p.drumAccent;
    return d;
}

Line figureLine(const Palette& p, const std::string& prog, int from, int turn) {
    // Figures separated by '/' take turns.
    std::vector<std::string> figs;
    for (size_t a = 0, b; a <= p.figureSteps.size(); a = b + 1) {
        b = std::min(p.figureSteps.find('/', a), p.figureSteps.size());
        figs.push_back(p.figureSteps.substr(a, b - a));
        if (words(figs.back()).empty())
            throw std::runtime_error(p.tune.file + ": empty figure in '" + p.figureSteps + "'");
    }
    if (p.figureStep < 1) throw std::runtime_error(p.tune.file + ": figure step below one row");
    std::vector<std::string> fig = words(figs[size_t(turn) % figs.size()]);
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
                int idx = number(f, p.tune.file + " figure '" + p.figureSteps + "'");
                if (idx < 0) throw std::runtime_error(p.tune.file + ": negative figure step " + f);
                t.pitch = noteName(tones[size_t(idx) % tones.size()] + 12 * (idx / int(tones.size())));
                if (p.swing && step % 2) t.delay = p.swing;
            }
            notes += formatToken(t) + " ";
        }
    }
    return Line{kFigure, p.figure.instrument, p.figure.volume, notes, p.figureAccent};
}

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

std::string vary(const std::string& melody, const std::string& scale, unsigned seed, int bar) {
    std::vector<int> pcs = scaleClasses(scale);
    std::vector<Token> in = tokens(melody), out;
    int row = 0, used = -1;  // the bar that has had its ornament
    for (size_t i = 0; i < in.size(); ++i) {
        Token t = in[i];
        int start = row, b = start / bar;
        row += t.rows;
        const Token* next = nullptr;
        for (size_t j = i + 1; j < in.size() && !next; ++j)
            if (pitched(in[j])) next = &in[j];
        // Seeded by the bar and the place in it, so editing one bar leaves the others alone.
        unsigned roll = mix(seed ^ mix(unsigned(b) * 2654435761u + unsigned(start % bar) * 40503u)) % 4;
        int orn = 0;
        if (b != used && next && roll < 3 && pitched(t) && t.rows >= 4)
            orn = ornamentNote(pcs, pitchNote(t.pitch), pitchNote(next->pitch));
        else if (b != used && next && roll == 0 && t.pitch == "." && t.rows >= 4)
            orn = scaleStep(pcs, pitchNote(next->pitch), -1);
        if (orn && pitched(t)) {
            // Lend the tail of a long note to a passing, neighbour or anticipating tone.
            Token tail = t;
            t.rows -= 2;
            tail.rows = 2, tail.vibrato = false, tail.glide = false, tail.delay = 0;
            tail.volume = t.volume >= 0 ? std::max(1, t.volume * 4 / 5) : -1;
            tail.pitch = noteName(orn);
            out.push_back(t), out.push_back(tail), used = b;
        } else if (orn) {
            // A pick-up from the scale step below into the next note.
            Token rest = t, pick = *next;
            rest.rows -= 2;
            pick.rows = 2, pick.vibrato = false, pick.glide = false, pick.slide = 0;
            pick.pitch = noteName(orn);
            out.push_back(rest), out.push_back(pick), used = b;
        } else if (pitched(t) && roll == 3 && t.rows >= 2 && !t.glide && !t.delay) {
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
    t.lenient = true;
    Builder b{piece};
    std::vector<std::string> plan = words(piece.opening);
    t.restart = int(plan.size());
    for (const std::string& w : words(piece.plan)) plan.push_back(w);
    for (size_t i = 0; i < plan.size(); ++i) {
        std::string name = "S" + std::to_string(i), scale;
        std::vector<Line> lines = b.section(plan[i], int(i), scale);
        t.sections.push_back(Section{name, piece.rows, lines, 16, scale});
        t.form += name + " ";
        b.abs += piece.rows;
    }
    return t;
}

}  // namespace compose
