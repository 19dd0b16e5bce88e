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

// Placeholders fill the columns beyond a level's rows and are never shown.
const char* const description[7][4] = {
    {"step back/forward", "item 02", "item 03", "item 04"},                              // 0 fold
    {"step towards/away", "eat less/more", "item 13", "item 14"},                        // 1 cusp
    {"read less/more", "relax/concentrate", "look away/at", "item 24"},                  // 2 swallowtail
    {"less/more action", "less/more artistry", "less/more linearity", "less/more emotion"},  // 3 butterfly
    {"pray less/more", "sin less/more", "read less/more", "item 44"},                    // 4 pyramid
    {"earlier/later", "younger/older", "happier/sadder", "item 54"},                     // 5 purse
    {"listen", "look", "smell", "touch"},                                                // 6 parabola
};

int col = 0;

int markerx(double v) {
    return static_cast<int>(157.0 * v * 0.5 + 80.0);
}

int gaugey(double v) {
    const double h = v * 0.5;
    const double s = h < -1 ? -64 : h > 1 ? 64 : h * 64;
    return static_cast<int>(s * 0.5 + 32);
}

template <int N>
void GameLoop<N>::draw() {
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
    const int right = gaugey(hasy(N) ? curslice.dat.y : curslice.dat.x);
    hline(buffer, 148, right, 159, white);

    col = curslice.state == 0 ? makecol(50, 50, 50) : red;
    rectfill(buffer, 12, 0, 147, 63, col);
    printwrap(curstring, 16, 4, white, col, 16);

    // curselected stays below R, so a placeholder label is never reached.
    const unsigned level = SelectLoop::selected < 7 ? SelectLoop::selected : N;
    textout_ex(buffer, font, description[level][curselected], 4, 111, white, black);
}

template void GameLoop<0>::draw();
template void GameLoop<1>::draw();
template void GameLoop<2>::draw();
template void GameLoop<3>::draw();
template void GameLoop<4>::draw();
template void GameLoop<5>::draw();
template void GameLoop<6>::draw();
