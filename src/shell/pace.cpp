#include "shell/pace.h"

#include <thread>

FramePacer framepacer;

void FramePacer::setfps(int fps) {
    period = fps > 0 ? std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / fps
                     : Clock::duration::zero();
    due = {};
}

FramePacer::Clock::time_point FramePacer::next(Clock::time_point now) {
    if (period == Clock::duration::zero()) return now;
    due += period;
    if (due <= now) due = now + period;
    return due;
}

void FramePacer::wait() {
    if (period == Clock::duration::zero()) return;
    std::this_thread::sleep_until(next(Clock::now()));
}
