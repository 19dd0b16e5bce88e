// The intro screen. It starts no music, so the game opens in silence.
#include "screens/intro.h"

#include <allegro.h>

#include "shell/globals.h"
#include "shell/input.h"
#include "shell/present.h"

int titletimer = 0;
bool finishedtitle = false;

namespace {
constexpr int introticks = 600;  // twenty seconds at 30 ticks a second
}

void IntroLoop::start() {
    screenshake = 0;
    escpressed = true;
    speed_count = 0;  // the ticks that came due while the display was set up
    titletimer = 0;
    finishedtitle = false;
}

bool IntroLoop::done() {
    return quit || finishedtitle;
}

void IntroLoop::tick() {
    ++titletimer;
    if (titletimer > introticks || mousebutton() || anykeypressed()) {
        // The key stays in the keyboard buffer; nothing reads that buffer.
        position_mouse(400, 200);
        finishedtitle = true;
    }
}

void IntroLoop::draw() {
    drawPreface();
    textout_ex(buffer, font, "tolvaric presents", 4, 50, makecol(100, 100, 100), makecol(0, 0, 0));
}
