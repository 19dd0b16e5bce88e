// The notations the tunes are written in, and their translation into XM
// patterns.
//
// Legend of a note table: tokens separated by spaces, each
//     pitch ':' length [ '!' volume ] [ '@' instrument ]
//   pitch       C D E F G A B, then # or b, then the octave (C4 = middle C,
//               A4 = 440 Hz); '.' is a rest (key-off), '-' holds what sounds
//   length      in rows (the tune's speed gives ticks per row)
//   volume      1..64, overrides the line's volume for that note
//   instrument  overrides the line's instrument for that note
// and then any of these marks of expression:
//   ~           vibrato over the held rows after the first two
//   ^           glide into the pitch (tone portamento, over all its rows) instead of striking it
//   'd          strike d ticks late (note delay)
//   >x  <x      fade out / swell by x per tick over the held rows (volume slide)
// A '|' is a bar line. In a score it must fall on a bar of its passage's
// metre, and errors name the bar.
//
// Legend of a score (struct Score, below): the tune written out passage by
// passage, every bar of every part by hand.
//   Passage     a name, a metre (rows per bar), its scale, and up to four
//               written parts, each a note table of the same length:
//                 chords   progression (see chords()) the pad voices
//                 melody   the lead, channel 0
//                 counter  the counter-melody, channel 1
//                 bass     the bass, channel 5
//               plus, asked by name, what the generator adds: the broken-
//               chord figure over the chords, a drum grid (kit), the second
//               lead's voice, a softer pad, and the passage's level (eased in
//               over its first bars or out over its last by rise and swell).
//               A part left "" is silent there: its channel gets a key-off.
//               A part may not open with '-': a note that goes on into the
//               next passage is written again there.
//   Score::opening  passage names played once, before the loop
//   Score::form     passage names in play order, looped; "A*2" is "A A".
//               A passage named twice is the same pattern played again.
// Passages may differ in metre and length; phrases are as long as the
// writer makes them (rests between them end each note).
#pragma once

#include <string>
#include <vector>

#include "module.h"

namespace compose {

struct Line {
    int channel;
    std::string instrument;
    int volume;
    std::string notes;
    std::vector<double> accent = {};  // volume factor by row, cycling from each section's start
};

// One parsed note-table token.
struct Token {
    std::string pitch;  // "." rest, "-" hold, else a pitch name
    int rows = 0;
    int volume = -1;
    std::string instrument;
    bool vibrato = false, glide = false;
    int delay = 0, slide = 0;  // slide > 0 swells, < 0 fades
};
Token parseToken(const std::string& word);
std::string formatToken(const Token& t);
// The tokens of a note table, bar lines dropped.
std::vector<std::string> words(std::string s);
// Integer field of a token or word; throws naming `what` when it is not one.
int number(const std::string& text, const std::string& what);
std::string noteName(int note);

struct Section {
    std::string name;
    int rows;
    std::vector<Line> lines;
    int bar = 16;            // rows per bar, for naming bars in errors and checks
    std::string scale = {};  // the notes the melody keeps to here ("" = not checked)
    double level = 1.0;      // scales every volume here, for the tune's dynamics
    std::string chords = {}; // the written progression, for telling chord tones from leaning notes
    // A change of level eased over rows instead of stepped: the first
    // `riseRows` climb from `riseFrom`, the last `swellRows` move to `swellTo`.
    double riseFrom = 0, swellTo = 0;
    int riseRows = 0, swellRows = 0;
    double levelAt(int row) const;
};

struct Tune {
    std::string file;   // path under the output folder, e.g. "xm/track0.xm"
    std::string title;  // module name, at most 20 characters
    std::string key;    // for the report only
    int bpm = 125, speed = 6, channels = 8;
    double gain = 1.0;  // scales every volume, to level the tunes
    std::vector<Section> sections;
    std::string form;   // section names in play order, e.g. "A A B A"
    int restart = 0;    // order index the song loops back to
    int vibrato = 0x42; // 4xy parameter for '~'
    int glide = 0x06;   // 3xx parameter for '^'
};

// Channel layout every tune shares; the music check reads parts by it.
enum Channel { kLead = 0, kCounter = 1, kPad = 2, kBass = 5, kDrums = 6, kFigure = 7 };

struct Voice {
    std::string instrument;  // "" = the part is not used
    int volume = 0;
    std::string low;  // floor of chord voicings and figures
};

// The instruments and the generated parts a tune uses, in either notation.
struct Palette {
    Tune tune;              // file, title, key, tempo, gain, vibrato and glide
    Voice lead, lead2, pad, bass, figure, counter;
    int padVoices = 3;      // on channels 2-4; a fourth would run into the bass
    bool padGlide = true;
    std::string figureSteps;  // chord-tone indices as in arpeggio(), one per figureStep rows;
                              // several figures separated by '/' take turns
    int figureStep = 2;
    int swing = 0;            // ticks late for every other figure note
    std::vector<std::string> kits;  // drum grids (see drums()); "" = none
    int drumVolume = 0;
    std::vector<double> drumAccent, leadAccent, figureAccent;
};

// A passage's written parts, then its options by name:
//   Passage{"home", 16, major, chords, melody, counter, bass}.drums(0).broken().at(0.8)
struct Passage {
    std::string name;
    int bar = 16;           // rows per bar: the metre
    std::string scale;      // e.g. "B C# D E F# G A"; the melody and the check keep to it
    std::string chords, melody, counter, bass;  // written parts, "" = silent
    int kit = -1;           // index into Palette::kits, -1 = no drums
    bool figure = false;    // the broken-chord figure over the chords
    bool second = false;    // the melody on lead2's instrument
    bool breath = false;    // the pad a third softer
    int padDetune = 0;      // the pad this many 1/128 semitones sharp: it wavers against the rest
    double level = 1.0;     // every part's volume scaled, for the tune's dynamics
    double riseFrom = 0, swellTo = 0;  // levels eased in from, and out to, over
    int riseBars = 0, swellBars = 0;   // the passage's first and last bars

    Passage& drums(int k) { return kit = k, *this; }
    Passage& broken() { return figure = true, *this; }
    Passage& onSecond() { return second = true, *this; }
    Passage& softPad() { return breath = true, *this; }
    Passage& detunedPad(int finetune) { return padDetune = finetune, *this; }
    Passage& at(double l) { return level = l, *this; }
    Passage& rise(double from, int bars) { return riseFrom = from, riseBars = bars, *this; }
    Passage& swell(double to, int bars) { return swellTo = to, swellBars = bars, *this; }
};

struct Score : Palette {
    std::vector<Passage> passages;
    std::string opening;  // played once
    std::string form;     // looped
};

// Turns a score into a tune; throws std::runtime_error naming tune,
// passage and bar for anything written wrong.
Tune perform(const Score& score);

// `tokens` written `times` times over, for ostinatos.
std::string rep(const std::string& tokens, int times);

// Drum grid, one character per row: k kick, K a loud kick, s snare, h hat,
// t tick, c the tick as a clave (the drummer's light strokes never move
// it), o low tom, '.' nothing; spaces and '|' are ignored. Snare, hat and
// K play at twice `volume`, which must stay within 64.
Line drums(int channel, int volume, const std::string& grid);

// Chord progression as held notes over `voices` channels from firstChannel.
// Tokens are chord ':' length, chord = root (C, F#, Bb...) and quality
// ("", m, 7, maj7, m7, m9, maj9, m7b5, dim, aug, sus2, sus4, 7sus4, add9,
// madd9, 6, m6, mmaj7, 7b9, 9, 5), '.' a rest, '-' a hold. Each chord is voiced
// close above the pitch `low`; a voice whose note stays is held, not struck,
// and with `glide` a voice that moves slides to its new note.
std::vector<Line> chords(int firstChannel, int voices, const std::string& instrument, int volume,
                         const std::string& progression, const std::string& low, bool glide = false);

// A broken-chord figure over a progression: `figure` lists chord-tone
// indices (0 = lowest tone above `low`, counting on through the octaves)
// or '-' to hold, one per `step` rows, repeated for each chord.
Line arpeggio(int channel, const std::string& instrument, int volume, const std::string& progression,
              const std::string& figure, int step, const std::string& low);

// Pitch classes (0 = C) of a chord name such as "F#m7", root first.
std::vector<int> chordPitchClasses(const std::string& chord);

// XM note number of a pitch name such as "C4" or "F#3".
int pitchNote(const std::string& pitch);

// Turns a tune into a module; throws std::runtime_error on a line whose
// lengths do not add up to its section's rows, or on clashing cells.
Module buildModule(const Tune& tune);

}  // namespace compose
