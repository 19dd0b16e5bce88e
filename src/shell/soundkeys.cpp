// The sound keys act on a fresh press only, like the menus' keys: holding -
// steps once. They belong to no screen, so the frame runs them.
#include "shell/soundkeys.h"

#include <allegro.h>

#include "shell/audio.h"
#include "shell/globals.h"
#include "shell/input.h"

int volumemark = 0;

namespace {

constexpr int markticks = 30;  // about a second

bool held[3] = {true, true, true};  // mute, quieter, louder were down at the last tick

bool fresh(Action a, bool& wasdown) {
    const bool down = isdown(a);
    const bool press = down && !wasdown;
    wasdown = down;
    return press;
}

}  // namespace

void soundkeys() {
    if (volumemark > 0) --volumemark;
    if (fresh(actmute, held[0])) togglemute(), volumemark = markticks;
    if (fresh(actquieter, held[1])) stepvolume(-1), volumemark = markticks;
    if (fresh(actlouder, held[2])) stepvolume(1), volumemark = markticks;
}

// Eight bars rising to the right on a black patch, lit up to the level:
// white, or red while muted; the rest in the message box's grey.
void drawvolumemark() {
    if (volumemark <= 0) return;
    const int lit = muted ? makecol(255, 10, 10) : makecol(255, 255, 255);
    const int unlit = makecol(50, 50, 50);
    rectfill(buffer, 130, 107, 159, 119, makecol(0, 0, 0));
    for (int i = 0; i < volumesteps; ++i) {
        const int x = 133 + 3 * i;
        rectfill(buffer, x, 116 - i, x + 1, 117, i < volumelevel ? lit : unlit);
    }
}
