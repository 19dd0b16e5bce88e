// Recorded runs on disk: what the input writes is what a replay reads back
// and feeds the ticks, and a file cut or changed anywhere is refused.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "shell/input.h"
#include "shell/record.h"
#include "support/keys.h"

using namespace testkeys;

namespace {

std::string temp(const char* name) {
    return testing::TempDir() + name;
}

unsigned bit(Action a) {
    return 1u << a;
}

}  // namespace

TEST(Recording, WhatTheTicksReadIsWhatAReplayFeedsThem) {
    releaseall();
    forgetinput();
    const std::string path = temp("run.qmr");
    std::string why;
    ASSERT_TRUE(startrecording(path.c_str(), 4242, why)) << why;
    pollinput();  // a pass of two ticks, Right and Space held
    hold({KEY_RIGHT, KEY_SPACE});
    inputtick(0);
    inputtick(0);
    release({KEY_RIGHT});
    pollinput();  // a pass of one tick that sees a key in the buffer
    inputtick(0);
    simulate_keypress(KEY_Q << 8);
    EXPECT_TRUE(anykeypressed());
    pollinput();  // and one with nothing, read as nothing
    release({KEY_SPACE});
    clear_keybuf();
    inputtick(0);
    EXPECT_FALSE(anykeypressed());
    finishrecording();

    uint32_t seed = 0;
    ASSERT_TRUE(loadreplay(path.c_str(), seed, why)) << why;
    EXPECT_EQ(seed, 4242u);
    const unsigned rs = bit(actright) | bit(actchoose);
    EXPECT_EQ(replaydue(1), 0);  // the first pass waits for two ticks of the clock
    ASSERT_EQ(replaydue(2), 2);
    // Replayed, the keys count for nothing: Left is held throughout.
    hold({KEY_LEFT});
    const unsigned want[4] = {rs, bit(actright) | bit(actchoose), bit(actchoose) | tickanykey, 0};
    for (int t = 0; t < 4; ++t) {
        if (t >= 2) EXPECT_EQ(replaydue(30), 1);
        inputtick(0);
        for (int a = 0; a < tickactions; ++a)
            EXPECT_EQ(isdown(static_cast<Action>(a)), (want[t] >> a & 1) != 0) << "tick " << t << " action " << a;
        EXPECT_FALSE(isdown(actdisplay)) << "tick " << t;  // its bit's place is the intro's any key
        EXPECT_EQ(anykeypressed(), (want[t] & tickanykey) != 0) << "tick " << t;
        EXPECT_FALSE(mousebutton());
        EXPECT_EQ(replayended(), t == 3);
    }
    stopreplay();
    releaseall();
    forgetinput();
}

TEST(Recording, EveryCutAndEveryChangedByteIsRefused) {
    Recording run;
    run.seed = 0x01020304;
    run.ticks = {tickpass | bit(actright), bit(actright), tickpass | tickanykey, tickpass};
    const std::string bytes = encoderecording(run, gameversion());
    Recording back;
    std::string why;
    ASSERT_TRUE(decoderecording(bytes, gameversion(), back, why)) << why;
    EXPECT_EQ(back.seed, run.seed);
    EXPECT_EQ(back.ticks, run.ticks);

    std::set<std::string> said;
    for (size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_FALSE(decoderecording(bytes.substr(0, n), gameversion(), back, why)) << n;
        said.insert(why);
        for (unsigned flip : {0x01u, 0x80u, 0xffu}) {
            std::string changed = bytes;
            changed[n] = static_cast<char>(changed[n] ^ flip);
            EXPECT_FALSE(decoderecording(changed, gameversion(), back, why)) << n << " ^ " << flip;
            EXPECT_EQ(why.find('\n'), std::string::npos);
        }
    }
    EXPECT_FALSE(decoderecording(bytes + '\0', gameversion(), back, why));
    EXPECT_EQ(said, (std::set<std::string>{"not a quellmarrow recording", "truncated in its header",
                                           "truncated after 0 ticks", "truncated after 1 ticks",
                                           "truncated after 2 ticks", "truncated after 3 ticks",
                                           "truncated after 4 ticks", "truncated at its end"}));

    EXPECT_FALSE(decoderecording(encoderecording(run, "0.9"), gameversion(), back, why));
    EXPECT_EQ(why, std::string("recorded by quellmarrow 0.9, this is ") + gameversion());
    EXPECT_FALSE(decoderecording(encoderecording(run, "9\n\x1b[2J"), gameversion(), back, why));
    EXPECT_EQ(why, std::string("recorded by quellmarrow 9??[2J, this is ") + gameversion());
    // A pass of more ticks than a frame ever runs cannot come from the game.
    run.ticks.assign(31, 0);
    run.ticks[0] = tickpass;
    EXPECT_FALSE(decoderecording(encoderecording(run, gameversion()), gameversion(), back, why));
    EXPECT_EQ(why, "damaged at tick 30");
}
