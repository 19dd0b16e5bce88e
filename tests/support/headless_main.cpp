// Test entry for everything that draws: Allegro without a display, 32-bit
// colour and the two pictures as memory bitmaps.
#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/globals.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    buffer = create_bitmap(160, 120);
    bigbuffer = create_bitmap(640, 480);
    if (!buffer || !bigbuffer) return 2;
    return RUN_ALL_TESTS();
}
