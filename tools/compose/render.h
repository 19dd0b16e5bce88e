// Renders a written XM through DUMB the way the game plays it (mono,
// 4000 Hz, volume 0.2) to measure loop length and loudness.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compose {

constexpr int kGameRate = 4000;
constexpr float kGameVolume = 0.2f;

// Seconds until the song first loops; -1 if DUMB cannot load the file.
double dumbLoopSeconds(const std::string& path);

// The first `seconds` of the looping song as 16-bit samples; empty on failure.
std::vector<int16_t> dumbRender(const std::string& path, double seconds);

// The same for a module held in memory (written to a scratch file for DUMB).
std::vector<int16_t> dumbRenderBytes(const std::vector<uint8_t>& xm, double seconds);

struct Loudness {
    double peakDb, rmsDb;
};
Loudness loudness(const std::vector<int16_t>& samples);

}  // namespace compose
