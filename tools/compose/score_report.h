// The figures a composer's review asks of each tune, measured on the
// written file: its form, how many melody bars are new to the ear, the
// phrase lengths, the lead's partials and the drums against the music.
#pragma once

#include <map>
#include <cstdint>
#include <string>
#include <vector>

#include "module.h"
#include "score.h"

namespace compose {

// Melody bars played, those new to the ear (not an exact, octave, transposed
// or one-note-ornamented copy of an earlier bar), and the loop's phrase
// lengths in bars with their counts (a phrase ends at a rest or a section's end).
struct MelodyFigures {
    int bars = 0, fresh = 0;
    std::map<int, int> phrases;
};
MelodyFigures melodyFigures(const Module& m, const Tune& tune);

// Figures of one pass of the loop: the share of pad time with a semitone
// (or minor ninth) between its voices, seconds of held melody or counter
// notes a semitone from the accompaniment or a minor ninth above it, the share of melody bars that
// repeat an earlier bar exactly, and the 3-s loudness: its span from the
// 10th to the 90th percentile, its mean (dBFS) and where it peaks (seconds
// into the loop). `firstPass` is the song rendered from its start.
struct LoopFigures {
    double padSemitoneShare = 0, rubSeconds = 0, repeatShare = 0, spanDb = 0, meanDb = -200, loudestSecond = 0;
    double strongNonChordShare = 0;  // strong beats where the melody leans on a note outside the written chord
    int stockBars = 0;               // loop melody bars in the rhythms 6-2-8, 8-4-4 or 4-4-8
};
LoopFigures loopFigures(const Module& m, const Tune& tune, const std::vector<int16_t>& firstPass);

// Each lead's and counter-melody's instrument, with its median note, and
// the share of that note's energy in its fundamental, from the sample the
// generator builds.
std::vector<std::pair<std::string, double>> leadFundamentals(const Module& m, const Tune& tune);

// Drums against the rest of the music above 250 Hz, in the 50 ms after each
// hit of one pass of the song (dB); the kicks counted alone, with the title
// screen's heartbeat tom among them.
struct DrumFigures {
    int hits = 0, kicks = 0;
    double medianDb = 0, lowQuartileDb = 0, highQuartileDb = 0, kickDb = 0;
};
DrumFigures drumFigures(const Module& m, const std::vector<uint8_t>& bytes);

// Prints the figures of `tune` as written under `dir`.
void scoreReport(const Tune& tune, const std::string& dir);

}  // namespace compose
