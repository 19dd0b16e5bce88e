// The level list: every level of the table, locked ones nearly black, a red cursor.
#pragma once

struct SelectLoop {
    static unsigned selected;  // level under the cursor, 0..levelmax; kept across visits
    static bool upheld;        // Up was down at the last tick (a Down move sets it too)
    static bool downheld;      // Down was down at the last tick
    static bool spaceheld;     // Space was down at the last tick

    static void start();
    static bool done();
    static void tick();
    static void draw();
};

// Colour of level k's name when the cursor is not on it: white if unlocked.
int scol(unsigned k);
