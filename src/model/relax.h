// The numerical gradient and the relaxation that turns a nudge into an event.
#pragma once
#include "model/dat.h"

// Half-width of the central difference and scale of the step: the float 0.1 widened.
inline constexpr double diffamount = 0.1f;

// Descent step of level N at d: h * h / 2 times the central differences.
template <int N> XY DCatastrophe(const Dat& d);

// Relaxes d in place (up to 1000 steps, or until a coordinate leaves the box
// of 2000), writes the STARTCALC / FAIL lines (unless quietlog) and reports
// the event.
template <int N> MoveInfo move(Dat& d);

// The event of a relaxation that went from before to after: a displacement
// above 0.25 is a jump, above 100 a run-away. Writes nothing.
MoveInfo classify(const Dat& before, const Dat& after);
