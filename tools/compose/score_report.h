// The figures a composer's review asks of each tune, measured on the
// written file: its form, how many melody bars are new to the ear, the
// phrase lengths, the lead's partials and the drums against the music.
#pragma once

#include <map>
#include <string>

#include "module.h"
#include "score.h"

namespace compose {

// Melody bars played, those new to the ear (not an exact, octave, transposed
// or one-note-ornamented copy of an earlier bar), and the loop's phrase
// lengths in bars with their counts (a phrase ends at a rest or a section's end).
struct MelodyFigures {
    int bars = 0, fresh = 0;
    std::map<int, int> phrases;
};
MelodyFigures melodyFigures(const Module& m, const Tune& tune);

// Prints the figures of `tune` as written under `dir`.
void scoreReport(const Tune& tune, const std::string& dir);

}  // namespace compose
