// quellmarrow: seven levels, seven elementary catastrophes.
//
// The entry function runs the screens in their fixed order: the intro once,
// then title, level list and the chosen level's play screen, round again,
// until the title screen ends the program.
#include <allegro.h>

#include "play/game_loop.h"
#include "screens/intro.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/loop.h"

namespace {

void (*const playlevel[7])() = {
    loop<GameLoop<0>>, loop<GameLoop<1>>, loop<GameLoop<2>>, loop<GameLoop<3>>,
    loop<GameLoop<4>>, loop<GameLoop<5>>, loop<GameLoop<6>>,
};

}  // namespace

int main(int, char**) {
    init();
    loop<IntroLoop>();
    for (;;) {
        loop<TitleLoop>();
        if (quit) return 0;
        for (;;) {
            loop<SelectLoop>();
            if (quit) {
                quit = false;
                break;
            }
            if (SelectLoop::selected <= 6) playlevel[SelectLoop::selected]();
            if (quit) return 0;
        }
    }
}
END_OF_MAIN()
