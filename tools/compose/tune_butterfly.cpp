// "xm/track3.xm", level "butterfly": G major, busy. A pluck runs in seven
// against the eight of the bar, the ocarina climbs in confident sequences
// and then stops in the middle of a thought; the harmony keeps second-
// guessing itself with the minor iv (Cm) and the flat seventh (F). In the
// middle the climb is heard low on the clarinet, and once up a fourth.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune butterflyTune() {
    Piece p;
    p.tune.file = "xm/track3.xm";
    p.tune.title = "butterfly (compose)";
    p.tune.key = "G major";
    p.tune.bpm = 125;
    p.tune.gain = 1.4;
    p.scale = "G A B C D E F#";
    p.lead = {"sine", 44, ""};
    p.lead2 = {"clarinet", 42, ""};
    p.pad = {"organ", 9, "B3"};
    p.padVoices = 3;
    p.bass = {"bass", 22, ""};
    p.figure = {"pluck", 15, "G3"};
    p.counter = {"flute+12", 18, "D5"};
    p.figureSteps = "0 1 2 3 2 1 2/0 2 1 3 2 4 3/3 2 1 0 1 2 1";
    p.figureStep = 1;
    p.figureAccent = {1, 0.6, 0.75, 0.6};
    p.kits = {"k.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.h.s.hhk.s.s.ss", "k...h...k...h...", "k.h.s.h.hkh.s.h."};
    p.drumVolume = 34;
    p.drumAccent = {1, 0.5, 0.8, 0.5, 1, 0.5, 0.8, 0.6};

    const std::string walk = "G2:4 G2:2 D3:2 G2:4 B2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | "
                             "E2:4 E2:2 B2:2 E2:4 G2:4 | C2:4 C2:2 G2:2 C2:4 E2:4";
    const char* bold = "G:16 D:16 Em:16 C:16";
    p.material = {
        {bold, "B4:2 C5:2 D5:4 G4:2 A4:2 B4:4 | A4:2 B4:2 C5:4 F#4:2 G4:2 A4:4 | G4:2 A4:2 B4:4 E4:2 F#4:2 G4:4 | E4:4 .:12",
         walk, "Em7:16 Bm7:16 C:16 Am7:16"},
        {bold, "B4:2 C5:2 D5:4 G4:2 A4:2 B4:4 | A4:2 B4:2 C5:4 D5:2 E5:2 F#5:4 | G5:4 F#5:2 E5:2 D5:4 B4:4 | C5:2 B4:2 A4:2 G4:2 E4:8",
         walk, ""},
        // Second thoughts: the same climb in minor, stopping twice.
        {"C:16 Cm:16 G:16 F:8 D:8", "E4:2 F4:2 G4:4 .:8 | Eb4:2 F4:2 G4:4 Ab4:4 G4:4 | D5:4 B4:4 .:8 | C5:2 A4:2 F4:4 F#4:4 A4:4",
         "C2:4 C2:2 G2:2 C2:4 E2:4 | C2:4 C2:2 G2:2 C2:4 Eb2:4 | G2:4 G2:2 D3:2 G2:4 B2:4 | F2:4 F2:2 C3:2 D2:4 F#2:4", ""},
        {"Em:16 C:16 Am7:16 D7sus4:16", ".:8 B4:4 G4:4 | E4:12 .:4 | .:8 C5:4 A4:4 | D5:4 C5:2 A4:2 F#4:8",
         "E2:16 | C2:16 | A2:16 | D2:16", "C:16 Am:16 Fmaj7:16 D7:16"},
    };
    p.plan = "0 1 2 3k1 0vk2 1c 2k2 3rk1 0o 1oc 2v 3vk1 0r 1vk2 0tu 3ck1 "
             "0+5k2 1v+5 2vk1 3ok2 0vc 3r 2ok2 1vk1";
    return develop(p);
}

}  // namespace compose
