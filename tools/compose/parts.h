// The parts the generator adds to a written score: a singer's vibrato and
// fades, the pad's floor, the drummer's grid and the broken-chord figure.
#pragma once

#include <string>

#include "score.h"

namespace compose {

// Long notes get vibrato, a phrase's last note a fade.
std::string sing(const std::string& notes);
// The pad's floor: its own low note, or an octave under the melody.
std::string padFloor(const Palette& p, const std::string& melody);
// The drum grid from absolute row `from` for `rows` rows, with light strokes seeded by the row.
Line drumLine(const Palette& p, const std::string& grid, int from, int rows);
// The broken-chord figure over a progression, its step count starting at
// absolute row `from`; `turn` picks among figures separated by '/'.
Line figureLine(const Palette& p, const std::string& prog, int from, int turn);

}  // namespace compose
