// "xm/track4.xm", level "pyramid": D dorian, slow and bare. A chant moves
// by step over an organ's open fifths; a higher voice answers it, then
// the chant is sung low by a cello while the flute keeps the guide tones,
// and at the end it comes back a fifth higher over a changed drone, a
// bell marking the long bars in a cycle of its own. No drums.
#include "develop.h"
#include "tunes.h"

namespace compose {

Tune pyramidTune() {
    Piece p;
    p.tune.file = "xm/track4.xm";
    p.tune.title = "pyramid (compose)";
    p.tune.key = "D dorian";
    p.tune.bpm = 60;
    p.tune.gain = 1.4;
    p.tune.vibrato = 0x32;
    p.tune.glide = 0x04;
    p.scale = "D E F G A B C";
    p.lead = {"voice", 46, ""};
    p.lead2 = {"cello", 46, ""};
    p.pad = {"organ", 16, "D3"};
    p.padVoices = 2;
    p.bass = {"", 0, ""};
    p.figure = {"bell", 17, "D3"};
    p.counter = {"flute+12", 18, "A4"};
    p.figureSteps = "0 - - 1 - - 2";  // seven steps of eight rows
    p.figureStep = 8;

    const char* chant = "D4:8 E4:4 F4:4 | G4:8 F4:4 E4:4 | F4:6 G4:2 A4:4 G4:4 | E4:8 D4:8";
    p.material = {
        {"D5:64", chant, "", "D5:16 C5:16 F5:16 A5:16"},
        {"D5:32 C5:16 D5:16", "A4:8 C5:4 B4:4 | A4:8 G4:4 A4:4 | F4:6 E4:2 G4:4 F4:4 | E4:8 D4:8", "", "Dm:32 G:16 Dm:16"},
        // Organum: the chant with its answer a fourth below.
        {"D5:32 A5:16 D5:16", "A4:8 B4:4 C5:4 | D5:8 C5:4 B4:4 | C5:6 D5:2 E5:4 D5:4 | A4:8 A4:8", "", ""},
        {"Dm:16 C:16 G:16 Dm:16", ".:8 D4:4 E4:4 | F4:12 .:4 | G4:8 A4:4 B4:4 | A4:16", "", ""},
    };
    p.opening = "0b";  // the drone alone, once
    p.plan = "0 1 2 0v 3 1c 0o 2oc 3v 0r 1r 2v+7 0+7 3c 1 0b";
    return develop(p);
}

}  // namespace compose
