// Ending on SIGTERM or SIGINT: a desktop logging out, Ctrl+C in a terminal.
//
// Allegro's own handler shuts the library down inside the signal handler,
// which aborts now and then when the game thread is in the middle of an X
// call. The game instead notes the signal, leaves the frame loop, shuts the
// library down from the game thread and then dies of that same signal, as
// whoever sent it expects.
#pragma once

// Start-up blocks the signals first, then installs the game's handlers over
// Allegro's and lets the signals in, a held one included.
void holdtermination();
void catchtermination();

// A termination signal has arrived.
bool terminationrequested();

// Shuts the library down and dies of the signal that arrived.
[[noreturn]] void endbysignal();
