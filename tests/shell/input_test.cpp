// The input layer with a simulated pad and timed key events.
#include "shell/input.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "screens/title.h"
#include "shell/audio.h"
#include "shell/loop.h"
#include "shell/soundkeys.h"
#include "support/keys.h"
#include "support/pixels.h"

using namespace testkeys;

namespace {

JOYSTICK_INFO pad;
bool present;

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        releaseall();
        forgetinput();
        pad = JOYSTICK_INFO{};
        pad.num_sticks = 4;  // left stick, two more, the d-pad last
        for (auto& s : pad.stick) s.num_axis = 2;
        pad.num_buttons = 4;
        present = true;
        readpad = [](JOYSTICK_INFO& out) { return out = pad, present; };
        tick(0);  // the pad at rest
    }
    void TearDown() override {
        present = false;
        keyboard_callback = nullptr;
        keyboard_lowlevel_callback = nullptr;
        forgetinput();
        releaseall();
    }
    void tick(long long ms) { inputtick(ms * 1000); }
    void tap(int scancode, long long from, long long to) {
        latchkey(scancode, from * 1000);
        latchkey(scancode | 0x80, to * 1000);
    }
    unsigned downs() {
        unsigned d = 0;
        for (int a = 0; a < actions; ++a) d |= isdown(Action(a)) << a;
        return d;
    }
};

TEST_F(Input, PadMapsOntoTheActionsWithADeadZone) {
    const struct { int stick, axis, pos; Action a; } sticks[] = {
        {0, 0, -64, actleft}, {0, 0, 64, actright}, {0, 1, -64, actup}, {0, 1, 128, actdown},
        {3, 0, -127, actleft}, {3, 1, 127, actdown}};
    long long t = 0;
    for (const auto& s : sticks) {
        pad.stick[s.stick].axis[s.axis].pos = s.pos;
        tick(t += 33);
        EXPECT_EQ(downs(), 1u << s.a) << s.stick << s.axis << s.pos;
        pad.stick[s.stick].axis[s.axis].pos = s.pos / 2 + (s.pos > 0 ? -1 : 1);  // 63 at most
        tick(t += 33);
        EXPECT_EQ(downs(), 0u);
    }
    const Action buttons[] = {actchoose, actback, actundo, actundo};
    for (int b = 0; b < 4; ++b) {
        pad.button[b].b = 1;
        tick(t += 33);
        EXPECT_EQ(downs(), 1u << buttons[b]) << b;
        pad.button[b].b = 0;
    }
    // Without a hat the last stick may hold a trigger, resting at one end.
    forgetinput();
    pad.num_sticks = 3;
    pad.stick[2].axis[1].pos = -127;
    tick(t += 33);
    EXPECT_EQ(downs(), 0u);
    pad.stick[2].axis[1].pos = 127;
    pad.stick[2].axis[0].pos = -127;
    tick(t += 33);
    EXPECT_EQ(downs(), 1u << actleft);
}

TEST_F(Input, TapsCountOnceAndHeldKeysEveryTick) {
    const int scancodes[] = {KEY_ENTER, KEY_ENTER_PAD, KEY_MINUS_PAD, KEY_PLUS_PAD, KEY_DEL};
    const Action acts[] = {actchoose, actchoose, actquieter, actlouder, actundo};
    long long t = 100;
    for (int i = 0; i < 5; ++i) {
        tap(scancodes[i], t + 5, t + 25);  // between two ticks
        tick(t += 33);
        EXPECT_EQ(downs(), 1u << acts[i]) << i;
        tick(t += 33);
        EXPECT_EQ(downs(), 0u) << i;
    }
    hold({KEY_ALT, KEY_ENTER});  // Alt+Enter is the display's, also once Alt is up
    latchkey(KEY_ENTER, (t + 5) * 1000);
    latchkey(KEY_ENTER, (t + 9) * 1000);  // the desktop's key repeat
    tick(t += 33);
    EXPECT_FALSE(isdown(actchoose));
    release({KEY_ALT});
    tick(t += 33);
    EXPECT_FALSE(isdown(actchoose));
    release({KEY_ENTER});
    latchkey(KEY_ENTER | 0x80, t * 1000);
    tap(KEY_F11, t + 1, t + 3);  // a tap shorter than a frame
    EXPECT_TRUE(takedisplayswitch());
    EXPECT_TRUE(takedisplayswitch());
    EXPECT_FALSE(takedisplayswitch());
    // Keys that act on every screen are not the intro's "any key".
    installinput();
    clear_keybuf();
    for (int k : {KEY_F11, KEY_M, KEY_MINUS, KEY_EQUALS, KEY_PLUS_PAD}) simulate_keypress(k << 8);
    EXPECT_FALSE(keypressed());
    simulate_keypress((KEY_SPACE << 8) | ' ');
    EXPECT_TRUE(keypressed());
    clear_keybuf();
    // Across a tick's time, both taken in only when two late ticks run: once.
    tap(KEY_LEFT, t + 20, t + 40);
    tick(t + 33);
    EXPECT_TRUE(isdown(actleft));
    tick(t + 66);
    EXPECT_FALSE(isdown(actleft));
    // Held, with a repeated press taken in after the ticks' times (a stopped game).
    hold({KEY_RIGHT});
    latchkey(KEY_RIGHT, (t += 70) * 1000);
    latchkey(KEY_RIGHT, (t + 200) * 1000);
    for (int i = 1; i <= 4; ++i) {
        tick(t + 33 * i);
        EXPECT_TRUE(isdown(actright)) << i;
    }
    // Let go and pressed again between two ticks: one tick sees the release,
    // so a screen waiting for it takes the second press.
    hold({KEY_SPACE});
    latchkey(KEY_SPACE, (t += 300) * 1000);
    tick(t + 10);
    EXPECT_TRUE(isdown(actchoose));
    latchkey(KEY_SPACE | 0x80, (t + 15) * 1000);
    latchkey(KEY_SPACE, (t + 25) * 1000);
    tick(t + 43);
    EXPECT_FALSE(isdown(actchoose));
    tick(t + 76);
    EXPECT_TRUE(isdown(actchoose));
}

// Right held into a stop and let go during it (the release is taken in
// only after): the second of ticks that catches up sees it nowhere, nor
// the pad's held button or a key read from key[]; a pad press made during
// the stop counts once. Still held, a key acts from the next pass on.
TEST_F(Input, AStallsCatchUpTicksSeeNoHeldKey) {
    FakeDisplay display;
    TitleLoop::start();
    latchkey(KEY_RIGHT, inputclock() - 5000000);
    hold({KEY_RIGHT, KEY_UP});
    pad.button[1].b = 1;
    tick(1);  // all three held before the stop
    int held = 0, chosen = 0;
    Scripted<TitleLoop>::reset([&](int) {
        held += isdown(actright) + isdown(actup) + isdown(actback);
        chosen += isdown(actchoose);
        pad.button[0].b = 1;
    });
    speed_count = 150;
    pass<Scripted<TitleLoop>>();
    EXPECT_EQ(Scripted<TitleLoop>::ran, 30);
    EXPECT_EQ(held, 0);
    EXPECT_EQ(chosen, 1);
    speed_count = 2;
    pass<Scripted<TitleLoop>>();
    EXPECT_EQ(held, 2 * 3);
    EXPECT_EQ(chosen, 3);
}

// Alt+Enter and F11 across a display switch, which makes the library
// report every held key released while the desktop's key repeat goes on:
// one switch a press, and the Enter of Alt+Enter chooses nothing until it
// is really let go and pressed again, whichever key is let go first.
TEST_F(Input, DisplayKeysSwitchOnceAPressAcrossASwitch) {
    long long t = 100;
    auto lose = [&](std::initializer_list<int> held) {  // the window goes, the keys stay down
        for (int k : held) latchkey(k | 0x80, (t += 1) * 1000, false);
        for (int k : held) latchkey(k, (t += 40) * 1000);  // key repeat
    };
    auto choices = [&](int n) {
        int c = 0;
        for (int i = 0; i < n; ++i) tick(t += 33), c += isdown(actchoose);
        return c;
    };
    for (bool altfirst : {true, false}) {
        latchkey(KEY_ALT, (t += 5) * 1000);
        latchkey(KEY_ENTER, (t += 5) * 1000);
        EXPECT_TRUE(takedisplayswitch());
        displayswitching(true);
        lose({KEY_ALT, KEY_ENTER});
        latchkey(KEY_F11, (t += 5) * 1000);  // during the switch: dropped
        latchkey(KEY_F11 | 0x80, (t += 5) * 1000);
        displayswitching(false);
        lose({KEY_ENTER});
        EXPECT_EQ(choices(3), 0);
        latchkey((altfirst ? KEY_ALT : KEY_ENTER) | 0x80, (t += 5) * 1000);
        lose({altfirst ? KEY_ENTER : KEY_ALT});
        EXPECT_EQ(choices(3), 0) << altfirst;
        latchkey((altfirst ? KEY_ENTER : KEY_ALT) | 0x80, (t + 20) * 1000);  // after the next tick's time
        tick(t += 10);
        EXPECT_FALSE(isdown(actchoose)) << altfirst;
        t += 10;
        EXPECT_FALSE(takedisplayswitch()) << altfirst;
        EXPECT_EQ(choices(2), 0);
        latchkey(KEY_ENTER, (t += 5) * 1000);  // a fresh press chooses
        EXPECT_EQ(choices(1), 1);
        latchkey(KEY_ENTER | 0x80, (t += 5) * 1000);
    }
    // F11 held through a switch: one switch. A made-up release of a key let
    // go out of the game's sight is settled by what the display says.
    latchkey(KEY_F11, (t += 5) * 1000);
    lose({KEY_F11});
    lose({KEY_F11});
    EXPECT_TRUE(takedisplayswitch());
    EXPECT_FALSE(takedisplayswitch());
    EXPECT_TRUE(keysindoubt());
    settledoubts([](int scancode) { return scancode == KEY_F11; });
    EXPECT_TRUE(keysindoubt());
    latchkey(KEY_F11 | 0x80, (t += 1) * 1000, false);
    settledoubts([](int) { return false; });
    EXPECT_FALSE(keysindoubt());
    latchkey(KEY_F11, (t += 5) * 1000);
    EXPECT_TRUE(takedisplayswitch());
}

TEST_F(Input, PadButtonsKeepTheEdgeRuleAndAVanishedPadLetsGo) {
    pad.button[0].b = 1;
    tick(33);
    TitleLoop::start();
    ticks<TitleLoop>(3);
    EXPECT_FALSE(TitleLoop::begin);
    present = false;  // unplugged; the driver still reports the button down
    tick(66);
    EXPECT_FALSE(isdown(actchoose));
    ticks<TitleLoop>(1);
    present = true;
    tick(99);
    EXPECT_TRUE(anykeypressed());  // a fresh press, which also ends the intro
    ticks<TitleLoop>(1);
    EXPECT_TRUE(TitleLoop::begin);
}

TEST_F(Input, SoundKeysStepOnceAPressAndAStallRunsThirtyTicks) {
    FakeDisplay display;
    TitleLoop::start();
    Scripted<TitleLoop>::reset(nullptr);
    hold({KEY_MINUS});
    speed_count = 100;
    pass<Scripted<TitleLoop>>();
    EXPECT_EQ(Scripted<TitleLoop>::ran, 30);
    EXPECT_EQ(speed_count.load(), 0);
    EXPECT_EQ(volumelevel, volumesteps);  // held from before: waits for release
    for (int i = 0; i < 3; ++i) {
        release({KEY_MINUS});
        soundkeys();
        hold({KEY_MINUS});
        soundkeys();
        soundkeys();
    }
    hold({KEY_M});
    soundkeys();
    EXPECT_EQ(volumelevel, volumesteps - 3);
    EXPECT_TRUE(muted);
    clear_to_color(buffer, 0);
    drawvolumemark();  // five bars lit, 2 px wide, 2 to 6 high, red while muted
    EXPECT_EQ(testpixels::count(130, 100, 159, 119, makecol(255, 10, 10)), 40);
    for (int i = 0; i < 30; ++i) soundkeys();
    clear_to_color(buffer, 0);
    drawvolumemark();  // gone after a second
    EXPECT_EQ(testpixels::count(0, 0, 159, 119, 0), 160 * 120);
    togglemute();
    stepvolume(-100);
    EXPECT_EQ(volumelevel, 0);
    stepvolume(100);
}

}  // namespace
