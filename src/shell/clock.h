// The 30 Hz logic clock.
#pragma once

// Timer callback: one more logic tick has come due.
void increment_speed_counter();

// Start-up: libraries, sound, input, the clock, the display and the pictures.
void init();
