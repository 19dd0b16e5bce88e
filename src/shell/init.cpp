// Start-up. The order matters: sound comes before the display mode so that
// its error box shows on the desktop, and the clock runs before the display
// mode is set (the intro throws those early ticks away).
#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "shell/audio.h"
#include "shell/clock.h"
#include "shell/display.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/lostdisplay.h"
#include "shell/terminate.h"

void increment_speed_counter() {
    notetick();
    speed_count.fetch_add(1);
}
END_OF_FUNCTION(increment_speed_counter)

void failstartup(const char* what) {
    if (allegro_error[0])
        std::fprintf(stderr, "quellmarrow: %s: %s\n", what, allegro_error);
    else
        std::fprintf(stderr, "quellmarrow: %s\n", what);
    std::exit(1);
}

namespace {

BITMAP* makebitmap(int w, int h) {
    BITMAP* b = create_bitmap(w, h);
    if (!b) failstartup("cannot create a bitmap");
    return b;
}

}  // namespace

void initsystem() {
    // Allegro says nothing when X is unreachable, so name the likely cause.
    // Held back until start-up is over, and never seen by the library's
    // threads, which inherit the mask.
    holdtermination();
    catchlostdisplay();
    if (allegro_init() != 0) failstartup("cannot start Allegro (no X display? check DISPLAY)");
    init_sound();
}

void initdisplay(bool windowed, int scale) {
    set_color_depth(32);
    install_keyboard();
    installinput();
    install_mouse();
    install_timer();
    set_alpha_blender();
    LOCK_FUNCTION(increment_speed_counter);
    install_int_ex(increment_speed_counter, BPS_TO_TIMER(30));
    opendisplay(windowed, scale);
    buffer = makebitmap(160, 120);
    catchtermination();
}

void init(bool windowed, int scale) {
    initsystem();
    initdisplay(windowed, scale);
}
