// "xm/track2.xm", level "swallowtail": F major in three-four, a calm park
// with a lazy waltz figure and a flute. The undertow is the borrowed
// minor: Bbm and Db major pull under the surface and let go again. The
// figure has five steps to the waltz's six, so it leans a different way
// in every bar; later the tune drifts up to G major and back.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune swallowtailTune() {
    Piece p;
    p.tune.file = "xm/track2.xm";
    p.tune.title = "swallowtail (compose)";
    p.tune.key = "F major";
    p.tune.bpm = 96;
    p.tune.gain = 1.4;
    p.rows = 48;  // twelve rows to the bar: three beats of four rows
    p.scale = "F G A Bb C D E";
    p.lead = {"flute", 40, ""};
    p.lead2 = {"clarinet", 42, ""};
    p.pad = {"strings", 12, "F3"};
    p.bass = {"softbass", 26, ""};
    p.figure = {"glass", 17, "F3"};
    p.counter = {"voice+12", 16, "A4"};
    p.figureSteps = "0 1 2 3 1/0 2 1 3 2/3 1 2 0 1";
    p.swing = 1;
    p.figureAccent = {1, 0.7, 0.7, 0.7, 0.85, 0.7, 0.7, 0.7, 0.85, 0.7, 0.7, 0.7};
    p.kits = {"....h...h...", "k...h...h...", ""};
    p.drumVolume = 32;
    p.drumAccent = {1, 1, 1, 1, 0.7, 1, 1, 1, 0.55, 1, 1, 1};

    const char* sun = "F:12 Dm7:12 Bbmaj7:12 C7sus4:6 C:6";
    p.material = {
        {sun, "C5:8 A4:4 | D5:8 F5:4 | E5:6 D5:2 C5:4 | G4:12", "F2:12 | D2:12 | Bb2:12 | C2:12", "Dm7:12 Bbmaj7:12 Gm7:12 C7:12"},
        {"F:12 Dm7:12 Bbm6:12 F:12", "C5:8 A4:4 | D5:6 E5:2 F5:4 | Db5:8 C5:4 | A4:12", "F2:12 | D2:12 | Bb2:12 | F2:12", ""},
        {"Dbmaj7:12 Bbm7:12 Gm7:12 C7:12", "F5:8 Eb5:2 Db5:2 | C5:12 | Bb4:6 A4:2 G4:4 | E4:8 G4:4",
         "Db2:12 | Bb2:12 | G2:12 | C2:12", ""},
        {"Dm:12 Am:12 Bb:12 C7:12", "F4:4 A4:4 D5:4 | C5:6 A4:2 E4:4 | F4:4 Bb4:4 D5:4 | E5:12", "D2:12 | A2:12 | Bb2:12 | C2:6 E2:6",
         "Bb:12 F:12 Gm7:12 C7sus4:12"},
    };
    p.plan = "0 1 0v 1k1 2 3k1 2v 3c 0r 1o 0vc 1k1 2k2 3r 2c 3vk1 "
             "0+2 1v+2 2+2k1 3o 0b 1uk1 0rc 1o 2ok1 3vk2";
    return develop(p);
}

}  // namespace compose
