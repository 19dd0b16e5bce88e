// The read-back checker must catch each way an XM can go wrong for DUMB:
// a tiny module is written, one field is broken, and the checker is asked.
#include <gtest/gtest.h>

#include <functional>

#include "bytes.h"
#include "score.h"
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

TEST(XmCheck, CatchesF00) {
    Module m = tinyModule();
    m.patterns[0].at(1, 0) = Cell{0, 0, 0, 15, 0};
    std::vector<std::string> problems = checkXm(writeXm(m));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("F00"), std::string::npos);
}

}  // namespace
