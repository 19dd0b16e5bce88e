// The score notation and the music check together: a small clean score
// passes, and each fault the check knows, planted in it, is caught and
// placed; the notation's errors name passage and bar. Then every tune's
// committed file is checked, one test per tune.
#include <gtest/gtest.h>

#include <functional>

#include "data_files.h"
#include "measure.h"
#include "music_check.h"
#include "score.h"
#include "score_report.h"
#include "tunes.h"

using namespace compose;

namespace {

Score tiny() {
    Score s;
    s.tune.file = "tiny";
    s.lead = {"flute", 40, ""};
    s.counter = {"clarinet", 30, ""};
    s.pad = {"pad", 20, "C3"};
    s.bass = {"softbass", 30, ""};
    s.kits = {"k.h.s.h."};
    s.drumVolume = 20;
    // Three-row bars in A, the melody held where the counter moves; B rests the melody.
    s.passages = {Passage{"A", 12, "C D E F G A B", "C:12 F:12", "E5:3 D5:3 C5:6 | A4:12~",
                          "G4:12 | .:3 C5:3 A4:3 C5:3", "C3:12 | F2:12"}.drums(0),
                  Passage{"B", 16, "C D E F G A B", "C:16", "", "E4:16", "C3:16"}};
    s.passages[0].bar = 12;
    s.opening = "B";
    s.form = "A*2 B";
    return s;
}

std::string& part(Tune& t, int channel) {
    for (Line& l : t.sections[0].lines)
        if (l.channel == channel) return l.notes;
    throw std::runtime_error("no such part");
}

std::vector<std::string> faults(const Tune& t, const std::function<void(Module&)>& plant = nullptr) {
    Module m = buildModule(t);
    if (plant) plant(m);
    return checkMusic(m, passageInfo(t));
}

bool has(const std::vector<std::string>& v, const std::string& text) {
    for (const std::string& s : v)
        if (s.find(text) != std::string::npos) return true;
    return false;
}

TEST(MusicCheck, CleanScorePassesAndEachPlantedFaultIsCaught) {
    Tune t = perform(tiny());
    EXPECT_EQ(t.restart, 1);
    EXPECT_EQ(t.form, "B A A B ");
    Module m = buildModule(t);
    EXPECT_EQ(m.orders, (std::vector<int>{1, 0, 0, 1}));
    // B writes no melody: the generator ends A's last note there.
    EXPECT_EQ(m.patterns[1].at(0, kLead).note, 97);
    EXPECT_EQ(faults(t), std::vector<std::string>{});

    // Without that key-off, A4 rings on through B.
    EXPECT_TRUE(has(faults(t, [](Module& x) { x.patterns[1].at(0, kLead) = Cell{}; }), "left ringing: order 3 (B)"));
    Tune key = t;
    part(key, kLead) = "E5:3 D5:3 C#5:6 | A4:12";
    EXPECT_TRUE(has(faults(key), "out of key: order 1 (A) bar 1: melody C#5"));
    Tune rub = t;
    part(rub, kLead) = "E5:3 D5:3 C5:6 | B4:12";  // B over F and C
    EXPECT_TRUE(has(faults(rub), "clash: order 1 (A) bar 2: melody B4 held 12 rows"));
    Tune early = t;  // F5 anticipates the F chord: it rubs C major's E for two rows only
    part(early, kLead) = "E5:3 D5:3 C5:4 F5:2 | -:12";
    EXPECT_EQ(faults(early), std::vector<std::string>{});
    // A semitone low in the pad, and the melody doubling the bass's C over a
    // B in the pad; a major seventh chord voiced from its third avoids the first.
    EXPECT_TRUE(has(faults(t, [](Module& x) { x.patterns[0].at(0, kPad + 1).note = x.patterns[0].at(0, kPad).note + 1; }),
                    "pad semitone: order 1 (A) bar 1: C3 under C#3"));
    Score maj = tiny();
    maj.passages[0].chords = "Cmaj7:12 F:12";
    Tune seventh = perform(maj);
    EXPECT_EQ(part(seventh, kPad).substr(0, 5) + part(seventh, kPad + 2).substr(0, 5), "E3:12B3:12");
    std::vector<std::string> f7 = faults(seventh);  // once each time A plays
    ASSERT_EQ(f7.size(), 2u);
    EXPECT_EQ(f7[0], "rub under the tune: order 1 (A) bar 1: melody C5 doubles a chord tone with a pad tone a semitone below it");
    maj.passages[0].chords = "C6:12 F:12";
    EXPECT_EQ(faults(perform(maj)), std::vector<std::string>{});
    Tune twin = t;
    part(twin, kCounter) = "C4:6 -:6 | A3:12";  // on the melody's C, then its A
    EXPECT_TRUE(has(faults(twin), "doubling: order 1 (A) bar 2"));
}

TEST(MusicCheck, ScoreErrorsNamePassageAndBar) {
    auto error = [](const std::function<void(Score&)>& edit) {
        Score s = tiny();
        edit(s);
        try {
            buildModule(perform(s));
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(error([](Score& s) { s.passages[0].melody = "E5:3 D5:3 C4: | A4:12"; }),
              "tiny passage A melody bar 1: '' is not a number in the length of C4:");
    EXPECT_EQ(error([](Score& s) { s.passages[0].bass = "C3:8 | F2:16"; }),
              "tiny passage A bass bar 1: bar line 8 rows into the bar");
    EXPECT_EQ(error([](Score& s) { s.passages[1].counter = "-:16"; }),
              "tiny passage B counter bar 1: opens with a hold; write the note again to carry it over");
    EXPECT_EQ(error([](Score& s) { s.passages[0].kit = 1; }), "tiny passage A: no kit 1 (the palette has 1)");
    EXPECT_EQ(error([](Score& s) { s.passages[0].melody = "E5:3!70 D5:3 C5:6 | A4:12"; }),
              "tiny passage A melody bar 1: volume outside 1..64 in E5:3!70");
    EXPECT_EQ(error([](Score& s) { s.figure = {"glass", 20, "C4"}, s.figureSteps = "0 1/"; s.passages[0].figure = true; }),
              "tiny passage A figure: tiny: empty figure in '0 1/'");
    EXPECT_EQ(error([](Score& s) { s.figure = {"glass", 20, "C4"}, s.figureSteps = "0+ 1"; s.passages[0].figure = true; }),
              "tiny passage A figure: '0+' is not a number in tiny figure '0+ 1'");
    EXPECT_EQ(error([](Score& s) { s.passages[0].chords = "C:12 | Fq:12"; }),
              "tiny passage A chords bar 2: unknown chord quality: q");
    EXPECT_EQ(error([](Score& s) { s.passages[0].bass = "C3:12 | H2:12"; }), "tiny passage A bass bar 2: bad pitch: H2");
    EXPECT_EQ(error([](Score& s) { s.form = "A C"; }), "tiny: the form names no passage C");
    EXPECT_EQ(error([](Score& s) { s.passages[0].scale = ""; }), "tiny passage A: a melody needs a scale");
    EXPECT_EQ(error([](Score& s) { s.counter.instrument = "kazoo"; }), "tiny passage A: unknown instrument kazoo");
    EXPECT_EQ(error([](Score& s) { s.passages[0].melody = "E5:3!-5 D5:3 C5:6 | A4:12"; }),
              "tiny passage A melody bar 1: volume outside 1..64 in E5:3!-5");
    EXPECT_EQ(error([](Score& s) { s.padVoices = 4; }),
              "tiny passage A: 4 pad voices run into the bass channel (the pad has channels 2-4)");
    EXPECT_EQ(error([](Score& s) { s.passages[1].bass = rep("C3:16", 17); }),
              "tiny passage B bass: 272 rows, the passage's first part has 16");
    EXPECT_EQ(error([](Score& s) { s.passages[1] = Passage{"B", 16, "", rep("C:16", 17), "", "", ""}; }),
              "tiny passage B: 272 rows, a pattern holds at most 256");
    EXPECT_EQ(error([](Score& s) { s.passages[0].rise(0.5, 1).swell(1.2, 2); }),
              "tiny passage A: its rise and swell need more bars than it has");
    EXPECT_EQ(error([](Score& s) { s.passages[0].at(2.0); }),
              "tiny A channel 0 bar 1: E5:3 asks for volume 80 (1..64) after gain, level and accent");
}

// Copies a listener would know (octave, transposed, one ornament added)
// are not new; phrases end at rests.
TEST(MusicCheck, NewMelodyBarsAndPhrasesAsTheReviewCountsThem) {
    Score s = tiny();
    s.passages = {Passage{"P", 16, "C D E G", "", "C5:4 D5:4 E5:8 | G4:8 .:8", "", ""},
                  Passage{"Q", 16, "A B C# C D E F", "", "A4:4 B4:4 C#5:8 | C4:4 D4:4 E4:6 F4:2 | E5:6 D5:2 C5:4 .:4", "", ""}};
    s.opening = "";
    s.form = "P Q";
    Tune t = perform(s);
    MelodyFigures f = melodyFigures(buildModule(t), t);
    EXPECT_EQ(f.bars, 5);
    EXPECT_EQ(f.fresh, 3);
    EXPECT_EQ(f.phrases, (std::map<int, int>{{2, 1}, {3, 1}}));
}

class MusicOf : public ::testing::TestWithParam<std::string> {};

// Per tune, so the verdict of each is its own line in the test report.
TEST_P(MusicOf, CommittedTunePassesTheMusicCheck) {
    for (const Tune& t : allTunes()) {
        if (t.file != "xm/" + GetParam() + ".xm") continue;
        std::vector<std::string> f = checkMusic(readPatterns(readBytes(dataPath(t.file))), passageInfo(t));
        EXPECT_TRUE(f.empty()) << f.size() << " faults, the first: " << f.front();
        return;
    }
    FAIL() << "no tune writes " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Xm, MusicOf, ::testing::ValuesIn(tuneFiles()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
