// "xm/track1.xm", level "cusp": two faces of one tune. E minor with an
// octave-leaping bass and a reed that keeps coming in late; then the
// mirror, E major, the same gestures turned upside down over a bass that
// finally stands still. Between the flips a shadow in G major moves in
// half notes over a quiet beat while a clarinet talks in the gaps; later
// the major face sings over a pedal E with the strings a little sharp,
// a kind mirror that is not quite right; the mirror comes once more, and a
// last verse runs in eighths back down to E minor. The beat is mostly a
// bare count: this body is not fed.
#include "tunes.h"

namespace compose {

Score cuspTune() {
    Score s;
    s.tune.title = "cusp (compose)";
    s.tune.key = "E minor / E major";
    s.tune.bpm = 120;
    s.tune.gain = 1.2;
    s.tune.vibrato = 0x63;
    s.lead = {"reed", 40, ""};
    s.lead2 = {"cello", 44, ""};
    s.pad = {"strings", 12, "E3"};
    s.bass = {"bass", 22, ""};
    s.figure = {"pluck", 13, "E4"};
    s.counter = {"clarinet+12", 17, ""};
    s.figureSteps = "0 2 1 3 1 2 4/0 1 2 3 4 3 2/4 2 3 1 2 0 1";  // fourteen rows against the sixteen-row bar
    s.figureAccent = {1, 0.6, 0.8, 0.6};
    // A bare count, a kick and a hat on the half, and the busier kit only for the run.
    s.kits = {"K...t...t...t...", "K.......h.......", "K..h..k.s..h..h.K..h..k.s..hh.h."};
    s.drumVolume = 14;  // K, snare and hat at twice it, under 64 after the gain
    s.drumAccent = {1, 0.6, 0.6, 0.75, 1, 0.6, 0.75, 0.6};

    const char* minor = "E F# G A B C D D#";
    const char* major = "E F# G# A B C# D#";
    // The octave leap in quarters: a walk, not a pulse.
    auto leap = [](const char* root) { return rep(std::string(root) + "2:4 " + root + "3:4", 2); };
    auto half = [](const char* a, const char* b) {
        return std::string(a) + "2:4 " + a + "3:4 " + b + "2:4 " + b + "3:4 ";
    };
    // The octave leap under the minor face; only its last bar turns towards the next chord.
    const std::string emBass = leap("E") + leap("C") + leap("A") + leap("B") + leap("E") + leap("C") + half("A", "D") +
                               half("G", "B") + half("E", "C") + "B2:4 B3:4 A2:4 F#2:4";

    // E minor, 4 + 6 bars, the reed entering late in every bar of the first phrase.
    const char* emChords = "Em:16 | Cmaj7:16 | Am7:16 | B7:16 | Em:16 | C:16 | Am:8 D:8 | G:8 B7:8 | Em:8 C:8 | B7:16";
    const char* em = ".:2 B3:2 E4:3 F#4:1 G4:4 F#4:2 E4:2 | .:2 G4:2 B4:3 A4:1 G4:4 E4:4 | "
                     ".:2 A3:2 C4:3 D4:1 E4:4 G4:2 F#4:2 | G4:2 F#4:4 D#4:2 B3:8 | "
                     ".:2 E4:2 G4:3 A4:1 B4:6 G4:2 | C5:4 B4:2 A4:2 G4:4 E4:4 | C5:6 A4:2 D5:4 C5:2 A4:2 | "
                     "B4:6 D5:2 D#5:4 F#4:4 | G4:4 B4:4 E5:4 C5:4 | E5:2 D#5:4 B4:2 F#4:6 .:2";
    // The mirror in E major, 5 + 5 bars, over a bass that stands still.
    const char* majChords = "E:16 | A:16 | C#m7:16 | B7sus4:8 B7:8 | E:16 | A:8 B:8 | G#m:16 | C#m:16 | A:8 B7:8 | E:16";
    const char* majBass = "E2:16 | A2:16 | C#3:16 | B2:16 | E2:16 | A2:8 B2:8 | G#2:16 | C#3:16 | A2:8 B2:8 | E2:16";
    const char* maj = ".:2 B4:2 G#4:3 F#4:1 E4:4 F#4:2 G#4:2 | .:2 E4:2 C#4:3 D#4:1 E4:4 A4:4 | "
                      ".:2 G#4:2 E4:3 D#4:1 C#4:4 B3:2 C#4:2 | E4:8 E4:2 D#4:2 F#4:4 | G#4:3 B4:3 E5:8 .:2 | "
                      "C#5:6 A4:2 F#4:4 D#4:4 | .:2 D#4:2 G#4:4 B4:6 G#4:2 | A4:2 G#4:6 E4:4 C#4:4 | "
                      "C#5:6 B4:2 F#4:6 A4:2 | G#4:12 .:4";

    s.passages = {
        Passage{"em", 16, minor, emChords, em, "", emBass}.drums(0).broken().at(0.9),
        Passage{"maj", 16, major, majChords, maj, "", majBass}.drums(1).broken().at(1.2),
        // The shadow, 3 + 3 + 6 bars in G: half notes, a quiet beat, a
        // clarinet speaking only between the melody's steps.
        Passage{"shadow", 16, "G A B C D E F#",
         "G:16 | D:16 | Em:16 | C:16 | G:16 | Am7:16 | C:16 | D:16 | Bm:16 | Em:16 | Am7:16 | B7:16",
         "D4:8 G4:8 | F#4:12 E4:4 | G4:12 .:4 | E4:6 D4:2 C4:4 D4:4 | B3:8 D4:8 | C4:12 .:4 | "
         "G4:8 E4:8 | A4:4 F#4:2 E4:2 D4:8 | B4:6 A4:2 D5:4 F#4:4 | G4:8 B4:8 | D5:4 C5:4 A4:4 G4:4 | F#4:8 A4:6 .:2",
         ".:4 B4:4 .:4 A4:4 | .:4 A4:4 D5:8 | .:4 B4:4 E5:4 D5:4 | .:2 C5:6 .:8 | .:4 D4:4 .:4 B4:4 | .:2 A4:2 G4:4 E4:8 | "
         ".:10 D5:4 .:2 | .:10 A4:4 .:2 | .:4 F#4:4 .:8 | .:4 E4:4 .:8 | .:4 E5:4 .:8 | .:2 A4:6 .:4 B4:2 .:2",
         "G2:8 D2:8 | D2:8 A2:8 | E2:8 B2:8 | C2:8 G2:8 | G2:8 D2:8 | A2:8 E2:8 | C2:8 G2:8 | D2:8 A2:8 | "
         "B2:8 F#2:8 | E2:8 B2:8 | A2:8 E2:8 | B2:8 F#2:8"}.drums(1).at(0.6),
        // The flips again, each with a clarinet in its gaps.
        Passage{"em2", 16, minor, emChords, em,
         "G4:2 .:14 | .:16 | .:16 | .:2 A4:4 .:4 F#4:6 | .:10 G3:4 .:2 | .:16 | .:16 | .:2 D4:4 .:10 | .:16 | .:10 A4:4 .:2",
         emBass}.drums(1).broken().at(0.95),
        Passage{"maj2", 16, major, majChords, maj,
         "E5:2 .:14 | .:16 | .:16 | .:2 A4:4 .:4 D#5:6 | .:10 B4:4 .:2 | .:16 | F#4:2 .:8 D#4:4 .:2 | .:2 E4:4 .:10 | .:16 | .:2 B3:8 .:6",
         majBass}.drums(0).broken().at(1.25),
        // Standing still, 5 + 3 bars in E major over a pedal E, long-short steps.
        Passage{"stand", 16, "E F# G# A B C# D D#", "E:16 | A:16 | F#m7:16 | B7sus4:8 B7:8 | E:16 | C#m7:16 | A:8 B7:8 | E:16",
         "B4:6 G#4:2 E4:6 F#4:2 | D5:2 C#5:6 B4:2 A4:6 | A4:4 C#5:4 E5:6 F#5:2 | E5:6 F#5:2 D#5:4 B4:4 | G#4:8 B4:4 .:4 | "
         ".:2 E4:2 G#4:4 B4:8 | C#5:4 A4:4 D#5:4 B4:4 | E4:8 .:8",
         ".:10 G#3:2 B3:4 | .:10 C#4:6 | .:10 A4:2 F#4:4 | .:10 A4:2 B4:4 | .:2 B3:2 E4:4 .:8 | .:16 | .:16 | .:10 G#3:2 B3:4",
         "E2:16 | E2:16 | E2:16 | E2:16 | E2:16 | E2:16 | E2:8 B2:8 | E2:16"}.drums(1).broken().detunedPad(20).at(0.6),
        // The mirror a third time, its phrases answered otherwise.
        Passage{"maj3", 16, major, majChords,
         ".:2 E5:2 D#5:2 B4:2 G#4:4 B4:2 C#5:2 | C#5:6 B4:2 A4:4 E4:4 | .:2 E4:2 G#4:4 B4:6 A4:2 | "
         "A4:8 G#4:2 F#4:2 D#4:4 | E4:4 G#4:4 B4:6 .:2 | C#5:4 A4:4 D#5:6 C#5:2 | B4:8 G#4:4 D#4:4 | "
         "E4:6 G#4:2 C#5:8 | C#5:4 B4:2 A4:2 A4:4 F#4:4 | G#4:4 E4:8 .:4",
         "", majBass}.drums(1).broken().at(1.1).rise(0.75, 1),
        // The run, 5 + 3 bars of eighths down to the cadence the loop turns on.
        Passage{"run", 16, minor, "Em:16 | D:16 | C:16 | B7:16 | Em:8 G:8 | Am:16 | F#m7b5:8 B7:8 | Em:16",
         "E4:2 G4:2 B4:2 G4:2 E4:2 G4:2 B4:4 | A4:2 F#4:2 D4:2 F#4:2 A4:2 D5:2 C5:2 A4:2 | "
         "G4:2 E4:2 C4:2 E4:2 G4:2 C5:2 B4:2 G4:2 | F#4:2 A4:2 D#4:2 F#4:2 B3:8 | E4:2 F#4:2 G4:2 A4:2 B4:4 D5:4 | "
         "C5:2 B4:2 A4:2 G4:2 E4:4 A4:4 | A4:4 C5:2 A4:2 F#4:4 D#4:4 | E4:12 .:4",
         "", leap("E") + leap("D") + leap("C") + leap("B") + half("E", "G") + leap("A") + half("F#", "B") +
                 "E2:4 E3:4 E2:8"}.drums(2).broken().at(1.15),
    };
    s.form = "em maj shadow em2 maj2 run stand maj3 run";
    return s;
}

}  // namespace compose
