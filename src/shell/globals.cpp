// Definitions of the shell's shared state (see globals.h).
#include "shell/globals.h"

BITMAP* buffer = nullptr;
BITMAP* bigbuffer = nullptr;
std::atomic<int> speed_count{0};
int screenshake = 0;
bool quit = false;
bool leave = false;
bool escpressed = false;
