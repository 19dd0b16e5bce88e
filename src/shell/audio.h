// Music and sound effects: the tables of loaded sounds and the three
// operations the screens use.
#pragma once

#include "shell/soundfiles.h"

struct SAMPLE;
struct DUH;
typedef struct AL_DUH_PLAYER AL_DUH_PLAYER;

extern SAMPLE* sample[2];        // 0 "wav/sound2.wav" confirm/event, 1 "wav/sound5.wav" tick
extern DUH* music[musiccount];   // in the order of musicfiles: list, title, then the levels
extern AL_DUH_PLAYER* dplay;     // the tune playing now, or null
extern int effectsasked[2];      // playsample calls so far per entry, loaded or not (tests, soak)
extern int musicasked;           // the latest playmusic index, loaded or not; -1 before any (tests)

constexpr int volumesteps = 8;  // the sound keys' steps; the full step is the tunes' own loudness

extern int volumelevel;          // 0..volumesteps, - and + step it; not saved
extern bool muted;               // M: music paused, effects left out

void init_sound();
void playmusic(int i);
void stopmusic();
void playsample(int i);

// The sound keys: one step quieter (-1) or louder (+1), and mute on or off.
// Both act on the playing tune at once and on every later one.
void stepvolume(int step);
void togglemute();
