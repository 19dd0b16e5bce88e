// "xm/intro.xm", heard on the title screen: B minor, slow and quiet, a
// music box over a choir with a pedal that will not settle; the middle
// turns to the Neapolitan C major, the last part sinks chromatically to F#.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune introTune() {
    Tune t;
    t.file = "xm/intro.xm";
    t.title = "intro (compose)";
    t.key = "B minor";
    t.bpm = 75;
    t.speed = 6;
    t.gain = 1.3;

    auto pad = [](const char* prog) { return chords(2, 3, "choir", 22, prog, "D4"); };

    Section a{"A", 64, {}};
    a.lines = pad("Bm:16 Gmaj7:16 Em:16 F#sus4:8 F#:8");
    a.lines.push_back({0, "musicbox", 40, "F#5:6 E5:2 D5:4 B4:4 | D5:6 C#5:2 B4:8 | G5:6 F#5:2 E5:4 D5:4 | C#5:8 F#4:8"});
    a.lines.push_back({5, "softbass", 44, "B2:16 | G2:16 | E2:16 | F#2:16"});

    Section b{"B", 64, {}};
    b.lines = pad("Gmaj7:16 C:16 Bm:16 F#7:16");
    b.lines.push_back({0, "musicbox", 40, "B5:4 A5:4 G5:8 | G5:4 E5:4 C5:8 | D5:6 E5:2 F#5:4 D5:4 | C#5:12 A#4:4"});
    b.lines.push_back({1, "flute", 24, "D4:16 | E4:8 G4:8 | F#4:16 | E4:8 C#4:8"});
    b.lines.push_back({5, "softbass", 44, "G2:16 | C3:16 | B2:16 | F#2:16"});

    Section a2{"A2", 64, {}};
    a2.lines = pad("Bm:16 Gmaj7:16 Em:16 F#sus4:8 F#:8");
    a2.lines.push_back({0, "musicbox", 40, "F#5:6 E5:2 D5:4 B4:4 | D5:6 C#5:2 B4:8 | G5:6 F#5:2 E5:4 G5:4 | F#5:16"});
    a2.lines.push_back({1, "flute", 24, "B3:16 | B3:8 D4:8 | E4:16 | C#4:8 A#3:8"});
    a2.lines.push_back({5, "softbass", 44, "B2:16 | G2:16 | E2:16 | F#2:16"});

    // The floor gives way: a chromatic bass under a slow heartbeat.
    Section c{"C", 64, {}};
    c.lines = pad("Bm:8 F#:8 D:8 G#m7b5:8 Gmaj7:16 F#7sus4:8 F#7:8");
    c.lines.push_back({0, "musicbox", 36, "-:16 | -:8 D5:4 C#5:4 | B4:12 D5:4 | C#5:16"});
    c.lines.push_back({5, "softbass", 44, "B2:8 A#2:8 | A2:8 G#2:8 | G2:16 | F#2:16"});
    c.lines.push_back(drums(6, 30, "k..k............ k..k............ k..k............ k..k............"));

    t.sections = {a, b, a2, c};
    t.form = "A B A2 C";
    return t;
}

}  // namespace compose
