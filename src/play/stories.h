// The sentences of the seven stories, one row per level, one column per
// signal index (0 opens the level, 1..56 are the events).
#pragma once
#include <array>
#include <string>

inline constexpr int storylevels = 7;
inline constexpr int storyslots = 57;

// An empty string means the event says nothing on that level.
extern const std::array<std::array<std::string, storyslots>, storylevels> jumpstrings;
