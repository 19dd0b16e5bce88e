// "xm/track1.xm", level "cusp": two faces of one tune. E minor with an
// octave-leaping bass and a reed that keeps jumping in late; then the
// mirror, E major, the same gestures turned upside down over a bass that
// finally stands still. The song flips between the two, and the flips
// come faster as it goes: a tone higher, reharmonised, the tune dropped
// to the cello while a clarinet holds the guide tones above.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune cuspTune() {
    Piece p;
    p.tune.file = "xm/track1.xm";
    p.tune.title = "cusp (compose)";
    p.tune.key = "E minor / E major";
    p.tune.bpm = 120;
    p.tune.gain = 1.5;
    p.tune.vibrato = 0x63;
    p.scale = "E F# G A B C D";
    p.lead = {"reed", 40, ""};
    p.lead2 = {"cello", 44, ""};
    p.pad = {"strings", 12, "E3"};
    p.bass = {"bass", 22, ""};
    p.figure = {"pluck", 13, "E4"};
    p.counter = {"clarinet+12", 17, "G4"};
    p.figureSteps = "0 2 1 3 1 2 4/0 1 2 3 4 3 2/4 2 3 1 2 0 1";  // fourteen rows against the sixteen-row bar
    p.figureAccent = {1, 0.6, 0.8, 0.6};
    p.kits = {"k..hk.h.s..hk.h. k..hk.h.s..hk.hh k..hk.h.s..hk.h. k..hk.h.s.s.s.ss", "k.......h.......",
              "k..h..k.s..h..h.k..h..k.s..hh.h."};
    p.drumVolume = 34;
    p.drumAccent = {1, 0.6, 0.6, 0.75, 1, 0.6, 0.75, 0.6};

    const std::string leap = rep("E2:2 E3:2", 4) + rep("C2:2 C3:2", 4) + rep("A2:2 A3:2", 4) + rep("B2:2 B3:2", 4);
    const char* minor = "Em:16 Cmaj7:16 Am7:16 B7:16";
    const char* major = "E:16 A:16 C#m7:16 B7sus4:8 B7:8";
    p.material = {
        {minor, ".:2 B3:2 E4:3 F#4:1 G4:4 F#4:2 E4:2 | .:2 G4:2 B4:3 A4:1 G4:4 E4:4 | "
                ".:2 A3:2 C4:3 D4:1 E4:4 G4:2 F#4:2 | F#4:6 D#4:2 B3:8", leap, "Em:16 Am7:16 F#m7b5:16 B7:16"},
        {minor, ".:2 B3:2 E4:3 F#4:1 G4:4 A4:2 B4:2 | .:2 C5:2 B4:3 A4:1 G4:4 E4:4 | "
                ".:2 E4:2 A4:3 G4:1 F#4:4 E4:2 D#4:2 | E4:12 .:4", leap, ""},
        // The mirror: each interval of the minor tune turned upside down.
        {major, ".:2 B4:2 F#4:3 E4:1 D#4:4 E4:2 F#4:2 | .:2 E4:2 C#4:3 D#4:1 E4:4 A4:4 | "
                ".:2 G#4:2 E4:3 D#4:1 C#4:4 B3:2 C#4:2 | D#4:6 E4:2 F#4:8", "E2:16 | A2:16 | C#3:16 | B2:16",
         "C#m7:16 F#m7:16 A:16 B7:16"},
        {major, ".:2 B4:2 F#4:3 E4:1 D#4:4 C#4:2 B3:2 | .:2 A3:2 C#4:3 E4:1 A4:4 G#4:4 | "
                ".:2 G#4:2 B4:3 G#4:1 E4:4 C#4:2 E4:2 | D#4:6 C#4:2 B3:8", "E2:16 | A2:16 | C#3:16 | B2:8 D#3:8", ""},
    };
    p.plan = "0 1 2k1 3k1 0vk2 1c 2rk1 3vk1 0ok2 1ock1 0r 1vk2 2k1 3ck1 2vk1 2rk2 "
             "0+2k2 1v+2 0tu 1vk1 2vc+2k1 3k2 0vk1 0vr";
    return develop(p);
}

}  // namespace compose
