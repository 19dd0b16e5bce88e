// The level list. Only levels up to levelmax can be reached; the narrative
// raises levelmax as the player finds sentences.
#include "screens/select.h"

#include <allegro.h>

#include "model/levels.h"
#include "screens/progress.h"
#include "screens/title.h"
#include "shell/audio.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/present.h"
#include "shell/soundfiles.h"

unsigned SelectLoop::selected = 0;
bool SelectLoop::upheld = false;
bool SelectLoop::downheld = false;
bool SelectLoop::spaceheld = true;

int scol(unsigned k) {
    return levelmax < k ? makecol(20, 20, 20) : makecol(255, 255, 255);
}

void SelectLoop::start() {
    screenshake = 0;
    upheld = downheld = spaceheld = true;
    escpressed = true;
    leave = false;
    playmusic(listtune);
}

bool SelectLoop::done() {
    return quit || leave;
}

void SelectLoop::tick() {
    const unsigned m = levelmax;
    poll_mouse();
    const bool esc = isdown(actback);
    if (esc && !escpressed) quit = true;
    escpressed = esc;

    const bool up = isdown(actup);
    if (up && !upheld) {
        selected = (selected + m) % (m + 1);
        if (m != 0) playsample(1);
        upheld = true;
    }
    if (!up) upheld = false;

    const bool down = isdown(actdown);
    if (down && !downheld) {
        selected = (selected + 1) % (m + 1);
        if (m != 0) playsample(1);
        // A Down move also swallows an Up that is already down at the next tick.
        upheld = true;
        downheld = true;
    }
    if (!down) downheld = false;

    const bool space = isdown(actchoose);
    if (space && !spaceheld) {
        playsample(0);
        leave = true;
    }
    if (!space) spaceheld = false;
}

void SelectLoop::draw() {
    drawPreface();
    drawtitleline();
    const int red = makecol(255, 10, 10), black = makecol(0, 0, 0);
    for (unsigned k = 0; k < static_cast<unsigned>(levelcount); ++k) {
        const int fg = k == selected ? red : scol(k);
        textout_ex(buffer, font, levels[k].name, 54, 30 + 10 * k, fg, black);
    }
}
