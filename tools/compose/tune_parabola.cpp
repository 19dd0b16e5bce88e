// "xm/track6.xm", level "parabola": Eb major, slow bossa feel, warm
// seventh and ninth chords. The tension lives in the melody arriving late
// and in the second part's C7b9 and suspended dominants that resolve only
// at the last moment.
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune parabolaTune() {
    Tune t;
    t.file = "xm/track6.xm";
    t.title = "parabola (compose)";
    t.key = "Eb major";
    t.bpm = 96;
    t.speed = 6;
    t.gain = 1.35;

    const char* home = "Ebmaj7:16 Cm9:16 Abmaj7:16 Bb7sus4:8 Bb7:8";
    const char* away = "Gm7:16 C7b9:16 Fm9:16 Bb7sus4:12 Bb7:4";
    const std::string pulse = rep("k.....k...k.....", 4);
    const std::string rim = rep("....t......t.t..", 4);

    auto section = [&](const char* name, const char* prog, const char* bass, const char* tune) {
        Section s{name, 64, chords(2, 3, "pad", 20, prog, "F3")};
        s.lines.push_back({5, "softbass", 44, bass});
        s.lines.push_back({0, "sine", 40, tune});
        s.lines.push_back(drums(6, 20, pulse));
        s.lines.push_back(drums(7, 14, rim));
        return s;
    };
    // Bossa bass: root, then the fifth pushed ahead of the beat.
    const char* homeBass = "Eb2:6 Bb2:2 Bb2:6 Eb2:2 | C2:6 G2:2 G2:6 C2:2 | Ab2:6 Eb2:2 Eb2:6 Ab2:2 | Bb2:6 F2:2 Bb2:8";
    const char* awayBass = "G2:6 D2:2 D2:6 G2:2 | C2:6 G2:2 G2:6 C2:2 | F2:6 C2:2 C2:6 F2:2 | Bb2:12 F2:4";

    Section a = section("A", home, homeBass, ".:2 G4:4 Bb4:2 D5:8 | .:2 Eb5:4 D5:2 Bb4:8 | .:2 C5:4 Bb4:2 G4:8 | Ab4:8 F4:4 D4:4");
    Section a2 = section("A2", home, homeBass, ".:2 G4:4 Bb4:2 D5:6 F5:2 | Eb5:6 D5:2 C5:4 Bb4:4 | .:2 C5:4 Eb5:2 G4:8 | F4:8 Ab4:4 G4:4");
    Section b = section("B", away, awayBass, ".:2 D5:4 C5:2 Bb4:8 | Db5:8 C5:4 Bb4:4 | .:2 Ab4:4 G4:2 F4:8 | Eb4:12 D4:4");
    Section b2 = section("B2", away, awayBass, ".:2 F4:4 G4:2 Bb4:8 | Db5:6 E4:2 G4:8 | Ab4:6 G4:2 Eb4:4 C4:4 | F4:8 D4:8");

    t.sections = {a, a2, b, b2};
    t.form = "A A2 B B2 A";
    return t;
}

}  // namespace compose
