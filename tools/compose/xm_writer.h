// Serialises a Module into the bytes of an XM file (FastTracker 2 v1.04).
#pragma once

#include <cstdint>
#include <vector>

#include "module.h"

namespace compose {

std::vector<uint8_t> writeXm(const Module& m);

// Appends one packed pattern with its header.
void writePattern(std::vector<uint8_t>& bytes, const Pattern& p);

}  // namespace compose
