// Reads a written module as a listener would and lists the faults a
// composer would hear: a note left ringing through a passage its part
// rests in, a melody note outside its passage's scale, a melody or counter
// note rubbing a semitone against the accompaniment for a beat, a semitone
// (or minor ninth) low in the pad, a held melody note doubling a chord tone
// with a pad tone a semitone under it, and a counter-melody doubling the
// melody on consecutive chords.
#pragma once

#include <functional>
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

// One played row of the whole song: the channels' sounding pitches.
struct PlayedRow {
    int order, row;
    std::vector<int> note;    // per channel, 0 = silent
    std::vector<bool> onset;  // a new pitch starts here
};
// The song played once through and its loop once more (so what rings over
// the seam is heard); a channel left ringing through a pattern it writes
// nothing in goes to `problems`, placed by `where(order, row)`.
std::vector<PlayedRow> playSong(const Module& m, std::vector<std::string>* problems,
                                const std::function<std::string(int, int)>& where);

// Problems found, each naming the rule, the order, passage and bar; the
// module needs patterns, orders and instruments (readPatterns gives them).
std::vector<std::string> checkMusic(const Module& m, const std::vector<PassageInfo>& passages);

}  // namespace compose
