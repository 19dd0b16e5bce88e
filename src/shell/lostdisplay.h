// The X server going away (a logout, a crashed desktop, a dropped remote
// session) ends the game with status 1 and one line on standard error.
#pragma once

// Before allegro_init: replaces Xlib's own handler, which calls exit() on
// whichever thread meets the lost connection, and the exit handlers then
// abort on the library's state half torn down by the other threads.
void catchlostdisplay();
