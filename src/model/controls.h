// Nudging a control value by one step, kept within [-1, 1].
#pragma once

// One nudge: the float 0.025 widened to double (0.02500000037252903), so
// 40 steps from 0 overshoot 1 slightly and are clamped to exactly 1.
inline constexpr double delta = 0.025f;

void inc(double& v);
void dec(double& v);
