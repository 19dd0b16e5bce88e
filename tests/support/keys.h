// Scripted input for the headless screen tests: a clean input state, keys
// held and released, N logic ticks of a screen, and a stand-in display for
// the tests that run whole passes of the frame.
#pragma once
#include <allegro.h>

#include <functional>
#include <initializer_list>

#include "shell/audio.h"
#include "shell/globals.h"

namespace testkeys {

// No key down, no mouse button, nothing waiting in the keyboard buffer.
inline void releaseall() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mouse_b = 0;
    clear_keybuf();
}

inline void hold(std::initializer_list<int> keys) {
    for (int k : keys) key[k] = 1;
}

inline void release(std::initializer_list<int> keys) {
    for (int k : keys) key[k] = 0;
}

// Runs n logic ticks of screen T with the keys as they are now.
template <class T>
void ticks(int n) {
    for (int i = 0; i < n; ++i) T::tick();
}

// Screen T with a script run before each of its ticks, so one pass of the
// frame can see the keys change from one pending tick to the next.
template <class T>
struct Scripted : T {
    static inline int ran = 0;                          // ticks run since reset()
    static inline std::function<void(int)> before;      // given the tick's number, from 0

    static void reset(std::function<void(int)> script) {
        ran = 0;
        before = std::move(script);
    }
    static void tick() {
        if (before) before(ran);
        ++ran;
        T::tick();
    }
};

// Effects asked for since the last reset, per entry of the sample table.
struct Effects {
    int base[2];
    Effects() { reset(); }
    void reset() {
        base[0] = effectsasked[0];
        base[1] = effectsasked[1];
    }
    int confirm() const { return effectsasked[0] - base[0]; }
    int select() const { return effectsasked[1] - base[1]; }
};

// Points the library's screen at a 640x480 memory bitmap for as long as it
// lives, so pass<T>() and presentFrame() can run without a display.
class FakeDisplay {
public:
    FakeDisplay() : saved(screen), display(create_bitmap(640, 480)) { screen = display; }
    ~FakeDisplay() {
        screen = saved;
        destroy_bitmap(display);
    }
    FakeDisplay(const FakeDisplay&) = delete;
    FakeDisplay& operator=(const FakeDisplay&) = delete;

private:
    BITMAP* saved;
    BITMAP* display;
};

}  // namespace testkeys
