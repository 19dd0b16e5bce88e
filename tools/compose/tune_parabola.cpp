// "xm/track6.xm", level "parabola": Eb major, slow bossa feel, warm
// seventh and ninth chords struck on an electric piano. The tension lives
// in the melody arriving late and in the second part's C7b9 and suspended
// dominants that resolve only at the last moment; later the tune moves to
// a low voice, and a whole chorus sits a minor third up, in Gb.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune parabolaTune() {
    Piece p;
    p.tune.file = "xm/track6.xm";
    p.tune.title = "parabola (compose)";
    p.tune.key = "Eb major";
    p.tune.bpm = 96;
    p.tune.gain = 1.2;
    p.scale = "Eb F G Ab Bb C D";
    p.lead = {"sine", 46, ""};
    p.lead2 = {"cello", 44, ""};
    p.pad = {"epiano", 15, "F3"};
    p.padGlide = false;  // struck chords, as a pianist plays them
    p.bass = {"softbass", 26, ""};
    p.figure = {"pluck", 12, "G3"};
    p.figureSteps = "0 - 2 1 - 2 1";  // a guitar's comping, seven against eight
    p.figureAccent = {1, 0.7, 0.85, 0.7};
    p.counter = {"voice+12", 17, "Bb4"};
    p.kits = {"k.....k...k.....", "k.....k.t.k..t..", "k..t..k...k.t..t"};
    p.drumVolume = 38;
    p.drumAccent = {1, 1, 1, 1, 1, 1, 0.8, 1, 0.55, 1, 0.9, 1, 1, 0.55, 1, 1};

    const char* home = "Ebmaj7:16 Cm9:16 Abmaj7:16 Bb7sus4:8 Bb7:8";
    const char* away = "Gm7:16 C7b9:16 Fm9:16 Bb7sus4:12 Bb7:4";
    // Bossa bass: root, then the fifth pushed ahead of the beat.
    const char* homeBass = "Eb2:6 Bb2:2 Bb2:6 Eb2:2 | C2:6 G2:2 G2:6 C2:2 | Ab2:6 Eb2:2 Eb2:6 Ab2:2 | Bb2:6 F2:2 Bb2:8";
    const char* awayBass = "G2:6 D2:2 D2:6 G2:2 | C2:6 G2:2 G2:6 C2:2 | F2:6 C2:2 C2:6 F2:2 | Bb2:12 F2:4";
    p.material = {
        {home, ".:2 G4:4 Bb4:2 D5:8 | .:2 Eb5:4 D5:2 Bb4:8 | .:2 C5:4 Bb4:2 G4:8 | Ab4:8 F4:4 D4:4", homeBass,
         "Cm7:16 Am7b5:16 Fm7:16 Bb7:16"},
        {home, ".:2 G4:4 Bb4:2 D5:6 F5:2 | Eb5:6 D5:2 C5:4 Bb4:4 | .:2 C5:4 Eb5:2 G4:8 | F4:8 Ab4:4 G4:4", homeBass, ""},
        {away, ".:2 D5:4 C5:2 Bb4:8 | Db5:8 C5:4 Bb4:4 | .:2 Ab4:4 G4:2 F4:8 | Eb4:12 D4:4", awayBass,
         "Ebmaj7:16 Gbdim:16 Fm7:16 Bb7:16"},
        {away, ".:2 F4:4 G4:2 Bb4:8 | Db5:6 E4:2 G4:8 | Ab4:6 G4:2 Eb4:4 C4:4 | F4:8 D4:8", awayBass, ""},
    };
    p.opening = "3tx";  // the tune's second half, bare, as a way in
    p.plan = "0k1 1 2k2 3 0vc 0r 2vk2 3c 0ok1 1o 2rk2 3vc 0+3 1v+3k1 2+3k2 3c+3 0b 1vk1 2vc 0rv";
    return develop(p);
}

}  // namespace compose
