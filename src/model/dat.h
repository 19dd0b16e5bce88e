// The records the catastrophe model works on and hands to the play screen.
#pragma once

// The model state of a level, copied by value.
struct Dat {
    double control[4];  // control values, each kept in [-1, 1]; a level uses its first R
    double x;           // first state coordinate, every level
    double y;           // second state coordinate, only on levels whose row says it moves
};

// A descent step, as returned by DCatastrophe<N>.
struct XY {
    double x;
    double y;
};

// The outcome of one relaxation.
struct MoveInfo {
    int kind;      // 0 no event, 1 jump, 2 run-away
    int control;   // nudged row, filled in by the play screen for kinds 1 and 2
    bool raised;   // the control was raised (filled in by the play screen)
    bool flag1;    // jump: major axis is y; run-away: x ran away
    bool flag2;    // jump: towards larger values; run-away: y ran away
};

// No event: every field zero.
inline constexpr MoveInfo nosignal{0, 0, false, false, false};
