// The sentence table: which slots speak, which repeat, and whether every
// sentence fits the message box.
#include "play/stories.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "shell/printwrap.h"

namespace {

std::set<int> span(int first, int last) {
    std::set<int> slots;
    for (int s = first; s <= last; ++s) slots.insert(s);
    return slots;
}

std::set<int> join(std::initializer_list<std::set<int>> parts) {
    std::set<int> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
}

// Written out by hand from the story layout, not derived from the table;
// a level added later is held only by the checks below that read the table.
std::vector<std::set<int>> expectedfilled() {
    return {
        {0, 34},
        {0, 4, 11},
        join({{0, 1, 4, 6, 10, 11, 13}, span(33, 38)}),
        span(0, 16),
        join({{0}, span(33, 38), span(41, 46), span(49, 54)}),
        join({{0}, span(1, 6), span(9, 14), span(17, 22), span(25, 30), span(33, 38), span(41, 46),
              span(49, 54)}),
        join({span(0, 15), span(17, 45), span(47, 56)}),
    };
}

std::set<int> filled(int level) {
    std::set<int> slots;
    for (int s = 0; s < storyslots; ++s)
        if (!jumpstrings[level][s].empty()) slots.insert(s);
    return slots;
}

// Every non-empty sentence with its level and slot.
struct Sentence {
    int level, slot;
    const std::string& text;
};

std::vector<Sentence> sentences() {
    std::vector<Sentence> all;
    for (int l = 0; l < levelcount; ++l)
        for (int s = 0; s < storyslots; ++s)
            if (!jumpstrings[l][s].empty()) all.push_back({l, s, jumpstrings[l][s]});
    return all;
}

std::string where(const Sentence& s) {
    return "level " + std::to_string(s.level) + " slot " + std::to_string(s.slot) + ": \"" + s.text + "\"";
}

}  // namespace

TEST(Stories, EachLevelFillsExactlyItsSlots) {
    const auto expected = expectedfilled();
    ASSERT_LE(expected.size(), jumpstrings.size());
    for (std::size_t l = 0; l < expected.size(); ++l) EXPECT_EQ(filled(l), expected[l]) << "level " << l;
}

TEST(Stories, OnlyTheIntendedSlotsRepeatAText) {
    const auto& pyramid = jumpstrings[4];
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(pyramid[41 + k], pyramid[33 + k]) << "k " << k;
        EXPECT_EQ(pyramid[49 + k], pyramid[33 + k]) << "k " << k;
    }
    EXPECT_EQ(jumpstrings[6][37], jumpstrings[6][38]);

    // Apart from those, no text appears twice anywhere in the table.
    std::map<std::string, std::vector<std::pair<int, int>>> uses;
    for (const Sentence& s : sentences()) uses[s.text].push_back({s.level, s.slot});
    std::size_t shared = 0;
    for (const auto& [text, at] : uses) {
        if (at.size() == 1) continue;
        ++shared;
        const int level = at.front().first;
        for (const auto& [l, slot] : at) EXPECT_EQ(l, level) << text;
        if (level == 4) {
            ASSERT_EQ(at.size(), 3u) << text;
            EXPECT_EQ(at[1].second, at[0].second + 8) << text;
            EXPECT_EQ(at[2].second, at[0].second + 16) << text;
        } else {
            EXPECT_EQ(level, 6) << text;
            EXPECT_EQ(at, (std::vector<std::pair<int, int>>{{6, 37}, {6, 38}})) << text;
        }
    }
    EXPECT_EQ(shared, 7u);
}

TEST(Stories, QuotedLinesStandWhereTheyBelong) {
    EXPECT_EQ(jumpstrings[6][2], "i can hear my heart thumping. ");
    EXPECT_EQ(jumpstrings[6][56], "i awake the next morning, in her arms. ");
}

TEST(Stories, TextsAreLowerCasePlainAsciiOfBoundedLength) {
    int withcapital = 0;
    for (const Sentence& s : sentences()) {
        const std::string& t = s.text;
        EXPECT_GE(t.size(), 29u) << where(s);
        EXPECT_LE(t.size(), 88u) << where(s);
        bool capital = false;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const unsigned char c = t[i];
            EXPECT_TRUE(c >= 32 && c <= 126) << where(s) << " char " << int(c);
            if (!std::isupper(c)) continue;
            // Only the pronoun, standing as a word of its own.
            const bool alone = (i == 0 || t[i - 1] == ' ') &&
                               (i + 1 == t.size() || !std::isalpha(static_cast<unsigned char>(t[i + 1])));
            EXPECT_TRUE(c == 'I' && alone) << where(s) << " at " << i;
            capital = true;
        }
        withcapital += capital;
    }
    EXPECT_GE(withcapital, 1);
    EXPECT_LE(withcapital, 6);
}

TEST(Stories, NearlyEverySentenceEndsInOneSpace) {
    int bare = 0, doubled = 0;
    for (const Sentence& s : sentences()) {
        const std::string& t = s.text;
        EXPECT_NE(t.front(), ' ') << where(s);
        std::size_t trailing = 0;
        while (trailing < t.size() && t[t.size() - 1 - trailing] == ' ') ++trailing;
        EXPECT_LE(trailing, 2u) << where(s);
        EXPECT_GE(t.find("  "), t.size() - trailing) << where(s) << " has a double space inside";
        bare += trailing == 0;
        doubled += trailing == 2;
    }
    EXPECT_LE(bare, 4);
    EXPECT_LE(doubled, 2);
}

TEST(Stories, EverySentenceFitsTheMessageBox) {
    for (const Sentence& s : sentences()) {
        const auto lines = wraplines(s.text, 16);
        EXPECT_LE(lines.size(), 6u) << where(s);
        // A word longer than a line would be cut mid-word by the wrap.
        std::size_t word = 0;
        for (char c : s.text) {
            word = c == ' ' ? 0 : word + 1;
            EXPECT_LE(word, 16u) << where(s);
        }
    }
}

// Sentences arrive in any order, so two that open alike read as a stutter.
// An opening is the first two words, lower-cased, a word being letters and
// apostrophes; level 4's shared texts count once.
TEST(Stories, NoLevelOpensMoreThanTwoSentencesAlike) {
    for (int l = 0; l < levelcount; ++l) {
        std::map<std::string, std::set<std::string>> byopening;
        for (const std::string& t : jumpstrings[l]) {
            if (t.empty()) continue;
            std::string words = t;
            for (char& c : words) {
                const unsigned char u = c;
                c = std::isalpha(u) ? static_cast<char>(std::tolower(u)) : c == '\'' ? c : ' ';
            }
            std::istringstream in(words);
            std::string first, second;
            in >> first >> second;
            byopening[first + " " + second].insert(t);
        }
        for (const auto& [opening, texts] : byopening)
            EXPECT_LE(texts.size(), 2u) << "level " << l << ": \"" << opening << "\" opens " << texts.size();
    }
}
