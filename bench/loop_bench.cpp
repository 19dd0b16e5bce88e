// Start-up time and passes per second of the real frame loop on a real
// display: the title screen drawn and presented to a 640x480 window, music
// polled, ticks run. Needs an X display and the data folder as working
// directory; bench/run.sh gives it an Xvfb and a silent sound device.
//
// The start-up follows init() step by step, so that the time up to the end
// of the sound loading can be read off between its steps.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "screens/title.h"
#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/loop.h"

namespace {

using Clock = std::chrono::steady_clock;

double msbetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

int loaded() {
    int n = 0;
    for (SAMPLE* s : sample) n += s != nullptr;
    for (DUH* d : music) n += d != nullptr;
    return n;
}

}  // namespace

// Argument: how many seconds to run the loop for (3 when not given).
int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;

    const Clock::time_point start = Clock::now();
    initsystem();
    const Clock::time_point soundup = Clock::now();
    initdisplay();
    const Clock::time_point displayup = Clock::now();

    std::printf("start-up: %d of 11 sound files loaded, sound driver: %s\n", loaded(),
                digi_driver ? digi_driver->name : "none");
    std::printf("start-up: start of init to end of sound loading %.1f ms; to the display and "
                "pictures ready %.1f ms (%s)\n",
                msbetween(start, soundup), msbetween(start, displayup),
                is_windowed_mode() ? "window" : "full screen");

    TitleLoop::start();
    const int tickbefore = speed_count.load();
    long passes = 0;
    const Clock::time_point loopstart = Clock::now();
    Clock::time_point now = loopstart;
    while (msbetween(loopstart, now) < seconds * 1000) {
        pass<TitleLoop>();
        ++passes;
        now = Clock::now();
    }
    const double elapsed = msbetween(loopstart, now) / 1000;
    if (passes == 0) return 0;
    std::printf("frame loop: %ld passes of the title screen in %.2f s: %.0f passes per second "
                "(%.2f ms a pass; %d ticks were pending at the start)\n",
                passes, elapsed, passes / elapsed, elapsed * 1000 / passes, tickbefore);
    stopmusic();
    return 0;
}
END_OF_MAIN()
