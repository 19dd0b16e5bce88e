// The note-table notation: pitches, voicings and the way lines become
// cells, plus the promise every tune relies on: no harmonic of any tone
// instrument reaches the 2 kHz Nyquist limit of the game's render.
#include <gtest/gtest.h>

#include <cmath>

#include "score.h"
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
    Tune t = oneSection({Line{0, "flute", 40, "A4:1 -:1 .:1 C5:1!20"}, drums(1, 30, ".k..")});
    t.gain = 2.0;
    Module m = buildModule(t);
    ASSERT_EQ(m.patterns.size(), 1u);
    const Pattern& p = m.patterns[0];
    EXPECT_EQ(p.at(0, 0).note, 58);
    EXPECT_EQ(p.at(0, 0).instrument, 1);
    EXPECT_EQ(p.at(0, 0).volume, 0x10 + 64);  // 40 * 2 clamps to 64
    EXPECT_EQ(p.at(1, 0).note, 0);            // a hold writes nothing
    EXPECT_EQ(p.at(2, 0).note, 97);           // a rest is a key-off
    EXPECT_EQ(p.at(2, 0).instrument, 0);
    EXPECT_EQ(p.at(3, 0).volume, 0x10 + 40);
    EXPECT_EQ(p.at(1, 1).note, 49);  // drums sound at C-4, their native rate
    EXPECT_EQ(p.at(1, 1).instrument, 2);
    EXPECT_EQ(p.at(0, 1).note, 0);
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
    // Four tones in three voices lose the fifth: A C G#.
    EXPECT_EQ(chords(0, 3, "pad", 30, "Ammaj7:4", "A3")[2].notes, "G#4:4 ");
    EXPECT_THROW(chords(0, 3, "pad", 30, "Aweird:4", "A3"), std::runtime_error);
}

TEST(Score, ArpeggioIndicesClimbThroughOctaves) {
    Line l = arpeggio(0, "glass", 30, "C:5", "0 3 - 1", 1, "C4");
    EXPECT_EQ(l.notes, "C4:1 C5:1 -:1 E4:1 C4:1 ");
}

// DFT magnitude of harmonic k of one stored cycle.
double harmonic(const std::vector<int16_t>& cycle, int k) {
    double re = 0, im = 0;
    for (size_t i = 0; i < cycle.size(); ++i) {
        double a = 2 * 3.14159265358979323846 * k * double(i) / cycle.size();
        re += cycle[i] * std::cos(a);
        im += cycle[i] * std::sin(a);
    }
    return std::hypot(re, im);
}

TEST(Voices, NoToneHasAHarmonicAtOrAboveNyquistForItsHighestNote) {
    for (const Tune& t : allTunes()) {
        Module m = buildModule(t);
        for (size_t i = 0; i < m.instruments.size(); ++i) {
            const Instrument& in = m.instruments[i];
            if (!in.looped) continue;
            int top = 0;
            for (const Pattern& p : m.patterns)
                for (const Cell& c : p.cells)
                    if (c.instrument == i + 1 && c.note < 97) top = std::max(top, int(c.note));
            ASSERT_GT(top, 0) << t.file << " " << in.name;
            ASSERT_EQ(in.loopLength, in.data.size()) << "a tone loops over its whole cycle";
            double fundamental = harmonic(in.data, 1);
            for (int k = 2; k < 40; ++k) {
                if (k * noteHz(top) < 2000) continue;
                EXPECT_LT(harmonic(in.data, k), fundamental * 0.003)
                    << t.file << " " << in.name << " harmonic " << k << " at note " << top;
            }
        }
    }
}

}  // namespace
