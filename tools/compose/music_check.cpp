// The music check: the song is played through once, order by order, with
// each channel's sounding pitch and level followed row by row.
#include "music_check.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

namespace compose {
namespace {

struct Playing {
    int note = 0;  // sounding pitch, 0 = silent
    int instrument = 0;
    double volume = 0;
    bool looped = false;
};

const char* kNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
std::string name(int note) { return kNames[(note - 1) % 12] + std::to_string((note - 1) / 12); }

bool accompaniment(int ch) { return (ch >= kPad && ch < kPad + 3) || ch == kBass; }

}  // namespace

std::vector<PassageInfo> passageInfo(const Tune& tune) {
    std::vector<PassageInfo> out;
    for (const Section& s : tune.sections) out.push_back({s.name, s.scale, s.bar});
    return out;
}

std::vector<PlayedRow> playSong(const Module& m, std::vector<std::string>* problems,
                                const std::function<std::string(int, int)>& where) {
    // Play once through, following pitch, level and loop of each channel.
    // Once through, then the loop again, so what rings over the seam is heard.
    std::vector<size_t> play;
    for (size_t o = 0; o < m.orders.size(); ++o) play.push_back(o);
    for (size_t o = size_t(std::max(0, m.restart)); o < m.orders.size(); ++o) play.push_back(o);
    std::vector<Playing> v(size_t(m.channels));
    std::vector<PlayedRow> song;
    for (size_t o : play) {
        const Pattern& p = m.patterns.at(size_t(m.orders[o]));
        for (int ch = 0; ch < m.channels; ++ch) {
            bool writes = false;
            for (int r = 0; r < p.rows; ++r) writes = writes || p.at(r, ch).note;
            if (problems && !writes && v[size_t(ch)].note && v[size_t(ch)].looped && v[size_t(ch)].volume > 0)
                problems->push_back("left ringing: " + where(int(o), 0) + ": channel " + std::to_string(ch) + " holds " +
                                    name(v[size_t(ch)].note) + " through a pattern it writes nothing in");
        }
        for (int r = 0; r < p.rows; ++r) {
            PlayedRow row{int(o), r, std::vector<int>(size_t(m.channels)), std::vector<bool>(size_t(m.channels))};
            for (int ch = 0; ch < m.channels; ++ch) {
                const Cell& c = p.at(r, ch);
                Playing& s = v[size_t(ch)];
                if (c.note == 97) s.note = 0;
                if (c.instrument && c.instrument <= m.instruments.size()) {
                    s.instrument = c.instrument;
                    s.volume = 64;
                    const Instrument& in = m.instruments[c.instrument - 1u];
                    s.looped = std::any_of(in.samples.begin(), in.samples.end(), [](const Sample& x) { return x.looped; });
                }
                if (c.note >= 1 && c.note <= 96 && s.instrument) {
                    row.onset[size_t(ch)] = s.note != c.note || c.instrument;
                    s.note = c.note;
                }
                if (c.volume >= 0x10 && c.volume <= 0x50) s.volume = c.volume - 0x10;
                if (c.effect == 10) s.volume += (c.param >> 4) * (m.speed - 1) - (c.param & 15) * (m.speed - 1);
                s.volume = std::clamp(s.volume, 0.0, 64.0);
                if (s.volume <= 0 && s.note) s.note = 0;
                row.note[size_t(ch)] = s.note;
            }
            song.push_back(std::move(row));
        }
    }
    return song;
}

std::vector<std::string> checkMusic(const Module& m, const std::vector<PassageInfo>& passages) {
    std::vector<std::string> problems;
    auto where = [&](int order, int row) {
        int p = m.orders[size_t(order)];
        const PassageInfo* info = size_t(p) < passages.size() ? &passages[size_t(p)] : nullptr;
        int bar = info ? info->bar : 16;
        std::ostringstream s;
        s << "order " << order << " (" << (info ? info->name : "pattern " + std::to_string(p)) << ") bar "
          << row / bar + 1;
        return s.str();
    };

    std::vector<PlayedRow> song = playSong(m, &problems, where);

    // Melody notes keep to their passage's scale.
    for (const PlayedRow& row : song) {
        int n = row.note[kLead];
        if (!row.onset[kLead] || !n) continue;
        const PassageInfo* info = size_t(m.orders[size_t(row.order)]) < passages.size()
                                      ? &passages[size_t(m.orders[size_t(row.order)])] : nullptr;
        if (!info || info->scale.empty()) continue;
        std::set<int> pcs;
        for (const std::string& w : words(info->scale)) pcs.insert((pitchNote(w + "4") - 1) % 12);
        if (!pcs.count((n - 1) % 12))
            problems.push_back("out of key: " + where(row.order, row.row) + ": melody " + name(n) + " outside " + info->scale);
    }

    // Low in the pad a semitone (or minor ninth) growls.
    for (const PlayedRow& row : song) {
        std::vector<int> pad;
        for (int ch = kPad; ch < kPad + 3 && ch < m.channels; ++ch)
            if (row.note[size_t(ch)]) pad.push_back(row.note[size_t(ch)]);
        bool struck = false;
        for (int ch = kPad; ch < kPad + 3 && ch < m.channels; ++ch) struck = struck || row.onset[size_t(ch)];
        for (int a : pad)
            for (int b : pad)
                if (struck && b > a && (b - a == 1 || b - a == 13) && a < pitchNote("C4"))
                    problems.push_back("pad semitone: " + where(row.order, row.row) + ": " + name(a) + " under " + name(b));
    }

    // Long melody and counter notes against the pad and bass.
    for (int ch : {int(kLead), int(kCounter)}) {
        if (ch >= m.channels) continue;
        for (size_t i = 0; i < song.size(); ++i) {
            if (!song[i].onset[size_t(ch)]) continue;
            int n = song[i].note[size_t(ch)];
            size_t end = i + 1;
            while (end < song.size() && song[end].note[size_t(ch)] == n && !song[end].onset[size_t(ch)]) ++end;
            if (end - i < 4) continue;
            // A held melody note doubling a chord tone with a pad tone a
            // semitone under it: the root over a major seventh.
            for (size_t k = i; k < end && ch == kLead; ++k) {
                std::set<int> pad, acc;
                for (int a = 0; a < m.channels; ++a)
                    if (accompaniment(a) && song[k].note[size_t(a)])
                        (a == kBass ? acc : pad).insert((song[k].note[size_t(a)] - 1) % 12);
                int pc = (n - 1) % 12;
                if (!(pad.count(pc) || acc.count(pc)) || !pad.count((pc + 11) % 12)) continue;
                problems.push_back("rub under the tune: " + where(song[k].order, song[k].row) + ": melody " + name(n) +
                                   " doubles a chord tone with a pad tone a semitone below it");
                break;
            }
            // A beat of rubbing is a clash; an anticipation's or appoggiatura's moment is not.
            int rubbing = 0;
            size_t first = end;
            for (size_t k = i; k < end; ++k) {
                std::set<int> acc;
                for (int a = 0; a < m.channels; ++a)
                    if (accompaniment(a) && song[k].note[size_t(a)]) acc.insert((song[k].note[size_t(a)] - 1) % 12);
                int pc = (n - 1) % 12;
                if (acc.count(pc) || !(acc.count((pc + 1) % 12) || acc.count((pc + 11) % 12))) continue;
                ++rubbing, first = std::min(first, k);
            }
            if (rubbing >= 4)
                problems.push_back(std::string("clash: ") + where(song[first].order, song[first].row) +
                                   (ch == kLead ? ": melody " : ": counter ") + name(n) + " held " +
                                   std::to_string(end - i) + " rows a semitone from the accompaniment");
        }
    }

    // The counter-melody doubling the melody, chord after chord.
    bool lastDoubled = false;
    for (size_t i = 0; i < song.size();) {
        size_t end = i + 1;
        auto change = [&](size_t k) {
            for (int a = 0; a < m.channels; ++a)
                if (accompaniment(a) && song[k].onset[size_t(a)]) return true;
            return false;
        };
        while (end < song.size() && !change(end)) ++end;
        bool doubled = false;
        for (size_t k = i; k < end && kCounter < m.channels; ++k) {
            int a = song[k].note[kLead], b = song[k].note[kCounter];
            doubled = doubled || (a && b && (a - b) % 12 == 0);
        }
        if (doubled && lastDoubled)
            problems.push_back("doubling: " + where(song[i].order, song[i].row) +
                               ": the counter-melody doubles the melody on consecutive chords");
        lastDoubled = doubled;
        i = end;
    }
    std::vector<std::string> unique;
    for (const std::string& p : problems)
        if (std::find(unique.begin(), unique.end(), p) == unique.end()) unique.push_back(p);
    return unique;
}

}  // namespace compose
