// The intro: one trembling credit line until a key, the left mouse button
// or twenty seconds end it.
#pragma once

extern int titletimer;      // logic ticks the intro has run
extern bool finishedtitle;  // the intro is over

struct IntroLoop {
    static void start();
    static bool done();
    static void tick();
    static void draw();
};
