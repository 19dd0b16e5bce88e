// Measures of a written module read back from its bytes: how much of the
// loop is new material, which effects and volume levels it uses, and the
// module with all but one channel silenced, for rendering a part alone.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "module.h"

namespace compose {

// Header, order list, pattern cells and instrument names with their
// samples' loop flags (no sample data) of an XM; throws
// std::runtime_error when the bytes are not a well-formed XM.
Module readPatterns(const std::vector<uint8_t>& bytes);

// Seconds of 16-row blocks, in play order, that share under 70% of their
// (row, channel, note) events with every earlier block.
double newMaterialSeconds(const Module& m);

// Effect numbers and set-volume levels used anywhere in the song.
std::set<int> effectTypes(const Module& m);
std::set<int> volumeLevels(const Module& m);

// Share of the energy from 150 Hz to 2 kHz on each pitch class (0 = C),
// each frequency split between its two nearest semitones.
std::vector<double> pitchClassShares(const std::vector<int16_t>& samples, double rate);

// The same file with every channel but `channel` emptied, or with `mute`
// only that one.
std::vector<uint8_t> soloChannel(const std::vector<uint8_t>& bytes, int channel, bool mute = false);

}  // namespace compose
