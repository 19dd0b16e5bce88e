// The display: full screen at the desktop's own resolution or a window, the
// picture's whole factor for either, switching between them while the game
// runs, and the window's close button.
#pragma once

// The largest whole factor at which the 160x120 picture fits w x h; at
// least 1.
int fitfactor(int w, int h);

// The factor of a window on a desktop of dw x dh: the largest that fits in
// about 85% of it, but x4 (640x480) wherever that fits the desktop at all.
int windowfactor(int dw, int dh);

// Opens the display: full screen at the desktop's size unless `windowed`,
// and a window where full screen is refused. `scale` > 0 asks for that
// factor (never more than fits). Makes bigbuffer to match. Exits with
// status 1, naming the cause, where no display at all can be opened or the
// screen is smaller than the 160x120 picture.
void opendisplay(bool windowed, int scale);

// Whether the game is in a window now.
bool displaywindowed();

// Once a pass: an F11 or Alt+Enter press switches between full screen and
// a window; the game's state is untouched. Presses made during a switch
// are dropped, and a full screen the desktop refused once is not asked for
// again: the window stays.
void watchdisplaykeys();

// The window manager asked the window to close.
bool closerequested();

// Ends the game as Esc on the title screen does: status 0.
[[noreturn]] void endbyclose();
