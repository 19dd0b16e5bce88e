// The command line and the frame limiter.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "shell/display.h"
#include "shell/options.h"
#include "shell/pace.h"
#include "shell/record.h"

namespace {

struct Outcome {
    int status;
    Options options;
    std::string out, err;
};

std::string slurp(std::FILE* f) {
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    std::fclose(f);
    return s;
}

Outcome run(std::vector<std::string> words) {
    words.insert(words.begin(), "quellmarrow");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome o;
    o.status = readoptions(static_cast<int>(argv.size()), argv.data(), o.options, out, err);
    o.out = slurp(out);
    o.err = slurp(err);
    return o;
}

TEST(Options, BadWordsExitTwoWithOneLineNamingTheProblem) {
    const std::vector<std::vector<std::string>> bad = {
        {"--fps", "-3"}, {"--fps", "abc"}, {"--fps", "99999999999"}, {"--fps", "1001"},
        {"--fps", ""},   {"--fps=1.5"},    {"--seed"},              {"--seed", "4294967296"},
        {"--seed", "+7"}, {"--window=yes"}, {"--frobnicate"},        {"level3"},
        {"--fps"},        {"--quiet=yes"},   {"--scale", "0"},       {"--scale", "33"},
        {"--scale=x2"},
    };
    for (const auto& words : bad) {
        const Outcome o = run(words);
        const std::string said = words[0] + (words.size() > 1 ? " " + words[1] : "");
        EXPECT_EQ(o.status, 2) << said;
        EXPECT_TRUE(o.out.empty()) << said;
        EXPECT_EQ(o.err.rfind("quellmarrow: ", 0), 0u) << said;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << said << ": " << o.err;
        EXPECT_NE(o.err.find("--help"), std::string::npos) << said;
        // The line names the word at fault.
        EXPECT_NE(o.err.find(words[0].substr(0, words[0].find('='))), std::string::npos) << o.err;
    }
}

TEST(Options, GoodWordsFillTheOptionsAndPlayOn) {
    Outcome o = run({});
    EXPECT_EQ(o.status, -1);
    EXPECT_FALSE(o.options.window);
    EXPECT_EQ(o.options.fps, 60);
    EXPECT_FALSE(o.options.seeded);
    EXPECT_FALSE(o.options.quiet);

    EXPECT_EQ(o.options.scale, 0);

    o = run({"--window", "--fps", "0", "--seed=4294967295", "--quiet", "--scale", "32"});
    EXPECT_EQ(o.status, -1);
    EXPECT_TRUE(o.options.window);
    EXPECT_TRUE(o.options.quiet);
    EXPECT_EQ(o.options.scale, 32);
    EXPECT_EQ(o.options.fps, 0);
    EXPECT_TRUE(o.options.seeded);
    EXPECT_EQ(o.options.seed, 4294967295u);
    EXPECT_EQ(o.out + o.err, "");

    o = run({"--seed", "7", "--fps=1000", "--seed", "0", "--quiet"});  // the last word wins
    EXPECT_FALSE(o.options.window);
    EXPECT_EQ(o.options.fps, 1000);
    EXPECT_EQ(o.options.seed, 0u);
}

TEST(Options, HelpAndVersionPrintAndExitZero) {
    Outcome o = run({"--fps", "30", "--help", "--bogus"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("Usage: quellmarrow", 0), 0u);
    for (const char* word : {"--window", "--scale N", "F11", "--fps N", "--seed N", "--quiet", "--record FILE",
                             "--replay FILE", "--version", "Esc", "wav/"})
        EXPECT_NE(o.out.find(word), std::string::npos) << word;
    EXPECT_EQ(o.err, "");

    o = run({"--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("quellmarrow ", 0), 0u);
    EXPECT_EQ(o.out.find_first_not_of("0123456789.", 12), o.out.size() - 1) << o.out;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '.'), 2) << o.out;
}

// Without --seed every run deals new scramblings: seeds drawn a moment apart
// differ, and spread over the whole range rather than counting up.
TEST(Options, FreshSeedsDifferAndSpread) {
    std::vector<uint32_t> seeds;
    for (int i = 0; i < 200; ++i) seeds.push_back(freshseed());
    std::vector<uint32_t> high;
    for (uint32_t s : seeds) high.push_back(s >> 24);
    std::sort(seeds.begin(), seeds.end());
    std::sort(high.begin(), high.end());
    EXPECT_EQ(std::unique(seeds.begin(), seeds.end()), seeds.end());
    EXPECT_GT(std::unique(high.begin(), high.end()) - high.begin(), 100);
}

TEST(FramePacer, KeepsTheScheduleAndNeverCatchesUp) {
    using namespace std::chrono;
    using Clock = FramePacer::Clock;
    const Clock::time_point t0 = Clock::now();
    FramePacer pacer;
    pacer.setfps(50);
    EXPECT_EQ(pacer.next(t0), t0 + 20ms);
    EXPECT_EQ(pacer.next(t0 + 25ms), t0 + 40ms);   // a little late: the schedule holds
    EXPECT_EQ(pacer.next(t0 + 41ms), t0 + 60ms);
    EXPECT_EQ(pacer.next(t0 + 130ms), t0 + 150ms);  // very late: no burst, a fresh period
    EXPECT_EQ(pacer.next(t0 + 151ms), t0 + 170ms);

    pacer.setfps(0);
    EXPECT_EQ(pacer.next(t0 + 200ms), t0 + 200ms);
    EXPECT_EQ(pacer.next(t0 + 200ms), t0 + 200ms);
}

}  // namespace

// The factor on today's screens: full screen fills the height or width, a
// window takes about 85% of the desktop but never less than 640x480 where
// that fits, and nothing is larger than the screen.
TEST(Display, FactorsFitTheScreen) {
    const struct {
        int w, h, full, window;
    } screens[] = {{1920, 1080, 9, 7}, {3840, 2160, 18, 15}, {800, 600, 5, 4}, {640, 480, 4, 4},
                   {480, 360, 3, 3},   {320, 240, 2, 2},     {1280, 1024, 8, 6}, {100, 80, 1, 1}};
    for (const auto& s : screens) {
        EXPECT_EQ(fitfactor(s.w, s.h), s.full) << s.w << "x" << s.h;
        EXPECT_EQ(windowfactor(s.w, s.h), s.window) << s.w << "x" << s.h;
    }
}

// A recording to replay is read whole with the command line: a bad one is
// refused there, before anything opens.
TEST(Options, ABadRecordingIsRefusedWithOneLine) {
    const std::string good = testing::TempDir() + "good.qmr", cut = testing::TempDir() + "cut.qmr";
    const std::string bytes = encoderecording(Recording{99, {tickpass}}, gameversion());
    std::ofstream(good, std::ios::binary) << bytes;
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 1);
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"--replay", cut}, {"--replay=" + good + "x"}, {"--seed", "3", "--replay", good},
             {"--replay", good, "--record", good + "2"}, {"--record="}}) {
        const Outcome o = run(words);
        EXPECT_EQ(o.status, 2) << words[0];
        EXPECT_EQ(o.err.rfind("quellmarrow: ", 0), 0u) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
        EXPECT_FALSE(replaying());
    }
    EXPECT_EQ(run({"--replay", cut}).err, "quellmarrow: cannot replay " + cut + ": truncated at its end\n");
    const Outcome o = run({"--quiet", "--replay", good});
    EXPECT_EQ(o.status, -1);
    EXPECT_TRUE(o.options.seeded);
    EXPECT_EQ(o.options.seed, 99u);
    EXPECT_TRUE(replaying());
    stopreplay();
}
