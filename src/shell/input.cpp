// Keys and the gamepad merged into actions.
//
// Allegro's low-level callback notes when each key went down and up. A tick
// has a time of its own (when the clock made it due, not when the frame got
// round to it), and a key acts in it if it was down at that time or went
// down since the previous tick. So a tap between two ticks counts once, and
// two late ticks run in one pass do not both see a short tap. A key the
// callback has never reported is read from key[] as it stands, which is how
// the headless tests drive the screens.
#include "shell/input.h"

#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>

#include "shell/record.h"
#include "shell/xkeys.h"

namespace {

struct Binding {
    int scancode;
    Action action;
    bool alt = false;  // only with Alt (or AltGr) down
};

// Every key the game reads, one row per key and meaning.
const Binding keys[] = {
    {KEY_UP, actup},          {KEY_DOWN, actdown},         {KEY_LEFT, actleft},
    {KEY_RIGHT, actright},    {KEY_SPACE, actchoose},      {KEY_ENTER, actchoose},
    {KEY_ENTER_PAD, actchoose}, {KEY_ESC, actback},        {KEY_BACKSPACE, actundo},
    {KEY_DEL, actundo},       {KEY_M, actmute},            {KEY_MINUS, actquieter},
    {KEY_MINUS_PAD, actquieter}, {KEY_EQUALS, actlouder},  {KEY_PLUS_PAD, actlouder},
    {KEY_F11, actdisplay},    {KEY_ENTER, actdisplay, true}, {KEY_ENTER_PAD, actdisplay, true},
};

// Pad buttons 0 to 3 as the Linux joystick interface numbers a common pad:
// bottom, right, then the left and top ones, whose order differs by maker,
// so both undo.
const Action buttons[] = {actchoose, actback, actundo, actundo};

constexpr unsigned bit(Action a) {
    return 1u << a;
}

// Actions of every screen: they stay out of the keyboard buffer, so they
// do not also end the intro as its "any key".
bool global(Action a) {
    return a == actdisplay || a == actmute || a == actquieter || a == actlouder;
}

// Keys whose state must outlive a display switch: remaking the window makes
// the library report every held key released, and the desktop's key repeat
// would then pass for a fresh press. Their state follows real events only;
// a made-up release leaves them in doubt until the display's key map says.
struct Guard {
    int scancode;
    std::atomic<bool> down{false}, doubt{false};
    std::atomic<bool> claimed{false};  // Enter went down with Alt: it switched, it chooses nothing
};
Guard guards[] = {{KEY_F11}, {KEY_ENTER}, {KEY_ENTER_PAD}, {KEY_ALT}, {KEY_ALTGR}};

Guard* guardof(int scancode) {
    for (Guard& g : guards)
        if (g.scancode == scancode) return &g;
    return nullptr;
}

bool altheld() {
    return key[KEY_ALT] || key[KEY_ALTGR] || guardof(KEY_ALT)->down || guardof(KEY_ALTGR)->down;
}

// An Enter that took part in Alt+Enter, until it is really let go.
bool claimed(int scancode) {
    const Guard* g = guardof(scancode);
    return g && g->claimed;
}

// Whether the key means something else with Alt down.
bool withalt(int scancode) {
    for (const Binding& b : keys)
        if (b.scancode == scancode && b.alt) return true;
    return false;
}

void letgo(Guard& g) {
    g.down = g.doubt = g.claimed = false;
}

constexpr int bindings = sizeof keys / sizeof keys[0];

// When each key last went down and up, in microseconds, and whether the
// callback ever reported it. Written by the keyboard thread, read by the
// game thread.
std::atomic<long long> downat[bindings];
std::atomic<long long> upat[bindings];
std::atomic<bool> reported[bindings];
bool timeddown[bindings];  // the key's part in this tick, for keys with a history
bool heldat[bindings];     // the key was down at the previous tick's time
long long lasttick = 0;    // time of the previous tick
bool catchup = false;      // the pass is catching up after a stall

// The clock's ticks, counted on the timer thread, and the time tick 0 would
// have come due: the lowest (time - serial periods) seen, allowed to creep
// up by a microsecond a tick so it follows a clock a shade slower than ours.
// Tick n then came due at tickepoch + n periods: never later than it really
// did, and every tick exactly a period after the one before, however late
// the game thread gets round to it.
std::atomic<long long> tickserial{0};
std::atomic<long long> tickepoch{0};

long long periods(long long n) {
    return n * 1000000 / 30;
}

unsigned padlatched = 0;           // pad presses since the last tick (game thread only)
unsigned padtapbits = 0;           // pad presses of this tick
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
// node is the sign it is gone: looked at four times a second. A pad plugged
// in later is picked up within two seconds.
bool readallegro(JOYSTICK_INFO& pad) {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (now >= nextlook) {
        nextlook = now + (padinstalled ? milliseconds(250) : milliseconds(2000));
        const bool node = padnode();
        if (padinstalled && !node) {
            remove_joystick();
            padinstalled = false;
        } else if (!padinstalled && node) {
            padinstalled = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
            if (!padinstalled) remove_joystick();
        }
    }
    if (!padinstalled || poll_joystick() != 0) return false;
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
    latchkey(scancode, inputclock(), realkeyevent(scancode & 0x7f));
}
END_OF_FUNCTION(keyboardcallback)

// F11 and Alt+Enter presses not yet acted on; none are taken while a
// switch is under way.
std::atomic<int> switchpresses{0};
std::atomic<bool> switching{false};

// A press of a display row's key: one switch, however long it is held.
void notedisplaykey(const Binding& b, Guard& g) {
    if (b.alt && !altheld()) return;
    if (b.alt) g.claimed = true;
    if (!switching) ++switchpresses;
}

bool globalkey(int scancode) {
    for (const Binding& b : keys)
        if (b.scancode == scancode && global(b.action) && (!b.alt || altheld())) return true;
    return false;
}

int bufferedkey(int k) {
    return globalkey(k >> 8) ? 0 : k;
}
END_OF_FUNCTION(bufferedkey)

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

void forgetinput() {
    haverest = false;
    padseen = ~0u;
    padlatched = padheld = padtapbits = 0;
    for (int i = 0; i < bindings; ++i) {
        downat[i] = upat[i] = 0;
        reported[i] = false;
        heldat[i] = false;
    }
    lasttick = 0;
    switchpresses = 0;
    switching = false;
    catchup = false;
    for (Guard& g : guards) letgo(g);
}

long long inputclock() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void latchkey(int scancode, long long at, bool real) {
    const bool up = scancode & 0x80;
    scancode &= 0x7f;
    Guard* g = guardof(scancode);
    bool fresh = !up;
    if (g && up) {
        if (real)
            letgo(*g);
        else
            g->doubt = true;
    } else if (g) {
        fresh = !g->down;  // else the key repeat, also after a made-up release
        g->down = true;
    }
    // The display's rows first: an Enter they claim was never down for choosing.
    for (const Binding& b : keys)
        if (b.scancode == scancode && b.action == actdisplay && fresh && g) notedisplaykey(b, *g);
    for (int i = 0; i < bindings; ++i) {
        if (keys[i].scancode != scancode || keys[i].action == actdisplay) continue;
        // The desktop's key repeat sends more presses of a held key: it
        // went down at the first. An Enter that took part in Alt+Enter
        // stays unseen until it is really let go.
        if (up) {
            if (downat[i] > upat[i]) upat[i] = at;  // else it was never down for this row
        } else if (!(downat[i] > upat[i]) && !claimed(scancode))
            downat[i] = at;
        reported[i] = true;
    }
}

bool keysindoubt() {
    for (const Guard& g : guards)
        if (g.doubt) return true;
    return false;
}

void settledoubts(bool (*held)(int scancode)) {
    for (Guard& g : guards)
        if (g.doubt && !held(g.scancode)) letgo(g);
}

void notetick() {
    const long long n = tickserial.load() + 1;
    const long long seen = inputclock() - periods(n);
    long long epoch = tickepoch.load();
    tickepoch = n == 1 ? seen : std::min(seen, epoch + 1);
    tickserial = n;  // after the epoch, so a reader never pairs a new serial with an old epoch
}

long long lasttickdue() {
    const long long n = tickserial.load();
    return n == 0 ? inputclock() : tickepoch.load() + periods(n);
}

void installinput() {
    LOCK_FUNCTION(keyboardcallback);
    LOCK_FUNCTION(bufferedkey);
    keyboard_lowlevel_callback = keyboardcallback;
    keyboard_callback = bufferedkey;
    watchxkeys();
}

void displayswitching(bool on) {
    if (!on) switchpresses = 0;
    switching = on;
}

bool takedisplayswitch() {
    int n = switchpresses.load();
    while (n > 0 && !switchpresses.compare_exchange_weak(n, n - 1)) {
    }
    return n > 0;
}

void pollinput() {
    notepass();
    lookatpad();
}

void catchingup(bool on) {
    catchup = on;
}

void inputtick(long long at) {
    if (replaying()) {
        replaytick();
        return;
    }
    at = std::max(at, lasttick + 1);  // tick times only go forward
    for (int i = 0; i < bindings; ++i) {
        if (keys[i].action == actdisplay) continue;
        const long long down = downat[i], up = upat[i];
        // A key still down by its history but up in key[] lost its release
        // (the library lets go of every key when the window loses focus).
        const bool held = down <= at && (up < down ? key[keys[i].scancode] != 0 : up > at);
        // Let go and pressed again between two ticks: this tick sees it up
        // and the next down, so a screen that waits for a release sees a
        // second press.
        const bool letgo = heldat[i] && up > lasttick && up <= at;
        timeddown[i] = !letgo && (held || (down > lasttick && down <= at)) && !(catchup && held);
        heldat[i] = held;
    }
    lasttick = at;
    padheld = lookatpad();
    if (catchup) padheld = 0;
    padtapbits = padlatched;
    padlatched = 0;
    unsigned acts = 0;
    for (int a = 0; a < tickactions; ++a)
        if (isdown(static_cast<Action>(a))) acts |= bit(static_cast<Action>(a));
    recordtick(acts);
}

bool isdown(Action a) {
    if (replaying()) return a < tickactions && (replayedbits() & bit(a)) != 0;
    for (int i = 0; i < bindings; ++i) {
        if (keys[i].action != a || a == actdisplay || claimed(keys[i].scancode)) continue;
        if (altheld() && withalt(keys[i].scancode)) continue;  // Enter with Alt down is the display's
        if (reported[i] ? timeddown[i] : key[keys[i].scancode] != 0 && !catchup) return true;
    }
    return ((padheld | padtapbits) & bit(a)) != 0;
}

bool anykeypressed() {
    if (replaying()) return (replayedbits() & tickanykey) != 0;
    const bool any = keypressed() || padtapbits != 0;
    if (any) recordread(tickanykey);
    return any;
}

bool mousebutton() {
    if (replaying()) return (replayedbits() & tickmouse) != 0;
    poll_mouse();
    const bool left = (mouse_b & 1) != 0;
    if (left) recordread(tickmouse);
    return left;
}
