// The nine tunes, each written by hand in its own file.
#pragma once

#include <vector>

#include "score.h"

namespace compose {

Tune introTune();        // title screen
Tune titleTune();        // level list
Tune foldTune();         // level 0
Tune cuspTune();         // level 1
Tune swallowtailTune();  // level 2
Tune butterflyTune();    // level 3
Tune pyramidTune();      // level 4
Tune purseTune();        // level 5
Tune parabolaTune();     // level 6

inline std::vector<Tune> allTunes() {
    return {titleTune(), foldTune(), cuspTune(), swallowtailTune(), butterflyTune(),
            pyramidTune(), purseTune(), parabolaTune(), introTune()};
}

}  // namespace compose
