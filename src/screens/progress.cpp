// The levels opened so far in this run.
#include "screens/progress.h"

#include "model/levels.h"

unsigned levelmax = 0;

void unlockafter(unsigned level) {
    if (level == levelmax && level + 1 < static_cast<unsigned>(levelcount)) levelmax = level + 1;
}
