// "xm/title.xm", heard on the level list: A minor, a glassy arpeggio over
// the line cliche A-G#-G-F# in the bass, a flute that asks and waits, and
// a soft clock tick once the piece has begun to move.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune titleTune() {
    Tune t;
    t.file = "xm/title.xm";
    t.title = "title (compose)";
    t.key = "A minor";
    t.bpm = 80;
    t.speed = 6;
    t.gain = 1.4;

    const char* cliche = "Am:16 Ammaj7:16 Am7:16 Am6:16";
    const char* turn = "Fmaj7:16 Dm7:16 E7sus4:16 E7:16";
    const char* figure = "0 1 2 3 4 3 2 1";
    const char* clock = "....t.......t... ....t.......t... ....t.......t... ....t.......t...";

    Section a{"A", 64, {}};
    a.lines.push_back(arpeggio(7, "glass", 30, cliche, figure, 2, "A3"));
    a.lines.push_back({5, "softbass", 44, "A2:16 | G#2:16 | G2:16 | F#2:16"});
    a.lines.push_back({0, "flute", 38, "E5:8 D5:4 C5:4 | B4:12 A4:4 | C5:6 B4:2 A4:4 G4:4 | F#4:8 A4:8"});

    Section a2{"A2", 64, chords(2, 3, "pad", 18, cliche, "C4")};
    a2.lines.push_back(arpeggio(7, "glass", 30, cliche, figure, 2, "A3"));
    a2.lines.push_back({5, "softbass", 44, "A2:16 | G#2:16 | G2:16 | F#2:16"});
    a2.lines.push_back({0, "flute", 38, "E5:8 D5:4 C5:4 | B4:8 E4:8 | C5:6 D5:2 E5:4 A4:4 | F#4:8 E4:8"});
    a2.lines.push_back(drums(6, 16, clock));

    Section b{"B", 64, chords(2, 3, "pad", 18, turn, "C4")};
    b.lines.push_back(arpeggio(7, "glass", 28, turn, figure, 2, "A3"));
    b.lines.push_back({5, "softbass", 44, "F2:16 | D2:16 | E2:16 | E2:8 G#2:8"});
    b.lines.push_back({0, "flute", 38, "A4:4 C5:4 E5:8 | F5:6 E5:2 D5:8 | E5:4 D5:4 A4:8 | G#4:12 .:4"});
    b.lines.push_back(drums(6, 16, clock));

    Section b2{"B2", 64, chords(2, 3, "pad", 18, turn, "C4")};
    b2.lines.push_back(arpeggio(7, "glass", 28, turn, figure, 2, "A3"));
    b2.lines.push_back({5, "softbass", 44, "F2:16 | D2:16 | E2:16 | E2:8 B2:8"});
    b2.lines.push_back({0, "flute", 38, "C5:4 A4:4 E4:8 | F4:6 G4:2 A4:8 | B4:4 C5:4 D5:8 | B4:8 G#4:8"});
    b2.lines.push_back(drums(6, 16, clock));

    t.sections = {a, a2, b, b2};
    t.form = "A A2 B A2 B2";
    return t;
}

}  // namespace compose
