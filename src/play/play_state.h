// The live state of the level being played and its undo history.
#pragma once
#include <deque>

#include "model/dat.h"

// One state of a level; the element of the undo history.
struct GameSlice {
    Dat dat;    // controls and state coordinates
    int state;  // 0 calm, 1 blown up after a run-away
};

extern GameSlice curslice;           // the live state; drawn every frame
extern std::deque<GameSlice> undos;  // history, used as a stack at the back; reset at level start
extern MoveInfo cursignal;           // event of the latest nudge, kept until the next one
extern unsigned curselected;         // selected control row, 0..R-1
extern bool pressed[2];              // Up, Down were down at the end of the previous tick
