// The order of the screens: the intro once, then title, level list and the
// chosen level's play screen, round again, until the title screen ends the
// program. The game runs it through its frame loop; the replay tests run
// the same order headless, through Run::visit<T>(), which runs one visit
// of screen T.
#pragma once

#include <array>
#include <utility>

#include "model/levels.h"
#include "play/game_loop.h"
#include "screens/intro.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/globals.h"

// One play screen per level.
template <class Run, int... N>
constexpr std::array<void (*)(), sizeof...(N)> levelscreens(std::integer_sequence<int, N...>) {
    return {Run::template visit<GameLoop<N>>...};
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
            static constexpr auto playlevel =
                levelscreens<Run>(std::make_integer_sequence<int, levelcount>{});
            if (SelectLoop::selected < playlevel.size()) playlevel[SelectLoop::selected]();
            if (quit) return;
        }
    }
}
