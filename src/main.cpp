// quellmarrow: a level for each elementary catastrophe.
//
// The entry function reads the command line, then runs the screens in their
// fixed order: the intro once, then title, level list and the chosen level's
// play screen, round again, until the title screen ends the program.
#include <allegro.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "model/quiet.h"
#include "play/game_loop.h"
#include "screens/intro.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/jitter.h"
#include "shell/loop.h"
#include "shell/options.h"
#include "shell/pace.h"

namespace {

// One play screen per row of the level table.
template <int... N>
constexpr std::array<void (*)(), sizeof...(N)> levelscreens(std::integer_sequence<int, N...>) {
    return {loop<GameLoop<N>>...};
}
constexpr auto playlevel = levelscreens(std::make_integer_sequence<int, levelcount>{});

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int status = readoptions(argc, argv, options, stdout, stderr);
    if (status >= 0) return status;

    // The scrambling draws from rand() at every level start, so the seed
    // decides every control a run deals; --seed replays a run exactly.
    const uint32_t seed = options.seeded ? options.seed : freshseed();
    std::srand(seed);
    jitter.reseed(seed);
    framepacer.setfps(options.fps);
    quietlog = options.quiet;

    init(options.window, options.scale);
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
            if (SelectLoop::selected < playlevel.size()) playlevel[SelectLoop::selected]();
            if (quit) return 0;
        }
    }
}
END_OF_MAIN()
