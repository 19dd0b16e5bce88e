// The play screen's logic: level start, the tick, nudges and undo.
#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "model/controls.h"
#include "model/quiet.h"
#include "model/scrambling.h"
#include "play/game_loop.h"
#include "play/narrative.h"
#include "play/play_state.h"
#include "play/stories.h"
#include "screens/select.h"
#include "shell/audio.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/soundfiles.h"

GameSlice curslice = {};
std::deque<GameSlice> undos;
MoveInfo cursignal = nosignal;
unsigned curselected = 0;
bool pressed[2] = {false, false};

namespace {

void nudge(MoveInfo (*relax)(Dat&), bool raised) {
    const int before = curslice.state;
    MoveInfo info = relax(curslice.dat);
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

void startlevel(int level) {
    const int R = levels[level].controls;
    screenshake = 0;
    drawscrambling(R);
    for (int s = 0; s < R && !quietlog; ++s) {
        std::printf("P %d,%d\n", s, amountperm[s]);
        std::fflush(stdout);
    }
    playmusic(leveltune(level));
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

bool leveldone() {
    return quit || leave;
}

void ticklevel(int level, MoveInfo (*relax)(Dat&)) {
    const unsigned R = static_cast<unsigned>(levels[level].controls);
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
        nudge(relax, false);
    } else if (right && !left) {
        inc(control);
        nudge(relax, true);
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
