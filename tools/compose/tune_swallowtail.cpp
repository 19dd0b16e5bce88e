// "xm/track2.xm", level "swallowtail": F major in three-four, a calm park
// with a lazy waltz figure and a flute. The undertow is the borrowed
// minor: B-flat minor and D-flat pull under the surface and let go again,
// the flute's D-flat over B-flat m6 at the heart of it. In the middle the
// waltz stops and the undertow becomes a place: four-four in D-flat, a
// clarinet low, no drums. A breeze in quavers, and a turn to G that slips
// home through C7.
#include "tunes.h"

namespace compose {

Score swallowtailTune() {
    Score s;
    s.tune.title = "swallowtail (compose)";
    s.tune.key = "F major";
    s.tune.bpm = 96;
    s.tune.gain = 1.15;
    s.lead = {"flute", 40, ""};
    s.lead2 = {"clarinet", 42, ""};
    s.pad = {"strings", 12, "F3"};
    s.bass = {"softbass", 26, ""};
    s.figure = {"glass", 17, "F3"};
    s.counter = {"voice+12", 16, ""};
    s.figureSteps = "0 1 2 3 1/0 2 1 3 2/3 1 2 0 1";
    s.swing = 1;
    s.figureAccent = {1, 0.7, 0.7, 0.7, 0.85, 0.7, 0.7, 0.7, 0.85, 0.7, 0.7, 0.7};
    s.kits = {"....h...h...", "k...h...h..."};
    s.drumVolume = 22;  // snare and hat at twice it, under 64 after the gain
    s.drumAccent = {1, 1, 1, 1, 0.7, 1, 1, 1, 0.55, 1, 1, 1};

    const char* borrowed = "F G A Bb C D E Ab Db";  // the major key and what it borrows from the minor

    // The park, 4 + 6 bars; the second phrase sinks through B-flat m6.
    const char* parkChords = "F:12 | Dm7:12 | Bb6:12 | C7sus4:6 C:6 | F:12 | Dm7:12 | Bbm6:12 | F:12 | Gm7:12 | C7:12";
    const char* park = "C4:4 F4:4 A4:4 | C5:8 A4:4 | D5:6 C5:2 Bb4:4 | G4:6 E4:6 | "
                       "A4:8 Bb4:2 A4:2 | F4:4 A4:4 D5:4 | Db5:8 C5:2 Bb4:2 | C5:4 A4:8 | G4:4 Bb4:4 D5:4 | E4:8 .:4";
    const char* parkBass = "F2:8 C3:4 | D2:8 A2:4 | Bb2:8 F2:4 | C2:8 G2:4 | F2:8 C3:4 | D2:8 A2:4 | Bb2:8 F2:4 | "
                           "F2:8 C3:4 | G2:8 D2:4 | C2:8 .:4";
    // The undertow, 3 + 5 bars of four-four in D-flat.
    const char* dbChords = "Db:16 | Bbm7:16 | Gbmaj7:16 | Ebm7:16 | Ab:16 | Db:8 Bbm:8 | Gb:16 | Db:8 C7:8";
    const char* db = "F4:6 Ab4:2 Db5:6 Eb5:2 | Db5:2 C5:2 Bb4:4 F4:8 | Bb4:12 .:4 | .:4 Gb4:4 Bb4:4 Db5:4 | "
                     "Db5:2 C5:4 Eb5:2 Ab4:8 | F4:4 Ab4:3 Gb4:1 F4:8 | Bb3:4 Db4:4 Gb4:6 Ab4:2 | -:8 Bb4:6 .:2";
    const char* dbBass = "Db2:12 Ab2:4 | Bb2:12 F2:4 | Gb2:12 Db2:4 | Eb2:12 Bb2:4 | Ab2:12 Eb2:4 | Db2:8 Bb2:8 | "
                         "Gb2:12 Db2:4 | Db2:8 C2:8";
    // The breeze, 3 + 3 + 6 bars of quavers, D-flat major 7 the shadow in it.
    const char* windChords = "F:12 | C:12 | Dm:12 | Bb:12 | F:12 | Gm7:12 | Dbmaj7:12 | C7:12 | F:12 | Bbm6:12 | F:12 | C7:12";
    const char* wind = "A4:2 G4:2 F4:2 A4:2 C5:4 | Bb4:2 A4:2 G4:4 E4:4 | F4:2 E4:2 D4:2 E4:2 F4:4 | "
                       "D5:2 C5:2 Bb4:4 F4:4 | A4:4 F4:2 G4:2 A4:4 | D4:2 F4:2 G4:8 | "
                       "Ab4:2 G4:2 F4:4 C5:4 | Bb4:6 G4:2 E4:2 C4:2 | A4:4 C5:4 A4:4 | F4:2 Bb4:2 Db5:8 | A4:8 G4:2 F4:2 | G4:4 C4:6 .:2";
    const char* windBass = "F2:8 C3:4 | C2:8 G2:4 | D2:8 A2:4 | Bb2:8 F2:4 | F2:8 C3:4 | G2:8 D2:4 | Db2:8 Ab2:4 | "
                           "C2:8 G2:4 | F2:8 C3:4 | Bb2:8 F2:4 | F2:8 C3:4 | C2:8 .:4";

    s.passages = {
        Passage{"park", 12, borrowed, parkChords, park, "", parkBass}.drums(0).broken().at(0.9),
        Passage{"park2", 12, borrowed, parkChords, park,
         ".:12 | .:2 F4:2 E4:2 D4:2 .:4 | .:2 F4:4 .:6 | .:2 Bb3:10 | .:2 C4:2 A3:2 C4:2 .:4 | .:12 | "
         ".:2 F4:2 G4:2 F4:2 .:4 | .:6 F4:2 C4:4 | .:12 | .:4 G3:4 Bb3:4",
         parkBass}.drums(1).broken().at(0.95).rise(0.7, 1),
        Passage{"db", 16, "Db Eb F Gb Ab Bb C", dbChords, db, "", dbBass}.onSecond().at(0.55),
        Passage{"db2", 16, "Db Eb F Gb Ab Bb C", dbChords, db,
         ".:10 Ab4:2 Bb4:4 | .:10 Ab4:6 | .:4 Db5:4 F5:4 Eb5:4 | Bb4:4 .:12 | .:10 C5:6 | .:10 F4:4 .:2 | "
         ".:10 Bb4:2 Ab4:4 | .:2 F4:2 Db4:4 .:2 E4:4 .:2",
         dbBass}.onSecond().at(0.6),
        Passage{"wind", 12, borrowed, windChords, wind, "", windBass}.drums(0).broken().at(1.2).rise(0.9, 1),
        // The breeze again, its second half blowing elsewhere.
        Passage{"wind2", 12, borrowed, windChords,
         "A4:2 G4:2 F4:2 A4:2 C5:4 | Bb4:2 A4:2 G4:4 E4:4 | F4:2 E4:2 D4:2 E4:2 F4:4 | "
         "D5:2 C5:2 Bb4:4 F4:4 | A4:4 F4:2 G4:2 A4:4 | D4:2 F4:2 G4:8 | "
         "Ab4:2 C5:2 F5:4 C5:4 | E5:6 D5:2 C5:2 Bb4:2 | A4:2 G4:2 A4:2 C5:2 F4:4 | Db5:2 C5:2 Bb4:2 Ab4:2 F4:4 | "
         "A4:4 C5:4 F5:4 | E5:4 C5:6 .:2",
         "", windBass}.drums(1).broken().at(1.25),
        // Dusk in the park: its chords once more under a slower, lower tune
        // that ends open on the dominant, so the loop does not play the park twice running.
        Passage{"park3", 12, borrowed, parkChords,
         "A4:6 G4:2 F4:4 | D5:4 C5:4 A4:4 | Bb4:8 G4:4 | F4:6 E4:6 | C5:4 A4:4 F4:4 | E4:2 F4:2 A4:8 | "
         "Db5:6 C5:2 Bb4:4 | A4:12 | G4:4 Bb4:4 D5:4 | C5:8 .:4",
         "", parkBass}.drums(0).broken().at(0.75),
        // The turn to G, 5 + 5 bars, slipping home through C minor 6 and C7.
        Passage{"g", 12, "G A B C D E F#",
         "G:12 | Em7:12 | Cmaj7:12 | D:12 | G:12 | Bm:12 | Em:12 | Am7:12 | Cm6:12 | C7:12",
         "D4:3 G4:3 B4:6 | D5:4 B4:4 G4:2 A4:2 | E4:8 G4:4 | F#4:2 A4:2 D5:4 A4:4 | G4:2 B4:6 D5:2 .:2 | "
         "F#4:4 B4:4 D5:4 | B4:3 A4:3 G4:6 | A4:6 C5:2 E5:4 | G4:2 A4:2 C5:8 | G4:6 .:6",
         "", "G2:8 D3:4 | E2:8 B2:4 | C3:8 G2:4 | D2:8 A2:4 | G2:8 D3:4 | B2:8 F#2:4 | E2:8 B2:4 | A2:8 E2:4 | "
             "C3:8 G2:4 | C2:8 G2:4"}.drums(1).broken().at(1.25).rise(0.9, 1),
    };
    s.form = "park wind db park2 g wind2 db2 park3";
    return s;
}

}  // namespace compose
