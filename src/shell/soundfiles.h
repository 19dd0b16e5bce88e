// The eleven sound files the game loads, relative to its data folder. The
// tests and the generator's checks read this same table (tests/facts).
#pragma once

inline constexpr int samplecount = 2;
inline constexpr int musiccount = 9;

// 0 confirm/event, 1 tick.
inline constexpr const char* samplefiles[samplecount] = {"wav/sound2.wav", "wav/sound5.wav"};

// 0 level list, 1..7 levels 0..6, 8 title screen.
inline constexpr const char* musicfiles[musiccount] = {
    "xm/title.xm",                                   // level list
    "xm/track0.xm", "xm/track1.xm", "xm/track2.xm",  // fold, cusp, swallowtail
    "xm/track3.xm", "xm/track4.xm", "xm/track5.xm",  // butterfly, pyramid, purse
    "xm/track6.xm",                                  // parabola
    "xm/intro.xm",                                   // title screen
};
