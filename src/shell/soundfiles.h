// The sound files the game loads, relative to its data folder: the two
// effects, the two screens' tunes and one tune per row of the level table.
// The tests and the generator's checks read this same table (tests/facts).
#pragma once
#include <array>

#include "model/levels.h"

inline constexpr int samplecount = 2;

// 0 confirm/event, 1 tick.
inline constexpr const char* samplefiles[samplecount] = {"wav/sound2.wav", "wav/sound5.wav"};

// Where each tune sits in the music table: the screens' two first, so that
// neither moves when a level is added.
inline constexpr int listtune = 0;   // level list
inline constexpr int titletune = 1;  // title screen
constexpr int leveltune(int level) { return 2 + level; }

inline constexpr int musiccount = leveltune(levelcount);

inline constexpr std::array<const char*, musiccount> musicfiles = [] {
    std::array<const char*, musiccount> files{};
    files[listtune] = "xm/title.xm";
    files[titletune] = "xm/intro.xm";
    for (int n = 0; n < levelcount; ++n) files[leveltune(n)] = levels[n].tune;
    return files;
}();
