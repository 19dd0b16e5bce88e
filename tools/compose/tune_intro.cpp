// "xm/intro.xm", heard on the title screen: B minor, slow and quiet, a
// music box turning over a choir, a single voice singing above a pedal
// that will not settle; the middle turns to the Neapolitan C major, the
// last part sinks chromatically to F# over a slow heartbeat. In the second
// round a cello sings the tune under a flute's guide tones, and the choir
// once stands alone. Nothing strikes hard: the title must stay even.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune introTune() {
    Piece p;
    p.tune.file = "xm/intro.xm";
    p.tune.title = "intro (compose)";
    p.tune.key = "B minor";
    p.tune.bpm = 75;
    p.tune.gain = 1.3;
    p.scale = "B C# D E F# G A";
    p.lead = {"voice", 44, ""};
    p.lead2 = {"cello", 42, ""};
    p.pad = {"choir", 13, "D4"};
    p.bass = {"softbass", 24, ""};
    p.figure = {"musicbox", 13, "B4"};
    p.counter = {"flute+12", 17, "D5"};
    p.figureSteps = "0 - 2 1 - 3 - 2 -";  // nine steps of four rows
    p.figureStep = 4;
    p.kits = {"", "k..k............"};
    p.drumVolume = 30;
    p.leadAccent = {1, 0.8, 0.9, 0.8};

    p.material = {
        {"Bm:16 Gmaj7:16 Em:16 F#sus4:8 F#:8",
         "F#5:6 E5:2 D5:4 B4:4 | D5:6 C#5:2 B4:8 | G5:6 F#5:2 E5:4 D5:4 | C#5:8 F#4:8", "B2:16 | G2:16 | E2:16 | F#2:16",
         "Bm:8 D:8 Em9:16 Cmaj7:16 F#7:16"},
        {"Gmaj7:16 C:16 Bm:16 F#7:16", "B5:4 A5:4 G5:8 | G5:4 E5:4 C5:8 | D5:6 E5:2 F#5:4 D5:4 | C#5:12 A#4:4",
         "G2:16 | C3:16 | B2:16 | F#2:16", "Em7:16 Cmaj7:16 G:16 F#7:16"},
        {"Bm:16 Gmaj7:16 Em:16 F#sus4:8 F#:8",
         "F#5:6 E5:2 D5:4 B4:4 | D5:6 C#5:2 B4:8 | G5:6 F#5:2 E5:4 G5:4 | F#5:16", "B2:16 | G2:16 | E2:16 | F#2:16", ""},
        // The floor gives way.
        {"Bm:8 F#:8 D:8 G#m7b5:8 Gmaj7:16 F#7sus4:8 F#7:8", "-:16 | -:8 D5:4 C#5:4 | B4:12 D5:4 | C#5:16",
         "B2:8 A#2:8 | A2:8 G#2:8 | G2:16 | F#2:16", ""},
    };
    p.plan = "0 1 2 3k1 0v 1r 2oc 3vk1 0b 1vc 0r 3k1";
    return develop(p);
}

}  // namespace compose
