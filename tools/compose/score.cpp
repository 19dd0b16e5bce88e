// Note-table parsing, chord voicing and pattern assembly.
#include "score.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

#include "voices.h"

namespace compose {
namespace {

constexpr int kLowestRub = 49;  // C-4: below it a semitone in the pad growls

int pitchClass(const std::string& s, size_t& i) {
    static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (i >= s.size() || s[i] < 'A' || s[i] > 'G') throw std::runtime_error("bad pitch: " + s);
    int pc = base[s[i++] - 'A'];
    if (i < s.size() && s[i] == '#') ++pc, ++i;
    else if (i < s.size() && s[i] == 'b') --pc, ++i;
    return (pc + 12) % 12;
}

std::vector<int> intervals(const std::string& quality) {
    static const std::map<std::string, std::vector<int>> q = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},           {"7", {0, 4, 7, 10}},     {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},   {"m9", {0, 3, 7, 10, 14}},  {"maj9", {0, 4, 7, 11, 14}}, {"m7b5", {0, 3, 6, 10}},
        {"dim", {0, 3, 6}},      {"aug", {0, 4, 8}},         {"sus2", {0, 2, 7}},      {"sus4", {0, 5, 7}},
        {"7sus4", {0, 5, 7, 10}}, {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}}, {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},  {"mmaj7", {0, 3, 7, 11}},    {"7b9", {0, 4, 7, 10, 13}}, {"9", {0, 4, 7, 10, 14}}, {"5", {0, 7}},
    };
    auto it = q.find(quality);
    if (it == q.end()) throw std::runtime_error("unknown chord quality: " + quality);
    return it->second;
}

// Close voicing above `low` with `voices` notes. A chord with more tones
// than voices loses its root first (the bass plays it), then its fifth; one
// with fewer doubles its root. A semitone in the pad (or a minor ninth low
// in it) grinds, so its lower tone goes up an octave.
std::vector<int> voiceChord(const std::string& name, int voices, int low) {
    size_t i = 0;
    int root = pitchClass(name, i);
    std::vector<int> iv = intervals(name.substr(i));
    if (int(iv.size()) > voices) iv.erase(iv.begin());
    if (int(iv.size()) > voices) iv.erase(std::remove(iv.begin(), iv.end(), 7), iv.end());
    while (int(iv.size()) > voices) iv.pop_back();
    std::vector<int> notes;
    for (int v : iv) {
        int pc = (root + v) % 12, n = low;
        while ((n - 1) % 12 != pc) ++n;
        notes.push_back(n);
    }
    std::sort(notes.begin(), notes.end());
    for (size_t k = 0; int(notes.size()) < voices; ++k) notes.push_back(notes[k] + 12);
    std::sort(notes.begin(), notes.end());
    for (int pass = 0; pass < voices; ++pass)
        for (size_t a = 0; a < notes.size(); ++a)
            for (size_t b = 0; b < notes.size(); ++b) {
                int gap = notes[b] - notes[a];
                if (gap == 1 || (gap == 13 && notes[a] < kLowestRub)) notes[a] += 12, std::sort(notes.begin(), notes.end());
            }
    return notes;
}

void place(Pattern& p, int row, int ch, const Cell& c, const std::string& where) {
    Cell& dst = p.at(row, ch);
    if (dst.note || dst.instrument) throw std::runtime_error(where + ": two notes in one cell at row " + std::to_string(row));
    dst = c;
}

}  // namespace

int number(const std::string& text, const std::string& what) {
    size_t i = text.size() > 1 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size() || text.size() > 6 || text.find_first_not_of("0123456789", i) != std::string::npos)
        throw std::runtime_error("'" + text + "' is not a number in " + what);
    return std::stoi(text);
}

std::vector<std::string> words(std::string s) {
    std::replace(s.begin(), s.end(), '|', ' ');
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

Token parseToken(const std::string& w) {
    Token t;
    size_t colon = w.find(':');
    if (colon == std::string::npos) throw std::runtime_error("token without length: " + w);
    if (colon == 0) throw std::runtime_error("token without pitch: " + w);
    t.pitch = w.substr(0, colon);
    const char* tags = "!@~^'<>";
    size_t i = colon + 1, end = w.find_first_of(tags, i);
    t.rows = number(w.substr(i, end - i), "the length of " + w);
    while (end != std::string::npos) {
        char tag = w[end];
        size_t next = w.find_first_of(tags, end + 1);
        std::string v = w.substr(end + 1, next == std::string::npos ? std::string::npos : next - end - 1);
        if (tag == '!') t.volume = number(v, "the volume of " + w);
        else if (tag == '@') t.instrument = v;
        else if (tag == '~') t.vibrato = true;
        else if (tag == '^') t.glide = true;
        else if (tag == '\'') t.delay = number(v, "the delay of " + w);
        else if (tag == '<') t.slide = number(v, "the swell of " + w);
        else t.slide = -number(v, "the fade of " + w);
        if ((tag == '~' || tag == '^') && !v.empty()) throw std::runtime_error("stray '" + v + "' in " + w);
        if (tag == '@' && v.empty()) throw std::runtime_error("no instrument after @ in " + w);
        end = next;
    }
    if (t.rows < 1) throw std::runtime_error("token with no length: " + w);
    bool loudness = w.find('!') != std::string::npos;  // a written volume; -1 is "the line's"
    if (loudness && (t.volume < 1 || t.volume > 64)) throw std::runtime_error("volume outside 1..64 in " + w);
    if (t.delay < 0 || t.delay > 15 || std::abs(t.slide) > 15) throw std::runtime_error("bad mark in " + w);
    if (t.vibrato && t.slide) throw std::runtime_error("vibrato and slide share the held rows: " + w);
    if (t.glide && t.delay) throw std::runtime_error("a glide cannot be late: " + w);
    return t;
}

std::string formatToken(const Token& t) {
    std::string s = t.pitch + ":" + std::to_string(t.rows);
    if (t.volume >= 0) s += "!" + std::to_string(t.volume);
    if (!t.instrument.empty()) s += "@" + t.instrument;
    if (t.vibrato) s += "~";
    if (t.glide) s += "^";
    if (t.delay) s += "'" + std::to_string(t.delay);
    if (t.slide) s += (t.slide > 0 ? "<" : ">") + std::to_string(std::abs(t.slide));
    return s;
}

std::string noteName(int note) {
    static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return names[(note - 1) % 12] + std::to_string((note - 1) / 12);
}

std::vector<int> chordPitchClasses(const std::string& chord) {
    size_t i = 0;
    int root = pitchClass(chord, i);
    std::vector<int> pcs;
    for (int v : intervals(chord.substr(i))) pcs.push_back((root + v) % 12);
    return pcs;
}

int pitchNote(const std::string& pitch) {
    size_t i = 0;
    int pc = pitchClass(pitch, i);
    if (i >= pitch.size()) throw std::runtime_error("pitch without octave: " + pitch);
    int octave = number(pitch.substr(i), "the octave of " + pitch);
    int note = 12 * octave + pc + 1;
    // Cb and B# cross the octave boundary: Cb4 is B3, B#3 is C4.
    if (pitch.compare(0, 2, "Cb") == 0) note -= 12;
    if (pitch.compare(0, 2, "B#") == 0) note += 12;
    if (note < 1 || note > 96) throw std::runtime_error("pitch out of range: " + pitch);
    return note;
}

std::string rep(const std::string& tokens, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += tokens + " ";
    return out;
}

Line drums(int channel, int volume, const std::string& grid) {
    static const std::map<char, std::string> kit = {{'k', "kick"}, {'K', "kick"}, {'s', "snare"}, {'h', "hat"},
                                                    {'t', "tick"}, {'c', "tick"}, {'o', "tom"}};
    // Snare and hat (and a kick written K) are struck twice as hard as the
    // rest (6 dB), so the beat carries on small speakers.
    bool struck = grid.find_first_of("shK") != std::string::npos;
    int loud = struck ? 2 * volume : volume;
    if (volume < 1 || volume > 64 || loud > 64)
        throw std::runtime_error("drum volume " + std::to_string(volume) + ": snare and hat play at twice it, within 1..64");
    std::string notes;
    for (char c : grid) {
        if (c == ' ' || c == '|') continue;
        if (c == '.') notes += "-:1 ";
        else if (kit.count(c)) notes += "C4:1!" + std::to_string(c == 's' || c == 'h' || c == 'K' ? loud : volume) + "@" + kit.at(c) + " ";
        else throw std::runtime_error(std::string("unknown drum letter ") + c);
    }
    return Line{channel, "", volume, notes};
}

std::vector<Line> chords(int firstChannel, int voices, const std::string& instrument, int volume,
                         const std::string& progression, const std::string& low, bool glide) {
    std::vector<Line> lines;
    for (int v = 0; v < voices; ++v) lines.push_back(Line{firstChannel + v, instrument, volume, ""});
    std::vector<int> last(voices, 0);
    for (const std::string& w : words(progression)) {
        Token t = parseToken(w);
        std::string len = ":" + std::to_string(t.rows);
        if (t.pitch == "." || t.pitch == "-") {
            for (int v = 0; v < voices; ++v) lines[v].notes += t.pitch + len + " ";
            if (t.pitch == ".") std::fill(last.begin(), last.end(), 0);
            continue;
        }
        std::vector<int> notes = voiceChord(t.pitch, voices, pitchNote(low));
        for (int v = 0; v < voices; ++v) {
            bool same = notes[v] == last[v];
            bool slide = glide && last[v] != 0 && std::abs(notes[v] - last[v]) <= 2;  // wider slides wail
            lines[v].notes += (same ? std::string("-") : noteName(notes[v])) + len + (slide && !same ? "^" : "") + " ";
            last[v] = notes[v];
        }
    }
    return lines;
}

Line arpeggio(int channel, const std::string& instrument, int volume, const std::string& progression,
              const std::string& figure, int step, const std::string& low) {
    std::vector<std::string> fig = words(figure);
    std::string notes;
    for (const std::string& w : words(progression)) {
        Token t = parseToken(w);
        if (t.pitch == "." || t.pitch == "-") {
            notes += t.pitch + ":" + std::to_string(t.rows) + " ";
            continue;
        }
        std::vector<int> tones = voiceChord(t.pitch, 3, pitchNote(low));
        for (int r = 0, k = 0; r < t.rows; r += step, ++k) {
            int len = std::min(step, t.rows - r);
            const std::string& f = fig[size_t(k) % fig.size()];
            if (f == "-" || f == ".") {
                notes += f + ":" + std::to_string(len) + " ";
                continue;
            }
            int idx = number(f, "figure " + figure);
            int n = tones[size_t(idx) % tones.size()] + 12 * (idx / int(tones.size()));
            notes += noteName(n) + ":" + std::to_string(len) + " ";
        }
    }
    return Line{channel, instrument, volume, notes};
}

double Section::levelAt(int row) const {
    if (row < riseRows) return riseFrom + (level - riseFrom) * row / riseRows;
    if (row >= rows - swellRows) return level + (swellTo - level) * (row - (rows - swellRows) + 1) / swellRows;
    return level;
}

Module buildModule(const Tune& tune) {
    Module m;
    m.name = tune.title;
    m.channels = tune.channels;
    m.speed = tune.speed;
    m.bpm = tune.bpm;
    m.restart = tune.restart;

    // Instruments are numbered by first use; each is sampled across the
    // range this tune gives it.
    std::vector<std::string> ids;
    std::map<std::string, std::pair<int, int>> range;
    std::map<std::string, std::string> firstIn;  // the passage that first plays each instrument
    for (const Section& s : tune.sections)
        for (const Line& l : s.lines)
            for (const std::string& w : words(l.notes)) {
                Token t = parseToken(w);
                if (t.pitch == "." || t.pitch == "-") continue;
                std::string id = t.instrument.empty() ? l.instrument : t.instrument;
                if (!range.count(id)) ids.push_back(id), range[id] = {96, 1}, firstIn[id] = s.name;
                int n = isDrum(id) ? 49 : pitchNote(t.pitch);
                range[id] = {std::min(range[id].first, n), std::max(range[id].second, n)};
            }
    for (const std::string& id : ids) try {
            m.instruments.push_back(makeVoice(id, range[id].first, range[id].second));
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(tune.file + " passage " + firstIn[id] + ": " + e.what());
        }

    std::map<std::string, int> patternOf;
    for (const Section& s : tune.sections) {
        Pattern p(s.rows, tune.channels);
        std::vector<bool> written(size_t(std::max(tune.channels, 0)), false);
        for (const Line& l : s.lines) {
            std::string where = tune.file + " " + s.name + " channel " + std::to_string(l.channel);
            if (l.channel < 0 || l.channel >= tune.channels) throw std::runtime_error(where + ": no such channel");
            written[size_t(l.channel)] = true;
            int row = 0;
            double base = 0;  // the sounding note's volume before the level
            for (const std::string& w : words(l.notes)) {
                std::string at = where + " bar " + std::to_string(row / std::max(1, s.bar) + 1);
                Token t;
                try {
                    t = parseToken(w);
                    if (t.pitch != "." && t.pitch != "-") pitchNote(t.pitch);
                } catch (const std::runtime_error& e) {
                    throw std::runtime_error(at + ": " + e.what());
                }
                if (row + t.rows > s.rows) throw std::runtime_error(at + ": runs past the section at " + w);
                if (t.pitch == ".") {
                    place(p, row, l.channel, Cell{97, 0, 0, 0, 0}, where);
                } else if (t.pitch != "-") {
                    std::string id = t.instrument.empty() ? l.instrument : t.instrument;
                    int inst = int(std::find(ids.begin(), ids.end(), id) - ids.begin()) + 1;
                    double accent = l.accent.empty() ? 1.0 : l.accent[size_t(row) % l.accent.size()];
                    double own = (t.volume >= 0 ? t.volume : l.volume) * tune.gain * accent;
                    if (!t.glide) base = own;
                    int vol = int(std::lround(own * s.levelAt(row)));
                    // A level the player cannot play is a writing error, not something to round off.
                    if (vol < 1 || vol > 64)
                        throw std::runtime_error(at + ": " + w + " asks for volume " + std::to_string(vol) +
                                                 " (1..64) after gain, level and accent");
                    int note = isDrum(id) ? 49 : pitchNote(t.pitch);
                    // A glide keeps the sounding instrument and level and only bends the pitch.
                    Cell c = t.glide ? Cell{uint8_t(note), 0, 0, 3, uint8_t(tune.glide)}
                                     : Cell{uint8_t(note), uint8_t(inst), uint8_t(0x10 + vol), 0, 0};
                    if (t.delay) c.effect = 14, c.param = uint8_t(0xD0 | t.delay);
                    place(p, row, l.channel, c, where);
                    for (int r = row + 1; r < row + t.rows; ++r) {
                        Cell& h = p.at(r, l.channel);
                        // Portamento moves only while it is written: keep it on until the note ends.
                        if (t.glide) h.effect = 3, h.param = uint8_t(tune.glide);
                        if (t.vibrato && r >= row + 2) h.effect = 4, h.param = uint8_t(tune.vibrato);
                        if (t.slide) h.effect = 10, h.param = uint8_t(t.slide > 0 ? t.slide << 4 : -t.slide);
                    }
                    // Through a rise or swell a held note follows the level row by row (a fade keeps its own).
                    int last = int(std::lround(base * s.levelAt(row)));
                    for (int r = row + 1; r < row + t.rows && !t.slide; ++r) {
                        int v = int(std::lround(base * s.levelAt(r)));
                        if (v != last && v >= 1 && v <= 64) p.at(r, l.channel).volume = uint8_t(0x10 + v), last = v;
                    }
                }
                row += t.rows;
            }
            if (row != s.rows) throw std::runtime_error(where + ": " + std::to_string(row) + " rows, section has " +
                                                        std::to_string(s.rows));
        }
        // A part that rests for a whole section must not leave its last
        // note ringing on from wherever the song came from.
        for (int ch = 0; ch < tune.channels; ++ch)
            if (!written[size_t(ch)] && s.rows > 0) p.at(0, ch) = Cell{97, 0, 0, 0, 0};
        if (patternOf.count(s.name)) throw std::runtime_error(tune.file + ": two sections named " + s.name);
        patternOf[s.name] = int(m.patterns.size());
        m.patterns.push_back(std::move(p));
    }
    for (const std::string& name : words(tune.form)) {
        if (!patternOf.count(name)) throw std::runtime_error(tune.file + ": form names unknown section " + name);
        m.orders.push_back(patternOf[name]);
    }
    return m;
}

}  // namespace compose
