// The logic clock: the library's timer thread adds ticks while this thread
// reads them. The test command also runs this under ThreadSanitizer, with an
// X server so that the library's own timer thread takes part.
#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "shell/clock.h"
#include "shell/globals.h"

namespace {

TEST(Clock, TheLibraryTimerDrivesTheCounter) {
    // Allegro's timer needs a real system driver, and that needs a display.
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    ASSERT_EQ(install_timer(), 0);
    speed_count = 0;
    ASSERT_EQ(install_int_ex(increment_speed_counter, BPS_TO_TIMER(30)), 0);
    // Wait (bounded) for a few ticks to come due; no rate is asserted here.
    for (int i = 0; i < 500 && speed_count.load() < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    remove_int(increment_speed_counter);
    EXPECT_GE(speed_count.load(), 3);
}

}  // namespace
