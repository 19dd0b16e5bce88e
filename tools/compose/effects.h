// The two sound effects: a soft tick for moving a highlight and a brighter
// chime for confirming a choice or marking a story event.
#pragma once

#include <cstdint>
#include <vector>

namespace compose {

constexpr int kEffectRate = 22050;

std::vector<int16_t> tickEffect();   // "wav/sound5.wav", under 0.15 s
std::vector<int16_t> chimeEffect();  // "wav/sound2.wav", under 0.6 s, peak under -8 dBFS, a soft D
// The chime struck at `hz`, to compare pitches by their fit in the tunes' keys.
std::vector<int16_t> struckChime(double hz);

}  // namespace compose
