// "xm/track5.xm", level "purse": a playground at dusk. First a nursery
// tune in A major on the music box over a rocking bass; then the same tune
// in A minor on a low flute, the light going, a bell figure and a slow
// clock; it drifts up to C before the major key comes back at the loop
// as if nothing had happened.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune purseTune() {
    Piece p;
    p.tune.file = "xm/track5.xm";
    p.tune.title = "purse (compose)";
    p.tune.key = "A major / A minor";
    p.tune.bpm = 100;
    p.tune.gain = 1.3;
    p.scale = "A B C# D E F# G#";
    p.lead = {"musicbox", 46, ""};
    p.lead2 = {"flute", 44, ""};
    p.pad = {"pad", 12, "E3"};
    p.bass = {"softbass", 26, ""};
    p.figure = {"glass", 15, "A3"};
    p.counter = {"voice+12", 16, "E4"};
    p.figureSteps = "0 2 1 2 3 2/0 1 2 3 2 1/3 2 0 2 1 2";
    p.figureStep = 3;  // eighteen rows to the figure
    p.swing = 2;
    p.kits = {"k.......h.......", "t.......t.......", "k.....h.k...h..."};
    p.drumVolume = 34;
    p.drumAccent = {1, 1, 1, 1, 1, 1, 1, 1, 0.7};

    p.material = {
        {"A:16 D:16 A:16 E:16", "C#5:4 C#5:4 E5:4 C#5:4 | D5:4 F#5:4 E5:8 | C#5:4 A4:4 B4:4 C#5:4 | B4:12 E4:4",
         "A2:6 E2:2 A2:8 | D2:6 A2:2 D2:8 | A2:6 E2:2 C#3:8 | E2:6 B2:2 E2:8", "F#m:16 Bm7:16 D:16 E7:16"},
        {"A:16 D:16 A:8 E:8 A:16", "C#5:4 C#5:4 E5:4 C#5:4 | D5:4 F#5:4 E5:8 | C#5:4 B4:4 A4:4 G#4:4 | A4:12 .:4",
         "A2:6 E2:2 A2:8 | D2:6 A2:2 D2:8 | A2:8 E2:8 | A2:6 E2:2 A2:8", ""},
        // Dusk: the tune again in minor.
        {"Am:16 Dm:16 Am:16 E7:16", "C5:4 C5:4 E5:4 C5:4 | D5:4 F5:4 E5:8 | C5:4 A4:4 B4:4 C5:4 | B4:12 .:4",
         "A2:16 | D2:8 F2:8 | A2:8 G#2:4 G2:4 | E2:16", "F:16 Dm7:16 Am:16 E7:16", "A B C D E F G#"},
        {"F:16 Dm:16 Bb:16 E7:16", "A4:8 .:4 C5:4 | F4:8 .:4 D4:4 | Bb4:6 A4:2 F4:4 D4:4 | E4:8 G#4:8",
         "F2:16 | D2:16 | Bb2:16 | E2:16", "", "A B C D E F G#"},
    };
    p.plan = "0 1 0vk2 1c 0r 1vk2 2ok1 3ok1 2vck1 3vk1 2rk1 3ck1 2o+3k1 3o+3k1 0b 0u+2k2 1v+2 0rc 1uk2 1vk1";
    return develop(p);
}

}  // namespace compose
