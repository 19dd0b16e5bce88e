// "xm/track3.xm", level "butterfly": G major, busy. A pluck runs in
// sixteenths, the flute climbs in confident sequences and then stops in
// the middle of a thought; the harmony keeps second-guessing itself with
// the minor iv (Cm) and the flat seventh (F).
// Note tables: pitch:length(rows)[!volume][@instrument]; see score.h.
#include "tunes.h"

namespace compose {

Tune butterflyTune() {
    Tune t;
    t.file = "xm/track3.xm";
    t.title = "butterfly (compose)";
    t.key = "G major";
    t.bpm = 125;
    t.speed = 6;
    t.gain = 1.5;

    const char* bold = "G:16 D:16 Em:16 C:16";
    const char* doubt = "C:16 Cm:16 G:16 F:8 D:8";
    const char* still = "Em:16 C:16 Am7:16 D7sus4:16";
    const char* run = "0 1 2 3 2 1 2 1";
    const std::string busy = rep("k.h.s.hhk.h.s.hh", 3) + "k.h.s.hhk.s.s.ss";
    const std::string hush = rep("k...h...k...h...", 4);

    auto section = [run](const char* name, const char* prog, const std::string& bass, const char* tune,
                      const std::string& kit) {
        Section s{name, 64, {}};
        s.lines.push_back(arpeggio(7, "pluck", 26, prog, run, 1, "G3"));
        s.lines.push_back({5, "bass", 40, bass});
        s.lines.push_back({0, "flute", 38, tune});
        s.lines.push_back(drums(6, 28, kit));
        return s;
    };
    const std::string walk = "G2:4 G2:2 D3:2 G2:4 B2:4 | D2:4 D2:2 A2:2 D2:4 F#2:4 | "
                             "E2:4 E2:2 B2:2 E2:4 G2:4 | C2:4 C2:2 G2:2 C2:4 E2:4";

    // Climbs in sequence, then breaks off.
    Section a = section("A", bold, walk,
                        "B4:2 C5:2 D5:4 G4:2 A4:2 B4:4 | A4:2 B4:2 C5:4 F#4:2 G4:2 A4:4 | "
                        "G4:2 A4:2 B4:4 E4:2 F#4:2 G4:4 | E4:4 .:12", busy);
    Section a2 = section("A2", bold, walk,
                         "B4:2 C5:2 D5:4 G4:2 A4:2 B4:4 | A4:2 B4:2 C5:4 D5:2 E5:2 F#5:4 | "
                         "G5:4 F#5:2 E5:2 D5:4 B4:4 | C5:2 B4:2 A4:2 G4:2 E4:8", busy);
    // Second thoughts: the same climb in minor, stopping twice.
    Section b = section("B", doubt,
                        "C2:4 C2:2 G2:2 C2:4 E2:4 | C2:4 C2:2 G2:2 C2:4 Eb2:4 | "
                        "G2:4 G2:2 D3:2 G2:4 B2:4 | F2:4 F2:2 C3:2 D2:4 F#2:4",
                        "E4:2 F4:2 G4:4 .:8 | Eb4:2 F4:2 G4:4 Ab4:4 G4:4 | "
                        "D5:4 B4:4 .:8 | C5:2 A4:2 F4:4 F#4:4 A4:4", busy);
    Section c = section("C", still,
                        "E2:16 | C2:16 | A2:16 | D2:16",
                        ".:8 B4:4 G4:4 | E4:12 .:4 | .:8 C5:4 A4:4 | D5:4 C5:2 A4:2 F#4:8", hush);

    t.sections = {a, a2, b, c};
    t.form = "A A2 B C A2 B";
    return t;
}

}  // namespace compose
