// The play screen's logic: level start, the tick, nudges and undo.
#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "model/controls.h"
#include "model/quiet.h"
#include "model/relax.h"
#include "model/scrambling.h"
#include "play/game_loop.h"
#include "play/narrative.h"
#include "play/play_state.h"
#include "play/stories.h"
#include "screens/select.h"
#include "shell/audio.h"
#include "shell/globals.h"
#include "shell/input.h"

GameSlice curslice = {};
std::deque<GameSlice> undos;
MoveInfo cursignal = nosignal;
unsigned curselected = 0;
bool pressed[2] = {false, false};

namespace {

template <int N>
void nudge(bool raised) {
    const int before = curslice.state;
    MoveInfo info = move<N>(curslice.dat);
    // Once blown up, later nudges never calm the level; only undo does.
    if (before != 1) curslice.state = info.kind == 2 ? 1 : 0;
    undos.push_back(curslice);
    if (info.kind == 1 || info.kind == 2) {
        info.control = static_cast<int>(curselected);
        info.raised = raised;
    }
    cursignal = info;
}

bool same(const GameSlice& a, const GameSlice& b) {
    return std::memcmp(&a.dat, &b.dat, sizeof a.dat) == 0 && a.state == b.state;
}

// A nudge pushes the slice it produced, and nudges at a bound push the same
// slice again: entries equal to the one on show are skipped, so every undo
// tick shows a change until the start state is reached.
void undo() {
    while (!undos.empty() && same(undos.back(), curslice)) undos.pop_back();
    if (undos.empty()) {
        curslice = GameSlice{};
        return;
    }
    curslice = undos.back();
    undos.pop_back();
}

}  // namespace

template <int N>
void GameLoop<N>::start() {
    screenshake = 0;
    drawscrambling(R);
    for (unsigned s = 0; s < R && !quietlog; ++s) {
        std::printf("P %u,%d\n", s, amountperm[s]);
        std::fflush(stdout);
    }
    playmusic(N + 1);
    while (!undos.empty()) undos.pop_back();
    for (unsigned char& seen : stringseen) seen = 0;
    curstring = jumpstrings[SelectLoop::selected][0];
    cursignal = nosignal;
    curslice = GameSlice{};
    undos.push_back(curslice);
    leave = false;
    escpressed = true;
    pressed[0] = pressed[1] = true;
    curselected = 0;
}

template <int N>
bool GameLoop<N>::done() {
    return quit || leave;
}

template <int N>
void GameLoop<N>::tick() {
    const bool up = isdown(actup), down = isdown(actdown);
    if (up && !pressed[0]) {
        curselected = (curselected + R - 1) % R;
        if (R > 1) playsample(1);
    } else if (down && !pressed[1]) {
        curselected = (curselected + 1) % R;
        if (R > 1) playsample(1);
    }

    double& control = curslice.dat.control[curselected];
    const bool left = isdown(actleft), right = isdown(actright);
    if (left && !right) {
        dec(control);
        nudge<N>(false);
    } else if (right && !left) {
        inc(control);
        nudge<N>(true);
    } else if (isdown(actundo)) {
        undo();
    }

    const bool esc = isdown(actback);
    if (esc && !escpressed) leave = true;
    escpressed = esc;
    pressed[0] = up;
    pressed[1] = down;

    // Every tick, event or not: a sentence already shown is simply not shown again.
    processsignal(cursignal);
}

template struct GameLoop<0>;
template struct GameLoop<1>;
template struct GameLoop<2>;
template struct GameLoop<3>;
template struct GameLoop<4>;
template struct GameLoop<5>;
template struct GameLoop<6>;
