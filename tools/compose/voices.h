// The instrument catalogue: band-limited single-cycle tones, struck bells
// and 4 kHz one-shot drums, each with its volume envelope. A tone is
// built for the highest note a tune gives it, so that no harmonic passes
// ~1.9 kHz and nothing folds back in the game's 4 kHz render.
#pragma once

#include <string>
#include <vector>

#include "module.h"

namespace compose {

// Highest frequency any partial may reach in the render.
constexpr double kBandLimitHz = 1900.0;

// Frequency of XM note n (1 = C-0, 49 = C-4 = 261.63 Hz).
double noteHz(int note);

// Builds catalogue instrument `id` for a tune whose highest note on it is
// maxNote. Throws on an unknown id.
Instrument makeVoice(const std::string& id, int maxNote);

// Ids the catalogue knows, for error messages and the report.
std::vector<std::string> voiceIds();

// True for one-shot drums, which are always triggered at C-4.
bool isDrum(const std::string& id);

}  // namespace compose
