// The level table: one row per level, in the order the list shows them.
// Everything the game knows of a level is its row here, its potential
// (energy<N> in potentials.h) and its story (stories.cpp); the rest of the
// game reads the level count and the rows from this table.
#pragma once

// How the level start's scrambling reaches the potential's term weights.
enum class Scramble {
    none,      // the controls are the weights as they are
    signs,     // each control times its random sign
    permuted,  // signed, fed to a random term, and x and y swapped at random
};

struct Level {
    const char* name;            // in the level list
    int controls;                // control rows R, 1..4
    bool y;                      // the second state coordinate moves
    Scramble scramble;           // what the scrambling does to the weights
    const char* description[4];  // label of each control row; those past R are never shown
    const char* tune;            // its music, relative to the data folder
};

// name, R, y, scramble, control labels, tune
inline constexpr Level levels[] = {
    {"fold", 1, false, Scramble::none,
     {"step back/forward", "item 02", "item 03", "item 04"}, "xm/track0.xm"},  // 0 fold
    {"cusp", 2, false, Scramble::none,
     {"step towards/away", "eat less/more", "item 13", "item 14"}, "xm/track1.xm"},  // 1 cusp
    {"swallowtail", 3, false, Scramble::none,
     {"read less/more", "relax/concentrate", "look away/at", "item 24"}, "xm/track2.xm"},  // 2 swallowtail
    {"butterfly", 4, false, Scramble::signs,
     {"less/more action", "less/more artistry", "less/more linearity", "less/more emotion"},
     "xm/track3.xm"},  // 3 butterfly
    {"pyramid", 3, true, Scramble::none,
     {"pray less/more", "sin less/more", "read less/more", "item 44"}, "xm/track4.xm"},  // 4 pyramid
    {"purse", 3, true, Scramble::permuted,
     {"earlier/later", "younger/older", "happier/sadder", "item 54"}, "xm/track5.xm"},  // 5 purse
    {"parabola", 4, true, Scramble::permuted,
     {"listen", "look", "smell", "touch"}, "xm/track6.xm"},  // 6 parabola
};

inline constexpr int levelcount = sizeof levels / sizeof levels[0];

constexpr bool rowsfit() {
    for (const Level& l : levels)
        if (l.controls < 1 || l.controls > 4) return false;
    return true;
}
static_assert(rowsfit(), "a level has one to four controls");

// Whether level N's second state coordinate moves; on the others y stays 0.
constexpr bool hasy(int N) { return levels[N].y; }
