// The title screen: the game's name and a two-row menu, "Start" and "Exit".
#pragma once

struct TitleLoop {
    static bool begin;      // "Start" was chosen; ends the screen
    static int selected;    // highlighted row: 0 "Start", 1 "Exit"
    static bool upheld;     // Up was down at the last tick
    static bool downheld;   // Down was down at the last tick
    static bool spaceheld;  // Space was down at the last tick

    static void start();
    static bool done();
    static void tick();
    static void draw();
};

// The game's name at the top left, shared with the level list.
void drawtitleline();
