// The story of a level: which sentence an event shows, shown once per visit.
#pragma once
#include <string>

#include "model/dat.h"
#include "screens/progress.h"

extern unsigned char stringseen[57];   // slots shown in this visit; cleared at level start
extern std::string curstring;          // the sentence in the message box

// Signal index of an event: -1 none, 1..32 jumps, 33..56 run-aways.
int MoveInfoToInt(const MoveInfo& info);

// Offers an event to the story: trysetstring(MoveInfoToInt(info)).
void processsignal(const MoveInfo& info);

// Shows slot index of the level being played if it holds a sentence not yet
// shown: shake, sound, unlock and the index on standard output.
void trysetstring(int index);
