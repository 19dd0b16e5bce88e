// "xm/track5.xm", level "purse": a playground at dusk. First a nursery
// tune in A major on the music box over a rocking bass; then the same tune
// in A minor on a low flute, the light going, a bell and a slow clock; at
// the loop the major key comes back as if nothing had happened.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune purseTune() {
    Tune t;
    t.file = "xm/track5.xm";
    t.title = "purse (compose)";
    t.key = "A major / A minor";
    t.bpm = 100;
    t.speed = 6;
    t.gain = 1.45;

    const char* swing = "k.......h.......";
    const char* clock = "t.......t.......";

    Section a{"A", 64, chords(2, 3, "pad", 16, "A:16 D:16 A:16 E:16", "E4")};
    a.lines.push_back({0, "musicbox", 40, "C#5:4 C#5:4 E5:4 C#5:4 | D5:4 F#5:4 E5:8 | C#5:4 A4:4 B4:4 C#5:4 | B4:12 E4:4"});
    a.lines.push_back({5, "softbass", 42, "A2:6 E2:2 A2:8 | D2:6 A2:2 D2:8 | A2:6 E2:2 C#3:8 | E2:6 B2:2 E2:8"});
    a.lines.push_back(drums(6, 22, rep(swing, 4)));

    Section a2{"A2", 64, chords(2, 3, "pad", 16, "A:16 D:16 A:8 E:8 A:16", "E4")};
    a2.lines.push_back({0, "musicbox", 40, "C#5:4 C#5:4 E5:4 C#5:4 | D5:4 F#5:4 E5:8 | C#5:4 B4:4 A4:4 G#4:4 | A4:12 .:4"});
    a2.lines.push_back({1, "glass", 22, "A4:8 E5:8 | F#5:8 D5:8 | E5:8 B4:8 | C#5:8 A4:8"});
    a2.lines.push_back({5, "softbass", 42, "A2:6 E2:2 A2:8 | D2:6 A2:2 D2:8 | A2:8 E2:8 | A2:6 E2:2 A2:8"});
    a2.lines.push_back(drums(6, 22, rep(swing, 4)));

    // Dusk: the tune again in minor, lower and slower to move.
    Section b{"B", 64, chords(2, 3, "choir", 20, "Am:16 Dm:16 Am:16 E7:16", "E3")};
    b.lines.push_back({0, "flute", 36, "C5:4 C5:4 E5:4 C5:4 | D5:4 F5:4 E5:8 | C5:4 A4:4 B4:4 C5:4 | B4:12 .:4"});
    b.lines.push_back({5, "softbass", 44, "A2:16 | D2:8 F2:8 | A2:8 G#2:4 G2:4 | E2:16"});
    b.lines.push_back({7, "bell", 26, "A2:32 | E2:32"});
    b.lines.push_back(drums(6, 18, rep(clock, 4)));

    Section b2{"B2", 64, chords(2, 3, "choir", 20, "F:16 Dm:16 Bb:16 E7:16", "E3")};
    b2.lines.push_back({0, "flute", 34, "A4:8 .:4 C5:4 | F4:8 .:4 D4:4 | Bb4:6 A4:2 F4:4 D4:4 | E4:8 G#4:8"});
    b2.lines.push_back({5, "softbass", 44, "F2:16 | D2:16 | Bb2:16 | E2:16"});
    b2.lines.push_back({7, "bell", 26, "F2:32 | E2:32"});
    b2.lines.push_back(drums(6, 18, rep(clock, 4)));

    t.sections = {a, a2, b, b2};
    t.form = "A A2 B B2";
    return t;
}

}  // namespace compose
