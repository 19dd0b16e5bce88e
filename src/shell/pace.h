// The frame limiter. Presenting faster than any display refreshes only
// heats the machine, and the shake after a new sentence lasts a number of
// presented frames, so the frame rate decides whether the player sees it.
#pragma once
#include <chrono>

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // At most `fps` frames a second; 0 presents as fast as frames are drawn.
    void setfps(int fps);

    // When the next frame is due, given that one was just presented at
    // `now`. The schedule is kept on whole periods so it does not drift; a
    // late frame restarts it a period after `now` instead of bursting to catch up.
    Clock::time_point next(Clock::time_point now);

    // After presenting: sleeps until the next frame is due.
    void wait();

private:
    Clock::duration period{0};
    Clock::time_point due{};
};

// The game's limiter; unlimited until the entry function sets a rate.
extern FramePacer framepacer;
