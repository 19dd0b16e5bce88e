// How far the run has come: the levels the list offers. The narrative opens
// them, the level list reads them; nothing is saved.
#pragma once

extern unsigned levelmax;  // highest level the list offers; only grows, one level at a time

// The first new sentence on the highest open level opens the next one, if
// the table has a next one.
void unlockafter(unsigned level);
