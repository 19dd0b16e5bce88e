// The command line, read before anything is opened.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

struct Options {
    bool window = false;  // --window: a window instead of full screen
    int scale = 0;        // --scale N: the picture's whole factor; 0 = the largest that fits
    bool quiet = false;   // --quiet: no diagnostic lines on standard output
    int fps = 60;         // --fps N: frames presented a second at most; 0 = as many as drawn
    bool seeded = false;  // --seed N given: replay the scramblings of an earlier run
    uint32_t seed = 0;
    std::string record;   // --record FILE: write the run's seed and every tick's input there
    std::string replay;   // --replay FILE: play such a file back; its seed is taken
};

// Reads argv into `options`. Returns -1 to go on and play; otherwise the
// status to exit with: 0 after printing the help or the version on `out`,
// 2 after one line on `err` naming what is wrong. A recording to replay is
// read and checked here, before anything is opened.
int readoptions(int argc, char** argv, Options& options, std::FILE* out, std::FILE* err);

// A seed for a run that did not ask for one: two runs a second apart, or
// two started at once, deal different scramblings.
uint32_t freshseed();
