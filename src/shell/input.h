// The one place keys and the gamepad are read. Every screen asks here
// whether an action's key is down; none reads key[] or the pad itself, so
// none knows where a press came from.
//
// A recorded run (shell/record.h) is read and written here too: replayed,
// every tick's input comes from the recording and none from the keys.
//
// Per tick an action is down when any of its keys or pad controls was held
// at the tick's time, or was pressed since the previous tick: a tap too
// short to be seen by a tick still counts, once. Edge rules (a key held into
// a screen waits for its release) stay with the screens' held flags.
#pragma once

struct JOYSTICK_INFO;

enum Action {
    actup,       // Up; pad d-pad or left stick
    actdown,     // Down
    actleft,     // Left
    actright,    // Right
    actchoose,   // Space, Enter (main and keypad); pad bottom face button
    actback,     // Esc; pad right face button
    actundo,     // Backspace, Delete; pad left (and top) face button
    actmute,     // M
    actquieter,  // - (main and keypad)
    actlouder,   // = (main) and + (keypad)
    actdisplay,  // F11, Alt+Enter: full screen or window, between frames (takedisplayswitch); no tick sees it
    actions
};

// Start-up, after install_keyboard: the press latch and the first pad.
void installinput();

// Once per pass, before its ticks: looks at the pad between ticks, so a
// press shorter than a tick is latched there too.
void pollinput();

// Once before every logic tick, with the time (inputclock) the tick came due.
void inputtick(long long at);

// The ticks of a pass that caught up after a stall see no held key (it
// may have been let go long since); taps still count once.
void catchingup(bool on);

// Microseconds on a steady clock: the time of key events and ticks.
long long inputclock();

constexpr long long tickus = 1000000 / 30;  // one logic tick

// The clock's callback notes each tick it makes due (timer thread).
void notetick();

// When the latest tick came due; ticks before it came one tickus apart.
// Without a running clock (tests), now.
long long lasttickdue();

// Whether the action's key is down in this tick (held, or tapped since the last).
bool isdown(Action a);

// The intro's "any key": a key in the keyboard buffer or a fresh pad press.
// The keys that act on every screen (F11, Alt+Enter, M, -, +) never reach
// the buffer.
bool anykeypressed();

// The intro's left mouse button, read now.
bool mousebutton();

// Takes one F11 or Alt+Enter press not yet acted on, if there is one: a
// tap between two frames switches the display too.
bool takedisplayswitch();

// Around a display switch: presses made while it is under way are dropped.
void displayswitching(bool on);

// What the keyboard's low-level callback does with a key event at time
// `at` (a release has bit 7 set). `real` is false for a release the
// library makes up when the window goes (a display switch, a lost focus):
// F11, Enter and Alt may still be held then, and the desktop's key repeat
// must not pass for a fresh press.
void latchkey(int scancode, long long at, bool real = true);

// Whether a made-up release left F11, Enter or Alt in doubt; `held` then
// tells which of them are really up now (the display's own key map).
bool keysindoubt();
void settledoubts(bool (*held)(int scancode));

// Where the pad is read from: true and the first pad's state, or false when
// there is none (never installed, or gone). Tests put a simulated pad here.
extern bool (*readpad)(JOYSTICK_INFO& pad);

// The actions a pad state holds down, as a bit per Action. `rest` is the
// pad as first read: an axis that rested off centre there (a trigger) is
// not a direction.
unsigned padactions(const JOYSTICK_INFO& pad, const JOYSTICK_INFO& rest);

// Forgets every key's history and the pad's rest position (tests).
void forgetinput();

// Stick deflection (of 128) below which a stick counts as resting.
constexpr int deadzone = 64;
