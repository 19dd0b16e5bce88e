// Development: how a few bars of material become minutes of music. A
// piece names its palette, its material (chords, melody and bass for one
// section each) and a plan, one word per section, saying what happens to
// the material there: varied, reharmonised, moved an octave and to another
// voice, answered by a counter-melody, thinned, modulated. A broken-chord
// figure and the drums run on across sections in cycles that do not divide
// the section, so the texture comes round again only after minutes.
#pragma once

#include <string>
#include <vector>

#include "score.h"

namespace compose {

struct Material {
    std::string chords;   // progression, one section long
    std::string melody;   // note table of the lead
    std::string bass;     // note table of the bass
    std::string reharm;   // another progression under the same melody ("" = none)
    std::string scale = {};  // for passing tones, when not the piece's
};

struct Voice {
    std::string instrument;  // "" = the part is not used
    int volume = 0;
    std::string low;  // floor of chord voicings and figures
};

struct Piece {
    Tune tune;              // file, title, key, tempo, gain, vibrato and glide
    int rows = 64;          // per section
    std::string scale;      // the key's notes, for passing tones: "C D Eb F G Ab Bb"
    Voice lead, lead2, pad, bass, figure, counter;
    int padVoices = 3;
    bool padGlide = true;
    std::string figureSteps;  // chord-tone indices as in arpeggio(), one per figureStep rows;
                              // several figures separated by '/' take turns
    int figureStep = 2;
    int swing = 0;            // ticks late for every other figure note
    std::vector<std::string> kits;  // drum grids (see drums()) cycling from the piece's start; "" = none
    int drumVolume = 0;
    std::vector<double> drumAccent, leadAccent, figureAccent;
    std::vector<Material> material;
    // Plan words: material index, then any of  v vary, o octave down on lead2,
    // u octave up, c counter-melody, t thin (no drums or figure), b breath
    // (quiet pad alone), r reharmonise, x no drums, kN kit N, +N/-N transpose.
    std::string plan;
    std::string opening;  // plan words played once before the loop (the restart position)
};

Tune develop(const Piece& piece);

// Tools the plan uses, public for the tests.
std::string transpose(const std::string& notes, int semitones);
std::string transposeChords(const std::string& progression, int semitones);
// Ornaments a melody: long notes lend their tail to a passing or neighbour
// tone of the scale, some rests get a pick-up; `seed` picks which.
std::string vary(const std::string& melody, const std::string& scale, unsigned seed);
// A slow line of guide tones (thirds and sevenths first) moving by the
// smallest step from chord to chord, kept between low and an octave above.
std::string counterLine(const std::string& progression, const std::string& low);
// The roots of a progression, one note per chord, from `low` up.
std::string rootLine(const std::string& progression, const std::string& low);

}  // namespace compose
