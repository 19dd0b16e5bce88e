// Keys and the gamepad merged into actions. The keyboard's key[] is read at
// the moment a screen asks (the headless tests write it directly); presses
// come through Allegro's low-level callback on its own thread and wait in
// `latched` for the next tick, so a press and release between two ticks is
// still seen once.
#include "shell/input.h"

#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>

namespace {

struct Binding {
    int scancode;
    Action action;
};

// Every key the game reads, one row per key.
const Binding keys[] = {
    {KEY_UP, actup},          {KEY_DOWN, actdown},         {KEY_LEFT, actleft},
    {KEY_RIGHT, actright},    {KEY_SPACE, actchoose},      {KEY_ENTER, actchoose},
    {KEY_ENTER_PAD, actchoose}, {KEY_ESC, actback},        {KEY_BACKSPACE, actundo},
    {KEY_DEL, actundo},       {KEY_M, actmute},            {KEY_MINUS, actquieter},
    {KEY_MINUS_PAD, actquieter}, {KEY_EQUALS, actlouder},  {KEY_PLUS_PAD, actlouder},
};

// Pad buttons 0 to 3 as the Linux joystick interface numbers a common pad:
// bottom, right, then the left and top ones, whose order differs by maker,
// so both undo.
const Action buttons[] = {actchoose, actback, actundo, actundo};

constexpr unsigned bit(Action a) {
    return 1u << a;
}

std::atomic<unsigned> latched{0};  // key presses since the last tick; keyboard thread ORs, game thread takes
unsigned padlatched = 0;           // pad presses since the last tick (game thread only)
unsigned tapped = 0;               // presses of this tick, keys and pad
bool padtapped = false;            // a pad press in this tick (the intro's any key)
unsigned padheld = 0;              // what the pad holds at this tick
unsigned padseen = ~0u;            // at the last look; all held at first, so a pad held at start waits for release
JOYSTICK_INFO padrest;             // the pad as first read
bool haverest = false;

// ---------------------------------------------------------------- Allegro's pad

bool padinstalled = false;
std::chrono::steady_clock::time_point nextlook{};

bool padnode() {
    return access("/dev/input/js0", F_OK) == 0 || access("/dev/js0", F_OK) == 0;
}

// The driver keeps a vanished pad's last state for ever, so its device
// node is the sign it is gone. A pad plugged in later is picked up within
// two seconds.
bool readallegro(JOYSTICK_INFO& pad) {
    if (padinstalled && !padnode()) {
        remove_joystick();
        padinstalled = false;
    }
    if (!padinstalled) {
        const auto now = std::chrono::steady_clock::now();
        if (now < nextlook) return false;
        nextlook = now + std::chrono::seconds(2);
        if (!padnode()) return false;
        padinstalled = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
        if (!padinstalled) {
            remove_joystick();
            return false;
        }
    }
    if (poll_joystick() != 0) return false;
    pad = joy[0];
    return true;
}

// What the pad holds now, latching what it newly holds.
unsigned lookatpad() {
    static JOYSTICK_INFO pad;
    unsigned now = 0;
    if (readpad(pad)) {
        if (!haverest) {
            padrest = pad;
            haverest = true;
        }
        now = padactions(pad, padrest);
    } else {
        haverest = false;
    }
    padlatched |= now & ~padseen;
    padseen = now;
    return now;
}

void keyboardcallback(int scancode) {
    latchkey(scancode);
}
END_OF_FUNCTION(keyboardcallback)

}  // namespace

bool (*readpad)(JOYSTICK_INFO& pad) = readallegro;

unsigned padactions(const JOYSTICK_INFO& pad, const JOYSTICK_INFO& rest) {
    unsigned acts = 0;
    const int sticks = std::min(pad.num_sticks, MAX_JOYSTICK_STICKS);
    auto direction = [&](int s) {
        const JOYSTICK_AXIS_INFO* a = pad.stick[s].axis;
        const JOYSTICK_AXIS_INFO* r = rest.stick[s].axis;
        // An axis that rests off centre is a trigger, not a direction.
        if (std::abs(r[0].pos) < deadzone) {
            if (a[0].pos <= -deadzone) acts |= bit(actleft);
            if (a[0].pos >= deadzone) acts |= bit(actright);
        }
        if (std::abs(r[1].pos) < deadzone) {
            if (a[1].pos <= -deadzone) acts |= bit(actup);
            if (a[1].pos >= deadzone) acts |= bit(actdown);
        }
    };
    if (sticks > 0 && pad.stick[0].num_axis >= 2) direction(0);  // the left stick
    // The d-pad: the last two-axis stick, since the hat's axes come last.
    for (int s = sticks - 1; s >= 1; --s) {
        if (pad.stick[s].num_axis >= 2) {
            direction(s);
            break;
        }
    }
    const int count = std::min(pad.num_buttons, 4);
    for (int b = 0; b < count; ++b)
        if (pad.button[b].b) acts |= bit(buttons[b]);
    return acts;
}

void forgetpad() {
    haverest = false;
    padseen = ~0u;
    padlatched = padheld = tapped = 0;
    padtapped = false;
    latched = 0;
}

void latchkey(int scancode) {
    if (scancode & 0x80) return;  // a release
    for (const Binding& k : keys)
        if (k.scancode == scancode) latched.fetch_or(bit(k.action));
}

void installinput() {
    LOCK_FUNCTION(keyboardcallback);
    LOCK_VARIABLE(latched);
    keyboard_lowlevel_callback = keyboardcallback;
}

void pollinput() {
    lookatpad();
}

void inputtick() {
    padheld = lookatpad();
    padtapped = padlatched != 0;
    tapped = latched.exchange(0) | padlatched;
    padlatched = 0;
}

bool isdown(Action a) {
    for (const Binding& k : keys)
        if (k.action == a && key[k.scancode]) return true;
    return ((padheld | tapped) & bit(a)) != 0;
}

bool anykeypressed() {
    return keypressed() || padtapped;
}
