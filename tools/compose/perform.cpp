// A written score played as written: each passage becomes one pattern,
// its parts copied bar by bar, and the generator adds only the pad's
// voicing, the figure and the drums the writer asks for.
#include <map>
#include <stdexcept>

#include "parts.h"
#include "score.h"

namespace compose {
namespace {

// Rows of a written part, checking every token and that each '|' falls on
// a bar line; errors name the passage, the part and the bar.
int measure(const std::string& text, int bar, const std::string& where, bool chordNames) {
    std::string spaced;
    for (char c : text) spaced += c == '|' ? std::string(" | ") : std::string(1, c);
    int rows = 0;
    std::string word;
    std::vector<std::string> items;
    for (char c : spaced + " ")
        if (c == ' ' || c == '\t' || c == '\n') {
            if (!word.empty()) items.push_back(word), word.clear();
        } else {
            word += c;
        }
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& w = items[i];
        std::string at = where + " bar " + std::to_string(rows / bar + 1);
        if (w == "|") {
            if (rows % bar) throw std::runtime_error(at + ": bar line " + std::to_string(rows % bar) + " rows into the bar");
            continue;
        }
        try {
            Token t = parseToken(w);
            if (rows == 0 && t.pitch == "-")
                throw std::runtime_error("opens with a hold; write the note again to carry it over");
            if (t.pitch != "." && t.pitch != "-") chordNames ? (void)chordPitchClasses(t.pitch) : (void)pitchNote(t.pitch);
            rows += t.rows;
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(at + ": " + e.what());
        }
    }
    return rows;
}

std::vector<std::string> expand(const std::string& form, const std::string& where) {
    std::vector<std::string> out;
    for (const std::string& w : words(form)) {
        size_t star = w.find('*');
        int times = star == std::string::npos ? 1 : number(w.substr(star + 1), where + " '" + w + "'");
        if (times < 1) throw std::runtime_error(where + ": '" + w + "' repeats nothing");
        for (int i = 0; i < times; ++i) out.push_back(w.substr(0, star));
    }
    return out;
}

}  // namespace

Tune perform(const Score& score) {
    Tune t = score.tune;
    std::map<std::string, int> played;
    std::vector<std::string> order = expand(score.opening, t.file + " opening");
    t.restart = int(order.size());
    for (const std::string& n : expand(score.form, t.file + " form")) order.push_back(n);
    for (const std::string& n : order) played[n]++;

    for (size_t index = 0; index < score.passages.size(); ++index) {
        const Passage& ps = score.passages[index];
        const std::string where = t.file + " passage " + ps.name;
        if (ps.bar < 1) throw std::runtime_error(where + ": a bar needs at least one row");
        if (!played.count(ps.name)) throw std::runtime_error(where + ": never played");
        struct Part { const char* name; const std::string& text; };
        int rows = -1;
        for (const Part& part : {Part{"chords", ps.chords}, Part{"melody", ps.melody}, Part{"counter", ps.counter},
                                 Part{"bass", ps.bass}}) {
            if (part.text.empty()) continue;
            int r = measure(part.text, ps.bar, where + " " + part.name, &part.text == &ps.chords);
            if (rows >= 0 && r != rows)
                throw std::runtime_error(where + " " + part.name + ": " + std::to_string(r) + " rows, the " +
                                         "passage's first part has " + std::to_string(rows));
            rows = r;
        }
        if (rows <= 0) throw std::runtime_error(where + ": nothing written");
        if (rows > 256) throw std::runtime_error(where + ": " + std::to_string(rows) + " rows, a pattern holds at most 256");
        // The check holds the melody to its passage's scale, so a melody must name one.
        if (!ps.melody.empty() && words(ps.scale).empty()) throw std::runtime_error(where + ": a melody needs a scale");
        for (const std::string& w : words(ps.scale)) try {
                pitchNote(w + "4");
            } catch (const std::runtime_error& e) {
                throw std::runtime_error(where + " scale: " + e.what());
            }

        std::vector<Line> lines;
        if (score.padVoices > kBass - kPad)
            throw std::runtime_error(where + ": " + std::to_string(score.padVoices) +
                                     " pad voices run into the bass channel (the pad has channels 2-4)");
        if (!ps.chords.empty() && !score.pad.instrument.empty()) {
            int vol = ps.breath ? score.pad.volume * 2 / 3 : score.pad.volume;
            std::string inst = score.pad.instrument + (ps.padDetune ? "+" + std::to_string(ps.padDetune) : "");
            std::vector<Line> pad = chords(kPad, score.padVoices, inst, vol, ps.chords,
                                           padFloor(score, ps.melody), score.padGlide);
            lines.insert(lines.end(), pad.begin(), pad.end());
        }
        if (!ps.bass.empty() && !score.bass.instrument.empty())
            lines.push_back({kBass, score.bass.instrument, score.bass.volume, ps.bass});
        if (!ps.melody.empty()) {
            const Voice& lv = ps.second && !score.lead2.instrument.empty() ? score.lead2 : score.lead;
            lines.push_back({kLead, lv.instrument, lv.volume, sing(ps.melody), score.leadAccent});
        }
        if (!ps.counter.empty() && !score.counter.instrument.empty())
            lines.push_back({kCounter, score.counter.instrument, score.counter.volume, sing(ps.counter)});
        if (ps.figure && !ps.chords.empty() && !score.figure.instrument.empty()) try {
                lines.push_back(figureLine(score, ps.chords, 0, int(index)));
            } catch (const std::runtime_error& e) {
                throw std::runtime_error(where + " figure: " + e.what());
            }
        if (ps.kit >= 0) {
            if (size_t(ps.kit) >= score.kits.size())
                throw std::runtime_error(where + ": no kit " + std::to_string(ps.kit) + " (the palette has " +
                                         std::to_string(score.kits.size()) + ")");
            if (!score.kits[size_t(ps.kit)].empty()) lines.push_back(drumLine(score, score.kits[size_t(ps.kit)], 0, rows));
        }
        Section sec{ps.name, rows, lines, ps.bar, ps.scale, ps.level, ps.chords};
        sec.riseFrom = ps.riseFrom, sec.riseRows = ps.riseBars * ps.bar;
        sec.swellTo = ps.swellTo, sec.swellRows = ps.swellBars * ps.bar;
        if (sec.riseRows < 0 || sec.swellRows < 0 || sec.riseRows + sec.swellRows > rows)
            throw std::runtime_error(where + ": its rise and swell need more bars than it has");
        t.sections.push_back(sec);
    }
    for (const auto& [name, times] : played) {
        bool known = false;
        for (const Passage& ps : score.passages) known = known || ps.name == name;
        if (!known) throw std::runtime_error(t.file + ": the form names no passage " + name);
    }
    for (const std::string& n : order) t.form += n + " ";
    return t;
}

}  // namespace compose
