// The keyboard's X side: which events the X server really sent, what keys
// it holds down now, and the events that queued up during a display switch.
#pragma once

// Start-up, after install_keyboard: notes every real X key event.
void watchxkeys();

// Whether the library's key event for this scancode came from the X server
// (a release it makes up when the window goes did not). Without X, true.
bool realkeyevent(int scancode);

// Asks the X server which keys are down, where a made-up release left
// F11, Enter or Alt in doubt.
void settlekeys();

// Runs the library's handling of every key event queued so far, so the
// presses made during a display switch are seen (and dropped) before it ends.
void drainkeyevents();
