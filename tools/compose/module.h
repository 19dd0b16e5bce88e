// In-memory form of an XM module: what the writer serialises and the
// checker reads back. Plain data, no behaviour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compose {

// One pattern cell; 0 means "field absent" (XM readers take present zeros literally).
struct Cell {
    uint8_t note = 0;        // 1..96 pitch, 97 key-off
    uint8_t instrument = 0;  // 1..count
    uint8_t volume = 0;      // volume-column byte (0x10..0x50 = set volume)
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct Pattern {
    int rows = 64;
    int channels = 4;
    std::vector<Cell> cells;  // row-major: rows * channels

    Pattern(int r, int c) : rows(r), channels(c), cells(size_t(r) * c) {}
    Cell& at(int row, int ch) { return cells[size_t(row) * channels + ch]; }
    const Cell& at(int row, int ch) const { return cells[size_t(row) * channels + ch]; }
};

struct EnvPoint {
    uint16_t x;  // ticks
    uint16_t y;  // 0..64
};

struct Envelope {
    std::vector<EnvPoint> points;  // empty = envelope off
    int sustain = -1;              // point index, -1 = none
};

// One sample of an instrument: frames, loop, tuning.
struct Sample {
    std::string name;
    std::vector<int16_t> data;
    bool looped = false;
    uint32_t loopStart = 0, loopLength = 0;  // frames; frames before loopStart play once
    uint8_t defaultVolume = 64;
    int8_t finetune = 0;
    int8_t relativeNote = 0;
};

struct Instrument {
    std::string name;
    Envelope volume;
    uint16_t fadeout = 0;
    uint8_t vibType = 0, vibSweep = 0, vibDepth = 0, vibRate = 0;
    std::vector<Sample> samples;      // 1..16
    std::vector<uint8_t> noteMap = std::vector<uint8_t>(96, 0);  // sample index per note 1..96
};

struct Module {
    std::string name;
    int channels = 4;
    int speed = 6;
    int bpm = 125;
    int restart = 0;
    std::vector<int> orders;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

}  // namespace compose
