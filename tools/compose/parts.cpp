// The parts the generator adds to a written score.
#include "parts.h"

#include <algorithm>
#include <cstdlib>
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

std::string padFloor(const Palette& p, const std::string& melody) {
    // The pad stays under the tune, so the lead is never doubled or rubbed.
    int low = pitchNote(p.pad.low);
    bool any = false;
    for (const Token& t : tokens(melody))
        if (pitched(t)) low = std::min(low, pitchNote(t.pitch) - 12), any = true;
    return noteName(any ? std::max(low, pitchNote("C3")) : low);
}

Line drumLine(const Palette& p, const std::string& grid, int from, int rows) {
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
    Line d = drums(kDrums, p.drumVolume, bar);
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

}  // namespace compose
