// "xm/title.xm", heard on the level list: A minor, a glassy figure of
// seven steps turning over the line cliche A-G#-G-F# in the bass, a flute
// that asks in three bars and answers in five, and a soft clock tick once
// the piece has begun to move. The middle goes to C major and three-four
// with the clarinet low, then leans back through B half-diminished to E;
// the last part is a new tune over the cliche's relatives F, Dm and D7.
#include "score.h"
#include "tunes.h"

namespace compose {

Score levelListTune() {
    Score s;
    s.tune.title = "title (compose)";
    s.tune.key = "A minor / C major";
    s.tune.bpm = 80;
    s.tune.gain = 0.98;
    s.lead = {"flute", 44, ""};
    s.lead2 = {"clarinet", 44, ""};
    s.pad = {"pad", 13, "C4"};
    s.bass = {"softbass", 26, ""};
    s.figure = {"glass", 16, "A3"};
    s.counter = {"sine+12", 16, ""};
    s.figureSteps = "0 1 2 3 4 3 2";
    s.figureAccent = {1, 0.7, 0.85, 0.7};
    s.kits = {"....t.......t...", "....t...t...t..t", "....t.......", "....t...t..t"};
    s.drumVolume = 44;
    s.drumAccent = {1, 1, 1, 1, 1, 0.6, 1, 1, 1, 1, 1, 1, 0.8, 1, 1, 0.6};

    const char* minor = "A B C D E F F# G G#";
    Passage opening{"O", 16, minor, "Am:16 E7sus4:8 E7:8", "", "", "A2:16 | E2:16"};
    opening.broken();

    // Three bars over the cliche, then five that answer and close.
    Passage a{"A", 16, minor,
              "Am:16 Ammaj7:16 Am7:16 | Am6:16 Fmaj7:16 Dm7:16 E7sus4:8 E7:8 Am:16",
              "E4:4 A4:4 C5:6 B4:2 | A4:2 G#4:6 E4:8 | D5:2 C5:4 B4:2 A4:8 | "
              ".:4 F#4:4 A4:4 C5:4 | C5:6 B4:2 A4:4 E4:4 | D4:6 E4:2 F4:4 A4:4 | A4:8 G#4:8 | A4:12 .:4",
              ".:10 E5:4 .:2 | .:2 E5:4 .:4 C5:6 | .:10 E4:2 G4:4 | E4:16 | .:2 G4:2 A4:4 .:8 | .:2 C5:10 .:4 | .:2 D5:6 .:2 B4:6 | .:4 E4:4 C5:8",
              "A2:16 | G#2:16 | G2:16 | F#2:16 | F2:16 | D2:16 | E2:16 | A2:16"};
    a.broken().drums(0);

    // The middle: C major in three-four, the clarinet low, the counter above it.
    Passage b{"B", 12, "C D E F G A B",
              "C:12 G:12 Am:12 Em:12 F:12 G7:12",
              "G4:4 E4:4 C4:4 | D4:6 C4:2 B3:4 | C4:4 E4:4 A4:4 | G4:8 B4:4 | A4:6 G4:2 F4:4 | F4:4 D4:4 B3:2 D4:2",
              ".:12 | .:2 G4:2 A4:4 .:4 | .:12 | .:2 E5:2 D5:4 .:4 | .:2 C5:10 | .:2 G4:10",
              "C3:8 G2:4 | G2:8 D2:4 | A2:8 E2:4 | E2:8 B2:4 | F2:8 C3:4 | G2:8 B2:4"};
    b.broken().onSecond().drums(2);

    // Five bars leaning back to A minor through B half-diminished.
    Passage b2{"B2", 12, minor,
               "Dm:12 Am:12 Bm7b5:12 E7:12 E7:12",
               "F4:6 E4:2 D4:4 | C5:4 B4:2 A4:6 | D5:4 B4:4 F4:4 | D4:4 E4:4 G#4:4 | B4:8 A4:2 G#4:2",
               ".:2 A4:4 .:6 | .:8 E4:4 | A4:12 | B4:12 | .:2 D5:4 E5:2 .:4",
               "D2:12 | A2:12 | B2:12 | E2:12 | E2:8 G#2:4"};
    b2.onSecond().drums(3);

    // A new tune over the cliche's relatives.
    Passage c{"C", 16, minor,
              "Fmaj7:16 Dm7:16 Am7:16 D7:16 E7sus4:8 E7:8 Am:16",
              "A4:4 C5:6 D5:2 C5:4 | F4:4 A4:4 E4:2 D4:6 | E4:4 G4:4 C5:6 B4:2 | A4:4 G4:2 F#4:2 D4:8 | B3:4 E4:4 A4:2 G#4:6 | C5:4 B4:2 A4:6 .:4",
              ".:6 E4:6 .:4 | .:12 C5:4 | .:10 A4:2 G4:4 | .:2 C5:4 .:4 F#4:6 | .:10 B4:6 | .:8 E4:4 .:4",
              "F2:16 | D2:16 | A2:16 | D2:16 | E2:16 | A2:16"};
    c.broken().drums(1);

    opening.at(0.7);
    a.at(1.2);
    b.at(0.55);
    b2.at(0.8);
    c.at(1.1);
    s.passages = {opening, a, b, b2, c};
    s.opening = "O";
    s.form = "A B B2 A C";
    return s;
}

}  // namespace compose
