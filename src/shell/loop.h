// The frame every screen runs.
//
// A screen is a class with static members only, never instantiated; it is
// the type argument of loop<T> and supplies four verbs:
//   T::start()  the screen's start steps (always screenshake = 0, escpressed = true)
//   T::done()   the end condition, tested once per pass
//   T::tick()   one logic tick: reads the keys, writes the screen's state
//   T::draw()   draws into buffer from that state, starting with drawPreface()
// Each pass polls the music, runs the pending ticks (all of them, even after
// one has ended the screen, but no more than a second's worth: after a stop
// or a suspend the clock reports every missed tick, and the rest are
// dropped; the second that runs sees no key as held, since it may have
// been let go during the stop), draws and presents one frame, then waits until
// the next frame is due (the limiter is off unless the entry function set a
// rate, so tests and benchmarks pass as fast as they like).
//
// Per-level screens are the template GameLoop<N> over the level index: the
// seven instances differ only in their constants and their potential.
#pragma once

#include <aldumb.h>

#include <algorithm>

#include "shell/audio.h"
#include "shell/display.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/pace.h"
#include "shell/present.h"
#include "shell/record.h"
#include "shell/soundkeys.h"
#include "shell/terminate.h"

constexpr int maxpending = 30;  // ticks one pass runs at most: one second

// One pass of the frame: music, pending ticks, drawing, presentation.
template <class T>
void pass() {
    al_poll_duh(dplay);
    pollinput();
    const int excess = speed_count.load() - maxpending;
    if (excess > 0) speed_count.fetch_sub(excess);
    catchingup(excess > 0);
    // Read before the count, so a tick that comes in between only makes
    // these times a period early.
    const long long last = lasttickdue();
    const int due = replaying() ? replaydue(speed_count.load()) : std::min(speed_count.load(), maxpending);
    for (int n = 0; n < due; ++n) {
        inputtick(last - (due - 1 - n) * tickus);
        soundkeys();
        T::tick();
        speed_count.fetch_sub(1);
    }
    catchingup(false);
    watchdisplaykeys();
    T::draw();
    drawvolumemark();
    presentFrame();
    framepacer.wait();
}

// Runs one visit of screen T. A termination signal or the window's close
// button ends the program here, between two passes, where no library call
// is under way. A replay that has run out ends it like "Exit".
template <class T>
void loop() {
    T::start();
    while (!T::done() && !terminationrequested() && !closerequested() && !replayended()) pass<T>();
    if (replayended()) quit = true;
    if (terminationrequested()) endbysignal();
    if (closerequested()) endbyclose();
}
