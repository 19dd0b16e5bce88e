// "xm/track0.xm", level "fold": C minor lament. The bass walks the old
// chromatic descent C-B-Bb-A-Ab-G under every phrase, and each phrase of
// the flute starts high and falls, leaving long rests: someone pleading
// with a person at the edge, and the drop that answers.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune foldTune() {
    Tune t;
    t.file = "xm/track0.xm";
    t.title = "fold (compose)";
    t.key = "C minor";
    t.bpm = 64;
    t.speed = 6;
    t.gain = 1.2;

    const char* lament = "Cm:8 G:8 Cm7:8 F:8 Fm:8 Cm:8 G7sus4:8 G:8";
    const char* descent = "C3:8 B2:8 Bb2:8 A2:8 Ab2:8 G2:8 G2:16";

    Section a{"A", 64, chords(2, 3, "pad", 22, lament, "G3")};
    a.lines.push_back({5, "softbass", 46, descent});
    a.lines.push_back({0, "flute", 40, "G5:6 F5:2 | D5:8 | .:4 Eb5:4 | C5:4 A4:4 | Ab4:8 | G4:6 F4:2 | F4:8 | D4:6 .:2"});

    // The height: a single line falls an octave and a half over distant bells.
    Section b{"B", 64, chords(2, 3, "pad", 20, "Ab:16 Eb:16 Fm:16 G:16", "G3")};
    b.lines.push_back({5, "softbass", 46, "Ab2:16 | Eb2:16 | F2:16 | G2:16"});
    b.lines.push_back({0, "sine", 38, "C6:8 Bb5:8 | Ab5:12 G5:4 | F5:8 Eb5:8 | D5:12 .:4"});
    b.lines.push_back({7, "bell", 30, "Ab3:16 | Eb3:16 | F3:16 | G3:16"});

    Section a2{"A2", 64, chords(2, 3, "pad", 22, lament, "G3")};
    a2.lines.push_back({5, "softbass", 46, descent});
    a2.lines.push_back({0, "flute", 40, ".:8 | D5:6 C5:2 | Bb4:8 | A4:8 | Ab4:6 G4:2 | G4:8 | F4:4 Eb4:4 | D4:8"});
    a2.lines.push_back({1, "sine", 22, "Eb4:8 | D4:8 | .:8 | C4:8 | C4:8 | Eb4:8 | .:8 | B3:8"});
    a2.lines.push_back({7, "bell", 24, "C3:32 | G2:32"});

    t.sections = {a, b, a2};
    t.form = "A B A2";
    return t;
}

}  // namespace compose
