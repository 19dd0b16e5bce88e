// The play screen's picture: message box with the sentence, a gauge on each
// side for the state, four control rows with their markers, and the label of
// the selected control. Rebuilt from the game state every frame.
#include <allegro.h>

#include "play/game_loop.h"
#include "play/narrative.h"
#include "play/play_state.h"
#include "screens/select.h"
#include "shell/globals.h"
#include "shell/present.h"
#include "shell/printwrap.h"

int col = 0;

int markerx(double v) {
    return static_cast<int>(157.0 * v * 0.5 + 80.0);
}

int gaugey(double v) {
    const double h = v * 0.5;
    const double s = h < -1 ? -64 : h > 1 ? 64 : h * 64;
    return static_cast<int>(s * 0.5 + 32);
}

void drawlevel(int level) {
    const unsigned R = static_cast<unsigned>(levels[level].controls);
    const int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
    const int red = makecol(255, 0, 0), blue = makecol(0, 0, 255);
    drawPreface();

    for (unsigned i = 0; i < 4; ++i) {
        const int t = 64 + 11 * static_cast<int>(i);
        rect(buffer, 0, t, 159, t + 11, white);
        if (i == curselected) rect(buffer, 1, t + 1, 158, t + 10, red);
        if (i < R) vline(buffer, markerx(curslice.dat.control[i]), t + 1, t + 11, blue);
    }

    const int left = gaugey(curslice.dat.x);
    hline(buffer, 0, left, 11, white);
    rect(buffer, 0, 0, 11, 64, white);
    rect(buffer, 148, 0, 159, 64, white);
    // The right gauge shows y where the level has one, otherwise x again.
    const int right = gaugey(hasy(level) ? curslice.dat.y : curslice.dat.x);
    hline(buffer, 148, right, 159, white);

    col = curslice.state == 0 ? makecol(50, 50, 50) : red;
    rectfill(buffer, 12, 0, 147, 63, col);
    printwrap(curstring, 16, 4, white, col, 16);

    // curselected stays below R, so a placeholder label is never reached.
    const unsigned selected = SelectLoop::selected;
    const int shown = selected < static_cast<unsigned>(levelcount) ? static_cast<int>(selected) : level;
    textout_ex(buffer, font, levels[shown].description[curselected], 4, 111, white, black);
}
