// The sound library's own complaints stay off the terminal: without a
// sound device ALSA prints a line for every device it tried.
#pragma once

// Before install_sound: ALSA's error lines go nowhere.
void quietalsa();

// After install_sound: one line of our own when no sound device was found.
void reportnosound();
