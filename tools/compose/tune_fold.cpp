// "xm/track0.xm", level "fold": C minor lament. The bass walks the old
// chromatic descent C-B-Bb-A-Ab-G under the plea, a clarinet line that
// starts high and falls with long rests: someone pleading with a person
// at the edge. A second verse answers in plain steps over a slower bass;
// then the middle turns to A-flat in three-four, the tune low on a cello,
// and the Neapolitan D-flat tips it back to G. The plea returns with a
// voice under it, and the last verse climbs over a rising bass before the
// drop to the dominant that begins it all again.
#include "tunes.h"

namespace compose {

Score foldTune() {
    Score s;
    s.tune.title = "fold (compose)";
    s.tune.key = "C minor";
    s.tune.bpm = 64;
    s.tune.gain = 0.9;
    s.lead = {"clarinet", 44, ""};
    s.lead2 = {"cello", 46, ""};
    s.pad = {"strings", 17, "C3"};
    s.bass = {"softbass", 30, ""};
    s.figure = {"glass", 15, "C4"};
    s.counter = {"voice+12", 20, ""};
    s.figureSteps = "0 2 1 3 2";  // five steps of four rows against a sixteen-row bar
    s.figureStep = 4;
    s.leadAccent = {1, 1, 0.85, 0.85, 0.95, 0.95, 0.85, 0.85};

    const char* minor = "C D Eb F G Ab A Bb B";  // the lament's bass borrows A and B from the melodic minor

    // The plea, 5 + 4 bars, over the chromatic descent and its answer.
    const char* pleaChords = "Cm:8 G:8 | Cm7:8 F:8 | Fm:8 Cm:8 | Dm7b5:8 G7:8 | Cm:16 | "
                             "Ab:8 Eb:8 | Fm:8 Fm7:8 | Dm7b5:8 G7:8 | Cm:16";
    const char* pleaBass = "C3:8 B2:8 | Bb2:8 A2:8 | Ab2:8 G2:8 | F2:8 G2:8 | C2:16 | "
                           "Ab2:8 G2:8 | F2:8 Eb2:8 | D2:8 G2:8 | C2:12 .:4";
    const char* plea = "Eb5:8 D5:6 C5:2 | G4:8 C5:6 A4:2 | C5:6 Bb4:2 Eb4:8 | Ab4:8 D4:6 F4:2 | Eb4:8 D4:2 Eb4:6 | "
                       ".:4 C5:4 Eb5:8 | C5:6 Bb4:2 Ab4:8 | F4:4 Ab4:4 B3:4 D4:4 | D4:2 C4:12 .:2";

    s.passages = {
        // The height: a single line falls an octave, once, before the lament.
        Passage{"height", 16, minor, "Ab:16 | Fm:12 Eb:4 | Dm7b5:8 Cm:8 | G:16",
         "C5:8 Bb4:8 | Ab4:12 G4:4 | F4:4 Ab4:4 G4:4 Eb4:4 | D4:12 .:4", "", "Ab2:16 | F2:12 Eb2:4 | D2:8 C2:8 | G2:12 .:4"}.at(0.8),
        Passage{"plea", 16, minor, pleaChords, plea, "", pleaBass}.at(1.05),
        // The reply, 6 + 3 bars: plain quarter-note steps, the bass a chord a bar.
        Passage{"reply", 16, minor,
         "Cm:16 | Bb:16 | Ab:16 | G:16 | Fm:16 | Eb:16 | Dm7b5:8 G7:8 | Cm:16 | G7sus4:8 G:8",
         "D4:2 C4:6 Eb4:2 G4:2 C5:4 | Bb4:6 Ab4:2 F4:4 D4:4 | Eb4:4 Ab4:4 C5:6 Bb4:2 | B4:8 D5:4 B4:4 | "
         "C5:6 Ab4:2 F4:4 Ab4:4 | G4:8 .:8 | F4:4 Ab4:4 G4:4 F4:4 | Eb4:8 D4:2 C4:6 | D4:2 F4:2 D4:4 B3:6 .:2",
         "", "C3:12 G2:4 | Bb2:12 F2:4 | Ab2:12 Eb2:4 | G2:12 D2:4 | F2:12 C2:4 | Eb2:12 Bb2:4 | "
             "D2:8 G2:8 | C2:12 G2:4 | G2:12 .:4"}.broken().at(0.85),
        // The turn, 3 + 3 + 6 bars of three-four in A-flat, low on the cello,
        // with a voice above answering in the held notes.
        Passage{"turn", 12, "Ab Bb C Db Eb F G",
         "Ab:12 | Db:12 | Eb:12 | Ab:12 | Fm:12 | Bbm7:12 | Db:12 | Bbm:12 | Cm:12 | Fm:12 | Db:12 | G:12",
         "C4:6 Eb4:6 | Db4:8 F4:4 | G4:4 Bb4:4 Eb4:4 | Eb4:4 C4:4 Ab3:4 | Ab3:4 C4:4 Bb3:4 | Db4:8 C4:2 Bb3:2 | "
         "F4:8 Ab4:2 F4:2 | Db4:4 F4:2 Db4:2 Bb3:4 | Eb4:6 Db4:2 C4:4 | C4:4 Ab3:4 F3:4 | F4:2 Eb4:2 Db4:8 | G3:10 .:2",
         ".:2 Eb5:4 .:2 C5:4 | .:2 Ab4:2 Bb4:2 Ab4:2 .:4 | .:12 | .:12 | .:12 | .:2 F4:2 Ab4:4 .:4 | "
         ".:4 Eb5:2 Db5:6 | .:12 | .:2 G4:4 .:6 | .:12 | .:6 Ab4:4 .:2 | .:2 B4:4 D5:4 .:2",
         "Ab2:8 Eb2:4 | F2:8 Db2:4 | Eb2:8 Bb2:4 | C3:8 Ab2:4 | F2:8 C2:4 | Bb2:8 F2:4 | "
         "Db2:8 Ab2:4 | Bb2:8 F2:4 | C3:8 G2:4 | F2:8 C2:4 | Db2:8 Ab2:4 | G2:8 .:4"}.onSecond().at(0.7),
        // The plea again, a voice moving in its held notes.
        Passage{"plea2", 16, minor, pleaChords, plea,
         ".:2 C4:2 Eb4:2 F4:4 G4:6 | .:2 Eb4:4 C4:4 F4:6 | -:4 Ab3:4 .:2 C4:6 | .:2 D4:6 .:2 B3:6 | .:2 G3:6 .:4 C4:4 | "
         "Eb4:4 .:6 Bb3:6 | .:2 Ab3:6 .:2 C4:6 | .:16 | .:4 G3:4 Eb4:6 .:2",
         pleaBass}.at(1.15).rise(0.8, 1).swell(1.35, 1),
        // The drop, 5 + 5 bars: the bass climbs, the line leaps and syncopates,
        // and it ends on the dominant that the plea resolves.
        Passage{"drop", 16, minor,
         "Fm:16 | Cm:16 | Ab:16 | Bb:16 | Cm:16 | Ab:8 Fm:8 | Dm7b5:16 | G:8 G7:8 | Cm:8 Ab:8 | G:16",
         ".:2 C4:2 F4:4 Ab4:6 G4:2 | Eb4:6 G4:2 C5:8 | Eb5:6 C5:2 Ab4:8 | Bb4:6 D5:2 F4:8 | G4:6 F4:2 G4:4 .:4 | "
         ".:2 Ab4:2 C5:4 F4:6 Ab4:2 | Ab4:6 C5:2 D5:8 | B4:8 F4:6 D4:2 | Eb4:8 C4:6 Eb4:2 | D4:4 B3:4 G3:4 .:4",
         "", "F2:12 C2:4 | G2:12 C2:4 | Ab2:12 Eb2:4 | Bb2:12 F2:4 | C3:16 | Ab2:8 F2:8 | D2:12 F2:4 | "
             "G2:16 | C2:8 Ab2:8 | G2:12 .:4"}.broken().at(1.35),
    };
    s.opening = "height";
    s.form = "plea reply turn plea2 drop";
    return s;
}

}  // namespace compose
