// Sanity checks of the sound files before the libraries see them: the XM
// reader and the WAV loader trust the sizes a file declares, and a module
// with a tempo of 0 divides by zero as soon as it starts to play.
#pragma once
#include <cstddef>

// Whether the bytes are a RIFF WAVE file whose fmt and data chunks all lie
// inside them, in a format the sample loader reads (PCM, 1-2 channels, 8 or
// 16 bits, some data).
bool wavplausible(const unsigned char* bytes, std::size_t size);

// Whether the bytes are an XM module whose header, patterns, instruments and
// sample data all fit inside them, with a tempo the player can run.
bool xmplausible(const unsigned char* bytes, std::size_t size);

// Reads path and applies the check its extension calls for (.wav or .xm);
// false when it is not a regular file or cannot be read.
bool soundfileplausible(const char* path);
