// "xm/track4.xm", level "pyramid": D dorian, slow and bare. An organ's
// open fifth sounds alone first; then a chant moves by step over it, and
// climbs into organum, the line sung with a second voice a fourth below
// (a third where a fourth would be the tritone). A flute moves in the
// chant's held notes; a cello takes a new chant down to G, where for three
// bars it doubts; the last climb reaches the top and falls home to the
// drone. No drums, and the chant breathes between its phrases.
#include "tunes.h"

namespace compose {

Score pyramidTune() {
    Score s;
    s.tune.title = "pyramid (compose)";
    s.tune.key = "D dorian";
    s.tune.bpm = 60;
    s.tune.gain = 1.07;
    s.tune.vibrato = 0x32;
    s.tune.glide = 0x04;
    s.lead = {"voice", 46, ""};
    s.lead2 = {"cello", 46, ""};
    s.pad = {"organ", 16, "D3"};
    s.padVoices = 2;
    s.padGlide = false;  // an organ changes chords, it does not slide
    s.figure = {"bell", 17, "D3"};
    s.counter = {"flute+12", 18, ""};
    s.figureSteps = "0 - - 1 - - 2";  // seven steps of eight rows
    s.figureStep = 8;

    const char* dorian = "D E F G A B C";
    // The chant, 5 + 5 bars, by step over the drone.
    const char* chantPad = "D5:16 | D5:16 | D5:16 | C5:16 | D5:16 | D5:16 | D5:16 | G5:16 | C5:16 | D5:16";
    const char* chant = "D4:10 E4:2 F4:4 | G4:4 A4:4 G4:2 F4:2 E4:4 | F4:6 G4:2 A4:8^ | G4:2 F4:2 E4:12 | D4:12 .:4 | "
                        "A4:10 C5:2 B4:4 | A4:8 G4:4 A4:4 | C5:4 D5:4 C5:2 B4:2 A4:4 | G4:6 F4:2 E4:6 F4:2 | "
                        "F4:2 E4:2 D4:8 .:4";

    s.passages = {
        Passage{"drone", 16, dorian, "D5:64", "", "", ""}.at(0.8),
        Passage{"chant", 16, dorian, chantPad, chant, "", ""}.broken().at(0.9),
        // The chant again, a flute moving only in its held notes.
        Passage{"chant2", 16, dorian, chantPad, chant,
         ".:2 A4:2 G4:2 A4:2 .:8 | .:2 B4:2 C5:2 B4:2 .:8 | .:10 C5:2 D5:2 C5:2 | .:10 G4:2 A4:4 | .:4 F4:4 E4:4 .:4 | "
         ".:2 E4:2 F4:2 E4:2 .:8 | .:2 D4:2 E4:2 C4:2 .:8 | .:2 G4:2 A4:2 G4:2 .:8 | .:10 C4:2 D4:4 | .:6 A3:4 F4:4 .:2",
         ""}.broken(),
        // Organum, 6 + 3 + 3 bars higher up: the chant in parallel fourths.
        Passage{"organum", 16, dorian,
         "D5:16 | G5:16 | G5:16 | G5:16 | C5:16 | A5:16 | C5:16 | A5:16 | G5:16 | D5:16 | G5:16 | A5:16",
         "A4:4 C5:4 B4:8 | D5:2 C5:2 B4:4 A4:8 | C5:4 D5:4 E5:8 | B4:4 D5:4 B4:8 | C5:8 A4:4 G4:4 | A4:4 G4:4 A4:4 .:4 | "
         "F4:8 G4:4 A4:4 | C5:4 B4:4 A4:8 | B4:4 G4:12 | D5:8 C5:4 A4:4 | B4:8 G4:8 | E4:2 G4:2 A4:8 .:4",
         "E4:4 G4:12 | A4:2 G4:6 E4:8 | G4:4 A4:4 B4:8 | G4:4 A4:4 G4:8 | G4:8 E4:4 D4:4 | E4:4 D4:4 E4:4 .:4 | "
         "C4:8 D4:4 E4:4 | G4:8 E4:8 | G4:4 D4:12 | A4:8 G4:4 E4:4 | G4:8 D4:8 | B3:2 D4:2 E4:8 .:4",
         ""}.broken().at(1.2),
        // Low, 4 + 6 bars: a new chant on the cello, down in G dorian.
        // Bars 6-8 doubt: a rising tritone, and B natural over an open G
        // where the mode has B-flat.
        Passage{"low", 16, "G A Bb B C D E F",
         "G5:16 | C5:16 | F5:16 | G5:16 | G5:16 | C5:16 | G5:16 | F5:16 | G5:16 | A5:16",
         "G3:6 A3:2 Bb3:6 C4:2 | -:12 Bb3:4 | A3:10 G3:2 F3:4 | G3:4 F3:2 E3:2 D3:4 .:4 | "
         "D4:6 E4:2 F4:6 D4:2 | F4:4 D4:4 C4:4 Bb3:4 | E4:6 D4:2 B3:8 | A3:4 C4:2 D4:2 F4:8 | Bb3:6 G3:10 | C4:2 Bb3:2 A3:12",
         ".:2 D5:2 C5:4 .:8 | .:4 E4:4 G4:4 .:4 | .:2 C5:2 A4:4 .:8 | .:12 Bb4:4 | "
         ".:2 F4:2 G4:4 .:8 | .:16 | .:10 G4:2 D4:4 | .:10 A4:2 C5:4 | .:8 D4:4 Bb3:4 | .:6 E4:4 .:6",
         ""}.broken().onSecond().at(0.75),
        // The summit, one five-bar phrase to the top and home.
        Passage{"summit", 16, dorian, "A5:16 | D5:16 | G5:16 | A5:16 | D5:16",
         "A4:3 D5:5 E5:8 | D5:2 E5:6 C5:8 | B4:8 A4:2 G4:6 | A4:6 G4:2 E4:8 | D4:8 .:8", "", ""}.broken().at(1.25).rise(0.85, 1),
    };
    s.opening = "drone";  // the drone alone, once
    s.form = "chant organum chant2 low summit drone";
    return s;
}

}  // namespace compose
