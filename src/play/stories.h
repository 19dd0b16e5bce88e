// The sentences of the stories, one row per level of the level table, one
// column per signal index (0 opens the level, 1..56 are the events).
#pragma once
#include <array>
#include <string>

#include "model/levels.h"

inline constexpr int storyslots = 57;

// An empty string means the event says nothing on that level.
extern const std::array<std::array<std::string, storyslots>, levelcount> jumpstrings;
