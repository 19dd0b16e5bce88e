// Allegro calls its X key hook with the X keycode of every real key event,
// just before it hands that event to the game's low-level callback; the
// releases it makes up when the window loses the focus pass no hook.
#include "shell/xkeys.h"

#include <allegro.h>
#include <xalleg.h>

#include <atomic>
#include <chrono>

#include "shell/input.h"

namespace {

std::atomic<int> lastreal{-1};  // scancode of the X event being handled

void xkeyevent(int, int keycode) {
    lastreal = keycode >= 0 && keycode < 256 ? _xwin.keycode_to_scancode[keycode] : -1;
}

bool heldnow[KEY_MAX];

bool held(int scancode) {
    return scancode > 0 && scancode < KEY_MAX && heldnow[scancode];
}

}  // namespace

void watchxkeys() {
    if (_xwin.display) _xwin_keyboard_callback = xkeyevent;
}

bool realkeyevent(int scancode) {
    if (!_xwin.display) return true;
    return lastreal.exchange(-1) == scancode;
}

void settlekeys() {
    if (!_xwin.display || !keysindoubt()) return;
    char bits[32];
    XLOCK();
    XQueryKeymap(_xwin.display, bits);
    XUNLOCK();
    for (int k = 0; k < KEY_MAX; ++k) heldnow[k] = false;
    for (int code = 0; code < 256; ++code) {
        const int scancode = _xwin.keycode_to_scancode[code];
        if ((bits[code / 8] >> (code % 8) & 1) && scancode > 0 && scancode < KEY_MAX) heldnow[scancode] = true;
    }
    settledoubts(held);
}

void drainkeyevents() {
    if (!_xwin.display) return;
    // A burst of presses may still be arriving: a second at most.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < until) {
        XLOCK();
        XSync(_xwin.display, False);
        const int queued = XEventsQueued(_xwin.display, QueuedAlready);
        XUNLOCK();
        if (queued == 0) return;
        _xwin_handle_input();
    }
}
