// The 30 Hz logic clock.
#pragma once

// Timer callback: one more logic tick has come due.
void increment_speed_counter();

// Start-up: libraries, sound, input, the clock, the display and the pictures.
// Exits with status 1, naming the cause, if there is no display to be had.
void init();

// The two halves of init, apart for the start-up benchmark: Allegro and the
// sounds; then input, the clock, the display and the pictures.
void initsystem();
void initdisplay();
