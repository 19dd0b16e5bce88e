// Measures for the review, all taken from the bytes the game loads (and
// the samples the generator builds for them).
#include "score_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "measure.h"
#include "music_check.h"
#include "render.h"
#include "spectrum.h"
#include "voices.h"

namespace compose {
namespace {

using Bar = std::vector<std::pair<int, int>>;  // (row, pitch) of the melody's onsets; pitch 0 = a rest

// The same bar moved up or down, or differing by one ornament note, is not new.
bool sameToTheEar(const Bar& a, const Bar& b) {
    auto shape = [](const Bar& x) {
        Bar s;
        int first = 0;
        for (auto [r, n] : x)
            if (n && !first) first = n;
        for (auto [r, n] : x) s.push_back({r, n ? n - first : -1000});
        return s;
    };
    if (shape(a) == shape(b)) return true;
    const Bar& longer = a.size() > b.size() ? a : b;
    const Bar& shorter = a.size() > b.size() ? b : a;
    if (longer.size() != shorter.size() + 1) return false;
    for (size_t skip = 0; skip < longer.size(); ++skip) {
        Bar cut = longer;
        cut.erase(cut.begin() + long(skip));
        if (shape(cut) == shape(shorter)) return true;  // an ornament added, rhythm otherwise kept
    }
    return false;
}

double highPassRms(const std::vector<int16_t>& x, size_t from, size_t to, double hz = 250) {
    // 2nd-order high-pass at the game's rate, run from a little before the window.
    const double w = 2 * 3.14159265358979 * hz / kGameRate, q = 0.707, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2, a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, sum = 0;
    size_t start = from > 200 ? from - 200 : 0;
    for (size_t i = start; i < to && i < x.size(); ++i) {
        double y = (b0 * x[i] + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1, x1 = x[i], y2 = y1, y1 = y;
        if (i >= from) sum += y * y;
    }
    return std::sqrt(sum / double(std::max<size_t>(1, to - from)) + 1e-9);
}

// Share of a sample's energy within half a harmonic of the fundamental of
// XM note `note` (the loop of a held tone, the whole of a struck one).
double fundamentalShare(const Sample& s, int note) {
    size_t from = s.looped ? s.loopStart : 0, len = s.looped ? s.loopLength : s.data.size(), n = 16;
    while (n < len) n *= 2;
    std::vector<double> pw = powerSpectrum(std::vector<double>(s.data.begin() + long(from), s.data.begin() + long(from + len)), n);
    double f0 = double(n) * noteHz(note) / playbackRate(s, note), all = 1e-30, fund = 0;
    for (size_t k = 1; k < pw.size(); ++k) {
        all += pw[k];
        if (double(k) > f0 / 2 && double(k) < f0 * 1.5) fund += pw[k];
    }
    return fund / all;
}

}  // namespace

LoopFigures loopFigures(const Module& m, const Tune& tune, const std::vector<int16_t>& firstPass) {
    LoopFigures f;
    double rowSeconds = m.speed * 2.5 / m.bpm;
    std::vector<PlayedRow> song = playSong(m, nullptr, [](int, int) { return std::string(); });
    int loopRows = 0, openRows = 0;
    for (size_t o = 0; o < m.orders.size(); ++o)
        (int(o) < m.restart ? openRows : loopRows) += m.patterns[size_t(m.orders[o])].rows;
    // The first loop pass: after the opening, before the loop comes round again.
    int padRows = 0, rubRows = 0;
    for (size_t i = size_t(openRows); i < song.size() && i < size_t(openRows + loopRows); ++i) {
        const PlayedRow& r = song[i];
        std::vector<int> pad;
        for (int ch = kPad; ch < kPad + 3 && ch < m.channels; ++ch)
            if (r.note[size_t(ch)]) pad.push_back(r.note[size_t(ch)]);
        std::vector<int> acc = pad;
        if (r.note[kBass]) acc.push_back(r.note[kBass]);
        if (!pad.empty()) {
            ++padRows;
            bool semi = false;
            for (int a : pad)
                for (int b : pad) semi = semi || std::abs(a - b) == 1 || std::abs(a - b) == 13;
            rubRows += semi;
        }
        // Held melody or counter notes a semitone from the accompaniment, or a
        // minor ninth (and octaves) above it; a major seventh is colour, not contact.
        for (int ch : {int(kLead), int(kCounter)}) {
            int n = r.note[size_t(ch)];
            if (!n || r.onset[size_t(ch)]) continue;
            bool rub = false;
            int with = 0;
            for (int a : acc)
                if (std::abs(a - n) == 1 || (n > a && (n - a) % 12 == 1)) rub = true, with = a;
            f.rubSeconds += rub ? rowSeconds : 0;
            if (rub && std::getenv("QM_REVIEW_RUBS"))
                std::fprintf(stderr, "%s order %d (%s) row %d: %s %s against %s\n", tune.file.c_str(), r.order,
                             tune.sections.at(size_t(m.orders[size_t(r.order)])).name.c_str(), r.row,
                             ch == kLead ? "melody" : "counter", noteName(n).c_str(), noteName(with).c_str());
        }
    }
    f.padSemitoneShare = padRows ? double(rubRows) / padRows : 0;

    // Melody bars of the loop that repeat an earlier bar note for note.
    std::vector<std::vector<std::pair<int, int>>> heard;
    int bars = 0, repeats = 0;
    for (size_t o = 0; o < m.orders.size(); ++o) {
        const Pattern& p = m.patterns[size_t(m.orders[o])];
        int bar = tune.sections.at(size_t(m.orders[o])).bar;
        for (int b0 = 0; b0 < p.rows; b0 += bar) {
            std::vector<std::pair<int, int>> b;
            for (int r = b0; r < std::min(p.rows, b0 + bar); ++r)
                if (int n = p.at(r, kLead).note) b.push_back({r - b0, n});
            if (std::none_of(b.begin(), b.end(), [](auto x) { return x.second < 97; })) continue;
            if (int(o) >= m.restart) {
                ++bars;
                repeats += std::find(heard.begin(), heard.end(), b) != heard.end();
            }
            heard.push_back(b);
        }
    }
    f.repeatShare = bars ? double(repeats) / bars : 0;

    // Strong beats (a bar's first row and its middle) where the melody is
    // not a chord tone: suspensions, appoggiaturas, passing notes.
    int strong = 0, leaning = 0;
    for (size_t i = size_t(openRows); i < song.size() && i < size_t(openRows + loopRows); ++i) {
        const PlayedRow& r = song[i];
        int bar = tune.sections.at(size_t(m.orders[size_t(r.order)])).bar;
        int n = r.note[kLead];
        if (!n || (r.row % bar != 0 && !(bar % 2 == 0 && r.row % bar == bar / 2))) continue;
        // A tone of the chord as written, or where none is written, of the chord as it sounds.
        bool chordTone = false, any = false;
        std::string chord;
        int at = 0;
        for (const std::string& w : words(tune.sections.at(size_t(m.orders[size_t(r.order)])).chords)) {
            Token t = parseToken(w);
            if (at <= r.row) chord = t.pitch == "-" ? chord : t.pitch;
            at += t.rows;
        }
        if (!chord.empty() && chord != ".")
            for (int pc : chordPitchClasses(chord)) any = true, chordTone = chordTone || (n - 1) % 12 == pc;
        for (int ch = kPad; ch <= kBass && ch < m.channels && chord.empty(); ++ch)
            if (int a = r.note[size_t(ch)]) any = true, chordTone = chordTone || (a - n) % 12 == 0;
        if (!any) continue;
        ++strong, leaning += !chordTone;
        if (!chordTone && std::getenv("QM_REVIEW_LEANS"))
            std::fprintf(stderr, "%s %s bar %d row %d: %s off the chord\n", tune.file.c_str(),
                         tune.sections.at(size_t(m.orders[size_t(r.order)])).name.c_str(), r.row / bar + 1,
                         r.row % bar, noteName(n).c_str());
    }
    f.strongNonChordShare = strong ? double(leaning) / strong : 0;

    // Loop melody bars written in one of the three stock rhythms (rows of
    // their onsets 0-6-8, 0-8-12 or 0-4-8 in a sixteen-row bar).
    for (size_t o = size_t(m.restart); o < m.orders.size(); ++o) {
        const Pattern& p = m.patterns[size_t(m.orders[o])];
        int bar = tune.sections.at(size_t(m.orders[o])).bar;
        if (bar != 16) continue;
        for (int b0 = 0; b0 + bar <= p.rows; b0 += bar) {
            std::vector<int> on;
            for (int r = b0; r < b0 + bar; ++r)
                if (int n = p.at(r, kLead).note; n >= 1 && n <= 96) on.push_back(r - b0);
            using V = std::vector<int>;
            bool stock = on == V{0, 6, 8} || on == V{0, 8, 12} || on == V{0, 4, 8};
            f.stockBars += stock;
            if (stock && std::getenv("QM_REVIEW_BARS"))
                std::fprintf(stderr, "%s %s bar %d in a stock rhythm\n", tune.file.c_str(),
                             tune.sections.at(size_t(m.orders[o])).name.c_str(), b0 / bar + 1);
        }
    }

    // Loudness in 3-s windows, a second apart, over the loop.
    std::vector<double> db;
    size_t from = size_t(openRows * rowSeconds * kGameRate), win = 3 * kGameRate;
    double sum = 0;
    for (size_t a = from; a + win <= firstPass.size(); a += kGameRate) {
        double e = 0;
        for (size_t i = a; i < a + win; ++i) e += double(firstPass[i]) * firstPass[i];
        db.push_back(10 * std::log10(e / double(win) + 1e-9));
        sum += e;
    }
    if (!db.empty()) {
        std::vector<double> sorted = db;
        std::sort(sorted.begin(), sorted.end());
        f.spanDb = sorted[sorted.size() * 9 / 10] - sorted[sorted.size() / 10];
        f.meanDb = 10 * std::log10(sum / double(db.size() * win) + 1e-9) - 20 * std::log10(32768.0);
        f.loudestSecond = double(std::max_element(db.begin(), db.end()) - db.begin()) + 1.5;
    }
    return f;
}


std::vector<std::pair<std::string, double>> leadFundamentals(const Module& m, const Tune& tune) {
    Module built = buildModule(tune);
    std::map<int, std::vector<int>> byInstrument;
    for (int ch : {int(kLead), int(kCounter)})
        for (int o : m.orders)
            for (int r = 0, inst = 0; r < m.patterns[size_t(o)].rows; ++r) {
                const Cell& c = m.patterns[size_t(o)].at(r, ch);
                if (c.instrument) inst = c.instrument;
                if (c.note >= 1 && c.note <= 96 && inst) byInstrument[inst].push_back(c.note);
            }
    std::vector<std::pair<std::string, double>> out;
    for (auto& [inst, ns] : byInstrument) {
        std::sort(ns.begin(), ns.end());
        const Instrument& in = built.instruments.at(size_t(inst - 1));
        int note = ns[ns.size() / 2];
        out.push_back({in.name + " (" + noteName(note) + ")",
                       fundamentalShare(in.samples.at(in.noteMap[size_t(note - 1)]), note)});
    }
    return out;
}

DrumFigures drumFigures(const Module& m, const std::vector<uint8_t>& bytes) {
    double rowSeconds = m.speed * 2.5 / m.bpm, seconds = 0;
    for (int o : m.orders) seconds += m.patterns[size_t(o)].rows * rowSeconds;
    std::vector<int16_t> drums = dumbRenderBytes(soloChannel(bytes, kDrums), seconds);
    std::vector<int16_t> rest = dumbRenderBytes(soloChannel(bytes, kDrums, true), seconds);
    std::vector<double> diffs, kicks;
    double t = 0;
    for (int o : m.orders) {
        const Pattern& p = m.patterns[size_t(o)];
        for (int r = 0; r < p.rows; ++r, t += rowSeconds)
            if (p.at(r, kDrums).note >= 1 && p.at(r, kDrums).note <= 96) {
                size_t a = size_t(t * kGameRate), b = a + size_t(0.05 * kGameRate);
                if (b > drums.size() || b > rest.size()) continue;
                diffs.push_back(20 * std::log10(highPassRms(drums, a, b) / highPassRms(rest, a, b)));
                int inst = p.at(r, kDrums).instrument;
                const std::string name = inst ? m.instruments.at(size_t(inst - 1)).name : "";
                if (name == "kick" || name == "tom") kicks.push_back(diffs.back());
            }
    }
    DrumFigures d;
    d.hits = int(diffs.size()), d.kicks = int(kicks.size());
    std::sort(diffs.begin(), diffs.end());
    std::sort(kicks.begin(), kicks.end());
    if (d.hits)
        d.medianDb = diffs[diffs.size() / 2], d.lowQuartileDb = diffs[diffs.size() / 4],
        d.highQuartileDb = diffs[diffs.size() * 3 / 4];
    if (d.kicks) d.kickDb = kicks[kicks.size() / 2];
    return d;
}

MelodyFigures melodyFigures(const Module& m, const Tune& tune) {
    // Melody bars new to the ear, and phrase lengths (a phrase ends at a rest or a section's end).
    MelodyFigures f;
    std::vector<Bar> heard;
    for (size_t o = 0; o < m.orders.size(); ++o) {
        const Pattern& p = m.patterns[size_t(m.orders[o])];
        int bar = tune.sections.at(size_t(m.orders[o])).bar, start = -1;
        for (int b0 = 0; b0 < p.rows; b0 += bar) {
            Bar b;
            for (int r = b0; r < std::min(p.rows, b0 + bar); ++r) {
                const Cell& c = p.at(r, kLead);
                if (c.note >= 1 && c.note <= 96) b.push_back({r - b0, c.note});
                else if (c.note == 97 && !b.empty()) b.push_back({r - b0, 0});
            }
            if (std::none_of(b.begin(), b.end(), [](auto x) { return x.second > 0; })) continue;
            ++f.bars;
            bool isNew = std::none_of(heard.begin(), heard.end(), [&](const Bar& h) { return sameToTheEar(h, b); });
            f.fresh += isNew;
            if (std::getenv("QM_REVIEW_BARS")) {
                std::fprintf(stderr, "%s order %zu bar %d %s:", tune.file.c_str(), o, b0 / bar + 1, isNew ? "new" : "old");
                for (auto [r, n] : b) std::fprintf(stderr, " %d:%s", r, n ? noteName(n).c_str() : ".");
                std::fprintf(stderr, "\n");
            }
            heard.push_back(b);
        }
        if (o < size_t(m.restart)) continue;  // phrases of the loop only
        for (int r = 0; r <= p.rows; ++r) {
            int note = r < p.rows ? p.at(r, kLead).note : 97;
            if (note >= 1 && note <= 96 && start < 0) start = r;
            if (note == 97 && start >= 0) f.phrases[(r - start + bar - 1) / bar]++, start = -1;
        }
    }
    return f;
}

void scoreReport(const Tune& tune, const std::string& dir) {
    std::ifstream in(dir + "/" + tune.file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    Module m = readPatterns(bytes);
    double rowSeconds = m.speed * 2.5 / m.bpm;
    std::printf("%s (%s)\n  form:", tune.file.c_str(), tune.key.c_str());
    for (size_t o = 0; o < m.orders.size(); ++o) {
        const Section& s = tune.sections.at(size_t(m.orders[o]));
        std::printf("%s %s %dx%d %.1fs", o == size_t(m.restart) ? " ||:" : "", s.name.c_str(), s.rows / s.bar,
                    s.bar, s.rows * rowSeconds);
    }
    std::printf(" :||\n");

    MelodyFigures f = melodyFigures(m, tune);
    std::printf("  melody bars: %d played, %d new to the ear; phrase lengths in bars (count):", f.bars, f.fresh);
    for (auto [len, n] : f.phrases) std::printf(" %d(%d)", len, n);
    std::printf("\n");
    // Counter-melody against the melody: does it move where the melody holds?
    int counterOnsets = 0, whileHeld = 0;
    bool melodySounds = false;
    for (int o : m.orders)
        for (int r = 0; r < m.patterns[size_t(o)].rows; ++r) {
            int mel = m.patterns[size_t(o)].at(r, kLead).note, cnt = m.patterns[size_t(o)].at(r, kCounter).note;
            if (mel == 97) melodySounds = false;
            if (cnt >= 1 && cnt <= 96) ++counterOnsets, whileHeld += melodySounds && !(mel >= 1 && mel <= 96);
            if (mel >= 1 && mel <= 96) melodySounds = true;
        }
    if (counterOnsets)
        std::printf("  counter-melody: %d notes, %d%% struck while the melody holds a note\n", counterOnsets,
                    100 * whileHeld / counterOnsets);
    std::vector<int> notes;
    for (int o : m.orders)
        for (int r = 0; r < m.patterns[size_t(o)].rows; ++r)
            if (int n = m.patterns[size_t(o)].at(r, kLead).note; n >= 1 && n <= 96) notes.push_back(n);

    std::printf("  fundamental share:");
    for (const auto& [name, share] : leadFundamentals(m, tune)) std::printf(" %s %.2f", name.c_str(), share);
    std::printf("\n");
    double loop = dumbLoopSeconds(dir + "/" + tune.file);
    LoopFigures lf = loopFigures(m, tune, dumbRender(dir + "/" + tune.file, loop));
    std::printf("  strong beats off the chord %.0f%%, loop bars in the stock rhythms %d\n", 100 * lf.strongNonChordShare,
                lf.stockBars);
    std::printf("  pad semitones %.0f%%, held notes a semitone from the accompaniment %.1f s, exact-repeat bars %.0f%%, "
                "3-s loudness span %.1f dB (mean %.1f dBFS, loudest at %.0f s)\n",
                100 * lf.padSemitoneShare, lf.rubSeconds, 100 * lf.repeatShare, lf.spanDb, lf.meanDb, lf.loudestSecond);

    double seconds = dumbLoopSeconds(dir + "/" + tune.file);
    DrumFigures d = drumFigures(m, bytes);
    // The melody against everything else above 300 Hz, where it is heard.
    std::vector<int16_t> lead = dumbRenderBytes(soloChannel(bytes, kLead), seconds);
    std::vector<int16_t> others = dumbRenderBytes(soloChannel(bytes, kLead, true), seconds);
    size_t n = std::min(lead.size(), others.size());
    std::printf("  melody over the accompaniment above 300 Hz: %+.1f dB\n",
                20 * std::log10(highPassRms(lead, 0, n, 300) / highPassRms(others, 0, n, 300)));
    if (!d.hits) {
        std::printf("  drums: none\n");
    } else {
        std::printf("  drums above 250 Hz against the music, 50 ms after each of %d hits: median %+.1f dB "
                    "(quartiles %+.1f / %+.1f)\n", d.hits, d.medianDb, d.lowQuartileDb, d.highQuartileDb);
        if (d.kicks) std::printf("  kick alone, %d hits: median %+.1f dB\n", d.kicks, d.kickDb);
    }
}

}  // namespace compose
