// The sentence table's texts: plain, evenly spaced, and each fits the
// message box. Which slot holds which sentence is the table itself; the
// replays check the sentences their runs show.
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
