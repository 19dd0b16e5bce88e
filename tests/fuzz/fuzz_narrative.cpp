// Fuzz target for the story: a level, an unlock state and a run of arbitrary
// events (any kind, rows 0 to 3, any flags) and raw slot numbers. Checks the
// index range, that a sentence is taken only from a filled slot and only
// once, and that levelmax only grows, one level at a time, never past the
// last level of the table.
//
// Input: byte 0 level, byte 1 levelmax (each modulo the level count), then records of six
// bytes: a 32-bit kind, a row byte (mod 4) and a flag byte (bit 0 raised,
// bit 1 flag1, bit 2 flag2, bit 7: offer the kind as a raw slot number).
#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/dat.h"
#include "model/levels.h"
#include "play/narrative.h"
#include "play/stories.h"
#include "screens/select.h"
#include "shell/audio.h"
#include "shell/globals.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "narrative: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The index lines of new sentences would drown the fuzzer's own output.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const unsigned count = levelcount, last = count - 1;
    const unsigned level = data[0] % count;
    SelectLoop::selected = level;
    levelmax = data[1] % count;
    std::memset(stringseen, 0, sizeof stringseen);
    curstring = jumpstrings[level][0];
    screenshake = 0;

    for (size_t at = 2; at + 6 <= size; at += 6) {
        int32_t kind;
        std::memcpy(&kind, data + at, 4);
        const uint8_t bits = data[at + 5];
        const MoveInfo info{kind, data[at + 4] % 4, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};

        int index = kind;
        if (!(bits & 0x80)) {
            index = MoveInfoToInt(info);
            require(index >= -1 && index <= 56, "index out of -1..56");
            if (kind == 1) require(index >= 1 && index <= 32, "a jump outside 1..32");
            else if (kind == 2) require(index >= 33 && index <= 56, "a run-away outside 33..56");
            else require(index == -1, "an event from a kind that is none");
        }

        unsigned char seen[57];
        std::memcpy(seen, stringseen, sizeof seen);
        const unsigned maxbefore = levelmax;
        const int asked = effectsasked[0];
        screenshake = 0;

        if (bits & 0x80) trysetstring(index);
        else processsignal(info);

        const bool slot = index >= 0 && index <= 56;
        const bool fresh = slot && !seen[index] && !jumpstrings[level][index].empty();
        for (int k = 0; k < 57; ++k)
            require(stringseen[k] == (seen[k] || (fresh && k == index)), "a flag set other than the shown slot");
        require((effectsasked[0] == asked + 1) == fresh && effectsasked[0] <= asked + 1,
                "the sound does not match a new sentence");
        require((screenshake == 30) == fresh, "the shake does not match a new sentence");
        if (fresh) require(curstring == jumpstrings[level][index], "the wrong sentence shown");
        const unsigned expected = fresh && level == maxbefore && level < last ? level + 1 : maxbefore;
        require(levelmax == expected, "levelmax moved other than by one unlock");
        require(levelmax <= last, "levelmax beyond the last level");
    }
    return 0;
}
