// Start-up time and passes per second of the real frame loop on a real
// display: the title screen drawn and presented to a 640x480 window, music
// polled, ticks run. Needs an X display and the data folder as working
// directory; bench/run.sh gives it an Xvfb and a silent sound device.
//
// With --fps N it times the frame limiter instead: frames presented a
// second and the process's CPU time (all its threads, from /proc), on the
// title screen and then on the first level's play screen.
//
// The start-up follows init() step by step, so that the time up to the end
// of the sound loading can be read off between its steps.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "play/game_loop.h"
#include "screens/title.h"
#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/loop.h"
#include "shell/pace.h"

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

// CPU seconds of this process so far, user and system, all threads.
double cpuseconds() {
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f) return 0;
    char text[1024] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    text[n] = 0;
    // Fields 14 and 15, counted after the command name's closing bracket.
    const char* p = std::strrchr(text, ')');
    unsigned long utime = 0, stime = 0;
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return 0;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

template <class T>
void paced(const char* name, double seconds) {
    T::start();
    pass<T>();  // the first pass runs the ticks that came due while starting
    const double cpu0 = cpuseconds();
    const Clock::time_point t0 = Clock::now();
    long frames = 0;
    while (msbetween(t0, Clock::now()) < seconds * 1000) {
        pass<T>();
        ++frames;
    }
    const double elapsed = msbetween(t0, Clock::now()) / 1000;
    const double cpu = cpuseconds() - cpu0;
    std::printf("%-13s %5ld frames in %.2f s: %7.1f frames a second, CPU %5.1f%% of one core\n", name, frames,
                elapsed, frames / elapsed, 100 * cpu / elapsed);
}

}  // namespace

// Arguments: how many seconds to run the loop for (3 when not given), or
// --fps N and the seconds for each screen (10 when not given).
int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--fps") == 0) {
        const int fps = std::atoi(argv[2]);
        const double seconds = argc > 3 ? std::atof(argv[3]) : 10.0;
        init();
        framepacer.setfps(fps);
        std::printf("frame limiter at %d frames a second%s; %dx%d %s, picture x%d:\n", fps, fps ? "" : " (off)",
                    SCREEN_W, SCREEN_H, is_windowed_mode() ? "window" : "full screen", bigbuffer->w / 160);
        paced<TitleLoop>("title screen", seconds);
        paced<GameLoop<0>>("play screen", seconds);
        stopmusic();
        return 0;
    }
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
