// Reads a written module as a listener would and lists the faults a
// composer would hear: a note left ringing through a passage its part
// rests in, a melody note outside its passage's scale, a long melody or
// counter note rubbing a semitone against the accompaniment, and a
// counter-melody doubling the melody on consecutive chords.
#pragma once

#include <string>
#include <vector>

#include "module.h"
#include "score.h"

namespace compose {

// One per pattern, in pattern order: its name, scale and bar length.
struct PassageInfo {
    std::string name;
    std::string scale;  // "" = not checked
    int bar = 16;
};
std::vector<PassageInfo> passageInfo(const Tune& tune);

// Problems found, each naming the rule, the order, passage and bar; the
// module needs patterns, orders and instruments (readPatterns gives them).
std::vector<std::string> checkMusic(const Module& m, const std::vector<PassageInfo>& passages);

}  // namespace compose
