// Whole runs from the intro on, scripted as recordings and replayed headless
// through the screen flow: what they print, the screens they pass and the
// state they leave.
#include <cstring>
#include <sstream>
#include <vector>

#include "model/controls.h"
#include "model/levels.h"
#include "model/scrambling.h"
#include "play/play_state.h"
#include "replay/headless.h"

using namespace replays;

namespace {

const std::string runaway = "STARTCALC\n\nFAIL1,0\n\n\n\n34\n\n\n";  // fold's one sentence

std::string times(int n, const std::string& s) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

double stepsdown(int n) {
    double v = 0;
    for (int i = 0; i < n; ++i) dec(v);
    return v;
}

// The lines that are neither empty nor "STARTCALC", space-separated.
std::string events(const std::string& out) {
    std::istringstream in(out);
    std::string line, kept;
    while (std::getline(in, line))
        if (!line.empty() && line != "STARTCALC") kept += (kept.empty() ? "" : " ") + line;
    return kept;
}

// A try at every level in turn: each row swept up to 1 and down to -1, then
// back to the list and on to the next level.
Script sweep(uint32_t seed) {
    Script s(seed);
    s.tolevel(0);
    for (int level = 0; level < levelcount; ++level) {
        if (level > 0) s.press(down).press(choose);
        for (int r = 0; r < levels[level].controls; ++r) s.press(r > 0 ? down : 0).hold(right, 42).hold(left, 82);
        s.press(back);
    }
    return s.press(back).press(back);
}

}  // namespace

// A run-away on fold, undone step by step, taps of undo, a second visit.
TEST(Replay, FoldRunAwayUndoAndASecondVisit) {
    Script s(7);
    s.tolevel(0).hold(right, 20);
    Result r = play(s);
    EXPECT_EQ(r.out, "P 0,0\n" + runaway + times(19, "STARTCALC\n\n"));
    EXPECT_EQ(curslice.state, 1);
    EXPECT_EQ(r.levelmax, 1u);
    EXPECT_TRUE(r.ranout);

    // Twenty undo ticks take the twenty nudges back, silently; more stay put.
    s.hold(undo, 19);
    r = play(s);
    EXPECT_EQ(curslice.dat.control[0], delta);
    EXPECT_EQ(curslice.state, 1);
    for (int more : {1, 5}) {
        s.hold(undo, more);
        r = play(s);
        EXPECT_EQ(r.out, "P 0,0\n" + runaway + times(19, "STARTCALC\n\n"));
        EXPECT_EQ(curslice.state, 0);
        EXPECT_EQ(curslice.dat.control[0], 0.0);
        EXPECT_EQ(curslice.dat.x, 0.0);
    }

    // Ten taps step ten times and a hold takes the control to its bound,
    // where the nudges change nothing; each tap of undo then steps back to
    // the state before one more nudge that changed something.
    s.press(left, 10).hold(left, 35).press(undo);
    r = play(s);
    EXPECT_EQ(curslice.dat.control[0], stepsdown(39));
    s.press(undo);
    r = play(s);
    EXPECT_EQ(curslice.dat.control[0], stepsdown(38));
    EXPECT_EQ(r.out, "P 0,0\n" + runaway + times(64, "STARTCALC\n\n"));

    // Back to the list with cusp open; fold again shows its sentence again,
    // opens nothing more; Esc, Esc and the program ends.
    s.press(back).press(choose).hold(right, 2).press(back).press(back).press(back);
    r = play(s);
    EXPECT_FALSE(r.ranout);
    EXPECT_EQ(r.trail, "intro title list level list level list title");
    EXPECT_EQ(r.levelmax, 1u);
    EXPECT_EQ(r.out, "P 0,0\n" + runaway + times(64, "STARTCALC\n\n") + "P 0,0\n" + runaway + "STARTCALC\n\n");
}

// Keys held from one screen into the next act there only after a release.
TEST(Replay, KeysHeldIntoAScreenWaitForTheirRelease) {
    Script s(7);
    s.hold(anykey | choose).hold(choose, 10);  // the Return that ends the intro, held on
    s.press(down).press(up).press(up).press(down);  // two rows: each toggles
    s.hold(choose, 10).idle();  // Start, held into the list
    s.press(down).press(up);    // only fold open: the cursor stays
    s.hold(back, 18).idle();    // to the title, and not on out of the program
    Result r = play(s);
    EXPECT_TRUE(r.ranout);
    EXPECT_EQ(r.trail, "intro title list title");
    EXPECT_EQ(SelectLoop::selected, 0u);
    EXPECT_EQ(TitleLoop::selected, 0);

    s.press(down).press(choose);  // "Exit"
    r = play(s);
    EXPECT_FALSE(r.ranout);
    EXPECT_EQ(r.trail, "intro title list title");
    EXPECT_EQ(r.out, "");
}

// The ticks of one pass all run on the screen that began it, even after one
// of them has ended it: a Space then an Esc in one pass on the list, and the
// Esc still runs there, so the flow goes back to the title, not into fold.
TEST(Replay, ThePendingTicksOfAPassStayOnItsScreen) {
    Script s(7);
    s.hold(anykey).idle().press(choose).onepass({choose, back}).idle(3);
    Result r = play(s);
    EXPECT_TRUE(r.ranout);
    EXPECT_EQ(r.trail, "intro title list title");
    EXPECT_EQ(r.out, "");
}

// Every level from fold to parabola, for two seeds: each level start deals
// what the seed predicts (nothing else draws from the scrambling's numbers),
// a sentence on each level opens the next, and the run prints exactly what
// it printed when it was written down; with --quiet, nothing.
TEST(Replay, EveryLevelOpensTheNext) {
    const std::pair<uint32_t, const char*> runs[] = {
        {1, "P 0,0 FAIL1,0 34 P 0,1 P 1,0 4 11 P 0,2 P 1,0 P 2,1 FAIL1,0 33 P 0,0 P 1,1 P 2,3 P 3,2 5 "
            "P 0,2 P 1,0 P 2,1 FAIL1,1 50 P 0,0 P 1,2 P 2,1 FAIL1,0 34 P 0,3 P 1,1 P 2,2 P 3,0 FAIL1,1 55"},
        {2, "P 0,0 FAIL1,0 34 P 0,1 P 1,0 4 11 P 0,2 P 1,0 P 2,1 FAIL1,0 33 P 0,0 P 1,2 P 2,1 P 3,3 12 3 16 7 "
            "P 0,1 P 1,2 P 2,0 FAIL1,1 50 P 0,0 P 1,1 P 2,2 FAIL0,1 42 P 0,2 P 1,1 P 2,3 P 3,0 2 FAIL1,1 50"},
    };
    for (const auto& [seed, want] : runs) {
        SCOPED_TRACE(seed);
        const Result r = play(sweep(seed));
        EXPECT_FALSE(r.ranout);
        EXPECT_EQ(r.levelmax, levelcount - 1u);
        EXPECT_EQ(r.trail, "intro title list" + times(levelcount, " level list") + " title");
        EXPECT_EQ(events(r.out), want);

        std::srand(seed);
        std::string dealt, printed;
        for (int level = 0; level < levelcount; ++level) {
            drawscrambling(levels[level].controls);
            for (int k = 0; k < levels[level].controls; ++k)
                dealt += "P " + std::to_string(k) + "," + std::to_string(amountperm[k]) + " ";
        }
        std::istringstream in(r.out);
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("P ", 0) == 0) printed += line + " ";
        EXPECT_EQ(printed, dealt);

        // --quiet: the same run, to the same end, without a line.
        const Result quiet = play(sweep(seed), true);
        EXPECT_EQ(quiet.out, "");
        EXPECT_EQ(quiet.levelmax, levelcount - 1u);
        EXPECT_EQ(quiet.trail, r.trail);
    }
}
