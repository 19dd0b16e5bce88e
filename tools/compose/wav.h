// Minimal RIFF WAVE: a 16-byte `fmt ` chunk and a `data` chunk, nothing
// else (Allegro's loader does not skip pad bytes of other chunks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compose {

std::vector<uint8_t> writeWav(const std::vector<int16_t>& samples, int rate);

struct WavInfo {
    int rate = 0, bits = 0, channels = 0;
    std::vector<int16_t> samples;
};

// Returns the problems found; fills info from the fmt and data chunks.
std::vector<std::string> checkWav(const std::vector<uint8_t>& bytes, WavInfo* info = nullptr);

}  // namespace compose
