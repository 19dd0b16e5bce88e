// The shell's shared state: the two pictures, the logic clock and the flags
// the screens hand over with.
#pragma once
#include <atomic>

struct BITMAP;

extern BITMAP* buffer;             // 160x120 picture every screen draws; made by init
extern BITMAP* bigbuffer;          // 160s x 120s enlargement at the display's factor s, rebuilt by presentFrame
extern std::atomic<int> speed_count;  // ticks due and not yet run; timer thread adds, game thread takes
extern int screenshake;            // frames of shaking left; narrative sets 30, screens clear at start
extern bool quit;                  // title: Esc or "Exit"; level list: Esc
extern bool leave;                 // level list: a level was chosen; play screen: Esc
extern bool escpressed;            // Esc was down at the end of the previous tick
