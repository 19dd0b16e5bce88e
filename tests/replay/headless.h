// Recorded runs played headless: the screens in the game's own order
// (screenflow.h), each pass running the ticks the recording gives it
// through the screens' own tick functions; no display, no clock, no drawing.
// A script writes the recordings: key bits held for so many ticks.
#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "model/quiet.h"
#include "play/narrative.h"
#include "screenflow.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "shell/record.h"
#include "shell/soundkeys.h"
#include "support/keys.h"

namespace replays {

constexpr unsigned up = 1u << actup, down = 1u << actdown, left = 1u << actleft, right = 1u << actright,
                   choose = 1u << actchoose, back = 1u << actback, undo = 1u << actundo, anykey = tickanykey;

// Each screen's word in a run's trail of visits.
inline const char* screenname(IntroLoop*) { return "intro"; }
inline const char* screenname(TitleLoop*) { return "title"; }
inline const char* screenname(SelectLoop*) { return "list"; }
template <int N>
const char* screenname(GameLoop<N>*) { return "level"; }

struct Headless {
    static inline bool cut = false;  // a visit ended because the recording did
    static inline std::string trail;  // the screens visited, one word each

    template <class T>
    static void visit() {
        if (cut) {  // after the end the flow only winds up
            quit = true;
            return;
        }
        trail += trail.empty() ? "" : " ";
        trail += screenname(static_cast<T*>(nullptr));
        T::start();
        while (!T::done() && !replayended()) {
            const int due = replaydue(maxpending);
            for (int n = 0; n < due; ++n) {
                inputtick(0);
                soundkeys();
                T::tick();
            }
        }
        if (replayended() && !T::done()) cut = true;
        if (replayended()) quit = true;
    }
};

// Builds a recording: each call adds ticks, one pass each unless said.
class Script {
public:
    explicit Script(uint32_t seed) { run.seed = seed; }
    Script& hold(unsigned bits, int ticks = 1) {
        for (int i = 0; i < ticks; ++i) run.ticks.push_back(static_cast<uint16_t>(bits | tickpass));
        return *this;
    }
    Script& idle(int ticks = 1) { return hold(0, ticks); }
    // A fresh press: down for a tick, then up for one.
    Script& press(unsigned bits, int times = 1) {
        for (int i = 0; i < times; ++i) hold(bits).idle();
        return *this;
    }
    // Several ticks run in one pass, as after a slow frame.
    Script& onepass(std::initializer_list<unsigned> ticks) {
        bool first = true;
        for (unsigned bits : ticks) {
            run.ticks.push_back(static_cast<uint16_t>(bits | (first ? tickpass : 0)));
            first = false;
        }
        return *this;
    }
    // Intro, title and the level list to level `level` (unlocked).
    Script& tolevel(unsigned level) {
        hold(anykey).idle().press(choose);
        return press(down, static_cast<int>(level)).press(choose);
    }
    Recording run;
};

// What a replay printed and where it left the game.
struct Result {
    std::string out;
    bool ranout;        // it ended by running out, not through the title
    std::string trail;  // the screens it visited
    unsigned levelmax;  // unlocked at the end
};

// Plays the script through the file format and the screen flow, from a
// fresh start of the program; `quiet` as --quiet.
inline Result play(const Script& script, bool quiet = false) {
    Recording back;
    std::string why;
    const std::string bytes = encoderecording(script.run, gameversion());
    EXPECT_TRUE(decoderecording(bytes, gameversion(), back, why)) << why;
    testkeys::releaseall();
    forgetinput();
    levelmax = 0;
    SelectLoop::selected = 0;
    quit = leave = false;
    quietlog = quiet;
    std::srand(back.seed);
    Headless::cut = false;
    Headless::trail.clear();
    startreplay(back);
    testing::internal::CaptureStdout();
    screenflow<Headless>();
    Result r;
    r.out = testing::internal::GetCapturedStdout();
    r.ranout = Headless::cut;
    r.trail = Headless::trail;
    r.levelmax = levelmax;
    quit = false;
    quietlog = false;
    stopreplay();
    return r;
}

}  // namespace replays
