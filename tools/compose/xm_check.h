// Reads an XM file back and lists everything that would trip DUMB or
// OpenMPT: header sizes, row counts, note and instrument ranges,
// envelopes, sample loops, fadeout, tempo and F00.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compose {

struct XmSummary {
    std::string name;
    int channels = 0, speed = 0, bpm = 0, restart = 0;
    int orders = 0, patterns = 0;
    std::vector<std::string> instruments;
    std::vector<int> sampleCounts;  // per instrument
    long totalRows = 0;     // rows played once through the order list
    double seconds = 0;     // totalRows at the default tempo
};

// Returns the problems found (empty = valid); fills summary as far as it got.
std::vector<std::string> checkXm(const std::vector<uint8_t>& bytes, XmSummary* summary = nullptr);

}  // namespace compose
