// "xm/track5.xm", level "purse": a playground at dusk. First a nursery
// tune in A major on the music box over a rocking bass; then dusk, A
// minor on a low flute over a slow clock, a new tune in longer breaths;
// one more go on the swings, in three-four; then evening drifts up to C
// in dotted steps, and an E7 brings the major key back at the loop as if
// nothing had happened.
#include "tunes.h"

namespace compose {

Score purseTune() {
    Score s;
    s.tune.title = "purse (compose)";
    s.tune.key = "A major / A minor";
    s.tune.bpm = 100;
    s.tune.gain = 1.2;
    s.lead = {"musicbox", 46, ""};
    s.lead2 = {"flute", 44, ""};
    s.pad = {"pad", 12, "E3"};
    s.bass = {"softbass", 19, ""};
    s.figure = {"glass", 14, "A3"};
    s.counter = {"voice+12", 11, ""};
    s.figureSteps = "0 2 1 2 3 2/0 1 2 3 2 1/3 2 0 2 1 2";
    s.figureStep = 3;  // eighteen rows to the figure
    s.swing = 2;
    s.kits = {"K.......h.......", "t.......t.......", "K.....h.K...h..."};
    s.drumVolume = 22;  // kick, snare and hat at twice it, under 64 after the gain
    s.drumAccent = {1, 1, 1, 1, 1, 1, 1, 1, 0.7};

    // Play, 4 + 5 bars in A major over the rocking bass.
    const char* playChords = "A:16 | D:16 | A:16 | E:16 | A:16 | F#m:16 | D:16 | E7:16 | A:16";
    const char* play = "E4:4 E4:4 A4:4 E4:4 | F#4:4 D4:4 A4:6 B4:2 | C#5:4 B4:4 A4:4 E4:4 | G#4:12 .:4 | "
                       "A4:4 A4:4 C#5:4 A4:4 | F#4:4 A4:3 B4:1 C#5:8 | B4:4 A4:4 F#4:4 D4:4 | E4:4 G#4:4 B4:4 D5:4 | C#5:8 A4:4 .:4";
    // The second verse skips in quavers over the same chords.
    const char* play2 = "A4:2 B4:2 C#5:4 B4:2 A4:2 E4:4 | F#4:2 E4:2 D4:4 A4:8 | E4:2 F#4:2 A4:4 C#5:2 B4:2 A4:4 | B4:8 .:8 | "
                        "C#5:2 B4:2 A4:4 E4:2 F#4:2 A4:4 | A4:4 F#4:4 C#4:8 | D4:2 F#4:2 A4:4 B4:2 A4:2 F#4:4 | "
                        "G#4:4 B4:4 D5:8 | C#5:6 B4:2 A4:4 .:4";
    const char* playBass = "A2:6 E2:2 A2:8 | D2:6 A2:2 D2:8 | A2:6 E2:2 A2:8 | E2:6 B2:2 E2:8 | A2:6 E2:2 A2:8 | "
                           "F#2:6 C#2:2 F#2:8 | D2:6 A2:2 D2:8 | E2:6 B2:2 E2:8 | A2:6 E2:2 A2:4 E2:4";
    // Dusk, 6 + 5 bars in A minor, the flute low.
    const char* duskChords = "Am:16 | Dm:16 | Am:16 | E7:16 | F:16 | Dm7:16 | Am:16 | F:16 | Dm:16 | E7:16 | Am:16";
    const char* dusk = "A3:6 B3:2 C4:4 E4:4 | G4:2 F4:6 A4:4 D4:4 | E4:12 C4:4 | C4:2 B3:6 D4:4 G#3:4 | A3:6 C4:2 F4:6 E4:2 | "
                       "D4:4 E4:2 F4:2 D4:4 .:4 | C4:4 E4:4 A4:6 B4:2 | D5:2 C5:6 A4:4 F4:4 | D4:6 F4:2 A4:6 G#4:2 | "
                       "-:6 B4:6 D4:4 | B3:2 A3:10 .:4";
    const char* duskBass = "A2:16 | D2:8 F2:8 | A2:8 G#2:4 G2:4 | E2:16 | F2:16 | D2:16 | A2:16 | F2:16 | D2:16 | E2:16 | "
                           "A2:12 .:4";
    // Evening, 3 + 3 + 6 bars drifting up to C in dotted steps.
    const char* eveChords = "C:16 | G:16 | Am:16 | F:16 | C:16 | Dm7:16 | Em:16 | Am:16 | F:16 | G:16 | Dm7:16 | E7:16";
    const char* eve = "G4:3 A4:1 G4:4 E4:8 | D4:4 G4:4 B4:6 C5:2 | -:6 B4:2 C5:4 .:4 | A4:3 G4:1 F4:4 C4:8 | E4:4 G4:4 C5:4 G4:4 | "
                      "F4:8 A4:4 .:4 | E4:3 F4:1 G4:4 B4:8 | D5:2 C5:4 B4:2 A4:8 | A4:3 C5:1 A4:4 F4:8 | D5:4 B4:4 G4:6 A4:2 | "
                      "F4:3 E4:1 D4:4 A4:8 | A4:2 G#4:2 B4:4 E4:4 .:4";
    const char* eveBass = "C2:8 G2:8 | G2:8 D2:8 | A2:8 E2:8 | F2:8 C2:8 | C2:8 G2:8 | D2:8 A2:8 | E2:8 B2:8 | "
                          "A2:8 E2:8 | F2:8 C2:8 | G2:8 D2:8 | D2:8 A2:8 | E2:8 B2:8";

    const char* major = "A B C# D E F# G#";
    const char* minor = "A B C D E F G G#";
    const char* evening = "C D E F G A B G#";  // G-sharp only in the E7 that turns for home
    s.passages = {
        Passage{"play", 16, major, playChords, play, "", playBass}.drums(0).broken().at(1.1),
        Passage{"play2", 16, major, playChords, play2,
         ".:16 | .:10 D4:2 E4:2 F#4:2 | .:16 | .:4 E4:2 F#4:2 G#4:4 .:4 | .:16 | .:10 E4:2 F#4:4 | .:16 | .:16 | "
         ".:2 E4:2 C#4:4 .:2 E4:2 .:4",
         playBass}.drums(2).broken().at(1.15).rise(0.75, 1),
        Passage{"dusk", 16, minor, duskChords, dusk, "", duskBass}.drums(1).broken().onSecond().at(0.55),
        Passage{"dusk2", 16, minor, duskChords, dusk,
         ".:2 E4:2 A4:2 C5:2 .:8 | .:2 A4:2 C5:4 .:8 | .:4 C5:4 B4:2 A4:2 .:4 | .:2 E4:2 G#4:4 .:8 | .:10 A4:2 C5:4 | "
         ".:2 A4:4 .:4 C5:2 .:4 | .:10 E5:2 C5:4 | .:2 F4:2 A4:4 .:8 | .:10 F4:6 | .:2 E4:2 B3:4 .:8 | .:4 C4:4 E4:4 .:4",
         duskBass}.drums(1).onSecond().at(0.58),
        // The swings, 3 + 5 bars of three-four, no clock, the music box up and down.
        Passage{"swing", 12, major, "A:12 | D:12 | E7:12 | F#m:12 | D:12 | A:12 | Bm7:12 | E7:12",
         "E4:4 A4:4 C#5:4 | D5:8 A4:4 | G#4:6 B4:2 E4:4 | A4:4 C#5:4 F#4:4 | F#4:6 E4:2 D4:4 | C#4:4 E4:4 A4:4 | "
         "D5:6 C#5:2 B4:4 | G#4:8 .:4",
         ".:12 | .:2 F#4:2 A4:2 F#4:2 .:4 | .:12 | .:12 | .:12 | .:12 | .:12 | .:2 B3:2 D4:2 B3:2 .:4",
         "A2:8 E2:4 | D2:8 A2:4 | E2:8 B2:4 | F#2:8 C#3:4 | D2:8 A2:4 | A2:8 E2:4 | B2:8 F#2:4 | E2:8 .:4"}.broken(),
        Passage{"evening", 16, evening, eveChords, eve, "", eveBass}.drums(2).broken().at(0.8),
        Passage{"evening2", 16, evening, eveChords, eve,
         ".:10 C4:2 D4:4 | .:10 G3:2 A3:4 | .:2 E4:4 .:4 G4:2 .:4 | .:10 F4:2 A4:4 | .:16 | .:2 A4:4 .:4 C5:4 .:2 | "
         ".:10 G4:2 E4:4 | .:10 E4:2 C4:4 | .:10 A3:2 F3:4 | .:10 D4:2 B3:4 | .:10 F4:2 C4:4 | .:2 E4:2 .:8 D4:4",
         eveBass}.drums(0).broken().at(1.05).rise(0.7, 1),
    };
    s.form = "play dusk play2 swing evening dusk2 evening2";
    return s;
}

}  // namespace compose
