// Full screen never changes the monitor's mode: it opens at the desktop's
// own size and shows the picture at the largest whole factor that fits,
// centred on black. Whole factors keep every small pixel a sharp block.
#include "shell/display.h"

#include <allegro.h>
#include <xalleg.h>
#include <X11/Xatom.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/iconpicture.h"
#include "shell/input.h"
#include "shell/present.h"
#include "shell/xkeys.h"

namespace {

constexpr int smallw = 160, smallh = 120;

bool windowed = false;
bool fullrefused = false;  // for the run: asking again only remakes the window
int askedscale = 0;
std::atomic<bool> closing{false};

// Runs on the library's X event thread.
void closebutton() {
    closing.store(true);
}

void desktopsize(int& w, int& h) {
    if (get_desktop_resolution(&w, &h) != 0 || w <= 0 || h <= 0) w = 640, h = 480;
}

int chosen(int fits, int wanted) {
    return wanted > 0 && wanted < fits ? wanted : fits;
}

// The windows' name, class and icon, for docks and task bars. The library
// made its managed window at start-up, before it knew our class, so it is
// set here on every window. The icon is _NET_WM_ICON: the 64x64 picture as
// 32-bit ARGB, one long a pixel.
void dresswindows() {
    if (!_xwin.display) return;
    BITMAP* b = create_bitmap_ex(32, 64, 64);
    if (!b) return;
    uint32_t seed = iconseed;
    drawiconpicture(b, seed);
    std::vector<unsigned long> data = {64, 64};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int c = getpixel(b, x, y);
            data.push_back(0xff000000ul | unsigned(getr32(c)) << 16 | unsigned(getg32(c)) << 8 | unsigned(getb32(c)));
        }
    destroy_bitmap(b);
    char name[] = "quellmarrow";
    XClassHint hint = {name, name};
    XLOCK();
    const Atom icon = XInternAtom(_xwin.display, "_NET_WM_ICON", False);
    for (Window w : {_xwin.window, _xwin.wm_window, _xwin.fs_window}) {
        if (!w) continue;
        XStoreName(_xwin.display, w, name);
        XSetClassHint(_xwin.display, w, &hint);
        XChangeProperty(_xwin.display, w, icon, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(data.data()), int(data.size()));
    }
    XFlush(_xwin.display);
    XUNLOCK();
}

// Sets the mode; true if it took. bigbuffer follows the factor.
bool setmode(bool window, int scale) {
    int dw, dh;
    desktopsize(dw, dh);
    int s;
    if (window) {
        s = chosen(windowfactor(dw, dh), scale);
        if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, smallw * s, smallh * s, 0, 0) != 0) return false;
    } else {
        if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, dw, dh, 0, 0) != 0) return false;
        s = chosen(fitfactor(SCREEN_W, SCREEN_H), scale);
    }
    windowed = window;
    if (!bigbuffer || bigbuffer->w != smallw * s) {
        destroybigpicture(bigbuffer);
        bigbuffer = createbigpicture(s);
        if (!bigbuffer) failstartup("cannot create a bitmap");
    }
    clear_to_color(screen, makecol(0, 0, 0));
    // X11 has no pointer to hide before the window exists; hiding it here
    // keeps the desktop's arrow off the picture.
    show_os_cursor(MOUSE_CURSOR_NONE);
    set_close_button_callback(closebutton);
    dresswindows();
    return true;
}

}  // namespace

int fitfactor(int w, int h) {
    const int s = std::min(w / smallw, h / smallh);
    return s > 1 ? s : 1;
}

int windowfactor(int dw, int dh) {
    const int roomy = fitfactor(dw * 85 / 100, dh * 85 / 100);
    const int whole = fitfactor(dw, dh);
    return std::max(roomy, std::min(whole, 4));
}

void opendisplay(bool window, int scale) {
    askedscale = scale;
    // A picture cut off at the screen's edges is no game.
    int dw, dh;
    desktopsize(dw, dh);
    if (dw < smallw || dh < smallh) {
        std::fprintf(stderr, "quellmarrow: the screen (%dx%d) is smaller than the %dx%d picture\n", dw, dh, smallw,
                     smallh);
        std::exit(1);
    }
    // The window's name and class, which docks match to the desktop entry.
    xwin_set_window_name("quellmarrow", "quellmarrow");
    set_window_title("quellmarrow");
    // A desktop that refuses full screen still gets the game, in a window.
    if (!window && setmode(false, scale)) return;
    fullrefused = !window;
    if (setmode(true, scale)) return;
    failstartup("cannot open a window");
}

bool displaywindowed() {
    return windowed;
}

void watchdisplaykeys() {
    settlekeys();
    if (!takedisplayswitch()) return;
    if (windowed && fullrefused) return;  // the window stays as it is
    displayswitching(true);
    // Full screen refused: stay in the window (or go back to one).
    if (!setmode(!windowed, askedscale)) {
        fullrefused = fullrefused || windowed;
        if (!setmode(windowed, askedscale)) failstartup("cannot open a window");
    }
    drainkeyevents();
    displayswitching(false);
}

bool closerequested() {
    return closing.load();
}

void endbyclose() {
    std::exit(0);
}
