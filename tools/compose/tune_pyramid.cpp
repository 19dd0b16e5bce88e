// "xm/track4.xm", level "pyramid": D dorian, slow and bare. A chant moves
// by step over an organ's open fifths; in the second part a higher voice
// answers it, and at the end the chant is sung in organum, a fourth or
// fifth beneath, while a bell marks each long bar. No drums.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune pyramidTune() {
    Tune t;
    t.file = "xm/track4.xm";
    t.title = "pyramid (compose)";
    t.key = "D dorian";
    t.bpm = 60;
    t.speed = 6;
    t.gain = 1.4;

    const char* chant = "D4:8 E4:4 F4:4 | G4:8 F4:4 E4:4 | F4:6 G4:2 A4:4 G4:4 | E4:8 D4:8";
    const char* answer = "A4:8 C5:4 B4:4 | A4:8 G4:4 A4:4 | F4:6 E4:2 G4:4 F4:4 | E4:8 D4:8";

    Section a{"A", 64, {}};
    a.lines.push_back({2, "organ", 30, "D3:64"});
    a.lines.push_back({3, "organ", 26, "A3:64"});
    a.lines.push_back({0, "choir", 42, chant});
    a.lines.push_back({7, "bell", 28, "D3:64"});

    Section b{"B", 64, {}};
    b.lines.push_back({2, "organ", 30, "D3:32 | C3:16 | D3:16"});
    b.lines.push_back({3, "organ", 26, "A3:32 | G3:16 | A3:16"});
    b.lines.push_back({0, "choir", 36, ".:32 | G4:8 E4:4 F4:4 | D4:16"});
    b.lines.push_back({1, "flute", 30, answer});

    // Organum: the chant doubled below, a fourth where a fifth would be false.
    Section c{"C", 64, {}};
    c.lines.push_back({2, "organ", 28, "D3:32 | A2:16 | D3:16"});
    c.lines.push_back({3, "organ", 24, "A3:64"});
    c.lines.push_back({0, "choir", 40, chant});
    c.lines.push_back({1, "choir", 30, "A3:8 B3:4 C4:4 | D4:8 C4:4 B3:4 | C4:6 D4:2 E4:4 D4:4 | A3:8 A3:8"});
    c.lines.push_back({7, "bell", 28, "D3:16 | A2:16 | D3:16 | D3:16"});

    t.sections = {a, b, c};
    t.form = "A B C";
    return t;
}

}  // namespace compose
