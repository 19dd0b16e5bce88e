// The order of the screens: the intro once, then title, level list and the
// chosen level's play screen, round again, until the title screen ends the
// program. The game runs it through its frame loop; the replay tests run
// the same order headless, through Run::visit<T>(), which runs one visit
// of screen T.
#pragma once

#include "play/game_loop.h"
#include "screens/intro.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/globals.h"

template <class Run>
void playlevel(unsigned n) {
    static void (*const levels[7])() = {
        Run::template visit<GameLoop<0>>, Run::template visit<GameLoop<1>>, Run::template visit<GameLoop<2>>,
        Run::template visit<GameLoop<3>>, Run::template visit<GameLoop<4>>, Run::template visit<GameLoop<5>>,
        Run::template visit<GameLoop<6>>,
    };
    if (n <= 6) levels[n]();
}

template <class Run>
void screenflow() {
    Run::template visit<IntroLoop>();
    for (;;) {
        Run::template visit<TitleLoop>();
        if (quit) return;
        for (;;) {
            Run::template visit<SelectLoop>();
            if (quit) {
                quit = false;
                break;
            }
            playlevel<Run>(SelectLoop::selected);
            if (quit) return;
        }
    }
}
