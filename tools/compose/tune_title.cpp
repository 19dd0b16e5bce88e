// "xm/title.xm", heard on the level list: A minor, a glassy figure of
// seven steps turning over the line cliche A-G#-G-F# in the bass, a flute
// that asks and waits, and a soft clock tick once the piece has begun to
// move. Later the cliche is heard over Fmaj7 and D7, the clarinet takes
// the tune an octave down, and the turn rises a tone before coming home.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune titleTune() {
    Piece p;
    p.tune.file = "xm/title.xm";
    p.tune.title = "title (compose)";
    p.tune.key = "A minor";
    p.tune.bpm = 80;
    p.tune.gain = 1.4;
    p.scale = "A B C D E F G";
    p.lead = {"flute", 40, ""};
    p.lead2 = {"clarinet", 42, ""};
    p.pad = {"pad", 13, "C4"};
    p.bass = {"softbass", 26, ""};
    p.figure = {"glass", 18, "A3"};
    p.counter = {"sine+12", 17, "E4"};
    p.figureSteps = "0 1 2 3 4 3 2";
    p.figureAccent = {1, 0.7, 0.85, 0.7};
    p.kits = {"....t.......t...", "", "....t...t...t..t"};
    p.drumVolume = 28;
    p.drumAccent = {1, 1, 1, 1, 1, 0.6, 1, 1, 1, 1, 1, 1, 0.8, 1, 1, 0.6};

    const char* cliche = "Am:16 Ammaj7:16 Am7:16 Am6:16";
    const char* turn = "Fmaj7:16 Dm7:16 E7sus4:16 E7:16";
    const char* clicheBass = "A2:16 | G#2:16 | G2:16 | F#2:16";
    p.material = {
        {cliche, "E5:8 D5:4 C5:4 | B4:12 A4:4 | C5:6 B4:2 A4:4 G4:4 | F#4:8 A4:8", clicheBass, "Fmaj7:16 Dm9:16 Am7:16 D7:16"},
        {cliche, "E5:8 D5:4 C5:4 | B4:8 E4:8 | C5:6 D5:2 E5:4 A4:4 | F#4:8 E4:8", clicheBass, ""},
        {turn, "A4:4 C5:4 E5:8 | F5:6 E5:2 D5:8 | E5:4 D5:4 A4:8 | G#4:12 .:4", "F2:16 | D2:16 | E2:16 | E2:8 G#2:8",
         "Dm9:16 Bm7b5:16 Am:16 E7:16"},
        {turn, "C5:4 A4:4 E4:8 | F4:6 G4:2 A4:8 | B4:4 C5:4 D5:8 | B4:8 G#4:8", "F2:16 | D2:16 | E2:16 | E2:8 B2:8", ""},
    };
    p.plan = "0k1 1 2 1vc 0r 3 2o 1v 0b 2+2k2 3c+2 0vr";
    return develop(p);
}

}  // namespace compose
