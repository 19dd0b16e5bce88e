// The instrument catalogue: tones sampled per register, struck bells and
// 4 kHz one-shot drums, each with its volume envelope. Every sample of a
// tone is built for the highest note it is mapped to, so that no partial
// passes ~1.9 kHz and nothing folds back in the game's 4 kHz render,
// while low registers keep the harmonics a single cycle would have lost.
#pragma once

#include <string>
#include <vector>

#include "module.h"

namespace compose {

// Highest frequency any partial may reach in the render.
constexpr double kBandLimitHz = 1900.0;

// Frequency of XM note n (1 = C-0, 49 = C-4 = 261.63 Hz).
double noteHz(int note);

// Sample rate at which a sample plays XM note n.
double playbackRate(const Sample& s, int note);

// Builds catalogue instrument `name` ("id" or "id+finetune") for a tune
// that plays it from lowNote to highNote. Throws on an unknown id.
Instrument makeVoice(const std::string& name, int lowNote, int highNote);

// Ids the catalogue knows, for error messages and the report.
std::vector<std::string> voiceIds();

// True for one-shot drums, which are always triggered at C-4.
bool isDrum(const std::string& id);

}  // namespace compose
