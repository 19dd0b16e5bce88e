// The read-back checker must catch each way an XM can go wrong for DUMB:
// a tiny module is written, one field is broken, and the checker is asked.
#include <gtest/gtest.h>

#include <functional>

#include "bytes.h"
#include "measure.h"
#include "score.h"
#include "voices.h"
#include "xm_check.h"
#include "xm_writer.h"

using namespace compose;

namespace {

Module tinyModule() {
    Tune t;
    t.file = "tiny";
    t.title = "tiny";
    t.bpm = 125;
    t.speed = 6;
    t.channels = 2;
    t.sections = {Section{"A", 4, {Line{0, "flute", 40, "C4:2 .:2"}, drums(1, 30, "k.h.")}}};
    t.form = "A";
    return buildModule(t);
}

TEST(XmCheck, AcceptsWhatTheWriterWritesAndSummarisesIt) {
    XmSummary s;
    std::vector<uint8_t> bytes = writeXm(tinyModule());
    EXPECT_TRUE(checkXm(bytes, &s).empty());
    EXPECT_EQ(s.channels, 2);
    EXPECT_EQ(s.totalRows, 4);
    EXPECT_DOUBLE_EQ(s.seconds, 4 * 6 * 2.5 / 125);
    EXPECT_EQ(s.instruments, (std::vector<std::string>{"flute", "kick", "hat"}));
}

struct Breakage {
    const char* what;
    std::function<void(std::vector<uint8_t>&, size_t inst)> breakIt;  // inst: offset of instrument 1
    const char* expected;
};

TEST(XmCheck, CatchesEveryBrokenField) {
    const std::vector<Breakage> cases = {
        {"header size", [](auto& b, size_t) { set32(b, 60, 277); }, "header size is not 276"},
        {"version", [](auto& b, size_t) { set16(b, 58, 0x0103); }, "version"},
        {"BPM 0", [](auto& b, size_t) { set16(b, 78, 0); }, "BPM"},
        {"speed 0", [](auto& b, size_t) { set16(b, 76, 0); }, "speed"},
        {"restart past end", [](auto& b, size_t) { set16(b, 66, 1); }, "restart"},
        {"row count", [](auto& b, size_t) { set16(b, 341, 5); }, "cells do not fill"},
        {"note 0", [](auto& b, size_t) { b[346] = 0; }, "note out of range"},
        {"instrument 9", [](auto& b, size_t) { b[347] = 9; }, "instrument out of range"},
        {"envelope x repeats", [](auto& b, size_t i) { set16(b, i + 133, 0); }, "x not increasing"},
        {"envelope y 65", [](auto& b, size_t i) { set16(b, i + 135, 65); }, "y above 64"},
        {"13 envelope points", [](auto& b, size_t i) { b[i + 225] = 13; }, "more than 12"},
        {"fadeout 16", [](auto& b, size_t i) { set16(b, i + 239, 16); }, "fadeout below 32"},
        {"vibrato type 4", [](auto& b, size_t i) { b[i + 235] = 4; }, "vibrato type"},
        {"17 samples", [](auto& b, size_t i) { set16(b, i + 27, 17); }, "sample count"},
        {"note map past the samples", [](auto& b, size_t i) { b[i + 33 + 60] = 1; }, "maps to a missing sample"},
        {"loop past end", [](auto& b, size_t i) { set32(b, i + 263 + 8, get32(b, i + 263) + 2); }, "loop outside"},
        {"truncated", [](auto& b, size_t) { b.pop_back(); }, "file ends"},
        {"trailing byte", [](auto& b, size_t) { b.push_back(0); }, "bytes after"},
    };
    const std::vector<uint8_t> good = writeXm(tinyModule());
    size_t inst = 336 + 9 + get16(good, 343);
    for (const Breakage& c : cases) {
        std::vector<uint8_t> b = good;
        c.breakIt(b, inst);
        std::vector<std::string> problems = checkXm(b);
        bool found = false;
        for (const std::string& p : problems) found = found || p.find(c.expected) != std::string::npos;
        EXPECT_TRUE(found) << c.what << ": expected a problem mentioning \"" << c.expected << "\"";
    }
}

// A block is new when under 70% of its (row, channel, note) events appear
// in any one earlier block; repeats, near-copies and silence are not.
TEST(Measure, NewMaterialEffectsLevelsAndSoloFromTheBytes) {
    Module m;
    m.channels = 2;
    m.speed = 6;
    m.bpm = 125;
    Pattern a(32, 2), b(32, 2);
    for (int r = 0; r < 10; ++r) {
        a.at(r, 0) = a.at(16 + r, 0) = b.at(r, 0) = Cell{uint8_t(49 + r), 1, uint8_t(0x10 + 20 + r), 0, 0};
        if (r < 4) a.at(16 + r, 0).note = uint8_t(70 + r);  // 60% shared: new
        if (r < 2) b.at(r, 0).note = uint8_t(80 + r);       // 80% shared: old
    }
    a.at(3, 1) = Cell{0, 0, 0, 4, 0x42};
    b.at(20, 1) = Cell{0, 0, 0, 14, 0xD2};
    m.patterns = {a, b};
    m.orders = {0, 1, 0};
    m.instruments = {makeVoice("flute", 49, 80)};
    std::vector<uint8_t> bytes = writeXm(m);
    Module back = readPatterns(bytes);
    EXPECT_NEAR(newMaterialSeconds(back), 2 * 16 * 6 * 2.5 / 125, 1e-9);
    EXPECT_EQ(effectTypes(back), (std::set<int>{4, 0xED}));
    EXPECT_EQ(volumeLevels(back).size(), 10u);

    Module solo = readPatterns(soloChannel(bytes, 1));
    EXPECT_EQ(solo.patterns[0].at(0, 0).note, 0);
    EXPECT_EQ(solo.patterns[0].at(3, 1).param, 0x42);
    EXPECT_TRUE(checkXm(soloChannel(bytes, 1)).empty());
    bytes.resize(bytes.size() / 2);
    EXPECT_THROW(readPatterns(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 400)), std::runtime_error);
}

TEST(XmCheck, CatchesF00) {
    Module m = tinyModule();
    m.patterns[0].at(1, 0) = Cell{0, 0, 0, 15, 0};
    std::vector<std::string> problems = checkXm(writeXm(m));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("F00"), std::string::npos);
}

}  // namespace
