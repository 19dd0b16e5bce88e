// The title screen. Keys act on a fresh press only: every held flag starts
// true, so a key still down from the previous screen waits for its release.
#include "screens/title.h"

#include <allegro.h>

#include "shell/audio.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/present.h"
#include "shell/soundfiles.h"

bool TitleLoop::begin = false;
int TitleLoop::selected = 0;
bool TitleLoop::upheld = false;
bool TitleLoop::downheld = false;
bool TitleLoop::spaceheld = true;

namespace {

// With two rows, Up and Down both just toggle the highlight.
void toggleon(Action a, bool& held) {
    const bool down = isdown(a);
    if (down && !held) {
        TitleLoop::selected = (TitleLoop::selected + 1) % 2;
        playsample(1);
        held = true;
    }
    if (!down) held = false;
}

}  // namespace

void TitleLoop::start() {
    screenshake = 0;
    playmusic(titletune);
    begin = false;
    selected = 0;
    upheld = downheld = spaceheld = true;
    escpressed = true;
}

bool TitleLoop::done() {
    return quit || begin;
}

void TitleLoop::tick() {
    poll_mouse();
    const bool esc = isdown(actback);
    if (esc && !escpressed) quit = true;
    escpressed = esc;
    toggleon(actup, upheld);
    toggleon(actdown, downheld);
    // Space does not set its own held flag: every pending tick of the pass in
    // which it is first seen acts again while it is down.
    const bool space = isdown(actchoose);
    if (space && !spaceheld) {
        if (selected == 0) {
            begin = true;
            playsample(0);
        } else {
            quit = true;
        }
    }
    if (!space) spaceheld = false;
}

void drawtitleline() {
    textout_ex(buffer, font, "quellmarrow", 8, 7, makecol(136, 126, 114), makecol(0, 0, 0));
}

void TitleLoop::draw() {
    drawPreface();
    drawtitleline();
    const int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
    const int grey = makecol(100, 100, 100);
    const char* const rows[2] = {"Start", "Exit"};
    const int tops[2] = {60, 82};
    for (int i = 0; i < 2; ++i) {
        const bool lit = i == selected;
        textout_ex(buffer, font, rows[i], 59, tops[i], lit ? grey : white, lit ? white : black);
    }
}
