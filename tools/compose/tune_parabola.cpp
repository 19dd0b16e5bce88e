// "xm/track6.xm", level "parabola": E-flat major, slow bossa feel, warm
// seventh and ninth chords struck on an electric piano. The tension lives
// in the melody arriving late and in the second part's C7b9, touched by
// the tune's D-flat on the way down. In the middle a cello sings a chorus
// a minor third up, in G-flat, with no drums; then a last tune in long
// three-three-two notes leans on the dominant that brings the loop home.
#include "tunes.h"

namespace compose {

Score parabolaTune() {
    Score s;
    s.tune.title = "parabola (compose)";
    s.tune.key = "Eb major";
    s.tune.bpm = 96;
    s.tune.gain = 1.0;
    s.lead = {"sine", 46, ""};
    s.lead2 = {"cello", 44, ""};
    s.pad = {"epiano", 15, "F3"};
    s.padGlide = false;  // struck chords, as a pianist plays them
    s.bass = {"softbass", 26, ""};
    s.figure = {"pluck", 12, "G3"};
    s.figureSteps = "0 - 2 1 - 2 - 1 - 2 - 1 0 - 2 -";  // a guitar's comping, the same every two bars
    s.figureAccent = {1, 0.7, 0.85, 0.7};
    s.counter = {"voice+12", 17, ""};
    // The 3-2 clave on the tick, the kick on the bossa's long-short.
    s.kits = {"c.....c.k...c.k.k...c...c.....k.", "c.....c.....c...k...c...c.......", "c.....c.k...c.k.k...c...c...k.k."};
    s.drumVolume = 38;  // kick and tick only: nothing is struck at twice it
    s.drumAccent = {1, 1, 1, 1, 1, 1, 0.8, 1, 0.55, 1, 0.9, 1, 1, 0.55, 1, 1};

    const char* major = "Eb F G Ab Bb C D";
    // Home, 4 + 6 bars, the melody arriving a beat late.
    const char* homeChords = "Ebmaj7:16 | Cm9:16 | Ab6:16 | Bb7sus4:8 Bb7:8 | Eb6:16 | Gm7:16 | Cm9:16 | Fm7:16 | "
                             "Abmaj7:16 | Bb7sus4:8 Bb7:8";
    const char* home = ".:2 G4:4'2 Bb4:2 D5:8 | .:2 C5:4'2 Bb4:2 G4:8 | .:2 Ab4:4 G4:2 Eb4:8 | F4:4 Eb4:4 D4:4 Bb3:4 | "
                       ".:2 Bb4:4 G4:2 Eb4:8 | .:4 F4:4 Ab4:2 G4:2 Bb4:4 | G4:3 Bb4:3 D5:2 C5:8 | Bb4:2 Ab4:4 G4:2 F4:8 | "
                       "Eb4:4 F4:4 G4:4 C5:4 | Bb4:8 Ab4:6 .:2";
    // Bossa bass: root, then the fifth pushed ahead of the beat.
    const char* homeBass = "Eb2:6 Bb2:2 Bb2:6 Eb2:2 | C2:6 G2:2 G2:6 C2:2 | Ab2:6 Eb2:2 Eb2:6 Ab2:2 | Bb2:6 F2:2 Bb2:8 | "
                           "Eb2:6 Bb2:2 Bb2:6 Eb2:2 | G2:6 D2:2 D2:6 G2:2 | C2:6 G2:2 G2:6 C2:2 | F2:6 C2:2 C2:6 F2:2 | "
                           "Ab2:6 Eb2:2 Eb2:6 Ab2:2 | Bb2:6 F2:2 Bb2:6 F2:2";
    // Away, 3 + 5 bars through the C7b9.
    const char* awayChords = "Gm7:16 | C7b9:4 C7:12 | Fm7:16 | Bb7sus4:12 Bb7:4 | Gm7:16 | C7b9:12 C7:4 | Fm7:8 Bb7:8 | Eb6:16";
    const char* away = ".:2 D5:4 C5:2 Bb4:8 | Db5:2 C5:6 G4:4 E4:4 | Bb4:2 Ab4:4 G4:2 Ab4:4 .:4 | .:2 F4:4 Ab4:2 Bb4:8 | "
                       "Eb5:2 D5:4 Bb4:2 G4:8 | E4:4 G4:4 Bb4:2 Db5:2 C5:4 | C5:4 Ab4:4 F4:2 Ab4:2 D4:4 | G4:2 Bb4:2 Eb4:8 .:4";
    const char* awayBass = "G2:6 D2:2 D2:6 G2:2 | C2:6 G2:2 G2:6 C2:2 | F2:6 C2:2 C2:6 F2:2 | Bb2:12 F2:4 | "
                           "G2:6 D2:2 D2:6 G2:2 | C2:6 G2:2 G2:6 C2:2 | F2:6 C2:2 Bb2:6 F2:2 | Eb2:6 Bb2:2 Bb2:6 Eb2:2";
    // Late, 5 + 3 bars of notes grouped three, three and two.
    const char* lateChords = "Abadd9:16 | Gm7:16 | Fm7:16 | Ebmaj7:16 | Ab6:16 | Bb7sus4:8 Bb7:8 | Cm7:16 | Bb7:16";
    const char* late = "C5:6 Bb4:6 Ab4:4 | G4:6 F4:6 D4:4 | Eb4:6 F4:6 Ab4:4 | G4:12 F4:2 G4:2 | Eb4:4 Ab4:3 Bb4:1 C5:4 .:4 | "
                       "Bb4:4 Eb5:4 D5:2 F4:6 | -:3 G4:3 Eb4:6 C4:4 | D4:3 F4:3 Ab4:6 .:4";
    const char* lateBass = "Ab2:6 Eb2:2 Eb2:6 Ab2:2 | G2:6 D2:2 D2:6 G2:2 | F2:6 C2:2 C2:6 F2:2 | Eb2:6 Bb2:2 Bb2:6 Eb2:2 | "
                           "Ab2:6 Eb2:2 Eb2:6 Ab2:2 | Bb2:6 F2:2 Bb2:6 F2:2 | C2:6 G2:2 G2:6 C2:2 | Bb2:6 F2:2 Bb2:6 F2:2";
    const char* lateCounter = ".:8 Eb4:4 .:4 | .:8 Bb3:4 .:4 | .:8 Ab3:4 .:4 | .:2 Bb3:4 F4:4 Eb4:2 .:4 | .:16 | "
                              ".:10 D4:2 Ab3:4 | .:8 Bb3:4 .:4 | .:12 Bb3:4";

    s.passages = {
        // The way in, once: four bare bars, no drums, no guitar.
        Passage{"bare", 16, major, "Abmaj7:16 | Gm7:16 | Cm7:16 | Bb7sus4:8 Bb7:8",
         ".:4 Eb4:4 F4:4 G4:4 | Bb4:12 .:4 | .:4 C4:4 Eb4:4 G4:4 | F4:4 Ab4:4 D4:4 .:4", "",
         "Ab2:16 | G2:16 | C2:16 | Bb2:12 .:4"}.at(0.8),
        Passage{"home", 16, major, homeChords, home, "", homeBass}.drums(0).broken().at(0.95),
        Passage{"home2", 16, major, homeChords, home,
         ".:10 Bb3:2 C4:4 | .:10 Eb4:2 F4:4 | .:10 C4:2 Bb3:4 | .:4 Ab3:4 .:8 | .:10 G3:2 Bb3:4 | .:16 | .:10 Eb4:2 G4:4 | "
         ".:10 Eb4:2 Ab3:4 | .:16 | .:10 D4:4 .:2",
         homeBass}.drums(1).broken().at(1.05),
        Passage{"away", 16, "Eb F G Ab Bb C D Db E", awayChords, away, "", awayBass}.drums(2).broken().at(1.15),
        Passage{"away2", 16, "Eb F G Ab Bb C D Db E", awayChords, away,
         ".:10 D4:2 F4:4 | .:4 E4:2 Bb3:4 .:6 | .:2 C4:4 .:4 Eb4:2 F4:4 | .:10 Eb4:2 D4:4 | .:10 Bb3:2 D4:4 | .:16 | .:16 | "
         ".:6 G3:2 Bb3:4 C4:4",
         awayBass}.drums(0).broken().at(1.25).rise(0.95, 1),
        // A chorus a minor third up, 6 + 3 bars, the cello alone over the piano.
        Passage{"gb", 16, "Gb Ab Bb Cb Db Eb F",
         "Gbmaj7:16 | Ebm7:16 | Cbmaj7:16 | Db7sus4:8 Db7:8 | Gbmaj7:16 | Bbm7:16 | Ebm9:16 | Abm7:8 Db7:8 | "
         "Bb7sus4:8 Bb7:8",
         "Bb3:6 Cb4:2 Db4:4 F4:4 | Gb4:12^ Eb4:4 | Eb4:6 F4:2 Gb4:8^ | Ab4:4 Gb4:6 F4:6 | Db4:4 F4:4 Bb4:6 Db5:2 | "
         "-:4 Ab4:4 F4:8 | "
         ".:4 Bb3:4 Db4:4 Eb4:4 | Cb4:8 F4:8 | Eb4:8 Ab3:6 .:2",
         "", "Gb2:6 Db2:2 Db2:6 Gb2:2 | Eb2:6 Bb2:2 Bb2:6 Eb2:2 | Cb3:6 Gb2:2 Gb2:6 Cb3:2 | Db2:6 Ab2:2 Db2:8 | "
             "Gb2:6 Db2:2 Db2:6 Gb2:2 | Bb2:6 F2:2 F2:6 Bb2:2 | Eb2:6 Bb2:2 Bb2:6 Eb2:2 | Ab2:6 Eb2:2 Db2:8 | "
             "Bb2:6 F2:2 Bb2:6 F2:2"}.broken().onSecond().at(0.55),
        Passage{"late", 16, major, lateChords, late, "", lateBass}.drums(1).broken().at(0.8).rise(0.6, 1),
        // The last tune again, and after three bars it pushes on in sixteenths to the dominant.
        Passage{"late2", 16, major, lateChords,
         "C5:6 Bb4:6 Ab4:4 | G4:6 F4:6 D4:4 | Eb4:6 F4:6 Ab4:4 | G4:3 C5:3 D5:10 | C5:3 Bb4:1 Ab4:4 F4:4 Eb4:4 | "
         "Eb5:8 D5:6 .:2 | G4:3 C5:3 Eb5:6 D5:2 C5:2 | Eb5:2 D5:2 F4:4 Ab4:7 .:1",
         lateCounter, lateBass}.drums(0).broken().at(1.15),
    };
    s.opening = "bare";  // a bare half-tune as a way in; the loop restarts after it
    s.form = "home away home2 gb late away2 late2";
    return s;
}

}  // namespace compose
