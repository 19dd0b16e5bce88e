// The figures a composer's review asks of each tune, measured on the
// written file: its form, how many melody bars are new to the ear, the
// phrase lengths, the lead's partials and the drums against the music.
#pragma once

#include <string>

#include "score.h"

namespace compose {

// Prints the figures of `tune` as written under `dir`.
void scoreReport(const Tune& tune, const std::string& dir);

}  // namespace compose
