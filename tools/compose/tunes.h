// The nine tunes, each written by hand in its own file, and the one table
// that says which file each writes: a new level's tune is a new file and
// one row here.
#pragma once

#include <vector>

#include "score.h"

namespace compose {

Score titleScreenTune();
Score levelListTune();
Score foldTune();
Score cuspTune();
Score swallowtailTune();
Score butterflyTune();
Score pyramidTune();
Score purseTune();
Score parabolaTune();

struct TuneFile {
    const char* file;  // path under the output folder
    Score (*score)();
};

// In the order the game lists its music files.
inline const std::vector<TuneFile>& tuneTable() {
    static const std::vector<TuneFile> table = {
        {"xm/title.xm", levelListTune},
        {"xm/intro.xm", titleScreenTune},
        {"xm/track0.xm", foldTune},
        {"xm/track1.xm", cuspTune},
        {"xm/track2.xm", swallowtailTune},
        {"xm/track3.xm", butterflyTune},
        {"xm/track4.xm", pyramidTune},
        {"xm/track5.xm", purseTune},
        {"xm/track6.xm", parabolaTune},
    };
    return table;
}

inline std::vector<Tune> allTunes() {
    std::vector<Tune> tunes;
    for (const TuneFile& f : tuneTable()) {
        Score s = f.score();
        s.tune.file = f.file;
        tunes.push_back(perform(s));
    }
    return tunes;
}

}  // namespace compose
