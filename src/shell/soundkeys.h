// The sound keys, on every screen: M mutes and unmutes, - and + step the
// volume; a small mark in the picture's corner shows the level for a second.
#pragma once

extern int volumemark;  // ticks the mark still shows; a sound key sets it

// Once per logic tick, after inputtick: fresh presses of the sound keys.
void soundkeys();

// After a screen has drawn into buffer: the mark, while it shows.
void drawvolumemark();
