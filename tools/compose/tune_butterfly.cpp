// "xm/track3.xm", level "butterfly": G major, busy. A pluck runs in seven
// against the eight of the bar, the lead climbs in confident sequences
// and then stops in the middle of a thought; the harmony keeps second-
// guessing itself with the minor iv (C minor) and the flat seventh (F),
// in long syncopated notes a flute answers. A clarinet hovers in E minor
// in three-four, with no drums under it; the lead flutters in threes over
// C; and only at the end of the loop does the climb go all the way up and
// come home.
#include "tunes.h"

namespace compose {

Score butterflyTune() {
    Score s;
    s.tune.title = "butterfly (compose)";
    s.tune.key = "G major";
    s.tune.bpm = 125;
    s.tune.gain = 1.15;
    s.lead = {"reed", 40, ""};
    s.lead2 = {"clarinet", 42, ""};
    s.pad = {"organ", 9, "B3"};
    s.padGlide = false;  // an organ changes chords, it does not slide
    s.bass = {"bass", 22, ""};
    s.figure = {"pluck", 15, "G3"};
    s.counter = {"flute+12", 18, ""};
    s.figureSteps = "0 1 2 3 2 1 2/0 2 1 3 2 4 3/3 2 1 0 1 2 1";  // seven steps of two rows against the bar
    s.figureStep = 2;
    s.figureAccent = {1, 0.6, 0.75, 0.6};
    s.kits = {"k.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.s.s.ss", "k...h...k...h...", "k.h.s.h.hkh.s.h."};
    s.drumVolume = 22;  // snare and hat at twice it, under 64 after the gain
    s.drumAccent = {1, 0.5, 0.8, 0.5, 1, 0.5, 0.8, 0.6};

    const char* major = "G A B C D E F#";
    const char* mixed = "G A B C D E F# Eb F";  // the doubts borrow C minor's E-flat and the flat seventh

    // The climb, 4 + 5 bars: three sequences up, a stop, then the answer.
    const char* climbChords = "G:16 | D:16 | Em:16 | C:16 | G:16 | D:16 | Em:16 | C:8 D:8 | G:16";
    const char* climb = "B3:2 C4:2 D4:4 G4:4 D4:4 | F#4:2 G4:2 A4:4 D4:4 F#4:4 | G4:2 A4:2 B4:4 E4:4 G4:4 | "
                        "A4:2 B4:2 C5:4 .:8 | D5:4 B4:2 G4:2 D4:4 G4:4 | A4:4 F#4:2 E4:2 D4:4 F#4:4 | "
                        "B4:4 G4:4 E4:2 F#4:2 G4:4 | E5:4 C5:4 F#4:4 A4:2 C5:2 | B4:12 .:4";
    // Root, root, fifth, root, third: the walk keeps this shape under every chord.
    const char* climbBass = "G2:4 G2:2 D3:2 G2:4 B2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | E2:4 E2:2 B2:2 E2:4 G2:4 | "
                            "C2:4 C2:2 G2:2 C2:4 E2:4 | G2:4 G2:2 D3:2 G2:4 B2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | "
                            "E2:4 E2:2 B2:2 E2:4 G2:4 | C2:4 C2:2 G2:2 D2:4 A2:4 | G2:4 G2:2 D3:2 G2:4 D2:4";
    // Second thoughts, 3 + 3 + 6 bars of long syncopated notes.
    const char* doubtChords = "C:16 | Cm:16 | G:16 | F:16 | D7:16 | Em:16 | C:16 | Cm6:16 | G:16 | Am7:16 | "
                              "D7sus4:8 D7:8 | G:16";
    const char* doubt = "E4:6 G4:6 C5:4 | C5:6 G4:6 Eb4:4 | D4:8 .:8 | C4:6 F4:6 A4:4 | A4:6 F#4:6 C5:4 | C5:2 B4:4 A4:2 B4:4 .:4 | "
                        "A4:2 G4:2 E4:4 C4:8 | A4:4 G4:4 Eb4:6 D4:2 | -:4 G4:4 B4:8 | D5:2 C5:6 A4:4 E4:4 | G4:6 A4:2 F#4:4 A4:4 | "
                        "D4:2 G4:10 .:4";
    const char* doubtBass = "C2:4 C2:2 G2:2 C2:4 E2:4 | C2:4 C2:2 G2:2 C2:4 Eb2:4 | G2:4 G2:2 D3:2 G2:4 B2:4 | "
                            "F2:4 F2:2 C3:2 F2:4 A2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | E2:4 E2:2 B2:2 E2:4 G2:4 | "
                            "C2:4 C2:2 G2:2 C2:4 E2:4 | C2:4 C2:2 G2:2 C2:4 Eb2:4 | G2:4 G2:2 D3:2 G2:4 B2:4 | "
                            "A2:4 A2:2 E2:2 A2:4 C3:4 | D2:4 D2:2 A2:2 D2:4 C3:4 | G2:4 G2:2 D3:2 G2:4 D2:4";
    // The hover, 5 + 6 bars of three-four in E minor on the clarinet.
    const char* hoverChords = "Em:12 | Am:12 | D:12 | G:12 | C:12 | Am7:12 | B7:12 | Em:12 | C:12 | Am:12 | D7:12";
    const char* hover = "E4:8 G4:4 | D5:2 C5:4 B4:2 A4:4 | F#4:6 D4:2 A4:4 | C5:2 B4:2 G4:4 D4:4 | E4:12 | "
                        "A3:4 C4:4 E4:4 | D#4:6 F#4:2 A4:4 | A4:2 G4:6 E4:4 | E4:4 G4:4 C5:4 | B4:2 A4:4 C5:2 E4:4 | "
                        "F#4:8 .:4";
    const char* hoverBass = "E2:8 B2:4 | A2:8 E2:4 | D2:8 A2:4 | G2:8 D2:4 | C2:8 G2:4 | A2:8 E2:4 | B2:8 F#2:4 | "
                            "E2:8 B2:4 | C2:8 G2:4 | A2:8 E2:4 | D2:8 .:4";
    // The climb at last completed, one six-bar phrase.
    const char* soarChords = "G:16 | Am7:16 | Bm7:16 | C:16 | D7sus4:8 D7:8 | G:16";
    const char* soar = "B3:2 D4:2 G4:2 B4:2 D5:4 B4:4 | C4:2 E4:2 A4:2 C5:2 E5:4 C5:4 | D4:2 F#4:2 B4:2 D5:2 A4:8 | "
                       "E4:2 G4:2 C5:2 E5:2 D5:4 C5:4 | D5:6 C5:2 A4:4 F#4:4 | G4:4 D4:4 G4:6 .:2";
    const char* soarBass = "G2:4 G2:2 D3:2 G2:4 B2:4 | A2:4 A2:2 E2:2 A2:4 C3:4 | B2:4 B2:2 F#2:2 B2:4 D3:4 | "
                           "C2:4 C2:2 G2:2 C2:4 E2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | G2:4 G2:2 D3:2 G2:4 .:4";

    s.passages = {
        Passage{"climb", 16, major, climbChords, climb, "", climbBass}.drums(0).broken().at(1.05),
        Passage{"climb2", 16, major, climbChords, climb,
         ".:16 | .:16 | .:16 | .:8 E4:2 F#4:2 G4:4 | .:16 | .:16 | .:16 | .:16 | .:4 D4:2 E4:2 F#4:2 G4:2 A4:4",
         climbBass}.drums(2).broken().at(1.1),
        // The third climb pushes on past its sequence and answers anew.
        Passage{"climb3", 16, major, climbChords,
         "B3:2 C4:2 D4:4 G4:4 D4:2 E4:2 | F#4:2 G4:2 A4:4 D4:4 F#4:2 G4:2 | G4:2 A4:2 B4:4 E4:4 G4:2 A4:2 | "
         "A4:2 B4:2 C5:6 .:6 | D5:6 C5:2 B4:4 G4:4 | E5:4 D5:4 A4:2 B4:2 A4:4 | G4:4 B4:4 A4:2 G4:2 E4:4 | "
         "C5:4 B4:2 A4:2 A4:4 F#4:4 | G4:12 .:4",
         "", climbBass}.drums(1).broken().at(1.15),
        Passage{"doubt", 16, mixed, doubtChords, doubt, "", doubtBass}.drums(1).at(0.8),
        Passage{"doubt2", 16, mixed, doubtChords, doubt,
         ".:16 | .:16 | .:2 B4:2 A4:2 G4:2 A4:2 B4:2 D5:4 | .:16 | .:16 | .:2 G4:2 F#4:2 .:4 E4:2 G4:4 | .:16 | .:16 | "
         ".:10 D5:2 G4:4 | .:16 | .:16 | .:4 B4:2 C5:2 D5:4 B4:4",
         doubtBass}.drums(1).at(0.85).rise(0.6, 1),
        Passage{"hover", 12, "E F# G A B C D D#", hoverChords, hover, "", hoverBass}.onSecond().at(0.55),
        Passage{"hover2", 12, "E F# G A B C D D#", hoverChords, hover,
         ".:2 B4:2 G4:2 B4:2 .:4 | .:2 E5:4 .:6 | .:2 D5:2 A4:2 .:6 | .:12 | .:2 G4:2 C5:4 B4:2 G4:2 | .:12 | "
         ".:2 A4:4 .:6 | .:2 B4:2 E5:2 B4:2 .:4 | .:12 | .:2 E5:4 .:6 | .:2 A4:2 C5:4 .:4",
         hoverBass}.onSecond().at(0.6),
        // A flutter in C, 3 + 5 bars of twelve rows in threes, no drums.
        Passage{"flutter", 12, "C D E F G A B F#", "C:12 | Am:12 | F:12 | G:12 | C:12 | Em:12 | F:12 | D7:12",
         "E4:3 G4:3 C5:3 G4:3 | A4:3 C5:3 E5:3 C5:3 | C5:3 A4:3 F4:6 | D4:3 G4:3 B4:3 D5:3 | E5:6 C5:3 G4:3 | "
         "B4:3 G4:3 E4:6 | A4:3 F4:3 C4:6 | F#4:3 A4:3 C5:3 .:3",
         "", "C2:6 G2:6 | A2:6 E2:6 | F2:6 C2:6 | G2:6 D2:6 | C2:6 G2:6 | E2:6 B2:6 | F2:6 C2:6 | D2:6 A2:6"}.at(0.7),
        Passage{"soar", 16, major, soarChords, soar, "", soarBass}.drums(2).broken().at(1.2).rise(0.85, 1),
        // And once more, an octave's worth higher, to the top and home.
        Passage{"soar2", 16, major, soarChords,
         "D5:4 B4:2 G4:2 B4:4 D5:4 | E5:4 C5:2 A4:2 G4:4 E5:4 | F#5:6^ D5:2 B4:4 A4:4 | G5:4 E5:4 C5:4 E5:4 | "
         "D5:8 C5:2 A4:2 F#4:4 | G4:4 B4:2 A4:2 G4:6 .:2",
         "", soarBass}.drums(0).broken().at(1.25),
    };
    s.form = "climb doubt climb2 hover doubt2 climb3 hover2 flutter soar soar2";
    return s;
}

}  // namespace compose
