// "xm/track1.xm", level "cusp": two faces of one tune. E minor with an
// octave-leaping bass and a melody that keeps jumping in late; then the
// mirror, E major, the same gestures turned upside down over a bass that
// finally stands still. The song flips between the two.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune cuspTune() {
    Tune t;
    t.file = "xm/track1.xm";
    t.title = "cusp (compose)";
    t.key = "E minor / E major";
    t.bpm = 120;
    t.speed = 6;
    t.gain = 1.6;

    const char* restless = "k..hk.h.s..hk.h. k..hk.h.s..hk.hh k..hk.h.s..hk.h. k..hk.h.s.s.s.ss";
    const std::string leap = rep("E2:2 E3:2", 4) + rep("C2:2 C3:2", 4) + rep("A2:2 A3:2", 4) + rep("B2:2 B3:2", 4);

    // The minor side: syncopated, always arriving a row late.
    Section a{"A", 64, chords(2, 3, "pad", 18, "Em:16 Cmaj7:16 Am7:16 B7:16", "E4")};
    a.lines.push_back({5, "bass", 40, leap});
    a.lines.push_back({0, "reed", 36, ".:2 B3:2 E4:3 F#4:1 G4:4 F#4:2 E4:2 | .:2 G4:2 B4:3 A4:1 G4:4 E4:4 |"
                                      ".:2 A3:2 C4:3 D4:1 E4:4 G4:2 F#4:2 | F#4:6 D#4:2 B3:8"});
    a.lines.push_back(drums(6, 30, restless));

    Section a2{"A2", 64, chords(2, 3, "pad", 18, "Em:16 Cmaj7:16 Am7:16 B7:16", "E4")};
    a2.lines.push_back({5, "bass", 40, leap});
    a2.lines.push_back({0, "reed", 36, ".:2 B3:2 E4:3 F#4:1 G4:4 A4:2 B4:2 | .:2 C5:2 B4:3 A4:1 G4:4 E4:4 |"
                                       ".:2 E4:2 A4:3 G4:1 F#4:4 E4:2 D#4:2 | E4:12 .:4"});
    a2.lines.push_back(drums(6, 30, restless));

    // The mirror: each interval of the minor tune turned upside down.
    Section b{"B", 64, chords(2, 3, "pad", 20, "E:16 A:16 C#m7:16 B7sus4:8 B7:8", "E4")};
    b.lines.push_back({5, "bass", 40, "E2:16 | A2:16 | C#3:16 | B2:16"});
    b.lines.push_back({0, "reed", 34, ".:2 B4:2 F#4:3 E4:1 D#4:4 E4:2 F#4:2 | .:2 E4:2 C#4:3 D#4:1 E4:4 A4:4 |"
                                      ".:2 G#4:2 E4:3 D#4:1 C#4:4 B3:2 C#4:2 | D#4:6 E4:2 F#4:8"});
    b.lines.push_back(drums(6, 22, rep("k.......h.......", 4)));

    Section b2{"B2", 64, chords(2, 3, "pad", 20, "E:16 A:16 C#m7:16 B7sus4:8 B7:8", "E4")};
    b2.lines.push_back({5, "bass", 40, "E2:16 | A2:16 | C#3:16 | B2:8 D#3:8"});
    b2.lines.push_back({0, "reed", 34, ".:2 B4:2 F#4:3 E4:1 D#4:4 C#4:2 B3:2 | .:2 A3:2 C#4:3 E4:1 A4:4 G#4:4 |"
                                       ".:2 G#4:2 B4:3 G#4:1 E4:4 C#4:2 E4:2 | D#4:6 C#4:2 B3:8"});
    b2.lines.push_back(drums(6, 22, rep("k.......h.......", 3) + "k.......s...s.s."));

    t.sections = {a, a2, b, b2};
    t.form = "A A2 B B2 A2 B2";
    return t;
}

}  // namespace compose
