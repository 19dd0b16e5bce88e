// "xm/intro.xm", heard on the title screen: B minor, slow and quiet. A
// music box turns over a choir; a single voice sings a five-bar question
// and a six-bar answer that brushes the Neapolitan C major on its way
// down. The middle turns to C major for good, in three-four, the tune
// dropped to a cello while a flute runs above it; the last part sinks
// over a bass falling by semitones to F#, with a slow heartbeat, and the
// loop comes home on B minor. Nothing strikes hard: the title must stay even.
#include "score.h"
#include "tunes.h"

namespace compose {

Score titleScreenTune() {
    Score s;
    s.tune.title = "intro (compose)";
    s.tune.key = "B minor / C major";
    s.tune.bpm = 75;
    s.tune.gain = 1.1;
    s.lead = {"voice", 44, ""};
    s.lead2 = {"cello", 44, ""};
    s.pad = {"choir", 13, "D4"};
    s.bass = {"softbass", 24, ""};
    s.figure = {"musicbox", 12, "B4"};
    s.counter = {"flute+12", 15, ""};
    s.figureSteps = "0 - 2 1 - 3 - 2 -";  // nine steps of four rows
    s.figureStep = 4;
    s.kits = {"o..o............"};  // the heartbeat on a low tom
    s.drumVolume = 28;
    s.leadAccent = {1, 0.8, 0.9, 0.8};

    const char* minor = "B C# D E F# G A A#";
    Passage opening{"O", 16, minor, "Bm:16 Gmaj7:16", "", "", "B2:16 | G2:16"};
    opening.broken();

    // Five bars that ask, six that answer through the Neapolitan C major.
    Passage a1{"A1", 16, minor, "Bm:16 G6:8 Gmaj7:8 Em7:16 A:16 F#sus4:8 F#:8",
               ".:4 B3:4 D4:4 F#4:4 | G4:6 A4:2 F#4:4 E4:4 | E4:6 D4:2 E4:4 G4:4 | B4:2 A4:6 A4:2 G4:2 F#4:4 | B4:6 C#5:2 B4:2 A#4:6",
               ".:16 | .:2 D5:6 .:8 | .:2 B4:4 .:10 | .:2 C#5:6 .:8 | .:10 C#5:6",
               "B2:16 | G2:16 | E2:16 | A2:16 | F#2:16"};
    Passage a2{"A2", 16, "B C C# D E F# G A A#", "Bm:16 Em:16 C:16 Gadd9:16 Em7:8 F#7:8 Bm:16",
               "E5:2 D5:4 C#5:2 B4:8 | E4:4 G4:4 B4:6 C5:2 | -:6 B4:2 G4:8 | B4:6 A4:1 B4:1 A4:4 G4:4 | G4:6 F#4:2 E4:4 C#4:4 | "
               "D4:4 B3:8 .:4",
               ".:10 F#5:4 E5:2 | .:10 D5:4 E5:2 | .:10 E5:6 | .:2 D5:6 .:8 | .:2 B4:6 .:2 A#4:6 | .:6 F#4:6 .:4",
               "B2:16 | E2:16 | C3:16 | G2:16 | E2:8 F#2:8 | B2:16"};
    a1.broken(), a2.broken();

    // The turn: C major in three-four, the cello below and the flute running above.
    Passage b{"B", 12, "C D E F G A B A#",
              "C:12 Am:12 F:12 | Dm:12 G:12 Em:12 Am:12 F#7sus4:4 F#7:8",
              "E4:8 G4:4 | A4:4 C5:8 | A4:8 G4:2 F4:2 | F4:4 E4:2 D4:6 | B3:4 D4:4 G4:4 | G4:6 E4:2 B4:4 | C5:4 A4:4 B4:2 C5:2 | B4:4 A#4:6 .:2",
              ".:4 G4:2 A4:2 B4:2 C5:2 | .:6 E5:6 | .:2 F5:2 E5:2 D5:2 C5:4 | .:6 A4:6 | .:12 | .:2 B4:4 .:6 | .:12 | "
              ".:6 C#5:6",
              "C3:8 G2:4 | A2:8 E2:4 | F2:8 C3:4 | D2:12 | G2:8 B2:4 | E2:8 G2:4 | A2:12 | F#2:12"};
    b.broken().onSecond().softPad();

    // The floor gives way: six bars over a bass falling by semitones.
    Passage c{"C", 16, minor,
              "Bm:16 F#:16 D:16 G#m7b5:16 G6:16 F#7sus4:8 F#7:8",
              "D5:4 C#5:2 B4:2 F#4:8 | C#4:2 F#4:2 A#4:4 C#5:8 | B4:4 A4:4 F#4:6 E4:2 | -:4 D4:4 B3:8 | G4:3 B4:3 D5:8 E5:2 | "
              "C#5:4 B4:4 B4:2 A#4:6",
              ".:10 A4:6 | .:10 E5:4 F#5:2 | .:2 D5:6 .:2 A4:6 | .:10 F#5:6 | .:10 B4:6 | .:2 E5:4 .:4 C#5:6",
              "B2:16 | A#2:16 | A2:16 | G#2:16 | G2:16 | F#2:16"};
    c.drums(0);

    opening.at(0.7);
    a1.at(0.85);
    a2.at(1.1);
    b.at(0.55);
    c.at(1.25);
    s.passages = {opening, a1, a2, b, c};
    s.opening = "O";
    s.form = "A1 A2 B A1 A2 C";
    return s;
}

}  // namespace compose
