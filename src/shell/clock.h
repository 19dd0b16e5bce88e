// The 30 Hz logic clock.
#pragma once

// Timer callback: one more logic tick has come due.
void increment_speed_counter();

// Start-up: libraries, sound, input, the clock, the display and the pictures.
// Full screen unless `windowed`, and in a window where the desktop refuses
// it; `scale` > 0 picks the picture's factor. Exits with status 1, naming
// the cause, if there is no display.
void init(bool windowed = false, int scale = 0);

// The two halves of init, apart for the start-up benchmark: Allegro and the
// sounds; then input, the clock, the display and the pictures.
void initsystem();

void initdisplay(bool windowed = false, int scale = 0);

// A start-up step that cannot go on: names it (and the library's reason) on
// standard error and exits with status 1.
[[noreturn]] void failstartup(const char* what);
