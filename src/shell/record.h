// Recorded runs: the seed and, tick by tick, what the ticks read from the
// keys, the pad and the mouse. A recording played back deals the same
// scramblings and feeds every tick the same input, so the run prints the
// same lines and ends where it ended.
//
// The file, little-endian:
//   "QMRUN" 0x1a        magic (a text viewer stops at the 0x1a)
//   u8  format          recordformat
//   u8  n, n bytes      the game's version that made it
//   u32 seed
//   u16 per tick        a bit per Action, then tickanykey, tickmouse,
//                       tickpass; the top three bits are always clear
//   u16 0xffff          the end
//   u32 ticks           how many ticks came before the end
//   u32 check           FNV-1a of every byte before it
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/input.h"

constexpr int recordformat = 1;
// The actions a tick can see: the display switch is taken between frames,
// so no recording carries it.
constexpr int tickactions = actdisplay;
static_assert(tickactions == actions - 1, "the display switch is the last action");
constexpr unsigned tickanykey = 1u << tickactions;      // the intro's "any key" was seen
constexpr unsigned tickmouse = 1u << (tickactions + 1);  // the intro saw the left button
constexpr unsigned tickpass = 1u << (tickactions + 2);   // the tick is the first of its pass
constexpr unsigned tickbits = (1u << (tickactions + 3)) - 1;
static_assert(tickactions + 3 <= 13, "a tick is 16 bits, the top three clear");

struct Recording {
    uint32_t seed = 0;
    std::vector<uint16_t> ticks;
};

// The file's bytes for a recording, and back. Reading checks everything;
// on failure `why` names the problem in a few words.
std::string encoderecording(const Recording& run, const char* version);
bool decoderecording(const std::string& bytes, const char* version, Recording& run, std::string& why);

// The game's version, as recordings carry it.
const char* gameversion();

// --record: creates the file and writes ticks as they are run; the end is
// written when the program ends (returns, is closed or gets a signal).
bool startrecording(const char* path, uint32_t seed, std::string& why);
void finishrecording();

// --replay: reads and checks the whole file first; afterwards every tick's
// input comes from it. `seed` is the recorded run's.
bool loadreplay(const char* path, uint32_t& seed, std::string& why);
void startreplay(const Recording& run);  // the same from a recording in memory (tests)
void stopreplay();

bool replaying();
// Every recorded tick has run: the run ends here.
bool replayended();
// Ticks of the next recorded pass, run once `available` ticks of the clock
// allow it (0 until then); what the frame runs instead of the pending ticks.
int replaydue(int available);

// ---- the input's side

void notepass();                     // a pass begins: its first tick is marked
void recordtick(unsigned actionbits);  // a tick ran with these actions down
void recordread(unsigned bit);       // that tick read tickanykey or tickmouse as true
unsigned replaytick();               // the next recorded tick's bits, when replaying
unsigned replayedbits();             // the bits of the tick being replayed
