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

struct Piece : Palette {
    int rows = 64;          // per section
    std::string scale;      // the key's notes, for passing tones: "C D Eb F G Ab Bb"
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
// In-key only, at most one ornament in each bar of `bar` rows.
std::string vary(const std::string& melody, const std::string& scale, unsigned seed, int bar = 16);
// Bass variation: only the note leading into the next chord changes.
std::string varyBass(const std::string& bass, const std::string& scale, unsigned seed, int bar = 16);
// Long notes get vibrato, a phrase's last note a fade.
std::string sing(const std::string& notes);
std::string transposeScale(const std::string& scale, int semitones);
// The pad's floor: its own low note, or an octave under the melody.
std::string padFloor(const Palette& p, const std::string& melody);
// The drum grid from absolute row `from` for `rows` rows, with light strokes seeded by the row.
Line drumLine(const Palette& p, const std::string& grid, int from, int rows, bool lenient = false);
// The broken-chord figure over a progression, its step count starting at
// absolute row `from`; `turn` picks among figures separated by '/'.
Line figureLine(const Palette& p, const std::string& prog, int from, int turn);
// A slow line of guide tones (thirds and sevenths first) moving by the
// smallest step from chord to chord, kept between low and an octave above.
std::string counterLine(const std::string& progression, const std::string& low);
// The roots of a progression, one note per chord, from `low` up.
std::string rootLine(const std::string& progression, const std::string& low);

}  // namespace compose
