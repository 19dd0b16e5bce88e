// "xm/track2.xm", level "swallowtail": F major in three-four, a calm park
// with a lazy waltz arpeggio and a flute. The undertow is the borrowed
// minor: Bbm and Db major pull under the surface and let go again.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune swallowtailTune() {
    Tune t;
    t.file = "xm/track2.xm";
    t.title = "swallowtail (compose)";
    t.key = "F major";
    t.bpm = 96;
    t.speed = 6;
    t.gain = 1.4;

    // Twelve rows to the bar: three beats of four rows.
    const char* sun = "F:12 Dm7:12 Bbmaj7:12 C7sus4:6 C:6";
    const char* under = "F:12 Dm7:12 Bbm6:12 F:12";
    const char* deep = "Dbmaj7:12 Bbm7:12 Gm7:12 C7:12";
    const char* back = "Dm:12 Am:12 Bb:12 C7:12";
    const char* figure = "0 1 2 3 2 1";
    const std::string air = rep("....h...h...", 4);

    auto section = [&](const char* name, const char* prog, const char* bass, const char* tune) {
        Section s{name, 48, chords(2, 3, "pad", 16, prog, "F3")};
        s.lines.push_back(arpeggio(7, "glass", 26, prog, figure, 2, "F3"));
        s.lines.push_back({5, "softbass", 44, bass});
        s.lines.push_back({0, "flute", 38, tune});
        s.lines.push_back(drums(6, 12, air));
        return s;
    };

    Section a = section("A", sun, "F2:12 | D2:12 | Bb2:12 | C2:12", "C5:8 A4:4 | D5:8 F5:4 | E5:6 D5:2 C5:4 | G4:12");
    Section a2 = section("A2", under, "F2:12 | D2:12 | Bb2:12 | F2:12", "C5:8 A4:4 | D5:6 E5:2 F5:4 | Db5:8 C5:4 | A4:12");
    Section b = section("B", deep, "Db2:12 | Bb2:12 | G2:12 | C2:12", "F5:8 Eb5:2 Db5:2 | C5:12 | Bb4:6 A4:2 G4:4 | E4:8 G4:4");
    Section b2 = section("B2", back, "D2:12 | A2:12 | Bb2:12 | C2:6 E2:6", "F4:4 A4:4 D5:4 | C5:6 A4:2 E4:4 | F4:4 Bb4:4 D5:4 | E5:12");

    t.sections = {a, a2, b, b2};
    t.form = "A A2 B B2 A A2";
    return t;
}

}  // namespace compose
