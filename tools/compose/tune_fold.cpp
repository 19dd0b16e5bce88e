// "xm/track0.xm", level "fold": C minor lament. The bass walks the old
// chromatic descent C-B-Bb-A-Ab-G under every phrase, and each phrase of
// the clarinet starts high and falls, leaving long rests: someone pleading
// with a person at the edge, and the drop that answers. Later the plea is
// reharmonised through the Neapolitan Db, sung low by a cello, and once
// everything but the strings holds its breath.
#include "tunes.h"
#include "develop.h"

namespace compose {

Tune foldTune() {
    Piece p;
    p.tune.file = "xm/track0.xm";
    p.tune.title = "fold (compose)";
    p.tune.key = "C minor";
    p.tune.bpm = 64;
    p.tune.gain = 1.2;
    p.scale = "C D Eb F G Ab Bb";
    p.lead = {"clarinet", 44, ""};
    p.lead2 = {"cello", 46, ""};
    p.pad = {"strings", 17, "G3"};
    p.bass = {"softbass", 30, ""};
    p.figure = {"glass", 15, "C4"};
    p.counter = {"voice+12", 20, "Eb4"};
    p.figureSteps = "0 2 1 3 2";  // five steps of four rows against a sixteen-row bar
    p.figureStep = 4;
    p.leadAccent = {1, 1, 0.85, 0.85, 0.95, 0.95, 0.85, 0.85};

    const char* lament = "Cm:8 G:8 Cm7:8 F:8 Fm:8 Cm:8 G7sus4:8 G:8";
    const char* descent = "C3:8 B2:8 Bb2:8 A2:8 Ab2:8 G2:8 G2:16";
    p.material = {
        {lament, "G5:6 F5:2 | D5:8 | .:4 Eb5:4 | C5:4 A4:4 | Ab4:8 | G4:6 F4:2 | F4:8 | D4:6 .:2", descent,
         "Eb:8 Bb:8 Ab:8 F:8 Dbmaj7:8 Cm7:8 Dm7b5:8 G:8"},
        // The height: a single line falls an octave and a half.
        {"Ab:16 Eb:16 Fm:16 G:16", "C6:8 Bb5:8 | Ab5:12 G5:4 | F5:8 Eb5:8 | D5:12 .:4", "Ab2:16 | Eb2:16 | F2:16 | G2:16",
         "Fm7:16 Cm:16 Dbmaj7:16 G7sus4:8 G:8"},
        {lament, ".:8 | D5:6 C5:2 | Bb4:8 | A4:8 | Ab4:6 G4:2 | G4:8 | F4:4 Eb4:4 | D4:8", descent, ""},
    };
    p.opening = "1tx";  // the height first, once, before the lament begins
    p.plan = "0 0v 2 1 1v 0r 2c 1o 0vc 1r+2 2v 0b 1c 0rv";
    return develop(p);
}

}  // namespace compose
