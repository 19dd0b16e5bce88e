// Events to sentences. A slot's sentence is shown the first time its event
// happens in a visit; the first new sentence on the highest unlocked level
// unlocks the next one.
#include "play/narrative.h"

#include <cstdio>

#include "model/quiet.h"
#include "play/stories.h"
#include "screens/progress.h"
#include "screens/select.h"
#include "shell/audio.h"
#include "shell/globals.h"

unsigned char stringseen[57] = {};
std::string curstring;

int MoveInfoToInt(const MoveInfo& info) {
    const int raised = info.raised ? 1 : 0;
    const int flag1 = info.flag1 ? 1 : 0;
    const int flag2 = info.flag2 ? 1 : 0;
    if (info.kind == 1) return 1 + raised + 2 * info.control + 8 * flag2 + 16 * flag1;
    if (info.kind == 2) {
        const int base = flag1 && flag2 ? 49 : flag1 ? 33 : 41;
        return raised + 2 * info.control + base;
    }
    return -1;
}

void processsignal(const MoveInfo& info) {
    trysetstring(MoveInfoToInt(info));
}

void trysetstring(int index) {
    // The index rule gives 1..56 for controls 0..3; anything else is not an event.
    if (index < 0 || index > 56) return;
    if (stringseen[index]) return;
    const unsigned level = SelectLoop::selected;
    if (level >= jumpstrings.size()) return;
    const std::string& s = jumpstrings[level][index];
    if (s.empty()) return;
    screenshake = 30;
    curstring = s;
    playsample(0);
    stringseen[index] = 1;
    unlockafter(level);
    if (quietlog) return;
    // Framed by empty lines so the index stands out among the relaxation lines.
    for (int i = 0; i < 3; ++i) std::fputs("\n", stdout), std::fflush(stdout);
    std::printf("%d\n", index);
    std::fflush(stdout);
    for (int i = 0; i < 2; ++i) std::fputs("\n", stdout), std::fflush(stdout);
}
