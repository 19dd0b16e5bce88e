// The note-table notation: pitches, voicings, marks of expression and the
// way lines become cells; and the promise
// every tune relies on: no partial of any tone sample reaches the 2 kHz
// Nyquist limit of the game's render at the notes it is mapped to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "score.h"
#include "spectrum.h"
#include "tunes.h"
#include "voices.h"

using namespace compose;

namespace {

Tune oneSection(std::vector<Line> lines, int rows = 4) {
    Tune t;
    t.file = "test";
    t.title = "test";
    t.channels = 2;
    t.sections = {Section{"A", rows, std::move(lines)}};
    t.form = "A";
    return t;
}

TEST(Score, PitchNamesFollowTheXmNoteNumbers) {
    EXPECT_EQ(pitchNote("C4"), 49);
    EXPECT_EQ(pitchNote("A4"), 58);
    EXPECT_EQ(pitchNote("C#4"), 50);
    EXPECT_EQ(pitchNote("Db4"), 50);
    EXPECT_EQ(pitchNote("Cb4"), 48);  // B3
    EXPECT_EQ(pitchNote("B#3"), 49);  // C4
    EXPECT_NEAR(noteHz(pitchNote("A4")), 440.0, 0.01);
    EXPECT_THROW(pitchNote("H4"), std::runtime_error);
    EXPECT_THROW(pitchNote("C9"), std::runtime_error);
}

TEST(Score, LinesBecomeCellsWithInstrumentVolumeRestAndHold) {
    Tune t = oneSection({Line{0, "flute", 40, "A4:1 -:1 .:1 C5:1!20"}, drums(1, 20, "sk..")});
    t.gain = 2.0;
    EXPECT_THROW(buildModule(t), std::runtime_error) << "40 * 2 is past 64: an error, not a clamp";
    t.gain = 1.5;
    Module m = buildModule(t);
    ASSERT_EQ(m.patterns.size(), 1u);
    const Pattern& p = m.patterns[0];
    EXPECT_EQ(p.at(0, 0).note, 58);
    EXPECT_EQ(p.at(0, 0).instrument, 1);
    EXPECT_EQ(p.at(0, 0).volume, 0x10 + 60);
    EXPECT_EQ(p.at(1, 0).note, 0);            // a hold writes nothing
    EXPECT_EQ(p.at(2, 0).note, 97);           // a rest is a key-off
    EXPECT_EQ(p.at(2, 0).instrument, 0);
    EXPECT_EQ(p.at(3, 0).volume, 0x10 + 30);
    EXPECT_EQ(p.at(1, 1).note, 49);  // drums sound at C-4, their native rate
    EXPECT_EQ(p.at(1, 1).instrument, 3);
    EXPECT_EQ(p.at(1, 1).volume, 0x10 + 30);
    EXPECT_EQ(p.at(0, 1).volume, 0x10 + 60) << "the snare at twice the kick";
    EXPECT_THROW(drums(1, 33, "s"), std::runtime_error);
    EXPECT_EQ(drums(1, 40, "kt").notes, "C4:1!40@kick C4:1!40@tick ") << "only snare and hat are doubled";
    EXPECT_EQ(p.at(2, 1).note, 0);
}

TEST(Score, RejectsLinesThatDoNotFitTheirSection) {
    EXPECT_THROW(buildModule(oneSection({Line{0, "flute", 40, "A4:3"}})), std::runtime_error);
    EXPECT_THROW(buildModule(oneSection({Line{0, "flute", 40, "A4:5"}})), std::runtime_error);
    EXPECT_THROW(buildModule(oneSection({Line{0, "flute", 40, "A4:4"}, Line{0, "sine", 40, "C4:4"}})),
                 std::runtime_error);
    EXPECT_THROW(buildModule(oneSection({Line{2, "flute", 40, "A4:4"}})), std::runtime_error);
    EXPECT_THROW(buildModule(oneSection({Line{0, "kazoo", 40, "A4:4"}})), std::runtime_error);
    Tune badForm = oneSection({Line{0, "flute", 40, "A4:4"}});
    badForm.form = "A B";
    EXPECT_THROW(buildModule(badForm), std::runtime_error);
}

TEST(Score, ChordsAreVoicedCloseAndCommonTonesHeld) {
    std::vector<Line> v = chords(2, 3, "pad", 30, "Am:4 C:4 .:4", "E3");
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].notes, "E3:4 -:4 .:4 ");
    EXPECT_EQ(v[1].notes, "A3:4 G3:4 .:4 ");
    EXPECT_EQ(v[2].notes, "C4:4 -:4 .:4 ");
    EXPECT_EQ(v[2].channel, 4);
    // Four tones in three voices lose the root (the bass has it): C E G#.
    std::vector<Line> mm = chords(0, 3, "pad", 30, "Ammaj7:4", "A3");
    EXPECT_EQ(mm[0].notes + mm[1].notes + mm[2].notes, "C4:4 E4:4 G#4:4 ");
    // Five lose the fifth too, and a semitone is opened to a major seventh:
    // Cm9 is Eb Bb D, never D under Eb.
    std::vector<Line> m9 = chords(0, 3, "pad", 30, "Cm9:4", "A3");
    EXPECT_EQ(m9[0].notes + m9[1].notes + m9[2].notes, "A#3:4 D#4:4 D5:4 ");
    EXPECT_THROW(chords(0, 3, "pad", 30, "Aweird:4", "A3"), std::runtime_error);
}

TEST(Score, ArpeggioIndicesClimbThroughOctaves) {
    Line l = arpeggio(0, "glass", 30, "C:5", "0 3 - 1", 1, "C4");
    EXPECT_EQ(l.notes, "C4:1 C5:1 -:1 E4:1 C4:1 ");
}

TEST(Score, MarksOfExpressionBecomeEffects) {
    Tune t = oneSection({Line{0, "flute", 40, "A4:4~ B4:3^ C5:1'3 D5:4>2"}}, 12);
    t.vibrato = 0x42;
    t.glide = 0x06;
    Module m = buildModule(t);
    const Pattern& p = m.patterns[0];
    EXPECT_EQ(p.at(1, 0).effect, 0);  // vibrato waits two rows
    EXPECT_EQ(p.at(2, 0).effect, 4);
    EXPECT_EQ(p.at(3, 0).param, 0x42);
    // The glide bends the sounding note: no instrument, no volume, two rows of 3xx.
    EXPECT_EQ(p.at(4, 0).note, 60);
    EXPECT_EQ(p.at(4, 0).instrument, 0);
    EXPECT_EQ(p.at(4, 0).volume, 0);
    EXPECT_EQ(p.at(5, 0).effect, 3);
    EXPECT_EQ(p.at(6, 0).effect, 3);  // a glide lasts until the note ends, or it may stop short of the pitch
    EXPECT_EQ(p.at(7, 0).effect, 14);
    EXPECT_EQ(p.at(7, 0).param, 0xD3);
    EXPECT_EQ(p.at(8, 0).effect, 0);
    EXPECT_EQ(p.at(9, 0).param, 0x02);
    EXPECT_EQ(p.at(11, 0).effect, 10);
    EXPECT_THROW(parseToken("A4:4~>2"), std::runtime_error);
    EXPECT_THROW(parseToken("A4:4^'2"), std::runtime_error);
    EXPECT_EQ(formatToken(parseToken("A4:4!30@glass~")), "A4:4!30@glass~");
}

// A rise or swell eases the level in and out row by row, held notes
// included; a fade keeps its own slide.
TEST(Score, RiseAndSwellEaseTheLevelThroughHeldNotes) {
    Tune t = oneSection({Line{0, "flute", 40, "A4:4 B4:2 C5:2>1"}}, 8);
    Section& s = t.sections[0];
    s.riseFrom = 0.5, s.riseRows = 4, s.swellTo = 1.5, s.swellRows = 4;
    Module m = buildModule(t);
    std::vector<int> vols;
    for (int r = 0; r < 8; ++r) vols.push_back(m.patterns[0].at(r, 0).volume ? m.patterns[0].at(r, 0).volume - 0x10 : 0);
    EXPECT_EQ(vols, (std::vector<int>{20, 25, 30, 35, 45, 50, 55, 0}));
}

// A lead is more than its fundamental: at most 0.78 of its energy there,
// the rest in partials 2-5 under the band, and the scooped attack joins
// the loop without a step.
TEST(Voices, LeadsHaveUpperPartialsAndJoinTheirLoopSmoothly) {
    for (auto [id, note] : {std::pair{"flute", "A4"}, {"clarinet", "A4"}, {"voice", "A4"}, {"sine", "A4"}, {"reed", "A4"},
                            {"cello", "A3"}}) {
        Instrument in = makeVoice(id, pitchNote("C3"), pitchNote("C6"));
        const Sample& s = in.samples[in.noteMap[size_t(pitchNote(note) - 1)]];
        std::vector<double> x(s.data.begin() + s.loopStart, s.data.end());
        std::vector<double> p = powerSpectrum(x, s.loopLength);
        size_t f0 = size_t(std::max_element(p.begin() + 1, p.end()) - p.begin());
        double upper = 0;
        for (size_t k = 2; k <= 5 && k * f0 < p.size(); ++k) upper += p[k * f0];
        EXPECT_LE(p[f0] / (upper + p[f0]), 0.78) << id;
        int step = 0;
        for (size_t i = s.loopStart + 1; i < s.data.size(); ++i) step = std::max(step, std::abs(s.data[i] - s.data[i - 1]));
        if (s.loopStart > 0) {
            EXPECT_LE(std::abs(s.data[s.loopStart] - s.data[s.loopStart - 1]), step) << id;
        }
    }
}

// Every sample of every tone is judged at the highest note the tune gives
// it through the note map, glides included: no partial of its loop may
// reach 2 kHz in the render, while the lowest register keeps the harmonics
// a single cycle for the top note would have lost.
TEST(Voices, NoSampleHasAPartialAtOrAboveNyquistForItsHighestNote) {
    for (const Tune& t : allTunes()) {
        Module m = buildModule(t);
        std::vector<std::vector<int>> top(m.instruments.size(), std::vector<int>(16, 0));
        for (int o : m.orders) {
            const Pattern& p = m.patterns[size_t(o)];
            std::vector<int> sounding(size_t(p.channels), 0);
            for (int r = 0; r < p.rows; ++r)
                for (int ch = 0; ch < p.channels; ++ch) {
                    const Cell& c = p.at(r, ch);
                    if (c.instrument) sounding[size_t(ch)] = c.instrument;
                    int in = sounding[size_t(ch)];
                    if (!in || !c.note || c.note > 96) continue;
                    int& t = top[size_t(in - 1)][m.instruments[size_t(in - 1)].noteMap[c.note - 1]];
                    t = std::max(t, int(c.note));
                }
        }
        int richerLow = 0;
        for (size_t i = 0; i < m.instruments.size(); ++i) {
            std::vector<int> partials;
            for (size_t k = 0; k < m.instruments[i].samples.size(); ++k) {
                const Sample& s = m.instruments[i].samples[k];
                int note = top[i][k];
                if (!s.looped || !note) continue;
                double rate = playbackRate(s, note), fundamental = 0;
                size_t len = s.loopLength;
                std::vector<double> x(s.data.begin() + s.loopStart, s.data.begin() + s.loopStart + len);
                std::vector<double> p = powerSpectrum(x, len);  // loops are whole cycles, a power of two long
                ASSERT_EQ(len & (len - 1), 0u);
                for (double v : p) fundamental = std::max(fundamental, v);
                for (size_t b = 0; b < p.size(); ++b) {
                    if (b * rate / len >= 2000) {
                        ASSERT_LT(p[b], fundamental * 1e-5) << t.file << " " << m.instruments[i].name << " sample " << k
                                                            << " bin " << b << " at note " << note;
                    }
                }
                // Harmonics kept: the highest partial within 40 dB over the lowest.
                size_t lo = 0, hi = 0;
                for (size_t b = 1; b < p.size(); ++b)
                    if (p[b] > fundamental * 1e-4) lo = lo ? lo : b, hi = b;
                partials.push_back(int(hi / std::max<size_t>(lo, 1)));
            }
            if (partials.size() >= 2) {
                EXPECT_GE(partials.front(), partials.back()) << t.file << " " << m.instruments[i].name;
                richerLow += partials.front() >= 4;
            }
        }
        EXPECT_GT(richerLow, 0) << t.file << ": no register keeps four harmonics";
    }
}

}  // namespace
